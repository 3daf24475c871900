#include "E2eChild.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPair>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <memory>

#include "app/AppEntry.h"
#include "app/ufrmTool.h"
#include "common/Prompts.h"
#include "environment/StartApp.h"
#include "environment/unDMDB.h"
#include "platform/WinPaths.h"
#include "question/TQuestion.h"
#include "web/webServer.h"

namespace pravik::test {

namespace {

QString g_out;

} // namespace

void WriteOutput(const QString& name, const QString& text, bool append)
{
    QFile f(g_out + QLatin1Char('/') + name);
    if (f.open(append ? QIODevice::Append : (QIODevice::WriteOnly | QIODevice::Truncate)))
        f.write(text.toUtf8());
}

QString OneLine(QString t)
{
    t.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    t.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return t;
}

QString Flag(bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); }

void WriteState(const QString& name, TfrmTool* tool)
{
    QStringList l;
    const auto add = [&l](const QString& k, const QString& v) { l << k + QLatin1Char('=') + OneLine(v); };
    add(QStringLiteral("quitting"), Flag(ApplicationQuitting()));
    add(QStringLiteral("strCurDisk"), strCurDisk);
    if (strCurDisk.size() == 1) {
        add(QStringLiteral("driveTarget"), win::QueryDrive(strCurDisk.at(0)));
        if (tool)
            add(QStringLiteral("materialOnDrive"),
                Flag(QDir(win::toHost(strCurDisk + QStringLiteral(":\\")
                                      + QString::number(tool->QuestionId())))
                         .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                         .size()
                     > 0));
    }
    if (tool) {
        add(QStringLiteral("labOpPath"), tool->labOpPath->text());
        add(QStringLiteral("visible"), Flag(tool->isVisible()));
        add(QStringLiteral("timerSave"), Flag(tool->TimerSave->isActive()));
        add(QStringLiteral("btnDoHidden"), Flag(tool->btnDo->isHidden()));
        add(QStringLiteral("OperationPath"), tool->OperationPath());
        add(QStringLiteral("QuestionId"), QString::number(tool->QuestionId()));
        if (tool->FwebServer && tool->FwebServer->Question)
            add(QStringLiteral("answer"), tool->FwebServer->Question->GetAnswer());
    }
    if (DM) {
        add(QStringLiteral("ProgramToClose"), DM->ProgramToClose);
        add(QStringLiteral("RecorderToClose"), DM->RecorderToClose);
        const QList<QPair<QString, QString>> dirs = {{QStringLiteral("ExamineeDir"), DM->ExamineeDir},
                                                     {QStringLiteral("PracticeDir"), DM->PracticeDir},
                                                     {QStringLiteral("QuestionDir"), DM->QuestionDir},
                                                     {QStringLiteral("RunDownloadDir"), DM->RunDownloadDir}};
        for (const auto& d : dirs) {
            add(d.first, d.second);
            add(QStringLiteral("host.") + d.first, d.second.isEmpty() ? QString() : win::toHost(d.second));
        }
    }
    WriteOutput(name + QStringLiteral(".txt"), l.join(QLatin1Char('\n')) + QLatin1Char('\n'), false);
}

void RecordRunningAndAct(TfrmTool* tool)
{
    WriteState(QStringLiteral("running"), tool);
    const QString action = qEnvironmentVariable("E2E_ACTION");
    if (action == QLatin1String("submit"))
        QTimer::singleShot(0, tool, [tool] { tool->btnSubmitClick(); });
    else if (action == QLatin1String("exit"))
        QTimer::singleShot(0, tool, [tool] { tool->btnExitClick(); });
}

// ---------------------------------------------------------------------------
// ClientChild

ClientChild::ClientChild(const QStringList& args, const char* appName,
                         std::function<void(const PromptRecord&)> afterPrompt)
    : m_arg0(appName), m_argv{m_arg0.data(), nullptr}, m_app(m_argc, m_argv)
{
    g_out = args.value(0);
    m_app.setQuitOnLastWindowClosed(false);

    auto prompts = std::make_unique<ScriptedPrompts>();
    for (const QString& a : qEnvironmentVariable("E2E_ANSWERS").split(QLatin1Char(','), Qt::SkipEmptyParts))
        prompts->answers.push_back(a.trimmed() == QLatin1String("1"));
    prompts->onPrompt = [afterPrompt = std::move(afterPrompt)](const PromptRecord& r) {
        WriteOutput(QStringLiteral("prompts.txt"),
                    r.kind + QLatin1Char('\t') + OneLine(r.text) + QLatin1Char('\n'), true);
        if (afterPrompt)
            afterPrompt(r);
    };
    SetPrompts(std::move(prompts));

    // The checker answers at once here; a stuck one must not hold the run for minutes.
    LaunchLimits().checkEnvPolls = 100;

    LaunchData = ExtractLaunchData(args.mid(1));
    TApplication::SetTitle(kApplicationTitle);

    m_tool = new TfrmTool();
    m_tool->MainForm = true;
    m_dm = new TDM();
}

ClientChild::~ClientChild()
{
    delete m_tool;
    delete m_dm;
}

int ClientChild::run(int timeoutMs, const std::function<void()>& poll)
{
    QTimer watch;
    watch.setInterval(50);
    QObject::connect(&watch, &QTimer::timeout, poll);
    watch.start();
    QTimer::singleShot(timeoutMs, qApp, [this] {
        WriteOutput(QStringLiteral("timeout.txt"), QStringLiteral("timeout\n"), false);
        end(3);
    });

    if (m_tool->Created() && !ApplicationQuitting()) {
        m_tool->show();
        m_app.exec();
    }
    watch.stop();
    // A modal window left open by a stuck script ends with the loop.
    if (QWidget* m = QApplication::activeModalWidget())
        m->close();
    WriteState(QStringLiteral("end"), m_tool);
    delete m_tool;
    m_tool = nullptr;
    delete m_dm;
    m_dm = nullptr;
    TStartApp::WaitForAll(3000);
    return m_rc;
}

void ClientChild::end(int rc)
{
    m_rc = rc;
    QCoreApplication::exit(rc);
}

} // namespace pravik::test
