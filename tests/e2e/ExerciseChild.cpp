// The "exercise" child mode: one whole client run in its own process, built the way
// the program entry builds it (application object, toolbar as the main window, data
// module, launch address from the command line), with prompts answered by script.
// What it observes goes into files of the output folder for the parent test:
//   prompts.txt   one line per prompt: kind TAB text (CR and LF written as \r and \n)
//   running.txt   key=value state once the exercise runs (the save timer is on)
//   after.txt     key=value state shortly after the prompt named by E2E_EXIT_AFTER_PROMPT
//   end.txt       key=value state when the message loop has ended
//   timeout.txt   written when the run did not end in time (exit code 3)
// Environment of the child:
//   E2E_ANSWERS            answers of the prompts in order ("1,0,1"; then "yes")
//   E2E_ACTION             what the student does once the exercise runs: submit | exit | (nothing)
//   E2E_EXIT_AFTER_PROMPT  after a prompt containing this text: record after.txt, press Exit
//   E2E_TAKE_DRIVE         "1": the drive letter picked by the toolbar is taken by a real
//                          disk before the start sequence runs
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include "app/AppEntry.h"
#include "app/TApplication.h"
#include "app/ufrmTool.h"
#include "common/Prompts.h"
#include "environment/StartApp.h"
#include "environment/unDMDB.h"
#include "platform/WinPaths.h"
#include "support/ChildProcess.h"
#include "support/ScriptedPrompts.h"

#include <QLabel>

using pravik::test::PromptRecord;
using pravik::test::ScriptedPrompts;

namespace {

QString g_out;

void writeFile(const QString& name, const QString& text, bool append)
{
    QFile f(g_out + QLatin1Char('/') + name);
    if (f.open(append ? QIODevice::Append : (QIODevice::WriteOnly | QIODevice::Truncate)))
        f.write(text.toUtf8());
}

QString oneLine(QString t)
{
    t.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    t.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return t;
}

void writeState(const QString& name, TfrmTool* tool)
{
    QStringList l;
    const auto add = [&l](const QString& k, const QString& v) { l << k + QLatin1Char('=') + oneLine(v); };
    const auto flag = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
    add(QStringLiteral("quitting"), flag(ApplicationQuitting()));
    add(QStringLiteral("strCurDisk"), strCurDisk);
    if (strCurDisk.size() == 1) {
        add(QStringLiteral("driveTarget"), win::QueryDrive(strCurDisk.at(0)));
        if (tool)
            add(QStringLiteral("materialOnDrive"),
                flag(QDir(win::toHost(strCurDisk + QStringLiteral(":\\") + QString::number(tool->QuestionId())))
                         .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                         .size() > 0));
    }
    if (tool) {
        add(QStringLiteral("labOpPath"), tool->labOpPath->text());
        add(QStringLiteral("visible"), flag(tool->isVisible()));
        add(QStringLiteral("timerSave"), flag(tool->TimerSave->isActive()));
        add(QStringLiteral("OperationPath"), tool->OperationPath());
        add(QStringLiteral("QuestionId"), QString::number(tool->QuestionId()));
    }
    if (DM) {
        add(QStringLiteral("ProgramToClose"), DM->ProgramToClose);
        const QList<QPair<QString, QString>> dirs = {{QStringLiteral("ExamineeDir"), DM->ExamineeDir},
                                                     {QStringLiteral("PracticeDir"), DM->PracticeDir},
                                                     {QStringLiteral("QuestionDir"), DM->QuestionDir},
                                                     {QStringLiteral("RunDownloadDir"), DM->RunDownloadDir}};
        for (const auto& d : dirs) {
            add(d.first, d.second);
            add(QStringLiteral("host.") + d.first, d.second.isEmpty() ? QString() : win::toHost(d.second));
        }
    }
    writeFile(name + QStringLiteral(".txt"), l.join(QLatin1Char('\n')) + QLatin1Char('\n'), false);
}

int exerciseChild(const QStringList& args)
{
    g_out = args.value(0);
    static int argc = 1;
    static char arg0[] = "e2e-exercise";
    static char* argv[] = {arg0, nullptr};
    TApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);

    auto prompts = std::make_unique<ScriptedPrompts>();
    ScriptedPrompts* script = prompts.get();
    for (const QString& a : qEnvironmentVariable("E2E_ANSWERS").split(QLatin1Char(','), Qt::SkipEmptyParts))
        script->answers.push_back(a.trimmed() == QLatin1String("1"));
    const QString exitAfter = qEnvironmentVariable("E2E_EXIT_AFTER_PROMPT");
    bool exitScheduled = false;
    script->onPrompt = [&](const PromptRecord& r) {
        writeFile(QStringLiteral("prompts.txt"), r.kind + QLatin1Char('\t') + oneLine(r.text) + QLatin1Char('\n'), true);
        if (!exitAfter.isEmpty() && !exitScheduled && r.text.contains(exitAfter)) {
            exitScheduled = true;
            QTimer::singleShot(500, qApp, [] {
                writeState(QStringLiteral("after"), frmTool.data());
                if (frmTool)
                    frmTool->btnExitClick();
            });
        }
    };
    SetPrompts(std::move(prompts));

    // The checker answers at once here; a stuck one must not hold the run for minutes.
    LaunchLimits().checkEnvPolls = 100;

    LaunchData = ExtractLaunchData(args.mid(1));
    app.setApplicationName(kApplicationTitle);
    app.setApplicationDisplayName(kApplicationTitle);

    auto* tool = new TfrmTool();
    tool->MainForm = true;
    auto* dm = new TDM();

    if (qEnvironmentVariable("E2E_TAKE_DRIVE") == QLatin1String("1") && strCurDisk.size() == 1) {
        // A real disk (not a mapping) under the letter the toolbar picked.
        QDir().mkpath(win::PrefixDir() + QStringLiteral("/dosdevices/") + strCurDisk.toLower() + QLatin1Char(':'));
        writeFile(QStringLiteral("taken.txt"), strCurDisk, false);
    }

    int rc = 0;
    bool acted = false;
    QTimer watch;
    watch.setInterval(50);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (acted || !tool->TimerSave->isActive() || ApplicationQuitting())
            return;
        acted = true;
        writeState(QStringLiteral("running"), tool);
        const QString action = qEnvironmentVariable("E2E_ACTION");
        if (action == QLatin1String("submit"))
            QTimer::singleShot(0, tool, [tool] { tool->btnSubmitClick(); });
        else if (action == QLatin1String("exit"))
            QTimer::singleShot(0, tool, [tool] { tool->btnExitClick(); });
    });
    watch.start();
    QTimer::singleShot(25000, qApp, [&rc] {
        rc = 3;
        writeFile(QStringLiteral("timeout.txt"), QStringLiteral("timeout\n"), false);
        QCoreApplication::exit(3);
    });

    if (tool->Created() && !ApplicationQuitting()) {
        tool->show();
        app.exec();
    }
    watch.stop();
    writeState(QStringLiteral("end"), tool);
    delete tool;
    delete dm;
    TStartApp::WaitForAll(3000);
    return rc;
}

PRAVIK_CHILD_MODE("exercise", exerciseChild);

} // namespace
