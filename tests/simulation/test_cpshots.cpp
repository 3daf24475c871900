// Pictures of the control-panel dialogs, the add-printer wizard, the security-suite
// screens and the system dialogs, every page of each, for looking at: written to the
// build folder's shots/ (or $PRAVIK_SHOTS_DIR).
#include <QDir>
#include <QImage>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "SimTestUtil.h"
#include "question/TQuestion.h"
#include "simulation/controlpanel/ufrmControlForm.h"
#include "simulation/desktop/SimWindows.h"

namespace {

QString shotsDir()
{
    QString dir = qEnvironmentVariable("PRAVIK_SHOTS_DIR");
    if (dir.isEmpty())
        dir = QStringLiteral(PRAVIK_SHOTS_DEFAULT);
    QDir().mkpath(dir);
    return dir;
}

// Saves the window, and each page of its first tab widget, as <name>[-<page>].png.
void shoot(QWidget* w, const QString& name)
{
    ASSERT_TRUE(w) << name.toStdString();
    w->show();
    simtest::pump(30);
    auto* tabs = w->findChild<QTabWidget*>();
    if (!tabs) {
        EXPECT_TRUE(w->grab().save(shotsDir() + "/" + name + ".png")) << name.toStdString();
        return;
    }
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        simtest::pump(10);
        EXPECT_TRUE(w->grab().save(shotsDir() + QStringLiteral("/%1-%2.png").arg(name).arg(i)))
            << name.toStdString();
    }
}

TEST(Shots, ControlPanelWizardSecurityAndSystemWindows)
{
    TQuestion q;
    q.OperationType = 26;
    sim::SetCurrentQuestion(&q);
    const char* classes[] = {"TfrmMouseSet",
                             "TfrmTimeandDate",
                             "TfrmWindowsmenu",
                             "Tfrmtoolbar",
                             "TfrmAddPrint",
                             "TfrmNewRegPrint",
                             "TfrmRegPrint2",
                             "TfrmRegPrint3",
                             "TfrmRegPrint4",
                             "TfrmRegPrint5",
                             "TfrmRegPrint6",
                             "TfrmRegPrintSuccess",
                             "TfrmRegPrintOK",
                             "Tfrm360safe1",
                             "Tfrm360safe2",
                             "Tfrm360safe3",
                             "Tfrm360safe4",
                             "Tfrm360safe5",
                             "Tfrm360safe6",
                             "Tfrm360safe7",
                             "Tfrm360sd1",
                             "Tfrm360sd2",
                             "Tfrm360sd3",
                             "TfrmSystemProperty",
                             "TfrmManagementConsole",
                             "TfrmSystemInfo"};
    for (const char* c : classes) {
        QWidget* w = sim::OpenWindow(QString::fromLatin1(c));
        shoot(w, QString::fromLatin1(c));
        sim::DestroyWindow(QString::fromLatin1(c));
    }
    auto* cp = qobject_cast<TfrmControlForm*>(sim::OpenWindow(QStringLiteral("TfrmControlForm")));
    shoot(cp, QStringLiteral("TfrmControlForm-classic"));
    cp->Label2Click();
    shoot(cp, QStringLiteral("TfrmControlForm-categories"));
    sim::CloseOperationWindows();
    sim::SetCurrentQuestion(nullptr);
}

} // namespace
