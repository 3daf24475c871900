// Two real client processes: a second launch makes the running one log
// "TfrmTool.WM_USER_SHOW in", clean up and end with exit code 0 while the second
// runs; also when the running one waits in a modal prompt.
#include <gtest/gtest.h>

#include <QTest>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include "app/ufrmTool.h"
#include "platform/Ansi.h"
#include "platform/WinMessages.h"
#include "support/TestEnv.h"

using pravik::test::TestEnv;

namespace {

QString program() { return TestEnv::buildBinDir() + QStringLiteral("/prjPractice"); }
QString logPath() { return TestEnv::programDir() + QStringLiteral("/zovovozuz.log"); }

QString logText()
{
    QFile f(logPath());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return win::fromAnsi(f.readAll());
}

win::HWND toolbarWindow() { return win::FindWindow(QStringLiteral("TfrmTool"), QStringLiteral("Pravik")); }

// A client process that is ended (by its own id) if a test leaves it running.
struct Client {
    QProcess p;
    explicit Client(const QStringList& args)
    {
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(program(), args);
    }
    ~Client()
    {
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished(3000);
        }
    }
    bool running() const { return p.state() == QProcess::Running; }
};

class Instances : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnv::fillProgramFolder(false);
        QFile::remove(logPath());
        TestEnv::clearShellOpens();
        ASSERT_TRUE(QFile::exists(program()));
    }

    // Ends a running client the way a further launch would.
    static void endClient(Client& c)
    {
        const win::HWND h = toolbarWindow();
        ASSERT_NE(h, 0u);
        win::SendMessage(h, WM_USER_SHOW, 0, 0);
        ASSERT_TRUE(c.p.waitForFinished(15000));
        EXPECT_EQ(c.p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(c.p.exitCode(), 0);
    }
};

TEST_F(Instances, SecondLaunchReplacesTheRunningExercise)
{
    Client first({QStringLiteral("KelTamry-EXERCISE://127.0.0.1:9/launch/first")});
    ASSERT_TRUE(first.p.waitForStarted(5000));
    ASSERT_TRUE(QTest::qWaitFor([] { return toolbarWindow() != 0 && QFile::exists(logPath()); }, 15000));
    ASSERT_TRUE(first.running());
    EXPECT_FALSE(logText().contains(QStringLiteral("TfrmTool.WM_USER_SHOW in")));

    Client second({QStringLiteral("KelTamry-EXERCISE://127.0.0.1:9/launch/second")});
    ASSERT_TRUE(second.p.waitForStarted(5000));
    ASSERT_TRUE(first.p.waitForFinished(15000));
    EXPECT_EQ(first.p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.p.exitCode(), 0);
    const QString log = logText();
    EXPECT_EQ(log.count(QStringLiteral("TfrmTool.WM_USER_SHOW in")), 1) << log.toStdString();

    // The newcomer runs its own exercise and shows its toolbar.
    ASSERT_TRUE(QTest::qWaitFor([] { return toolbarWindow() != 0; }, 15000));
    QThread::msleep(300);
    EXPECT_TRUE(second.running());
    endClient(second);
}

TEST_F(Instances, SecondLaunchEndsAClientWaitingInAModalPrompt)
{
    // Without a launch address the client shows "请到Tamry网进行练习！" and waits for
    // an answer that never comes.
    Client first({});
    ASSERT_TRUE(first.p.waitForStarted(5000));
    ASSERT_TRUE(QTest::qWaitFor([] { return toolbarWindow() != 0; }, 15000));
    QThread::msleep(800);
    ASSERT_TRUE(first.running());

    Client second({QStringLiteral("KelTamry-EXERCISE://127.0.0.1:9/launch/second")});
    ASSERT_TRUE(second.p.waitForStarted(5000));
    ASSERT_TRUE(first.p.waitForFinished(15000));
    EXPECT_EQ(first.p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.p.exitCode(), 0);
    // It ended without going on to the sign-in page.
    EXPECT_TRUE(TestEnv::shellOpens().isEmpty()) << TestEnv::shellOpens().join('\n').toStdString();

    ASSERT_TRUE(QTest::qWaitFor([] { return toolbarWindow() != 0; }, 15000));
    EXPECT_TRUE(second.running());
    endClient(second);
}

} // namespace
