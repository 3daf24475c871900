// The substitute environment checker: which versions the emulated registry has
// installed, written into checksoftresult.ini of the program folder.
#include <QFile>
#include <QProcess>

#include "LaunchFixture.h"
#include "common/IniFile.h"
#include "platform/WinPaths.h"
#include "support/TestEnv.h"

using namespace launchtest;
using pravik::test::TestEnv;

namespace {

class EnvChecker : public LaunchTest {
protected:
    int runChecker(const QStringList& args)
    {
        QProcess p;
        p.start(TestEnv::buildBinDir() + "/EnvironCheckClient.exe", args);
        if (!p.waitForFinished(10000)) {
            p.kill();
            p.waitForFinished(1000);
            return -1;
        }
        return p.exitCode();
    }
    QString resultFile() const { return win::ProgramDir() + "checksoftresult.ini"; }
    QString result(const QString& key) const
    {
        return TIniFile(resultFile()).ReadString("CheckResult", key, "absent");
    }
};

TEST_F(EnvChecker, DecidesEachCodeFromTheRegistry)
{
    const QString word = fakeProgram("WINWORD.EXE", dir + "/a", false);
    const QString excel = fakeProgram("EXCEL.EXE", dir + "/b", false);
    const QString paint = fakeProgram("mspaint.exe", dir + "/c", false);
    // Word through its class open command, Excel through App Paths for 2003 only,
    // Paint registered with a program that does not exist.
    registerClass("wordhtmlfile", "\"" + word + "\" /n /dde \"%1\"");
    registerAppPath("EXCEL.EXE", excel, "12");
    registerAppPath("mspaint.exe", win::fromHost(dir + "/gone/mspaint.exe"));
    Q_UNUSED(paint);

    ASSERT_EQ(runChecker({"Tamry_CheckEnv", "1,3,11,12,170,999"}), 0);

    EXPECT_EQ(result("1"), QString("1"));
    EXPECT_EQ(result("3"), QString("1"));
    EXPECT_EQ(result("11"), QString("0"));
    EXPECT_EQ(result("12"), QString("1"));
    EXPECT_EQ(result("170"), QString("0"));
    EXPECT_EQ(result("999"), QString("0"));
    EXPECT_EQ(result("100"), QString("absent"));
    EXPECT_NE(result("CheckTime"), QString("absent"));
}

TEST_F(EnvChecker, SingleCodeAsTheClientPassesIt)
{
    const QString ie = fakeProgram("IEXPLORE.EXE", dir + "/a", false);
    registerAppPath("IEXPLORE.EXE", ie);
    ASSERT_EQ(runChecker({"Tamry_CheckEnv", "100"}), 0);
    EXPECT_EQ(TIniFile(resultFile()).ReadSection("CheckResult"), (QStringList{"100", "CheckTime"}));
    EXPECT_EQ(result("100"), QString("1"));
}

TEST_F(EnvChecker, OtherCommandLinesWriteNothing)
{
    EXPECT_EQ(runChecker({}), 2);
    EXPECT_EQ(runChecker({"CheckEnv", "1"}), 2);
    EXPECT_FALSE(QFile::exists(win::toHost(resultFile())));
}

} // namespace
