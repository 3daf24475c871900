// Whole exercises with real processes: the practice site serves a sample question,
// the client (the "exercise" child mode, see ExerciseChild.cpp) fetches it, starts
// its working environment, the substitute scoring engine grades the submission and
// answers the toolbar's window, the score goes to the site, and the exit clean-up
// ends the run. Each scenario is one client process; the test reads what the client,
// the engine and the site left behind.
#include <gtest/gtest.h>

#include <QTest>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include "E2eSupport.h"
#include "common/IniFile.h"
#include "app/ufrmTool.h"
#include "platform/Ansi.h"
#include "platform/WinMessages.h"
#include "platform/WinShell.h"
#include "platform/WinPaths.h"
#include "platform/WinRegistry.h"
#include "support/TestEnv.h"

using namespace pravik::test;

namespace {

const QString kRetryQuestion = QStringLiteral("上传练习成绩到Tamry网失败，是否重试？");

class Exercise : public E2eTest {
protected:
    Exercise() : E2eTest(QStringLiteral("word")) { }

    // One client run in the "exercise" child mode (see ExerciseChild.cpp) with the
    // launch parameter (none when empty) and the child's environment additions;
    // bounded to 30 s.
    ClientRun runClient(const QString& launchArg, const QMap<QString, QString>& env)
    {
        return runChild(QStringLiteral("exercise"), 30000, launchArg, env);
    }

    static bool driveLinked(QChar letter)
    {
        return QFileInfo(TestEnv::prefixDir() + QStringLiteral("/dosdevices/") + letter.toLower()
                         + QLatin1Char(':'))
            .isSymLink();
    }

    // A fake Word: records its pid and its arguments, then stays running as
    // "WINWORD.EXE" until it is closed. Registered as the class open command of
    // Word documents and under App Paths, as an administrator would register Writer.
    void registerFakeWord()
    {
        const QString win = fakeProgram(dir + QStringLiteral("/bin/WINWORD.EXE"), QStringLiteral("word"));
        ASSERT_FALSE(win.isEmpty());
        ASSERT_TRUE(win::RegWriteString(win::Hive::HKCR, QStringLiteral("wordhtmlfile\\shell\\open\\command"),
                                        QString(), QLatin1Char('"') + win + QStringLiteral("\" \"%1\"")));
        ASSERT_TRUE(win::RegWriteString(
            win::Hive::HKLM,
            QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\WINWORD.EXE"), QString(),
            win));
    }

    qint64 fakeWordPid() const { return pidOf(QStringLiteral("word")); }
};

// ---------------------------------------------------------------------------
// Start

// A folder-open question: from the launch address to the running toolbar, Explorer
// opened on the question's folder of the virtual drive; Exit then cleans up.
TEST_F(Exercise, FolderQuestionRunsOnTheVirtualDriveAndExitCleansUp)
{
    startSite();
    const ClientRun r = runClient(launch(QStringLiteral("windows-folder")),
                                  {{QStringLiteral("E2E_ACTION"), QStringLiteral("exit")}});
    ASSERT_FALSE(r.running.isEmpty()) << r.describe().toStdString();
    EXPECT_EQ(r.running.value(QStringLiteral("labOpPath")), QStringLiteral("考生文件夹: Y:\\"));
    EXPECT_EQ(r.running.value(QStringLiteral("QuestionId")), QStringLiteral("5001"));
    EXPECT_EQ(r.running.value(QStringLiteral("OperationPath")),
              r.running.value(QStringLiteral("PracticeDir")) + QStringLiteral("5001"));
    // The drive showed the practice folder, with the material, while the exercise ran.
    EXPECT_EQ(r.running.value(QStringLiteral("driveTarget")) + QLatin1Char('\\'),
              r.running.value(QStringLiteral("PracticeDir")));
    EXPECT_EQ(r.running.value(QStringLiteral("materialOnDrive")), QStringLiteral("1"));

    const QStringList opened = TestEnv::shellOpens();
    ASSERT_EQ(opened.size(), 1) << opened.join('\n').toStdString();
    EXPECT_TRUE(opened.first().contains(QStringLiteral("Y:\\5001"))
                || opened.first().endsWith(QStringLiteral("/5001"))
                || opened.first().endsWith(QStringLiteral("/5001/")))
        << opened.first().toStdString();

    EXPECT_EQ(r.promptTexts(), QStringList{kExitQuestion}) << r.describe().toStdString();
    EXPECT_FALSE(r.timedOut);
    EXPECT_FALSE(r.crashed);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_FALSE(driveLinked(QLatin1Char('Y')));
    EXPECT_TRUE(QDir(r.running.value(QStringLiteral("host.ExamineeDir"))).isEmpty());
    EXPECT_TRUE(uploadsReceived().isEmpty());
}

// Exit pressed while the start sequence still runs (inside its waits, which pump
// messages): once the exit clean-up has begun no further step runs, and nothing that
// the sequence made is left: no examinee folder contents, no drive, no copy of the
// question in the program folder, no run download folder.
TEST_F(Exercise, ExitDuringTheStartSequenceStopsItAndLeavesNothing)
{
    struct Case {
        const char* row;
        const char* exitAt; // the log line after which Exit is pressed
    };
    const Case cases[] = {
        {"DuringTheDownload", "TwebServer.Download in"},
        {"AfterTheFolders", "TStuDirManage.AddStuDir Out"},
        {"WhileTheDriveIsProved", "unDMDB.CreateDisk in"},
    };
    const QStringList laterSteps{
        QStringLiteral("TwebServer.CopyMaterialTo In"), QStringLiteral("TwebServer.SoftStart In"),
        QStringLiteral("unDMDB.CreateDisk in"), QStringLiteral("TStuDirManage.AddStuDir In")};
    startSite();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        QFile::remove(TestEnv::programDir() + QStringLiteral("/zovovozuz.log"));
        const ClientRun r = runClient(launch(QStringLiteral("windows-folder")),
                                      {{QStringLiteral("E2E_EXIT_AT_LOG"), QString::fromUtf8(c.exitAt)}});
        EXPECT_FALSE(r.timedOut) << r.describe().toStdString();
        EXPECT_FALSE(r.crashed);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_TRUE(r.running.isEmpty()) << "the exercise must not start";
        EXPECT_EQ(r.promptTexts(), QStringList{kExitQuestion}) << r.describe().toStdString();

        QFile logFile(TestEnv::programDir() + QStringLiteral("/zovovozuz.log"));
        ASSERT_TRUE(logFile.open(QIODevice::ReadOnly));
        const QString log = win::fromAnsi(logFile.readAll());
        const qsizetype quit = log.indexOf(QStringLiteral("TfrmTool.labCloseClick QUIT"));
        ASSERT_GE(quit, 0) << log.toStdString();
        for (const QString& step : laterSteps)
            EXPECT_FALSE(log.mid(quit).contains(step)) << step.toStdString() << " ran after the exit";

        EXPECT_FALSE(driveLinked(QLatin1Char('Y')));
        const QDir root(win::toHost(QStringLiteral("D:\\StuExamData")));
        for (const QString& n : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            EXPECT_TRUE(QDir(root.filePath(n)).isEmpty()) << n.toStdString();
        EXPECT_FALSE(QFileInfo::exists(TestEnv::programDir() + QStringLiteral("/subjects/5001")));
        const QString temp = win::toHost(win::GetTempPath() + QStringLiteral("DODADA"));
        EXPECT_TRUE(QDir(temp).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
        EXPECT_TRUE(uploadsReceived().isEmpty());
    }
}

// Without a launch address: one prompt, the sign-in page, the end.
TEST_F(Exercise, WithoutLaunchAddressOpensTheSignInPageAndEnds)
{
    const ClientRun r = runClient(QString(), {});
    EXPECT_EQ(r.promptTexts(), QStringList{QStringLiteral("请到Tamry网进行练习！")})
        << r.describe().toStdString();
    const QString signIn = TIniFile(win::ProgramDir() + QStringLiteral("Config.ini"))
                               .ReadString(QStringLiteral("LOCAL"), QStringLiteral("URL_USER_LOGIN"));
    ASSERT_FALSE(signIn.isEmpty());
    EXPECT_EQ(TestEnv::shellOpens(), QStringList{signIn});
    EXPECT_TRUE(r.running.isEmpty());
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
}

// The drive letter is taken by a real disk once the toolbar picked it: the exercise
// runs in the plain practice folder and the label names the operation path.
TEST_F(Exercise, TakenDriveLetterRunsInThePlainPracticeFolder)
{
    startSite();
    const ClientRun r = runClient(launch(QStringLiteral("windows-folder")),
                                  {{QStringLiteral("E2E_ACTION"), QStringLiteral("exit")},
                                   {QStringLiteral("E2E_TAKE_DRIVE"), QStringLiteral("1")}});
    ASSERT_EQ(ReadText(r.out + QStringLiteral("/taken.txt")), QStringLiteral("Y"));
    ASSERT_FALSE(r.running.isEmpty()) << r.describe().toStdString();
    const QString operationPath = r.running.value(QStringLiteral("OperationPath"));
    EXPECT_EQ(r.running.value(QStringLiteral("strCurDisk")), QString());
    EXPECT_EQ(operationPath, r.running.value(QStringLiteral("PracticeDir")) + QStringLiteral("5001"));
    EXPECT_FALSE(operationPath.startsWith(QStringLiteral("Y:")));
    EXPECT_EQ(r.running.value(QStringLiteral("labOpPath")), QStringLiteral("本题操作路径  ") + operationPath);

    // Explorer shows the question folder inside the practice folder.
    const QStringList opened = TestEnv::shellOpens();
    ASSERT_EQ(opened.size(), 1) << opened.join('\n').toStdString();
    const QString hostFolder = win::toHost(operationPath);
    EXPECT_TRUE(opened.first().contains(operationPath) || opened.first().contains(hostFolder))
        << opened.first().toStdString();

    EXPECT_EQ(r.exitCode, 0) << r.describe().toStdString();
    // The disk that was there before is left alone.
    EXPECT_TRUE(QFileInfo(TestEnv::prefixDir() + QStringLiteral("/dosdevices/y:")).isDir());
}

// An operation type that has no way to be started ends the start.
class NoStartMode : public Exercise, public ::testing::WithParamInterface<int> { };

TEST_P(NoStartMode, EndsWithTheStartFailure)
{
    // A copy of the folder sample whose paper names another operation type.
    const QString questions = questionOfType(GetParam());
    ASSERT_FALSE(HasFailure()) << "the question could not be prepared";
    startSite(questions);

    const ClientRun r = runClient(launch(QStringLiteral("odd")),
                                  {{QStringLiteral("E2E_ACTION"), QStringLiteral("exit")}});
    EXPECT_TRUE(r.running.isEmpty()) << r.describe().toStdString();
    ASSERT_FALSE(r.prompts.isEmpty()) << r.describe().toStdString();
    EXPECT_EQ(r.prompts.last().text, QStringLiteral("启动失败,程序将退出！")) << r.describe().toStdString();
    EXPECT_TRUE(TestEnv::shellOpens().isEmpty()) << TestEnv::shellOpens().join('\n').toStdString();
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
}

INSTANTIATE_TEST_SUITE_P(Types, NoStartMode, ::testing::Values(1, 25, 99));

// ---------------------------------------------------------------------------
// Submit, scoring, upload

// A Word question from the launch to the upload and the clean-up, with a fake Word.
TEST_F(Exercise, WordQuestionFromStartToUploadAndCleanUp)
{
    registerFakeWord();
    startSite();
    const ClientRun r = runClient(launch(QStringLiteral("word")),
                                  {{QStringLiteral("E2E_ACTION"), QStringLiteral("submit")},
                                   {QStringLiteral("PRAVIK_ENGINE_RECORD"), record}});
    ASSERT_FALSE(r.running.isEmpty()) << r.describe().toStdString();

    // Started: Word on the document that the 6002 step names, in the question folder.
    EXPECT_EQ(r.running.value(QStringLiteral("labOpPath")), QStringLiteral("考生文件夹: Y:\\"));
    EXPECT_EQ(r.running.value(QStringLiteral("ProgramToClose")), QStringLiteral("WINWORD.EXE"));
    QStringList wordArgs = argsOf(QStringLiteral("word"));
    ASSERT_FALSE(wordArgs.isEmpty());
    QString doc = wordArgs.last();
    doc.remove(QLatin1Char('"'));
    EXPECT_EQ(doc, QStringLiteral("Y:\\6001\\春天.doc")) << wordArgs.join(' ').toStdString();

    // The prompts: only the submit question.
    EXPECT_EQ(r.promptTexts(), QStringList{kSubmitQuestion}) << r.describe().toStdString();

    // The engine's argument is the MD5 of pf.ini as it read it.
    const QString recordText = ReadText(record);
    const QByteArray pfBytes = ReadBytes(record + QStringLiteral(".pf.ini"));
    ASSERT_FALSE(pfBytes.isEmpty()) << "the engine recorded no pf.ini";
    EXPECT_EQ(recordText.trimmed(),
              QStringLiteral("argument=")
                  + QString::fromLatin1(
                      QCryptographicHash::hash(pfBytes, QCryptographicHash::Md5).toHex().toUpper()));

    // pf.ini: eleven lines in order, CR LF.
    const QString e = win::ProgramDir();
    const QString root = r.running.value(QStringLiteral("ExamineeDir")); // {R}{N}\ .
    const QString examineeNo =
        QString(root).replace(QLatin1Char('\\'), QLatin1Char('/')).section(QLatin1Char('/'), -2, -2);
    ASSERT_FALSE(examineeNo.isEmpty());
    ASSERT_TRUE(pfBytes.endsWith("\r\n"));
    QStringList pfLines = win::fromAnsi(pfBytes).split(QStringLiteral("\r\n"));
    pfLines.removeLast();
    ASSERT_EQ(pfLines.size(), 11) << win::fromAnsi(pfBytes).toStdString();
    const QStringList expectedPf = {
        QStringLiteral("[PfPara]"),
        QStringLiteral("PaperFile=") + e + QStringLiteral("subjects\\Paper.xml"),
        QStringLiteral("StepFile=") + e + QStringLiteral("subjects\\Step.xml"),
        QStringLiteral("AnsFile=") + root + QStringLiteral("ans.zt"),
        QStringLiteral("AnsPath=") + root + examineeNo,
        QStringLiteral("ResultFile=") + root + QStringLiteral("pf\\rt.zt"),
        QString(), // msgHandle, below
        QStringLiteral("questId=6001"),
        QStringLiteral("areaid=440100"),
        QStringLiteral("stageid=3"),
        QStringLiteral("EnvCheckResult=1"),
    };
    for (int i = 0; i < 11; ++i) {
        if (i == 6)
            EXPECT_TRUE(
                QRegularExpression(QStringLiteral("^msgHandle=[1-9][0-9]*$")).match(pfLines[i]).hasMatch())
                << pfLines[i].toStdString();
        else
            EXPECT_EQ(pfLines[i], expectedPf[i]);
    }

    // ans.zt as the engine read it: CR LF, the answer line (the file start set the
    // answer text "1", the question was prepared: "True") and the saved-file list.
    const QByteArray ans = ReadBytes(record + QStringLiteral(".ans.zt"));
    EXPECT_EQ(ans, QByteArray("[strOpsList]\r\n6001=1)True\r\n[subjectanslist]\r\n6001=1\r\n"));

    // The upload as the site received it.
    const QList<QJsonObject> up = uploadsReceived();
    ASSERT_EQ(up.size(), 1);
    const QJsonObject u = up.first();
    EXPECT_EQ(u.keys().size(), 11) << QJsonDocument(u).toJson().toStdString();
    EXPECT_EQ(u.value(QStringLiteral("moduleid")).toString(), QStringLiteral("101"));
    EXPECT_EQ(u.value(QStringLiteral("knowledgep")).toString(), QStringLiteral("文字处理：设置字体和段落"));
    EXPECT_EQ(u.value(QStringLiteral("questionid")).toString(), QStringLiteral("6001"));
    EXPECT_EQ(u.value(QStringLiteral("questiontype")).toString(), QStringLiteral("5"));
    EXPECT_EQ(u.value(QStringLiteral("operationtype")).toString(), QStringLiteral("6"));
    EXPECT_EQ(u.value(QStringLiteral("score")).toString(), QStringLiteral("10.00"));
    // The material is untouched: only the document step (the file exists) is earned,
    // one of four equal shares of 10.
    EXPECT_EQ(u.value(QStringLiteral("testscore")).toString(), QStringLiteral("2.50"));
    EXPECT_EQ(u.value(QStringLiteral("answerevaluation")).toString(), QStringLiteral("完成1/4步"));
    const QString begin = u.value(QStringLiteral("begintime")).toString();
    const QString commit = u.value(QStringLiteral("committime")).toString();
    const QDateTime b = QDateTime::fromString(begin, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    const QDateTime c = QDateTime::fromString(commit, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    ASSERT_TRUE(b.isValid()) << begin.toStdString();
    ASSERT_TRUE(c.isValid()) << commit.toStdString();
    EXPECT_LE(b, c);
    EXPECT_LE(b.secsTo(c), r.ms / 1000 + 1);
    EXPECT_EQ(u.value(QStringLiteral("timespent")).toString(), QString::number(b.secsTo(c)));

    // The analysis page of this upload.
    EXPECT_EQ(TestEnv::shellOpens(), QStringList{site->url() + QStringLiteral("/analysis/word/1")});

    // The exit clean-up: Word closed, no drive link, examinee folder empty.
    EXPECT_FALSE(r.timedOut);
    EXPECT_FALSE(r.crashed);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.end.value(QStringLiteral("quitting")), QStringLiteral("1"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return !ProcessAlive(fakeWordPid()); }, 3000)) << "Word still runs";
    EXPECT_FALSE(driveLinked(QLatin1Char('Y')));
    const QString examineeHost = r.running.value(QStringLiteral("host.ExamineeDir"));
    ASSERT_FALSE(examineeHost.isEmpty());
    EXPECT_TRUE(QDir(examineeHost).isEmpty())
        << QDir(examineeHost).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(' ').toStdString();
    // (The run download folder: see RealClient below.)
}

// WM_PFFAIL: the engine's message, or the general one when it wrote none; the
// toolbar stays and nothing is uploaded.
struct FailCase {
    const char* engineFail;
    const char* prompt;
};
class EngineFailure : public Exercise, public ::testing::WithParamInterface<FailCase> { };

TEST_P(EngineFailure, ShowsTheMessageAndTheToolbarStays)
{
    startSite();
    const QString expected = QString::fromUtf8(GetParam().prompt);
    const ClientRun r = runClient(
        launch(QStringLiteral("windows-folder")),
        {{QStringLiteral("E2E_ACTION"), QStringLiteral("submit")},
         {QStringLiteral("PRAVIK_ENGINE_FAIL"), QString::fromUtf8(GetParam().engineFail)},
         {QStringLiteral("E2E_EXIT_AFTER_PROMPT"), expected}});
    ASSERT_GE(r.prompts.size(), 2) << r.describe().toStdString();
    EXPECT_EQ(r.prompts[0].text, kSubmitQuestion);
    EXPECT_EQ(r.prompts[1].kind, QStringLiteral("ShowPrompt"));
    EXPECT_EQ(r.prompts[1].text, expected);
    // Half a second later the exercise still runs.
    ASSERT_FALSE(r.after.isEmpty()) << r.describe().toStdString();
    EXPECT_EQ(r.after.value(QStringLiteral("quitting")), QStringLiteral("0"));
    EXPECT_EQ(r.after.value(QStringLiteral("visible")), QStringLiteral("1"));
    // Then the student leaves through Exit.
    EXPECT_EQ(r.promptTexts().mid(2), QStringList{kExitQuestion});
    EXPECT_TRUE(uploadsReceived().isEmpty());
    EXPECT_TRUE(TestEnv::shellOpens().size() == 1)
        << TestEnv::shellOpens().join('\n').toStdString(); // Explorer only
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
}

INSTANTIATE_TEST_SUITE_P(Messages, EngineFailure,
                         ::testing::Values(FailCase{"答案文件无法读取", "答案文件无法读取"},
                                           FailCase{"-", "评分失败"}));

// Failed uploads: the retry question up to three times, then the failure prompt
// with the score; Cancel at a retry question goes straight to it.
struct RetryCase {
    const char* answers; // submit, then the retry questions
    int attempts;
};
class UploadRetry : public Exercise, public ::testing::WithParamInterface<RetryCase> { };

TEST_P(UploadRetry, AsksAndEndsWithTheScore)
{
    startSite();
    const ClientRun r = runClient(
        launch(QStringLiteral("windows-folder"), QStringLiteral("callbackmode=refused")),
        {{QStringLiteral("E2E_ACTION"), QStringLiteral("submit")},
         {QStringLiteral("E2E_ANSWERS"), QString::fromLatin1(GetParam().answers)}});
    const int attempts = GetParam().attempts;
    EXPECT_EQ(uploadsReceived().size(), attempts);
    ASSERT_EQ(r.prompts.size(), 1 + (attempts == 4 ? 3 : attempts) + 1) << r.describe().toStdString();
    EXPECT_EQ(r.prompts.first().text, kSubmitQuestion);
    for (int i = 1; i + 1 < r.prompts.size(); ++i) {
        EXPECT_EQ(r.prompts[i].kind, QStringLiteral("AskPrompt"));
        EXPECT_EQ(r.prompts[i].text, kRetryQuestion);
    }
    const QString last = r.prompts.last().text;
    const QString score = uploadsReceived().value(0).value(QStringLiteral("testscore")).toString();
    ASSERT_FALSE(score.isEmpty());
    EXPECT_EQ(last.section(QStringLiteral("----------------------------------"), 0, 0),
              QStringLiteral("上传练习成绩到Tamry网失败!\r\n本次练习分数:") + score
                  + QStringLiteral("。\r\n"))
        << last.toStdString();
    EXPECT_EQ(last.section(QStringLiteral("----------------------------------"), 1),
              uploadsReceived().value(0).value(QStringLiteral("answerevaluation")).toString());
    // No analysis page; Explorer was the only thing opened.
    EXPECT_EQ(TestEnv::shellOpens().size(), 1) << TestEnv::shellOpens().join('\n').toStdString();
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_FALSE(driveLinked(QLatin1Char('Y')));
}

INSTANTIATE_TEST_SUITE_P(Answers, UploadRetry,
                         ::testing::Values(RetryCase{"1,1,1,1", 4}, RetryCase{"1,0", 1}));

// A result for another question: the mismatch message, no upload, the end.
TEST_F(Exercise, ResultForAnotherQuestionIsNotUploaded)
{
    startSite();
    const ClientRun r = runClient(launch(QStringLiteral("windows-folder")),
                                  {{QStringLiteral("E2E_ACTION"), QStringLiteral("submit")},
                                   {QStringLiteral("PRAVIK_ENGINE_QUESTID"), QStringLiteral("9999")}});
    EXPECT_EQ(r.promptTexts(),
              (QStringList{kSubmitQuestion, QStringLiteral("评分失败：评分结果信息与题目信息不一致。")}))
        << r.describe().toStdString();
    EXPECT_TRUE(uploadsReceived().isEmpty());
    EXPECT_EQ(TestEnv::shellOpens().size(), 1) << TestEnv::shellOpens().join('\n').toStdString();
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_FALSE(driveLinked(QLatin1Char('Y')));
    EXPECT_TRUE(QDir(r.running.value(QStringLiteral("host.ExamineeDir"))).isEmpty());
}

// ---------------------------------------------------------------------------
// The real program

// The program itself (not the child mode): started with the launch address, ended
// by the hand-over message of a further start, which runs the exit clean-up.
class RealClient : public Exercise {
protected:
    struct Left {
        bool ran = false;
        int exitCode = -1;
        bool linkedWhileRunning = false;
        QStringList opened;
        QString examineeRoot; // host path of the StuExamData root
        QStringList downloadRuns; // run folders left under %TEMP%\DODADA
    };

    Left runToHandOver()
    {
        Left l;
        const QString program = TestEnv::buildBinDir() + QStringLiteral("/prjPractice");
        if (!QFile::exists(program))
            return l;
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(program, {launch(QStringLiteral("windows-folder"))});
        if (!p.waitForStarted(5000))
            return l;
        // Explorer is opened by the last step before the exercise runs.
        l.ran = QTest::qWaitFor([] { return !TestEnv::shellOpens().isEmpty(); }, 20000);
        QThread::msleep(300);
        l.linkedWhileRunning = driveLinked(QLatin1Char('Y'));
        const win::HWND h = win::FindWindow(QStringLiteral("TfrmTool"), QStringLiteral("Pravik"));
        if (h)
            win::SendMessage(h, WM_USER_SHOW, 0, 0);
        if (!p.waitForFinished(15000)) {
            p.kill();
            p.waitForFinished(3000);
            return l;
        }
        l.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        l.opened = TestEnv::shellOpens();
        l.examineeRoot = win::toHost(QStringLiteral("D:\\StuExamData"));
        const QString temp = win::toHost(win::GetTempPath() + QStringLiteral("DODADA"));
        l.downloadRuns = QDir(temp).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        return l;
    }
};

TEST_F(RealClient, RunsTheFolderQuestionAndCleansUpOnHandOver)
{
    startSite();
    const Left l = runToHandOver();
    ASSERT_TRUE(l.ran) << "the exercise did not start";
    EXPECT_TRUE(l.linkedWhileRunning);
    ASSERT_EQ(l.opened.size(), 1) << l.opened.join('\n').toStdString();
    EXPECT_TRUE(l.opened.first().endsWith(QStringLiteral("/5001"))) << l.opened.first().toStdString();
    EXPECT_EQ(l.exitCode, 0);
    EXPECT_FALSE(driveLinked(QLatin1Char('Y')));
    // Every examinee folder of the root is empty.
    const QDir root(l.examineeRoot);
    ASSERT_TRUE(root.exists());
    for (const QString& n : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        EXPECT_TRUE(QDir(root.filePath(n)).isEmpty()) << n.toStdString();
}

// Every exit after the start (hand-in, Exit, a further start, a fatal failure) ends
// the message loop without closing the toolbar; the run download folder with the
// paper, the step file, the picture and the material must still be gone.
TEST_F(RealClient, ExitRemovesTheRunDownloadFolder)
{
    startSite();
    const Left l = runToHandOver();
    ASSERT_TRUE(l.ran) << "the exercise did not start";
    EXPECT_EQ(l.exitCode, 0);
    EXPECT_TRUE(l.downloadRuns.isEmpty()) << l.downloadRuns.join(' ').toStdString();
}

} // namespace
