// Processes: Windows command lines, image names, kill, wait, shell execute.
#include <gtest/gtest.h>

#include <QTest>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <unistd.h>

#include "HelperProcess.h"
#include "platform/PlatformInternal.h"
#include "platform/WinPaths.h"
#include "platform/WinProcess.h"
#include "platform/WinRegistry.h"
#include "support/TestEnv.h"

using namespace win;
using pravik::test::TestEnv;

namespace {

// A small shell program at a Windows path.
void writeProgram(const QString& winPath, const QByteArray& body)
{
    const QString host = toHost(winPath);
    ASSERT_FALSE(host.isEmpty());
    QDir().mkpath(QFileInfo(host).absolutePath());
    QFile f(host);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("#!/bin/sh\n" + body + "\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString readHostFile(const QString& host)
{
    QFile f(host);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
}

} // namespace

TEST(Process, SplitCommandLineFollowsWindowsQuoting)
{
    struct Case {
        const char* line;
        QStringList args;
    } cases[] = {
        {R"("C:\Program Files\x.exe" a b)", {R"(C:\Program Files\x.exe)", "a", "b"}},
        {R"(C:\x.exe "two words"  three)", {R"(C:\x.exe)", "two words", "three"}},
        {R"(x.exe a\\b "c\"d" "e\\" f\\\"g)", {"x.exe", R"(a\\b)", R"(c"d)", R"(e\)", R"(f\"g)"}},
        {R"(x.exe "a""b" "")", {"x.exe", R"(a"b)", ""}},
        {R"("C:\dir\" next)", {R"(C:\dir\)", "next"}},
        {"   ", {}},
    };
    for (const auto& tc : cases)
        EXPECT_EQ(SplitCommandLine(QString::fromUtf8(tc.line)), tc.args) << tc.line;
}

TEST(Process, SnapshotAndKillByWindowsImageName)
{
    writeProgram("C:\\Program Files\\Office\\EXCEL.EXE", "exec sleep 30");
    const qint64 pid = CreateProcess("\"C:\\Program Files\\office\\EXCEL.EXE\" /e book.xls");
    ASSERT_GT(pid, 0);
    bool listed = false;
    for (const ProcessEntry& e : ProcessSnapshot())
        listed = listed || (e.pid == pid && e.exeName == "EXCEL.EXE");
    EXPECT_TRUE(listed);
    EXPECT_TRUE(IsProcessRunning("  excel.exe "));
    EXPECT_TRUE(IsProcessAlive(pid));
    unsigned code = 99;
    EXPECT_EQ(WaitForProcess(pid, 100, &code), WAIT_TIMEOUT);
    EXPECT_EQ(KillProcessByName("Excel.Exe"), 1);
    EXPECT_EQ(WaitForProcess(pid, 5000, &code), WAIT_OBJECT_0);
    EXPECT_FALSE(IsProcessRunning("EXCEL.EXE"));
    EXPECT_FALSE(IsProcessAlive(pid));
    EXPECT_EQ(KillProcessByName("EXCEL.EXE"), 0);
}

TEST(Process, NeverKillsItself)
{
    // Record this process under a Windows name, as if the platform had started it.
    const qint64 self = ::getpid();
    QDir().mkpath(PrefixDir() + "/procnames");
    QFile f(PrefixDir() + "/procnames/" + QString::number(self));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::number(detail::ProcessStartTime(self)) + "\nSELFTEST.EXE\n");
    f.close();
    EXPECT_TRUE(IsProcessRunning("selftest.exe"));
    EXPECT_EQ(KillProcessByName("SELFTEST.EXE"), 0);
    QFile::remove(f.fileName());
}

TEST(Process, ExitCodesTimeOutsAndLookUp)
{
    writeProgram("C:\\bin\\seven.exe", "exit 7");
    unsigned code = 0;
    qint64 pid = CreateProcess("C:\\bin\\SEVEN.EXE");
    ASSERT_GT(pid, 0);
    EXPECT_EQ(WaitForProcess(pid, 5000, &code), WAIT_OBJECT_0);
    EXPECT_EQ(code, 7u);

    writeProgram("C:\\bin\\sleeper", "exec sleep 30");
    pid = CreateProcess("C:\\bin\\sleeper.exe");
    ASSERT_GT(pid, 0) << "found without the .exe the command line names";
    EXPECT_TRUE(TerminateProcess(pid, 3));
    EXPECT_EQ(WaitForProcess(pid, 5000, &code), WAIT_OBJECT_0);
    EXPECT_EQ(code, 3u);

    // A bare name is looked up in the program folder, letter case ignored; the
    // working folder is a Windows path.
    QDir().mkpath(toHost("C:\\work"));
    writeProgram(fromHost(TestEnv::programDir()) + "\\Tool", "pwd > pwd.txt; printf '%s' \"$1\" > arg.txt");
    pid = CreateProcess("tool.exe \"C:\\a b\\c.txt\"", "C:\\WORK");
    ASSERT_GT(pid, 0);
    EXPECT_EQ(WaitForProcess(pid, 5000, &code), WAIT_OBJECT_0);
    EXPECT_EQ(code, 0u);
    // It ran in the working folder and got the argument as written.
    EXPECT_EQ(readHostFile(toHost("C:\\work\\pwd.txt")), toHost("C:\\work"));
    EXPECT_EQ(readHostFile(toHost("C:\\work\\arg.txt")), "C:\\a b\\c.txt");

    EXPECT_EQ(CreateProcess("C:\\bin\\missing.exe"), 0);
    EXPECT_EQ(CreateProcess("Q:\\bin\\seven.exe"), 0);
    EXPECT_EQ(CreateProcess("C:\\bin\\seven.exe", "C:\\no such folder"), 0);
    EXPECT_EQ(CreateProcess(""), 0);
    EXPECT_EQ(WaitForProcess(0, 10), WAIT_FAILED);
}

TEST(Process, WaitsForAProcessThatIsNotItsChild)
{
    pravik::test::HelperProcess other({"mutex", "wait-test"});
    ASSERT_FALSE(other.readLine().isEmpty());
    const qint64 pid = other.pid();
    EXPECT_EQ(WaitForProcess(pid, 100), WAIT_TIMEOUT);
    other.process().closeWriteChannel();
    EXPECT_EQ(WaitForProcess(pid, 3000), WAIT_OBJECT_0);
    other.finish();
}

TEST(Process, ShellExecuteOfDocumentsUrlsAndPrograms)
{
    TestEnv::clearShellOpens();
    QDir().mkpath(toHost("C:\\docs\\Folder"));
    QFile doc(toHost("C:\\docs\\Report.DOC"));
    ASSERT_TRUE(doc.open(QIODevice::WriteOnly));
    doc.close();

    EXPECT_GT(ShellExecute("open", "C:\\DOCS\\report.doc"), 32);
    EXPECT_GT(ShellExecute("open", "http://127.0.0.1:8080/a?b=1"), 32);
    EXPECT_GT(ShellExecute("", "C:\\docs\\folder"), 32);
    EXPECT_EQ(ShellExecute("open", "C:\\docs\\missing.doc"), 2);
    EXPECT_EQ(ShellExecute("open", "Q:\\x.doc"), 2);
    EXPECT_EQ(ShellExecute("open", "NoSuchProgram.exe"), 2);
    // The shell's browser and file manager without a registered program.
    EXPECT_GT(ShellExecute("Open", "iexplore.exe", "http://127.0.0.1/site"), 32);
    EXPECT_GT(ShellExecute("open", "explorer.exe", "/e,C:\\docs\\folder"), 32);
    EXPECT_EQ(TestEnv::shellOpens(),
              (QStringList{toHost("C:\\docs\\Report.DOC"), "http://127.0.0.1:8080/a?b=1",
                           toHost("C:\\docs\\Folder"), "http://127.0.0.1/site", toHost("C:\\docs\\Folder")}));

    // A program registered under App Paths runs under the name it was asked by.
    writeProgram("C:\\Office\\fakeword", "printf '%s\\n' \"$*\" > \"$0.args\"; exec sleep 30");
    ASSERT_TRUE(RegWriteString(Hive::HKLM,
                               "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\WINWORD.EXE", "",
                               "\"C:\\Office\\fakeword\""));
    qint64 pid = 0;
    ASSERT_TRUE(ShellExecuteEx("open", "WINWORD.EXE", "C:\\docs\\Report.DOC", "", SW_SHOWNORMAL, &pid));
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(IsProcessRunning("winword.exe"));
    EXPECT_TRUE(QTest::qWaitFor(
        [] { return readHostFile(toHost("C:\\Office\\fakeword.args")) == "C:\\docs\\Report.DOC"; }));
    EXPECT_EQ(KillProcessByName("WINWORD.EXE"), 1);
    EXPECT_EQ(WaitForProcess(pid, 5000), WAIT_OBJECT_0);

    // A document type with an open command in HKCR runs that command.
    writeProgram("C:\\Office\\opener.EXE", "printf '%s\\n' \"$*\" > \"$0.args\"");
    ASSERT_TRUE(RegWriteString(Hive::HKCR, ".pvk", "", "pvkfile"));
    ASSERT_TRUE(
        RegWriteString(Hive::HKCR, "pvkfile\\shell\\open\\command", "", "\"C:\\Office\\opener.EXE\" \"%1\""));
    QFile pvk(toHost("C:\\docs\\a.pvk"));
    ASSERT_TRUE(pvk.open(QIODevice::WriteOnly));
    pvk.close();
    TestEnv::clearShellOpens();
    ASSERT_TRUE(ShellExecuteEx("open", "c:\\docs\\A.PVK", "", "", SW_SHOWNORMAL, &pid));
    EXPECT_EQ(WaitForProcess(pid, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(readHostFile(toHost("C:\\Office\\opener.EXE.args")), "C:\\docs\\a.pvk");
    EXPECT_TRUE(TestEnv::shellOpens().isEmpty());
}
