// The "windows-exercise" child mode: one whole client run in its own process (see
// ../e2e/E2eChild.h for the output files and the shared environment), with a student
// script that works in the windows the start sequence opens: the typing window, the
// simulated desktop, the Internet options dialog and the message boxes over them.
//
// In addition to the shared output files:
//   seen.txt      key=value observations of the student script
//   stuck.txt     the step that did not complete in time (exit code 4)
// Environment:
//   E2E_SCENARIO  the name of a registered student scenario (StudentScript.h), or nothing
//   E2E_SHOTS     a folder for pictures of the windows as the student saw them
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>

#include "app/ufrmTool.h"
#include "e2e/E2eChild.h"
#include "environment/unDMDB.h"
#include "question/TQuestion.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/ieset/ufrmIESet.h"
#include "simulation/desktop/ufrmOperationMain.h"
#include "StudentScript.h"
#include "support/ChildProcess.h"
#include "typing/UfrmTypeWord.h"
#include "web/webServer.h"

using namespace pravik::test;

namespace {

QList<Step> typingScript(TfrmTool* tool)
{
    auto tick = std::make_shared<QElapsedTimer>();
    return {
        {QStringLiteral("typing window shown"),
         [tool] {
             if (!frmTypeWord || !frmTypeWord->isVisible() || !tool->TimerSave->isActive())
                 return false;
             TfrmTypeWord* w = frmTypeWord.data();
             seen(QStringLiteral("lines"), QString::number(w->LineCount()));
             seen(QStringLiteral("total"), QString::number(w->TotalCount()));
             QStringList refs;
             for (int n = 1; n <= w->LineCount(); ++n)
                 refs << (w->LineLabel(n) ? w->LineLabel(n)->text() : QStringLiteral("<no label>"));
             seen(QStringLiteral("references"), refs.join(QLatin1Char('\n')));
             seen(QStringLiteral("btnDoHidden"), Flag(tool->btnDo->isHidden()));
             QLineEdit* e1 = w->findChild<QLineEdit*>(QStringLiteral("edtredtin1"));
             QLineEdit* e2 = w->findChild<QLineEdit*>(QStringLiteral("edtredtin2"));
             seen(QStringLiteral("edits"), Flag(e1 && e2));
             if (!e1 || !e2)
                 return true;
             e1->setFocus();
             imeType(e1, QStringLiteral("春天来"));
             QTest::keyClicks(e1, QStringLiteral("X"));
             e2->setFocus();
             QTest::keyClicks(e2, QStringLiteral("learn the keyboard"));
             return true;
         }},
        {QStringLiteral("timer tick"),
         [tool, tick] {
             if (!tick->isValid())
                 tick->start();
             if (tick->elapsed() < 1300)
                 return false;
             seen(QStringLiteral("answer.typed"), question(tool) ? question(tool)->GetAnswer() : QString());
             shot(frmTypeWord.data(), QStringLiteral("typing"));
             if (frmTypeWord) {
                 QStringList panels;
                 for (int i = 1; i <= 4; ++i)
                     panels << frmTypeWord->stat1->PanelText(i);
                 seen(QStringLiteral("panels"), panels.join(QLatin1Char('|')));
                 QTest::mouseClick(frmTypeWord->Close_btn, Qt::LeftButton);
             }
             seen(QStringLiteral("closed"), Flag(frmTypeWord.isNull()));
             return true;
         }},
        {QStringLiteral("continue"),
         [tool] {
             seen(QStringLiteral("continue"), Flag(tool->SoftStartContinue()));
             seen(QStringLiteral("reopened"), Flag(frmTypeWord && frmTypeWord->isVisible()));
             if (frmTypeWord) {
                 QLineEdit* e1 = frmTypeWord->LineEdit(1);
                 QLineEdit* e2 = frmTypeWord->LineEdit(2);
                 seen(QStringLiteral("reopened.edit1"), e1 ? e1->text() : QString());
                 seen(QStringLiteral("reopened.edit2"), e2 ? e2->text() : QString());
             }
             return true;
         }},
        {QStringLiteral("second tick"),
         [tool, tick] {
             if (tick->elapsed() < 2800)
                 return false;
             seen(QStringLiteral("answer.reopened"),
                  question(tool) ? question(tool)->GetAnswer() : QString());
             return true;
         }},
    };
}

QList<Step> ieScript(TfrmTool* tool)
{
    return {
        {QStringLiteral("desktop shown"), [tool] { return desktopShown(tool, QStringLiteral("desktop")); }},
        {QStringLiteral("open Internet options"),
         [] {
             TfrmOperationMain* d = desktop();
             later([d] {
                 if (d)
                     QTest::mouseDClick(d->lblOperationIE, Qt::LeftButton);
             });
             return true;
         }},
        {QStringLiteral("Internet options shown"),
         [tool] {
             TfrmIESet* ie = sim::Ref<TfrmIESet>().data();
             if (!ie || !ie->isVisible())
                 return false;
             seen(QStringLiteral("answer.opened"), question(tool) ? question(tool)->GetAnswer() : QString());
             // The security page; the slider down to the bottom with the keyboard.
             for (int i = 0; i < ie->pgIE->count(); ++i)
                 if (ie->pgIE->widget(i)->isAncestorOf(ie->TrackBar1))
                     ie->pgIE->setCurrentIndex(i);
             ie->TrackBar1->setFocus();
             for (int i = 0; i < 4; ++i)
                 QTest::keyClick(ie->TrackBar1, Qt::Key_Down);
             seen(QStringLiteral("level"), ie->lblStep->text());
             shot(ie, QStringLiteral("ieset-security"));
             shot(desktop(), QStringLiteral("desktop-23"));
             later([ie] { QTest::mouseClick(ie->btOK, Qt::LeftButton); });
             return true;
         }},
        {QStringLiteral("leave the desktop"),
         [tool] {
             if (sim::Ref<TfrmIESet>() && sim::Ref<TfrmIESet>()->isVisible())
                 return false;
             if (!leaveDesktop())
                 return false;
             seen(QStringLiteral("answer.saved"), question(tool) ? question(tool)->GetAnswer() : QString());
             return true;
         }},
        {QStringLiteral("desktop left"), [tool] { return desktopGoneAndRunning(tool); }},
    };
}

QList<Step> virtualScript(TfrmTool* tool)
{
    return {
        {QStringLiteral("desktop shown"), [tool] { return desktopShown(tool, QStringLiteral("desktop")); }},
        {QStringLiteral("empty the recycle bin"),
         [] {
             TfrmOperationMain* d = desktop();
             QAction* a = TfrmOperationMain::FindAction(d->PPRecy, {QStringLiteral("清空回收站(&B)")});
             seen(QStringLiteral("emptyAction"), Flag(a && a->isEnabled()));
             if (a)
                 later([a] { a->trigger(); });
             return true;
         }},
        {QStringLiteral("confirm"),
         [] {
             auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
             if (!box)
                 return false;
             seen(QStringLiteral("confirm.text"), box->text());
             QAbstractButton* yes = box->button(QMessageBox::Yes);
             later([yes] {
                 if (yes)
                     yes->click();
             });
             return true;
         }},
        {QStringLiteral("emptied"),
         [tool] {
             if (!question(tool) || question(tool)->OpAnswer(10).isEmpty() || !desktop())
                 return false;
             seen(QStringLiteral("slot10"), question(tool)->OpAnswer(10));
             seen(QStringLiteral("recyclePicture.after"), Flag(!desktop()->ImgRecy->isHidden()));
             shot(desktop(), QStringLiteral("desktop-26-emptied"));
             return true;
         }},
        {QStringLiteral("leave the desktop"), [] { return leaveDesktop(); }},
        {QStringLiteral("desktop left"), [tool] { return desktopGoneAndRunning(tool); }},
        {QStringLiteral("continue"),
         [tool] {
             later([tool] { QTest::mouseClick(tool->btnDo, Qt::LeftButton); });
             return true;
         }},
        {QStringLiteral("second visit"), [tool] { return desktopShown(tool, QStringLiteral("again")); }},
        {QStringLiteral("leave again"), [] { return leaveDesktop(); }},
        {QStringLiteral("desktop left again"), [tool] { return desktopGoneAndRunning(tool); }},
    };
}

PRAVIK_STUDENT_SCENARIO("typing", typingScript);
PRAVIK_STUDENT_SCENARIO("ieset", ieScript);
PRAVIK_STUDENT_SCENARIO("virtual", virtualScript);

int windowsExerciseChild(const QStringList& args)
{
    ClientChild child(args, "e2e-windows-exercise");
    TfrmTool* tool = child.tool();

    const QString scenario = qEnvironmentVariable("E2E_SCENARIO");
    QList<Step> steps = Scenario(scenario, tool);
    // Then the running exercise is recorded and the final action taken.
    steps.append({QStringLiteral("running"), [tool] {
                      if (!tool->TimerSave->isActive() || desktop())
                          return false;
                      RecordRunningAndAct(tool);
                      return true;
                  }});

    int index = 0;
    QElapsedTimer stepTime;
    stepTime.start();
    return child.run(28000, [&] {
        if (index >= steps.size() || ApplicationQuitting())
            return;
        if (steps[index].run()) {
            ++index;
            stepTime.restart();
        } else if (stepTime.elapsed() > 10000) {
            WriteOutput(QStringLiteral("stuck.txt"), steps[index].name + QLatin1Char('\n'), false);
            index = int(steps.size());
            child.end(4);
        }
    });
}

PRAVIK_CHILD_MODE("windows-exercise", windowsExerciseChild);

} // namespace
