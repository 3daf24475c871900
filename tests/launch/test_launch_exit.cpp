// Recorder starts that end the exercise: the program already runs, or it never
// appears. Each ends the application through the data module's exit, so they run in
// a test process of their own.
#include <QDir>

#include "LaunchFixture.h"
#include "environment/OpenSpecialOp.h"
#include "platform/WinPaths.h"
#include "platform/WinProcess.h"
#include "question/TQuestion.h"
#include "support/TestEnv.h"

using namespace launchtest;
using pravik::test::TestEnv;

namespace {

class RecorderExit : public LaunchTest {
protected:
    void SetUp() override
    {
        LaunchTest::SetUp();
        question.QuestionId = 12;
        question.OperationType = 27;
        opFolder = win::fromHost(dir + "/work") + "\\";
        writeScript(TestEnv::programDir() + "/ConsoleTest.exe", "printf x > '" + dir + "/console-ran'");
    }
    TQuestion question;
    QString opFolder;
};

TEST_F(RecorderExit, PaintAlreadyRunningStopsTheExercise)
{
    const QString paint = fakeProgram("mspaint.exe", dir + "/paint-args");
    registerAppPath("mspaint.exe", paint);
    ASSERT_GT(win::ShellExecute("open", "mspaint.exe", {}, {}, win::SW_SHOWNORMAL), 32);
    ASSERT_TRUE(waitRunning("mspaint.exe", 3000));

    OpenSepcialOp(27, "mspaint.exe", opFolder, &question);

    const QString text = QStringLiteral("画图软件正在运行，请先将其关闭，") + "\r\n"
        + QStringLiteral("然后通过点击考试软件图标打开!");
    ASSERT_EQ(prompts->get().records.size(), 1);
    EXPECT_EQ(prompts->get().records[0].text, text);
    EXPECT_EQ(prompts->get().records[0].style, 1);
    EXPECT_TRUE(logged(text));
    EXPECT_TRUE(ApplicationQuitting());
    EXPECT_FALSE(QFile::exists(dir + "/console-ran"));
    // The student's own Paint is not closed by the exit.
    EXPECT_TRUE(DM->ProgramToClose.isEmpty());
    EXPECT_TRUE(win::IsProcessRunning("mspaint.exe"));
    EXPECT_TRUE(QDir(win::toHost(opFolder + "12")).exists());
}

TEST_F(RecorderExit, PaintThatNeverAppearsStopsTheExercise)
{
    // A Paint that ends at once after its start.
    const QString paint = fakeProgram("mspaint.exe", dir + "/paint-args", false);
    writeScript(win::toHost(paint), "sleep 0.4");
    registerAppPath("mspaint.exe", paint);
    LaunchLimits().recorderChecks = 3;

    OpenSepcialOp(27, "mspaint.exe", opFolder, &question);

    const QString text = QStringLiteral("画图打开失败，请点击重做本题后重新打开！");
    ASSERT_EQ(prompts->get().records.size(), 1);
    EXPECT_EQ(prompts->get().records[0].text, text);
    EXPECT_EQ(logLines().count(QStringLiteral("画图不存在，等待")), 3);
    EXPECT_FALSE(QFile::exists(dir + "/console-ran"));
}

} // namespace
