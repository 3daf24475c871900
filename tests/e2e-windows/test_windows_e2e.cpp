// Whole exercises of the questions that are worked in the client's own windows (the
// typing window, the simulated desktop with the Internet options dialog) and of the
// questions started through registered programs (a program question, Paint with its
// recorder). The practice site serves the question, the client runs in the
// "windows-exercise" child mode (WindowsChild.cpp) whose student script works in the
// windows, and the substitute scoring engine keeps a copy of the ans.zt it read.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <functional>
#include <sys/types.h>

#include "SiteProcess.h"
#include "common/DelimitedText.h"
#include "platform/Ansi.h"
#include "platform/WinPaths.h"
#include "platform/WinRegistry.h"
#include "simulation/ufrmIESet.h"
#include "support/ChildProcess.h"
#include "support/TestEnv.h"

using pravik::test::SiteProcess;
using pravik::test::TestEnv;

namespace {

const QString kSubmitQuestion = QStringLiteral("请确保已做好保存，否则会影响评分。\r\n确认提交？");
const QString kExitQuestion = QStringLiteral("正在练习，确定要退出吗？");
const QString kLeaveDesktop = QStringLiteral("确定退出吗？");
const QString kLineSep = QStringLiteral("!@#$%^&*");

QString readText(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QString unescape(QString t)
{
    t.replace(QStringLiteral("\\r"), QStringLiteral("\r"));
    t.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return t;
}

QMap<QString, QString> readState(const QString& path)
{
    QMap<QString, QString> m;
    for (const QString& line : readText(path).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        m.insert(line.section(QLatin1Char('='), 0, 0), unescape(line.section(QLatin1Char('='), 1)));
    return m;
}

bool waitUntil(const std::function<bool()>& pred, int ms)
{
    QDeadlineTimer d(ms);
    while (!pred()) {
        if (d.hasExpired())
            return pred();
        QThread::msleep(20);
    }
    return true;
}

bool processAlive(qint64 pid)
{
    if (pid <= 0)
        return false;
    const QString stat = readText(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.isEmpty())
        return false;
    return !stat.section(QLatin1Char(')'), -1).trimmed().startsWith(QLatin1Char('Z'));
}

// What one client run left behind.
struct ClientRun {
    int exitCode = -1;
    bool crashed = false;
    bool timedOut = false;
    QString stuck;
    QStringList prompts;
    QMap<QString, QString> running, end, seen;
    QString out;

    QString describe() const
    {
        QString s = QStringLiteral("exit %1%2%3; prompts:").arg(exitCode).arg(timedOut ? " (timed out)" : "",
                                                                             stuck.isEmpty() ? QString() : " stuck at " + stuck);
        for (const auto& p : prompts)
            s += QStringLiteral("\n  ") + p;
        return s;
    }
};

class WindowsExercise : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnv::resetPrefix();
        QDir(TestEnv::programDir()).removeRecursively();
        QDir().mkpath(TestEnv::programDir());
        TestEnv::fillProgramFolder(true);
        TestEnv::clearShellOpens();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = TestEnv::freshDir(QString::fromLatin1(info->test_suite_name()) + QLatin1Char('_')
                                + QString::fromLatin1(info->name()).replace(QLatin1Char('/'), QLatin1Char('_')));
        uploads = dir + QStringLiteral("/uploads.jsonl");
        record = dir + QStringLiteral("/engine.rec");
        ASSERT_TRUE(QFile::exists(TestEnv::programDir() + QStringLiteral("/ravAduVeDiz.exe")));
        ASSERT_TRUE(QFile::exists(questionsDir() + QStringLiteral("/typing/Paper.xml")));
    }

    void TearDown() override
    {
        for (const QString& pidFile : QDir(dir).entryList({QStringLiteral("*.pid")}, QDir::Files)) {
            const qint64 pid = readText(dir + QLatin1Char('/') + pidFile).trimmed().toLongLong();
            if (processAlive(pid))
                ::kill(static_cast<pid_t>(pid), SIGKILL);
        }
        site.reset();
    }

    static QString questionsDir() { return TestEnv::buildBinDir() + QStringLiteral("/../practice-questions"); }

    void startSite(const QString& questions = {})
    {
        site = std::make_unique<SiteProcess>(QStringList{QStringLiteral("--questions"),
                                                         questions.isEmpty() ? questionsDir() : questions,
                                                         QStringLiteral("--record"), uploads});
        ASSERT_FALSE(site->url().isEmpty()) << "the practice site did not start";
    }

    QString launch(const QString& name) const
    {
        return QStringLiteral("KelTamry-EXERCISE://") + site->url() + QStringLiteral("/launch/") + name;
    }

    // A questions folder with one question "odd": the folder sample with another
    // operation type.
    QString questionOfType(int type)
    {
        const QString questions = dir + QStringLiteral("/questions");
        const QString q = questions + QStringLiteral("/odd");
        QDir().mkpath(q);
        const QString sample = questionsDir() + QStringLiteral("/windows-folder/");
        for (const QString& f : QDir(sample).entryList(QDir::Files))
            QFile::copy(sample + f, q + QLatin1Char('/') + f);
        QByteArray paper = readBytes(q + QStringLiteral("/Paper.xml"));
        EXPECT_TRUE(paper.contains("<operationtype>5</operationtype>"));
        paper.replace("<operationtype>5</operationtype>", "<operationtype>" + QByteArray::number(type) + "</operationtype>");
        QFile pf(q + QStringLiteral("/Paper.xml"));
        EXPECT_TRUE(pf.open(QIODevice::WriteOnly | QIODevice::Truncate));
        pf.write(paper);
        return questions;
    }

    // A fake program (host path in dir/bin): records its pid and its arguments, then
    // stays running until it is closed. Returns its Windows path.
    QString fakeProgram(const QString& hostPath, const QString& tag)
    {
        QDir().mkpath(QFileInfo(hostPath).absolutePath());
        QFile f(hostPath);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QStringLiteral("#!/bin/sh\necho $$ > '%1/%2.pid'\n"
                               "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1/%2.args.tmp'\n"
                               "mv '%1/%2.args.tmp' '%1/%2.args'\nexec sleep 20\n")
                    .arg(dir, tag)
                    .toUtf8());
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return win::fromHost(hostPath);
    }
    qint64 pidOf(const QString& tag) const { return readText(dir + QLatin1Char('/') + tag + QStringLiteral(".pid")).trimmed().toLongLong(); }
    QStringList argsOf(const QString& tag) const
    {
        const QString file = dir + QLatin1Char('/') + tag + QStringLiteral(".args");
        waitUntil([&file] { return QFile::exists(file); }, 3000);
        return readText(file).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    ClientRun runClient(const QString& launchArg, const QMap<QString, QString>& env)
    {
        ClientRun r;
        r.out = dir + QStringLiteral("/run") + QString::number(++m_runs);
        QDir().mkpath(r.out);
        QProcess p;
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        for (auto it = env.begin(); it != env.end(); ++it)
            e.insert(it.key(), it.value());
        e.insert(QStringLiteral("PRAVIK_ENGINE_RECORD"), record);
        p.setProcessEnvironment(e);
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(pravik::test::SelfExecutable(),
                pravik::test::ChildArguments(QStringLiteral("windows-exercise"), {r.out, launchArg}));
        if (!p.waitForStarted(5000))
            return r;
        if (!p.waitForFinished(32000)) {
            r.timedOut = true;
            p.kill();
            p.waitForFinished(3000);
        }
        r.crashed = p.exitStatus() != QProcess::NormalExit;
        r.exitCode = p.exitCode();
        r.timedOut = r.timedOut || QFile::exists(r.out + QStringLiteral("/timeout.txt"));
        r.stuck = readText(r.out + QStringLiteral("/stuck.txt")).trimmed();
        for (const QString& line : readText(r.out + QStringLiteral("/prompts.txt")).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            r.prompts << unescape(line.section(QLatin1Char('\t'), 1));
        r.running = readState(r.out + QStringLiteral("/running.txt"));
        r.end = readState(r.out + QStringLiteral("/end.txt"));
        r.seen = readState(r.out + QStringLiteral("/seen.txt"));
        return r;
    }

    // The answer archive as the engine read it (GBK, CR LF).
    QString engineArchive() const { return win::fromAnsi(readBytes(record + QStringLiteral(".ans.zt"))); }

    QList<QJsonObject> uploadsReceived() const
    {
        QList<QJsonObject> l;
        for (const QString& line : readText(uploads).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            l << QJsonDocument::fromJson(line.toUtf8()).object();
        return l;
    }

    // A submitted run: the prompts, one upload, the run ended cleanly.
    void expectSubmitted(const ClientRun& r, const QStringList& promptsBefore, const QString& questionId)
    {
        EXPECT_EQ(r.prompts, promptsBefore + QStringList{kSubmitQuestion}) << r.describe().toStdString();
        const QList<QJsonObject> up = uploadsReceived();
        ASSERT_EQ(up.size(), 1);
        EXPECT_EQ(up.first().value(QStringLiteral("questionid")).toString(), questionId);
        EXPECT_FALSE(r.timedOut) << r.describe().toStdString();
        EXPECT_FALSE(r.crashed);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.end.value(QStringLiteral("quitting")), QStringLiteral("1"));
    }

    QString dir, uploads, record;
    std::unique_ptr<SiteProcess> site;

private:
    int m_runs = 0;
};

// ---------------------------------------------------------------------------
// Typing (type 11)

// From the launch address the typing window opens with the sample's lines; the
// student types into the first two lines (Chinese through the input method, the rest
// as key clicks); the answer text holds the typing result
// after the window's timer tick; the window closed and reopened by the continue start
// shows the same input; the engine reads the result in the answer line.
TEST_F(WindowsExercise, TypingRunsFromLaunchToTheStoredResult)
{
    startSite();
    const ClientRun r = runClient(launch(QStringLiteral("typing")),
                                  {{QStringLiteral("E2E_SCENARIO"), QStringLiteral("typing")},
                                   {QStringLiteral("E2E_ACTION"), QStringLiteral("submit")}});
    ASSERT_TRUE(r.stuck.isEmpty()) << r.describe().toStdString();

    // The sample's paragraphs run together into one text (line breaks removed), cut
    // into lines of at most 80 GBK bytes: the first ends after a one-byte character at
    // byte 80, the second after the second byte of a Chinese character at byte 80.
    EXPECT_EQ(r.seen.value(QStringLiteral("references")),
              QStringList({QStringLiteral("春天来了，小草从地下探出头来。Practice makes perfect.Typing every day helps you "),
                           QStringLiteral("learn the keyboard, and good habits make your fingers fast and accurate.学习信息"),
                           QStringLiteral("技术，打好基础很重要。")})
                  .join(QLatin1Char('\n')));
    EXPECT_EQ(r.seen.value(QStringLiteral("lines")), QStringLiteral("3"));
    EXPECT_EQ(r.seen.value(QStringLiteral("edits")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("total")), QStringLiteral("152"));
    EXPECT_EQ(r.seen.value(QStringLiteral("btnDoHidden")), QStringLiteral("1"));

    // "春天来X" (three right, one wrong) and "learn the keyboard" (18 right): 22 typed,
    // 21 right, 1 wrong, of 152; the input lines each followed by the separator.
    const QString result = QStringLiteral("152$#$22$#$21$#$1$#$春天来X") + kLineSep + QStringLiteral("learn the keyboard")
                           + kLineSep + kLineSep;
    EXPECT_EQ(r.seen.value(QStringLiteral("answer.typed")), result);
    EXPECT_EQ(r.seen.value(QStringLiteral("panels")), QStringLiteral("共有文字152个|输入22个|正确21个|错误1个"));
    EXPECT_EQ(r.seen.value(QStringLiteral("closed")), QStringLiteral("1"));

    // SoftStart_Continue brings the window back with the input and the same result.
    EXPECT_EQ(r.seen.value(QStringLiteral("continue")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("reopened")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("reopened.edit1")), QStringLiteral("春天来X"));
    EXPECT_EQ(r.seen.value(QStringLiteral("reopened.edit2")), QStringLiteral("learn the keyboard"));
    EXPECT_EQ(r.seen.value(QStringLiteral("answer.reopened")), result);

    EXPECT_EQ(engineArchive(), QStringLiteral("[strOpsList]\r\n11001=") + result + QStringLiteral(")True\r\n"));
    expectSubmitted(r, {}, QStringLiteral("11001"));
}

// ---------------------------------------------------------------------------
// The simulated desktop (types 23 and 26)

// The desktop opens modally from the start sequence; the student opens "Internet 属性"
// through the desktop's browser icon, moves the security slider to the bottom ("低"),
// presses "确定", leaves the desktop; the engine reads the 66 values.
TEST_F(WindowsExercise, InternetOptionsQuestionRecordsTheSixtySixValues)
{
    startSite();
    const ClientRun r = runClient(launch(QStringLiteral("ie-settings")),
                                  {{QStringLiteral("E2E_SCENARIO"), QStringLiteral("ieset")},
                                   {QStringLiteral("E2E_ACTION"), QStringLiteral("submit")}});
    ASSERT_TRUE(r.stuck.isEmpty()) << r.describe().toStdString();

    EXPECT_EQ(r.seen.value(QStringLiteral("desktop.title")), QStringLiteral("当前操作题为：IE设置题"));
    // The toolbar's timers wait for the desktop; "续做本题" is offered.
    EXPECT_EQ(r.seen.value(QStringLiteral("desktop.timerSave")), QStringLiteral("0"));
    EXPECT_EQ(r.seen.value(QStringLiteral("desktop.btnDoHidden")), QStringLiteral("0"));
    EXPECT_EQ(r.seen.value(QStringLiteral("desktop.ieSpotEnabled")), QStringLiteral("1"));

    const QString defaults = ieset::BuildAnswerText(ieset::DefaultSettings());
    EXPECT_EQ(r.seen.value(QStringLiteral("answer.opened")), defaults);
    EXPECT_EQ(r.seen.value(QStringLiteral("level")), QStringLiteral("安全级 - 低"));

    QMap<int, QString> low = ieset::DefaultSettings();
    low[2] = QStringLiteral("低");
    const QString expected = ieset::BuildAnswerText(low);
    EXPECT_EQ(r.seen.value(QStringLiteral("answer.saved")), expected);

    const QString ans = engineArchive();
    ASSERT_TRUE(ans.startsWith(QStringLiteral("[strOpsList]\r\n23001="))) << ans.toStdString();
    ASSERT_TRUE(ans.endsWith(QStringLiteral(")True\r\n"))) << ans.toStdString();
    const QString values = ans.mid(20).chopped(7);
    const QStringList split = delimited::Split(values);
    EXPECT_EQ(split.size(), 66) << values.toStdString();
    EXPECT_EQ(split.value(1), QStringLiteral("低"));
    EXPECT_EQ(values, expected);

    expectSubmitted(r, {kLeaveDesktop}, QStringLiteral("23001"));
}

// The desktop's description panel shows the question's description picture (the
// picture the toolbar shows).
//
// The start sequence hands the desktop the Windows path of the picture.
TEST_F(WindowsExercise, DesktopShowsTheDescriptionPicture)
{
    startSite();
    const ClientRun r = runClient(launch(QStringLiteral("ie-settings")),
                                  {{QStringLiteral("E2E_SCENARIO"), QStringLiteral("ieset")},
                                   {QStringLiteral("E2E_ACTION"), QStringLiteral("exit")}});
    ASSERT_TRUE(r.stuck.isEmpty()) << r.describe().toStdString();
    const QImage picture(questionsDir() + QStringLiteral("/ie-settings/description.png"));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(r.seen.value(QStringLiteral("desktop.description")),
              QStringLiteral("%1x%2").arg(picture.width()).arg(picture.height()));
}

// Windows Virtual: the student empties the recycle bin from its menu, leaves, comes
// back through "续做本题" (the bin stays emptied) and submits; the final save holds
// the flattened list of 21 entries.
TEST_F(WindowsExercise, WindowsVirtualQuestionSavesTheFlattenedList)
{
    startSite();
    const ClientRun r = runClient(launch(QStringLiteral("windows-virtual")),
                                  {{QStringLiteral("E2E_SCENARIO"), QStringLiteral("virtual")},
                                   {QStringLiteral("E2E_ACTION"), QStringLiteral("submit")}});
    ASSERT_TRUE(r.stuck.isEmpty()) << r.describe().toStdString();

    EXPECT_EQ(r.seen.value(QStringLiteral("desktop.title")), QStringLiteral("当前操作题为：Windows Virtual"));
    EXPECT_EQ(r.seen.value(QStringLiteral("desktop.timerSave")), QStringLiteral("0"));
    EXPECT_EQ(r.seen.value(QStringLiteral("desktop.recyclePicture")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("emptyAction")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("confirm.text")), QStringLiteral("确实要删除“回收站”中的所有项目吗?"));
    EXPECT_EQ(r.seen.value(QStringLiteral("slot10")), QStringLiteral("1"));
    EXPECT_EQ(r.seen.value(QStringLiteral("recyclePicture.after")), QStringLiteral("0"));
    // The second visit: the same title, the bin still emptied.
    EXPECT_EQ(r.seen.value(QStringLiteral("again.title")), QStringLiteral("当前操作题为：Windows Virtual"));
    EXPECT_EQ(r.seen.value(QStringLiteral("again.recyclePicture")), QStringLiteral("0"));

    QStringList entries;
    for (int slot = 0; slot <= 20; ++slot)
        entries << QString::number(slot <= 12 ? 26020 + slot : 26021 + slot) + QStringLiteral("==>")
                       + (slot == 10 ? QStringLiteral("1") : QString());
    EXPECT_EQ(engineArchive(), QStringLiteral("[strOpsList]\r\n26001=") + entries.join(QStringLiteral("<++>"))
                                   + QStringLiteral(")True\r\n"));
    expectSubmitted(r, {kLeaveDesktop, kLeaveDesktop}, QStringLiteral("26001"));
}

// ---------------------------------------------------------------------------
// Programs

// A program question (Access, started by the worker thread): the program named by the
// class open command runs, it is the program to close, and the exit clean-up ends it.
TEST_F(WindowsExercise, ProgramQuestionStartsTheRegisteredProgramAndExitEndsIt)
{
    const QString access = fakeProgram(dir + QStringLiteral("/bin/MSACCESS.EXE"), QStringLiteral("access"));
    ASSERT_TRUE(win::RegWriteString(win::Hive::HKCR, QStringLiteral("Accesshtmlfile\\shell\\open\\command"), QString(),
                                    QLatin1Char('"') + access + QStringLiteral("\" \"%1\"")));
    startSite(questionOfType(9));
    const ClientRun r = runClient(launch(QStringLiteral("odd")), {{QStringLiteral("E2E_ACTION"), QStringLiteral("exit")}});
    ASSERT_FALSE(r.running.isEmpty()) << r.describe().toStdString();

    EXPECT_EQ(r.running.value(QStringLiteral("ProgramToClose")), QStringLiteral("MSACCESS.EXE"));
    ASSERT_TRUE(waitUntil([this] { return pidOf(QStringLiteral("access")) > 0; }, 3000)) << "the program did not start";
    EXPECT_EQ(argsOf(QStringLiteral("access")), QStringList{});
    EXPECT_TRUE(TestEnv::shellOpens().isEmpty()) << TestEnv::shellOpens().join('\n').toStdString();

    EXPECT_EQ(r.prompts, QStringList{kExitQuestion}) << r.describe().toStdString();
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(waitUntil([this] { return !processAlive(pidOf(QStringLiteral("access"))); }, 3000))
        << "the program still runs after the exit";
}

// A Paint question: Paint from its App Paths entry and the recorder console from the
// program folder with the log file of the question folder; the exit ends both.
TEST_F(WindowsExercise, PaintQuestionStartsPaintAndItsRecorder)
{
    const QString paint = fakeProgram(dir + QStringLiteral("/bin/mspaint.exe"), QStringLiteral("paint"));
    ASSERT_TRUE(win::RegWriteString(win::Hive::HKLM,
                                    QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\mspaint.exe"),
                                    QString(), paint));
    fakeProgram(TestEnv::programDir() + QStringLiteral("/ConsoleTest.exe"), QStringLiteral("console"));
    startSite(questionOfType(27));
    const ClientRun r = runClient(launch(QStringLiteral("odd")), {{QStringLiteral("E2E_ACTION"), QStringLiteral("exit")}});
    ASSERT_FALSE(r.running.isEmpty()) << r.describe().toStdString();

    const QString folder = QStringLiteral("Y:\\5001\\");
    EXPECT_EQ(argsOf(QStringLiteral("console")),
              QStringList{QStringLiteral("-password:vq;path:") + folder + QStringLiteral("\\Mspaint.kel;")});
    EXPECT_EQ(argsOf(QStringLiteral("paint")), QStringList{});
    EXPECT_EQ(r.running.value(QStringLiteral("ProgramToClose")), QStringLiteral("mspaint.exe"));
    EXPECT_EQ(r.running.value(QStringLiteral("RecorderToClose")), QStringLiteral("ConsoleTest.exe"));
    EXPECT_EQ(r.running.value(QStringLiteral("answer")), QStringLiteral("1"));

    EXPECT_EQ(r.prompts, QStringList{kExitQuestion}) << r.describe().toStdString();
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(waitUntil([this] { return !processAlive(pidOf(QStringLiteral("paint"))); }, 3000)) << "Paint still runs";
    EXPECT_TRUE(waitUntil([this] { return !processAlive(pidOf(QStringLiteral("console"))); }, 3000))
        << "the recorder still runs";
}

} // namespace
