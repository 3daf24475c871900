// Closing programs: by name, until gone, and the bound for a process that never goes.
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>
#include <QFile>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "LaunchFixture.h"
#include "platform/WinPaths.h"
#include "platform/WinProcess.h"

using namespace launchtest;

namespace {

class KillTest : public LaunchTest { };

TEST_F(KillTest, KillTaskEndsEveryProcessOfTheName)
{
    const QString p = fakeProgram("MSACCESS.EXE", dir + "/a");
    for (int i = 0; i < 2; ++i)
        ASSERT_GT(win::ShellExecute("open", p, {}, {}, win::SW_SHOWNORMAL), 32);
    ASSERT_TRUE(waitRunning("MSACCESS.EXE", 3000));
    EXPECT_TRUE(KillTask("msaccess.exe"));
    EXPECT_FALSE(win::IsProcessRunning("MSACCESS.EXE"));
    EXPECT_TRUE(logged("udmdb.KillTask msaccess.exe  in "));
    EXPECT_TRUE(logged("udmdb.KillTaskmsaccess.exe   out "));
    EXPECT_FALSE(KillTask("NOT-RUNNING.EXE"));
}

TEST_F(KillTest, KillTask2EndsTheFirstMatch)
{
    EXPECT_EQ(KillTask2("NOT-RUNNING.EXE"), -1);
    EXPECT_FALSE(logged("udmdb.KillTask2NOT-RUNNING.EXE   out "));
    const QString p = fakeProgram("FRONTPAGE.EXE", dir + "/a");
    ASSERT_GT(win::ShellExecute("open", p, {}, {}, win::SW_SHOWNORMAL), 32);
    ASSERT_TRUE(waitRunning("FRONTPAGE.EXE", 3000));
    EXPECT_EQ(KillTask2("frontpage.exe"), 0);
    EXPECT_TRUE(waitGone("FRONTPAGE.EXE", 3000));
}

TEST_F(KillTest, CloseOfficeAppsClosesOfficeOnly)
{
    const QString word = fakeProgram("winword.exe", dir + "/a");
    const QString other = fakeProgram("NOTEPAD.EXE", dir + "/b");
    ASSERT_GT(win::ShellExecute("open", word, {}, {}, win::SW_SHOWNORMAL), 32);
    ASSERT_GT(win::ShellExecute("open", other, {}, {}, win::SW_SHOWNORMAL), 32);
    ASSERT_TRUE(waitRunning("WINWORD.EXE", 3000));
    CloseOfficeApps();
    EXPECT_TRUE(waitGone("WINWORD.EXE", 3000));
    EXPECT_TRUE(win::IsProcessRunning("NOTEPAD.EXE"));
}

// A process that this test cannot terminate: it runs under another user, and the
// test thread gives up its right to signal other users' processes for the test.
bool SetKillCapability(bool on)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    if (on)
        data[0].effective |= 1u << CAP_KILL;
    else
        data[0].effective &= ~(1u << CAP_KILL);
    return syscall(SYS_capset, &header, data) == 0;
}

class StubbornProcess : public KillTest {
protected:
    void SetUp() override
    {
        KillTest::SetUp();
        if (geteuid() != 0 || !QFile::exists("/usr/bin/setpriv"))
            GTEST_SKIP() << "needs root and setpriv to start a process of another user";
        writeScript(dir + "/stubborn.sh",
                    "exec /usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups /bin/sleep 20");
        stubborn = win::CreateProcess("\"" + win::fromHost(dir + "/stubborn.sh") + "\"", {}, "STUBBORN.EXE");
        ASSERT_NE(stubborn, 0);
        ASSERT_TRUE(waitRunning("STUBBORN.EXE", 3000));
        // Wait until it runs as the other user.
        QElapsedTimer t;
        t.start();
        while (!runsAsOtherUser() && t.elapsed() < 3000)
            QThread::msleep(10);
        ASSERT_TRUE(runsAsOtherUser());
        ASSERT_TRUE(SetKillCapability(false));
        // The test thread can no longer end it.
        ASSERT_FALSE(win::TerminateProcess(stubborn));
    }
    void TearDown() override
    {
        SetKillCapability(true);
        if (stubborn) {
            win::TerminateProcess(stubborn);
            EXPECT_EQ(win::WaitForProcess(stubborn, 5000), win::WAIT_OBJECT_0);
        }
        KillTest::TearDown();
    }
    bool runsAsOtherUser() const
    {
        QFile f(QString("/proc/%1/status").arg(stubborn));
        if (!f.open(QIODevice::ReadOnly))
            return false;
        const QString status = QString::fromLatin1(f.readAll());
        return status.contains(QRegularExpression("\\nUid:\\s+65534\\s"));
    }
    qint64 stubborn = 0;
};

TEST_F(StubbornProcess, KillTaskGivesUpAfterItsBound)
{
    LaunchLimits().killTaskRechecks = 5;
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(KillTask("STUBBORN.EXE"));
    EXPECT_LT(t.elapsed(), 4000);
    EXPECT_TRUE(logged("udmdb.KillTask ERROR: STUBBORN.EXE still running after 5 attempts"));
    EXPECT_TRUE(logged("udmdb.KillTaskSTUBBORN.EXE   out "));
}

TEST_F(StubbornProcess, KillUntilGoneGivesUpAndLogs)
{
    LaunchLimits().killTaskRechecks = 1;
    LaunchLimits().killUntilGoneMs = 1500;
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(KillUntilGone("STUBBORN.EXE"));
    EXPECT_LT(t.elapsed(), 5000);
    EXPECT_TRUE(logged(QStringLiteral("关闭进程失败: STUBBORN.EXE")));
    EXPECT_TRUE(prompts->get().records.isEmpty());
}

TEST_F(KillTest, KillUntilGoneOnlyForExeNames)
{
    const QString p = fakeProgram("helper.sh", dir + "/a");
    ASSERT_GT(win::ShellExecute("open", p, {}, {}, win::SW_SHOWNORMAL), 32);
    ASSERT_TRUE(waitRunning("helper.sh", 3000));
    EXPECT_FALSE(KillUntilGone("helper.sh"));
    EXPECT_TRUE(win::IsProcessRunning("helper.sh"));
    EXPECT_FALSE(KillUntilGone(""));
    EXPECT_TRUE(KillUntilGone("NOT-RUNNING.EXE"));
}

} // namespace
