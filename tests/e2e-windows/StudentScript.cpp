// The shared steps of the student scripts and the scenario registry (StudentScript.h).
#include "StudentScript.h"

#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/ufrmTool.h"
#include "e2e/E2eChild.h"
#include "question/TQuestion.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/desktop/ufrmOperationMain.h"
#include "web/webServer.h"

namespace pravik::test {

namespace {

QMap<QString, ScenarioFactory>& scenarios()
{
    static QMap<QString, ScenarioFactory> m;
    return m;
}

} // namespace

bool RegisterScenario(const char* name, ScenarioFactory factory)
{
    scenarios().insert(QString::fromUtf8(name), factory);
    return true;
}

QList<Step> Scenario(const QString& name, TfrmTool* tool)
{
    const ScenarioFactory f = scenarios().value(name);
    return f ? f(tool) : QList<Step>();
}

// A picture of a window as the student saw it, when E2E_SHOTS names a folder.
void shot(QWidget* w, const QString& name)
{
    const QString folder = qEnvironmentVariable("E2E_SHOTS");
    if (folder.isEmpty() || !w)
        return;
    QDir().mkpath(folder);
    w->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// One observation of the student script.
void seen(const QString& key, const QString& value)
{
    WriteOutput(QStringLiteral("seen.txt"), key + QLatin1Char('=') + OneLine(value) + QLatin1Char('\n'),
                true);
}

TQuestion* question(TfrmTool* tool)
{
    return tool && tool->FwebServer ? tool->FwebServer->Question.get() : nullptr;
}

void later(const std::function<void()>& f) { QTimer::singleShot(0, qApp, f); }

TfrmOperationMain* desktop()
{
    TfrmOperationMain* d = sim::Ref<TfrmOperationMain>().data();
    return d && d->isVisible() ? d : nullptr;
}

// Types like a student with an input method: the committed Chinese text, one commit
// per character.
void imeType(QWidget* w, const QString& text)
{
    for (const QChar c : text) {
        QInputMethodEvent e;
        e.setCommitString(QString(c));
        QApplication::sendEvent(w, &e);
    }
}

// The desktop is up and modal; record what the student sees.
bool desktopShown(TfrmTool* tool, const QString& prefix)
{
    TfrmOperationMain* d = desktop();
    if (!d || QApplication::activeModalWidget() != d)
        return false;
    seen(prefix + QStringLiteral(".title"), d->lblCurrOpTitle->text());
    seen(prefix + QStringLiteral(".timerSave"), Flag(tool->TimerSave->isActive()));
    seen(prefix + QStringLiteral(".btnDoHidden"), Flag(tool->btnDo->isHidden()));
    seen(prefix + QStringLiteral(".ieSpotEnabled"), Flag(d->lblOperationIE->isEnabled()));
    seen(prefix + QStringLiteral(".recyclePicture"), Flag(!d->ImgRecy->isHidden()));
    const QPixmap description = d->paperImage->pixmap();
    seen(prefix + QStringLiteral(".description"),
         description.isNull() ? QString()
                              : QStringLiteral("%1x%2").arg(description.width()).arg(description.height()));
    return true;
}

// Leaves the desktop through "退出当前操作题" once its refresh timer enabled it.
bool leaveDesktop()
{
    TfrmOperationMain* d = desktop();
    if (!d || !d->btClose->isEnabled())
        return false;
    later([d] { QTest::mouseClick(d->btClose, Qt::LeftButton); });
    return true;
}

bool desktopGoneAndRunning(TfrmTool* tool) { return !desktop() && tool->TimerSave->isActive(); }

} // namespace pravik::test
