// Starting the operation software: the file start of document questions, the
// recorder consoles, the worker thread, and closing it all again.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include "LaunchFixture.h"
#include "common/Base64.h"
#include "question/AppPaths.h"
#include "environment/OpenSpecialOp.h"
#include "platform/Ansi.h"
#include "platform/WinPaths.h"
#include "platform/WinProcess.h"
#include "platform/WinRegistry.h"
#include "question/TQuestion.h"
#include "support/TestEnv.h"

using namespace launchtest;
using pravik::test::TestEnv;

namespace {

TTamryQuestionStepInfo FileStep(const QString& knowledge, const QString& para1, const QString& para2,
                                const QString& isscore = "1")
{
    TTamryQuestionStepInfo s;
    s.questionid = "4711";
    s.knowledge = knowledge;
    s.para1 = QString::fromLatin1(base64::Encode(win::toAnsi(para1)));
    s.para2 = QString::fromLatin1(base64::Encode(win::toAnsi(para2)));
    s.isscore = isscore;
    return s;
}

class LaunchSoftware : public LaunchTest {
protected:
    void SetUp() override
    {
        LaunchTest::SetUp();
        question.QuestionId = 4711;
        opFolder = win::fromHost(dir + "/work") + "\\";
        QDir().mkpath(dir + "/work/4711");
    }
    TQuestion question;
    QString opFolder; // Windows path with trailing backslash
};

// Document questions: the scored file step names the file that the program opens.
struct DocCase {
    const char* name;
    int type;
    QString exe;
    QString knowledge;
    QString para1, para2;
    QString expectedFile;
};

class DocumentStart : public LaunchSoftware, public ::testing::WithParamInterface<DocCase> { };

TEST_P(DocumentStart, OpensTheStepFileInTheRegisteredProgram)
{
    const DocCase& c = GetParam();
    const QString program = fakeProgram(c.exe, dir + "/args");
    registerAppPath(c.exe, program);
    question.OperationType = c.type;
    DM->StepInfos = {FileStep("1001", "other.doc", ""), FileStep(c.knowledge, c.para1, c.para2)};

    OpenSepcialOp(c.type, program, opFolder, &question);

    EXPECT_EQ(waitForLines(dir + "/args"), QStringList{opFolder + "4711\\" + c.expectedFile});
    EXPECT_EQ(DM->ProgramToClose, c.exe);
    EXPECT_EQ(question.GetAnswer(), QString("1"));
    EXPECT_TRUE(logged("TwebServer.OpenSepcialOp Out"));
    EXPECT_TRUE(win::IsProcessRunning(c.exe));
}

INSTANTIATE_TEST_SUITE_P(
    Types, DocumentStart,
    ::testing::Values(
        DocCase{"word", 6, "WINWORD.EXE", "6002", "作文.doc", "x.doc", "作文.doc"},
        DocCase{"word_para1_without_extension", 6, "WINWORD.EXE", "6002", "作文", "报告.doc", "报告.doc"},
        DocCase{"word_name_with_blank", 6, "WINWORD.EXE", "6002", "my essay.doc", "", "my essay.doc"},
        DocCase{"excel", 7, "EXCEL.EXE", "7002", "成绩.xls", "", "成绩.xls"},
        DocCase{"powerpoint_prefers_para2", 8, "POWERPNT.EXE", "8002", "a.ppt", "演示.ppt", "演示.ppt"},
        DocCase{"frontpage_falls_back_to_para1", 16, "FRONTPG.EXE", "16001", "index.htm", "", "index.htm"},
        DocCase{"wordpad_document", 29, "wordpad.exe", "6002", "note.rtf", "", "note.rtf"}),
    [](const ::testing::TestParamInfo<DocCase>& i) { return std::string(i.param.name); });

TEST_F(LaunchSoftware, UnscoredStepStartsTheProgramWithoutFile)
{
    const QString program = fakeProgram("WINWORD.EXE", dir + "/args");
    question.OperationType = 6;
    DM->StepInfos = {FileStep("6002", "a.doc", "", "0")};

    OpenSepcialOp(6, program, opFolder, &question);

    ASSERT_TRUE(TStartApp::WaitForAll(3000));
    EXPECT_TRUE(waitRunning("WINWORD.EXE", 3000));
    EXPECT_EQ(waitForLines(dir + "/args"), QStringList{});
    EXPECT_TRUE(QFile::exists(dir + "/args"));
    EXPECT_EQ(DM->ProgramToClose, QString("WINWORD.EXE"));
    EXPECT_EQ(question.GetAnswer(), QString("1"));
}

TEST_F(LaunchSoftware, CloseOperationSoftwareAfterAnExcelQuestionClosesOnlyExcel)
{
    const QString excel = fakeProgram("EXCEL.EXE", dir + "/excel-args");
    const QString word = fakeProgram("WINWORD.EXE", dir + "/word-args");
    registerAppPath("EXCEL.EXE", excel);
    registerClass("excelhtmlfile", "\"" + excel + "\" \"%1\"");
    ASSERT_GT(win::ShellExecute("open", word, {}, {}, win::SW_SHOWNORMAL), 32);
    question.OperationType = 7;
    DM->StepInfos = {FileStep("7002", "成绩.xls", "")};

    OpenSepcialOp(7, GetAppPath("excelhtmlfile").trimmed(), opFolder, &question);
    ASSERT_TRUE(waitRunning("EXCEL.EXE", 3000));
    ASSERT_TRUE(waitRunning("WINWORD.EXE", 3000));

    CloseOperationSoftware();

    EXPECT_TRUE(DM->RecorderToClose.isEmpty());
    EXPECT_TRUE(waitGone("EXCEL.EXE", 3000));
    EXPECT_TRUE(win::IsProcessRunning("WINWORD.EXE"));
}

TEST_F(LaunchSoftware, ExcelStartedThroughTheWorkerThreadIsClosed)
{
    const QString excel = fakeProgram("EXCEL.EXE", dir + "/excel-args");
    TStartApp::Start(excel);
    EXPECT_EQ(DM->ProgramToClose, QString("EXCEL.EXE"));
    ASSERT_TRUE(TStartApp::WaitForAll(3000));
    ASSERT_TRUE(waitRunning("EXCEL.EXE", 3000));

    CloseOperationSoftware();
    EXPECT_TRUE(waitGone("EXCEL.EXE", 3000));
}

// The worker thread is made and started in one call, so the software of a question
// starts exactly once, also when the thread is done before its caller goes on.
TEST_F(LaunchSoftware, TheWorkerThreadStartsTheSoftwareOnce)
{
    const QString runs = dir + "/runs";
    writeScript(dir + "/bin/VFP9.EXE", "echo run >> '" + runs + "'\n");
    TStartApp::Start(win::fromHost(dir + "/bin/VFP9.EXE"));
    ASSERT_TRUE(TStartApp::WaitForAll(3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(runs); }, 3000));
    QTest::qWait(300); // a second start would have appended by now
    QFile f(runs);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("run\n"));
}

TEST_F(LaunchSoftware, PaintQuestionStartsPaintAndItsRecorder)
{
    const QString paint = fakeProgram("mspaint.exe", dir + "/paint-args");
    registerAppPath("mspaint.exe", paint);
    writeScript(TestEnv::programDir() + "/ConsoleTest.exe",
                "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + dir
                    + "/console-args'\nexec sleep 20");
    startedNames << "ConsoleTest.exe";
    question.OperationType = 27;

    OpenSepcialOp(27, "mspaint.exe", opFolder, &question);

    const QString folder = opFolder + "4711\\";
    EXPECT_EQ(waitForLines(dir + "/console-args"),
              QStringList{"-password:vq;path:" + folder + "\\Mspaint.kel;"});
    EXPECT_EQ(waitForLines(dir + "/paint-args"), QStringList{});
    EXPECT_EQ(DM->ProgramToClose, QString("mspaint.exe"));
    EXPECT_EQ(DM->RecorderToClose, QString("ConsoleTest.exe"));
    EXPECT_EQ(question.GetAnswer(), QString("1"));
    EXPECT_TRUE(prompts->get().records.isEmpty());
    const QStringList lines = logLines();
    EXPECT_TRUE(lines.contains(QStringLiteral("画图存在，唤醒日志记录程序")));
    EXPECT_TRUE(lines.contains(QStringLiteral("发送消息给画图程序！")));
    EXPECT_TRUE(lines.contains(QStringLiteral("画图日志记录程序已经唤醒！")));

    CloseOperationSoftware();
    EXPECT_TRUE(waitGone("ConsoleTest.exe", 3000));
    EXPECT_TRUE(waitGone("mspaint.exe", 3000));
}

TEST_F(LaunchSoftware, WordPadWithRecorderStepUsesItsConsole)
{
    const QString wordpad = fakeProgram("wordpad.exe", dir + "/wordpad-args");
    registerAppPath("wordpad.exe", wordpad);
    writeScript(TestEnv::programDir() + "/WordPadConsole.exe",
                "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + dir + "/console-args'");
    question.OperationType = 29;
    DM->StepInfos = {FileStep("29002", "", "", "0")};

    OpenSepcialOp(29, wordpad, opFolder, &question);

    EXPECT_EQ(waitForLines(dir + "/console-args"),
              QStringList{"-password:vq;path:" + opFolder + "4711\\\\wordpad.kel;"});
    EXPECT_EQ(DM->RecorderToClose, QString("WordPadConsole.exe"));
    EXPECT_EQ(DM->ProgramToClose, QString("wordpad.exe"));
}

TEST_F(LaunchSoftware, GetAppPathCutsTheArgumentsOfTheOpenCommand)
{
    struct Case {
        QString command;
        QString expected;
    };
    const Case cases[] = {
        {"\"C:\\Program Files\\Office\\WINWORD.EXE\" /n /dde \"%1\"",
         "C:\\Program Files\\Office\\WINWORD.EXE /n"},
        {"\"C:\\Office\\EXCEL.EXE\" /e %1", "C:\\Office\\EXCEL.EXE /e "},
        {"\"C:\\Office\\POWERPNT.EXE\"", "C:\\Office\\POWERPNT.EXE"},
    };
    for (const Case& c : cases) {
        registerClass("wordhtmlfile", c.command);
        EXPECT_EQ(GetAppPath("wordhtmlfile"), c.expected) << c.command.toStdString();
    }
    EXPECT_EQ(GetAppPath("no.such.class"), QString());
}

TEST_F(LaunchSoftware, BrowserStartSetsTheLocalProxy)
{
    const QString ie = fakeProgram("iexplore.exe", dir + "/ie-args");
    TStartApp::Start(ie);
    ASSERT_TRUE(TStartApp::WaitForAll(3000));
    EXPECT_TRUE(waitRunning("iexplore.exe", 3000));
    const QString key = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    EXPECT_EQ(win::RegReadString(win::Hive::HKCU, key, "ProxyServer").value_or(""),
              QString("127.0.0.1:8080"));
    EXPECT_EQ(win::RegReadInteger(win::Hive::HKCU, key, "ProxyEnable").value_or(-1), 1);
    // A browser that the exercise did not prepare is left open.
    DM->IEEnvironment = false;
    CloseOperationSoftware();
    EXPECT_TRUE(win::IsProcessRunning("iexplore.exe"));
    DM->IEEnvironment = true;
    CloseOperationSoftware();
    EXPECT_TRUE(waitGone("iexplore.exe", 3000));
}

TEST_F(LaunchSoftware, WaitingForStartedPrograms)
{
    const QString stays = fakeProgram("STAYS.EXE", dir + "/a");
    const QString ends = fakeProgram("ENDS.EXE", dir + "/b", false);
    EXPECT_TRUE(ShellOpenAndWait(stays, {}, 2));
    EXPECT_FALSE(ShellOpenAndWait(win::fromHost(dir + "/missing.exe"), {}, 1));
    EXPECT_TRUE(StartAndWait(0, stays, {}, true));
    EXPECT_FALSE(StartAndWait(0, ends, {}, true));
    EXPECT_TRUE(StartAndWait(0, ends, {}, false));
}

} // namespace
