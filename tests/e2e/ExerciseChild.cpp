// The "exercise" child mode: one whole client run in its own process (see E2eChild.h
// for the output files and the shared environment), which presses Submit or Exit once
// the exercise runs. In addition:
//   after.txt              key=value state shortly after the prompt named by E2E_EXIT_AFTER_PROMPT
//   taken.txt              the drive letter E2E_TAKE_DRIVE took
// Environment of the child:
//   E2E_EXIT_AFTER_PROMPT  after a prompt containing this text: record after.txt, press Exit
//   E2E_TAKE_DRIVE         "1": the drive letter picked by the toolbar is taken by a real
//                          disk before the start sequence runs
//   E2E_EXIT_AT_LOG        as soon as the log holds this line (seen from the polling timer,
//                          which also ticks inside the waits of the start sequence), press
//                          Exit, while the start sequence is still running
#include <QDir>
#include <QFile>
#include <QTimer>

#include "E2eChild.h"
#include "app/ufrmTool.h"
#include "environment/unDMDB.h"
#include "platform/Ansi.h"
#include "platform/WinPaths.h"
#include "support/ChildProcess.h"

using namespace pravik::test;

namespace {

int exerciseChild(const QStringList& args)
{
    const QString exitAfter = qEnvironmentVariable("E2E_EXIT_AFTER_PROMPT");
    bool exitScheduled = false;
    ClientChild child(args, "e2e-exercise", [&](const PromptRecord& r) {
        if (!exitAfter.isEmpty() && !exitScheduled && r.text.contains(exitAfter)) {
            exitScheduled = true;
            QTimer::singleShot(500, qApp, [] {
                WriteState(QStringLiteral("after"), frmTool.data());
                if (frmTool)
                    frmTool->btnExitClick();
            });
        }
    });
    TfrmTool* tool = child.tool();

    if (qEnvironmentVariable("E2E_TAKE_DRIVE") == QLatin1String("1") && strCurDisk.size() == 1) {
        // A real disk (not a mapping) under the letter the toolbar picked.
        QDir().mkpath(win::PrefixDir() + QStringLiteral("/dosdevices/") + strCurDisk.toLower()
                      + QLatin1Char(':'));
        WriteOutput(QStringLiteral("taken.txt"), strCurDisk, false);
    }

    const QString exitAtLog = qEnvironmentVariable("E2E_EXIT_AT_LOG");
    bool exitPressed = false;
    bool acted = false;
    return child.run(25000, [&] {
        if (!exitAtLog.isEmpty() && !exitPressed && !ApplicationQuitting()) {
            QFile log(win::toHost(win::ProgramDir() + QStringLiteral("zovovozuz.log")));
            if (log.open(QIODevice::ReadOnly) && win::fromAnsi(log.readAll()).contains(exitAtLog)) {
                exitPressed = true;
                QTimer::singleShot(0, qApp, [] {
                    if (frmTool)
                        frmTool->btnExitClick();
                });
            }
            return;
        }
        if (acted || !tool->TimerSave->isActive() || ApplicationQuitting())
            return;
        acted = true;
        RecordRunningAndAct(tool);
    });
}

PRAVIK_CHILD_MODE("exercise", exerciseChild);

} // namespace
