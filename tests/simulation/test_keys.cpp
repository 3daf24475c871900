// Keys in the simulated windows: Return and Escape never close the desktop, and a
// simulated dialog closes on a key only through the default button its layout names.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "SimTestUtil.h"
#include "question/TQuestion.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/desktop/ufrmOperationMain.h"
#include "simulation/ieset/ufrmIESet.h"
#include "simulation/ieset/ufrmAddSafeWeb.h"
#include "simulation/ieset/ufrmLanSet.h"
#include "support/ScriptedPrompts.h"

using namespace simtest;

namespace {

// A key as the student gives it: to the focused widget of the window, or the window.
void press(QWidget* window, Qt::Key key)
{
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, key);
    QApplication::processEvents();
}

QWidget* desktop() { return sim::Ref<TfrmOperationMain>().data(); }
QWidget* ieOptions() { return sim::Ref<TfrmIESet>().data(); }

} // namespace

TEST(SimulatedKeys, ReturnAndEscapeNeverCloseTheDesktop)
{
    TQuestion q;
    q.OperationType = 23;
    pravik::test::ScopedPrompts prompts;
    prompts->defaultAnswer = false; // a stray question is declined (and recorded)
    QStringList seen; // what happened, step by step
    whenVisible(desktop, [&](QWidget* w) {
        auto* d = static_cast<TfrmOperationMain*>(w);
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            press(d, key);
            seen << QStringLiteral("desktop key %1: %2").arg(key).arg(d->isVisible() ? "open" : "closed");
        }
        d->lblOperationIEDblClick();
        QWidget* ie = ieOptions();
        if (!ie) {
            seen << QStringLiteral("no Internet options");
            return;
        }
        press(ie, Qt::Key_Escape);
        seen << QStringLiteral("options after Escape: %1").arg(ie->isVisible() ? "open" : "closed");
        // The LAN settings over it (modal): Escape keeps it, Return is its 确定.
        if (!ie->isVisible()) {
            d->close();
            return;
        }
        auto* options = static_cast<TfrmIESet*>(ie);
        whenVisible(
            [] { return static_cast<QWidget*>(sim::Ref<TfrmLanSet>().data()); },
            [&](QWidget* lan) {
                press(lan, Qt::Key_Escape);
                seen << QStringLiteral("LAN after Escape: %1").arg(lan->isVisible() ? "open" : "closed");
                press(lan, Qt::Key_Return);
                seen << QStringLiteral("LAN after Return: %1").arg(lan->isVisible() ? "open" : "closed");
                if (lan->isVisible())
                    lan->close();
            });
        options->btLanSetClick();
        seen << QStringLiteral("options after LAN: %1").arg(ie->isVisible() ? "open" : "closed");
        // The trusted sites (modal): Escape keeps it, Return is its 添加.
        whenVisible(
            [] { return static_cast<QWidget*>(sim::Ref<TfrmAddSafeWeb>().data()); },
            [&](QWidget* w) {
                auto* sites = static_cast<TfrmAddSafeWeb*>(w);
                sites->txtWeb->setFocus();
                sites->txtWeb->setText(QStringLiteral("http://www.example.org"));
                press(sites, Qt::Key_Escape);
                seen << QStringLiteral("sites after Escape: %1").arg(sites->isVisible() ? "open" : "closed");
                press(sites, Qt::Key_Return);
                seen << QStringLiteral("sites after Return: %1, %2 listed")
                            .arg(sites->isVisible() ? "open" : "closed")
                            .arg(sites->lbWebList->count());
                sites->close();
            });
        options->TrustedZoneSelected = true;
        options->btSetWebClick();
        // The desktop under the open options dialog.
        press(d, Qt::Key_Return);
        seen << QStringLiteral("desktop Return with options: %1, options %2")
                    .arg(d->isVisible() ? "open" : "closed",
                         ieOptions() && ieOptions()->isVisible() ? "open" : "closed");
        if (QPointer<QWidget> ie2 = ieOptions()) {
            press(ie2, Qt::Key_Return); // the default button 确定 (which also destroys the dialog)
            seen << QStringLiteral("options after Return: %1")
                        .arg(ie2 && ie2->isVisible() ? "open" : "closed");
        }
        press(d, Qt::Key_Return);
        seen << QStringLiteral("desktop after options: %1").arg(d->isVisible() ? "open" : "closed");
        seen << QStringLiteral("prompts: %1").arg(prompts->records.size());
        if (d->isVisible()) {
            prompts->answers = {true};
            d->tmrRefresh->stop();
            d->btClose->setEnabled(true);
            d->btClose->click();
        }
    });
    ShowOperationDesktop(&q, 23, QStringLiteral("当前操作题为：IE设置题"), QString());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(
        seen.join(QLatin1Char('\n')).toStdString(),
        QStringList({QStringLiteral("desktop key %1: open").arg(Qt::Key_Return),
                     QStringLiteral("desktop key %1: open").arg(Qt::Key_Enter),
                     QStringLiteral("desktop key %1: open").arg(Qt::Key_Escape),
                     QStringLiteral("options after Escape: open"), QStringLiteral("LAN after Escape: open"),
                     QStringLiteral("LAN after Return: closed"), QStringLiteral("options after LAN: open"),
                     QStringLiteral("sites after Escape: open"),
                     QStringLiteral("sites after Return: open, 1 listed"),
                     QStringLiteral("desktop Return with options: open, options open"),
                     QStringLiteral("options after Return: closed"),
                     QStringLiteral("desktop after options: open"), QStringLiteral("prompts: 0")})
            .join(QLatin1Char('\n'))
            .toStdString());
    // Only the exit button asked, once.
    EXPECT_EQ(prompts->texts().join(QLatin1Char('|')).toStdString(), "确定退出吗？");
}
