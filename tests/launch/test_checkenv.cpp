// The environment check: the checker is started with the course's version code, its
// result file is read, and every failure gives its own result code and prompt.
#include <QDir>
#include <QFile>

#include "LaunchFixture.h"
#include "common/Prompts.h"
#include "platform/WinPaths.h"
#include "platform/WinProcess.h"
#include "support/TestEnv.h"

using namespace launchtest;
using pravik::test::TestEnv;

namespace {

const QString kDownload = QStringLiteral("http://127.0.0.1:9/download.html");

enum class Checker { Scripted, Silent, Hangs, Missing, Real, ResultIsFolder };

struct CheckCase {
    const char* name;
    int type;
    QString module;
    Checker checker;
    QString result; // what a scripted checker writes into checksoftresult.ini
    QString versions; // Versions value of the registered Word (real checker)
    int expected;
    bool checkerStarted;
    QStringList missingNames;
    QStringList missingCodes;
};

class CheckEnvTest : public LaunchTest {
protected:
    void SetUp() override
    {
        LaunchTest::SetUp();
        const QString ini = "[env]\r\n1101201=1,2,3,10,11,12\r\n1101202=100\r\n[download]\r\n1101="
            + kDownload + "\r\n";
        QFile f(TestEnv::programDir() + "/checksoft.ini");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(ini.toLatin1());
    }

    QString argsFile() const { return dir + "/checker-args"; }

    void installChecker(Checker kind, const QString& result)
    {
        const QString target = TestEnv::programDir() + "/EnvironCheckClient.exe";
        const QString record = "printf '%s\\n' \"$*\" > '" + argsFile() + "'\n";
        switch (kind) {
        case Checker::Scripted: {
            QFile r(dir + "/result.ini");
            ASSERT_TRUE(r.open(QIODevice::WriteOnly));
            r.write(result.toLatin1());
            r.close();
            writeScript(target,
                        record + "cat '" + dir
                            + "/result.ini' > \"$PRAVIK_PROGRAM_DIR/checksoftresult.ini\"");
            break;
        }
        case Checker::Silent:
            writeScript(target, record);
            break;
        case Checker::Hangs:
            writeScript(target, record + "exec sleep 20");
            startedNames << "EnvironCheckClient.exe";
            break;
        case Checker::Missing:
            break;
        case Checker::Real:
            ASSERT_TRUE(QFile::copy(TestEnv::buildBinDir() + "/EnvironCheckClient.exe", target));
            break;
        case Checker::ResultIsFolder:
            writeScript(target, record);
            QDir().mkpath(TestEnv::programDir() + "/checksoftresult.ini/keep");
            break;
        }
    }
};

class CheckEnvCases : public CheckEnvTest, public ::testing::WithParamInterface<CheckCase> { };

TEST_P(CheckEnvCases, ResultCodeAndMissingSoftware)
{
    const CheckCase& c = GetParam();
    installChecker(c.checker, c.result);
    if (c.checker == Checker::Real) {
        const QString word = fakeProgram("WINWORD.EXE", dir + "/unused", false);
        registerAppPath("WINWORD.EXE", word, c.versions);
    }
    LaunchLimits().checkEnvPolls = 10;

    const int r = CheckEnv("1101", "2", c.module, c.type);

    EXPECT_EQ(r, c.expected);
    EXPECT_EQ(QFile::exists(argsFile()), c.checkerStarted);
    if (c.checkerStarted) {
        EXPECT_EQ(waitForLines(argsFile()), QStringList{"Tamry_CheckEnv " + DM->VersionCode});
        EXPECT_EQ(DM->SoftDownloadUrl, kDownload);
    }
    if (c.expected == CHECKENV_MISSING || c.expected == CHECKENV_PASSED) {
        EXPECT_EQ(DM->MissingNames, c.missingNames);
        EXPECT_EQ(DM->MissingCodes, c.missingCodes);
    }
}

const QString kTime = QStringLiteral("CheckTime=2024-01-01 10:00:00\r\n");

INSTANTIATE_TEST_SUITE_P(
    Checker, CheckEnvCases,
    ::testing::Values(
        CheckCase{"installed",
                  6,
                  "01",
                  Checker::Scripted,
                  "[CheckResult]\r\n1=1\r\n" + kTime,
                  {},
                  CHECKENV_PASSED,
                  true,
                  {},
                  {}},
        CheckCase{"only_check_time",
                  7,
                  "01",
                  Checker::Scripted,
                  "[CheckResult]\r\n" + kTime,
                  {},
                  CHECKENV_PASSED,
                  true,
                  {},
                  {}},
        CheckCase{"missing_version",
                  6,
                  "01",
                  Checker::Scripted,
                  "[CheckResult]\r\n1=0\r\n999=0\r\nabc=0\r\n2=x\r\n" + kTime,
                  {},
                  CHECKENV_MISSING,
                  true,
                  {"Word 2000"},
                  {"1"}},
        CheckCase{"course_without_entry",
                  6,
                  "99",
                  Checker::Scripted,
                  "[CheckResult]\r\n1=0\r\n",
                  {},
                  CHECKENV_NOT_REQUIRED,
                  false,
                  {},
                  {}},
        CheckCase{"course_without_code_of_type",
                  27,
                  "01",
                  Checker::Scripted,
                  "[CheckResult]\r\n170=0\r\n",
                  {},
                  CHECKENV_NOT_REQUIRED,
                  false,
                  {},
                  {}},
        CheckCase{"type_without_versions",
                  5,
                  "01",
                  Checker::Scripted,
                  "[CheckResult]\r\n1=0\r\n",
                  {},
                  CHECKENV_NOT_REQUIRED,
                  false,
                  {},
                  {}},
        CheckCase{"checker_missing", 6, "01", Checker::Missing, {}, {}, CHECKENV_START_FAILED, false, {}, {}},
        CheckCase{"no_result_written", 7, "01", Checker::Silent, {}, {}, CHECKENV_NO_RESULT, true, {}, {}},
        CheckCase{"runs_too_long", 7, "01", Checker::Hangs, {}, {}, CHECKENV_TIMEOUT, true, {}, {}},
        CheckCase{"old_result_not_deletable",
                  6,
                  "01",
                  Checker::ResultIsFolder,
                  {},
                  {},
                  CHECKENV_INIT_FAILED,
                  false,
                  {},
                  {}},
        CheckCase{"real_checker_installed", 6, "01", Checker::Real, {}, {}, CHECKENV_PASSED, false, {}, {}},
        CheckCase{"real_checker_other_version_only",
                  6,
                  "01",
                  Checker::Real,
                  {},
                  "3",
                  CHECKENV_MISSING,
                  false,
                  {"Word 2000"},
                  {"1"}}),
    [](const ::testing::TestParamInfo<CheckCase>& i) { return std::string(i.param.name); });

TEST_F(CheckEnvTest, ReadsTheCheckerResultIntoTheMissingLists)
{
    QFile r(dir + "/r.ini");
    ASSERT_TRUE(r.open(QIODevice::WriteOnly));
    r.write("[CheckResult]\r\n12=0\r\n3=1\r\n170=0\r\nCheckTime=x\r\n");
    r.close();
    DM->MissingNames = QStringList{"stale"};
    EXPECT_FALSE(ChecksoftResult(win::fromHost(dir + "/r.ini")));
    EXPECT_EQ(DM->MissingNames, (QStringList{"Excel 2003", "画图"}));
    EXPECT_EQ(DM->MissingCodes, (QStringList{"12", "170"}));
    EXPECT_EQ(FormatMissingNames(), QString("1. Excel 2003\r\n2. 画图\r\n"));
}

// The step of the toolbar's start-up: result codes to prompts and the answer.
enum class Answer { None, SecondButton, OkDownload, Close };

struct StepCase {
    const char* name;
    Checker checker;
    QString result;
    Answer answer;
    bool goesOn;
    QString envCheckResult;
    QString promptKind;
    QString promptText;
};

class EnvCheckStepCases : public CheckEnvTest, public ::testing::WithParamInterface<StepCase> { };

const QString kMissingPrompt = QStringLiteral("当前电脑没有安装以下版本的软件：")
    + "\r\n1. Word 2000\r\n2. Word XP\r\n\r\n"
    + QStringLiteral("没有正确安装该版本软件将会影响本次练习的作答与评分哦~");

TEST_P(EnvCheckStepCases, PromptsAndOutcome)
{
    const StepCase& c = GetParam();
    installChecker(c.checker, c.result);
    LaunchLimits().checkEnvPolls = 10;
    if (c.answer == Answer::SecondButton)
        prompts->get().answers = {true};
    if (c.answer == Answer::Close)
        prompts->get().answers = {false};
    if (c.answer == Answer::OkDownload) {
        // The prompt window's OK button opens the download page and answers false.
        prompts->get().onPrompt = [](const pravik::test::PromptRecord& r) {
            if (r.kind == "AskPrompt2")
                OpenDownloadPage();
        };
        prompts->get().answers = {false};
    }
    QStringList toolbar;
    QString envResult = "unset";

    const bool goesOn = RunEnvCheckStep("1101", "2", "01", 6, envResult,
                                        [&](bool on) { toolbar << (on ? "on" : "off"); });

    EXPECT_EQ(goesOn, c.goesOn);
    EXPECT_EQ(envResult, c.envCheckResult);
    if (c.promptKind.isEmpty()) {
        EXPECT_TRUE(prompts->get().records.isEmpty());
    } else {
        ASSERT_EQ(prompts->get().records.size(), 1);
        EXPECT_EQ(prompts->get().records[0].kind, c.promptKind);
        EXPECT_EQ(prompts->get().records[0].text, c.promptText);
        EXPECT_EQ(prompts->get().records[0].style, c.promptKind == "AskPrompt2" ? 4 : 1);
        EXPECT_EQ(prompts->get().records[0].title, QString("提示信息"));
    }
    if (c.promptKind == "AskPrompt2")
        EXPECT_EQ(toolbar, (QStringList{"off", "on"}));
    else
        EXPECT_TRUE(toolbar.isEmpty());
    EXPECT_EQ(TestEnv::shellOpens(), c.answer == Answer::OkDownload ? QStringList{kDownload} : QStringList{});
}

const QString kTwoMissing = "[CheckResult]\r\n1=0\r\n2=0\r\n3=1\r\n" + kTime;

INSTANTIATE_TEST_SUITE_P(
    Step, EnvCheckStepCases,
    ::testing::Values(
        StepCase{"passed", Checker::Scripted, "[CheckResult]\r\n1=1\r\n", Answer::None, true, "1", {}, {}},
        StepCase{"missing_go_on", Checker::Scripted, kTwoMissing, Answer::SecondButton, true, "0",
                 "AskPrompt2", kMissingPrompt},
        StepCase{"missing_download", Checker::Scripted, kTwoMissing, Answer::OkDownload, false, "0",
                 "AskPrompt2", kMissingPrompt},
        StepCase{"missing_close", Checker::Scripted, kTwoMissing, Answer::Close, false, "0", "AskPrompt2",
                 kMissingPrompt},
        StepCase{"start_failed",
                 Checker::Missing,
                 {},
                 Answer::None,
                 false,
                 "0",
                 "ShowPrompt",
                 QStringLiteral("启动环境检查失败！")},
        StepCase{"init_failed",
                 Checker::ResultIsFolder,
                 {},
                 Answer::None,
                 false,
                 "0",
                 "ShowPrompt",
                 QStringLiteral("环境检查初始化失败！")},
        StepCase{"no_result",
                 Checker::Silent,
                 {},
                 Answer::None,
                 false,
                 "0",
                 "ShowPrompt",
                 QStringLiteral("环境检查失败！")},
        StepCase{"timeout",
                 Checker::Hangs,
                 {},
                 Answer::None,
                 false,
                 "0",
                 "ShowPrompt",
                 QStringLiteral("环境检查超时失败！")}),
    [](const ::testing::TestParamInfo<StepCase>& i) { return std::string(i.param.name); });

TEST_F(CheckEnvTest, DownloadPageThatCannotBeOpenedIsReported)
{
    DM->SoftDownloadUrl = kDownload;
    qputenv("PRAVIK_SHELL_OPEN", QFile::encodeName(dir + "/no-such-opener"));
    const bool opened = OpenDownloadPage();
    qputenv("PRAVIK_SHELL_OPEN", QFile::encodeName(TestEnv::root() + "/shell-open.sh"));
    EXPECT_FALSE(opened);
    ASSERT_EQ(prompts->get().records.size(), 1);
    EXPECT_EQ(prompts->get().records[0].text, QStringLiteral("打开软件下载地址失败：") + kDownload);
    EXPECT_EQ(prompts->get().records[0].style, 1);
}

TEST_F(CheckEnvTest, OpenUrlOpensOnlyWebAddresses)
{
    DM->WebUrl = "http://127.0.0.1:8716";
    EXPECT_GT(OpenUrl(QString()), 32);
    EXPECT_GT(OpenUrl("https://example.test/a?b=1"), 32);
    const QString program = fakeProgram("run-me.exe", dir + "/ran", false);
    EXPECT_LE(OpenUrl(program), 32);
    EXPECT_LE(OpenUrl("file:///etc/passwd"), 32);
    EXPECT_EQ(TestEnv::shellOpens(), (QStringList{"http://127.0.0.1:8716", "https://example.test/a?b=1"}));
    QThread::msleep(200);
    EXPECT_FALSE(QFile::exists(dir + "/ran"));
}

} // namespace
