// The drive letter, the mapping of the practice folder and its proof by the probe.
#include "EnvTestSupport.h"

#include <QElapsedTimer>

#include "environment/StuDirManage.h"

using namespace envtest;
using pravik::test::TestEnv;

namespace {

// Maps the given letters onto fresh folders for the life of the guard.
class MappedLetters {
public:
    explicit MappedLetters(const QString& letters)
    {
        for (const QChar l : letters) {
            const QString dir = TestEnv::freshDir(QString("drive_%1").arg(l));
            if (win::DefineDrive(l, win::fromHost(dir)))
                m_letters << l;
        }
    }
    ~MappedLetters()
    {
        for (const QChar l : m_letters)
            win::RemoveDrive(l);
    }
    int count() const { return m_letters.size(); }

private:
    QList<QChar> m_letters;
};

QString freeLettersDtoZ()
{
    QString used;
    for (const QString& d : win::GetLogicalDriveStrings())
        used += d.at(0);
    QString out;
    for (char c = 'D'; c <= 'Z'; ++c)
        if (!used.contains(QLatin1Char(c)))
            out += QLatin1Char(c);
    return out;
}

struct PickCase {
    const char* name;
    const char* input;
    const char* taken; // letters mapped before the call ("*" = every free one of D..Z)
    bool result;
    const char* letter; // the letter afterwards
};

class PickFreeDriveTable : public EnvFixture, public ::testing::WithParamInterface<PickCase> { };

TEST_P(PickFreeDriveTable, PicksTheLetter)
{
    const PickCase& c = GetParam();
    // The default drives of the prefix are C:, D: and Z:.
    ASSERT_EQ(win::GetLogicalDriveStrings(), QStringList({"C:\\", "D:\\", "Z:\\"}));
    const QString taken = QString(c.taken) == "*" ? freeLettersDtoZ() : QString(c.taken);
    MappedLetters mapped(taken);
    ASSERT_EQ(mapped.count(), taken.size());
    QString letter = c.input;
    EXPECT_EQ(PickFreeDrive(letter), c.result);
    EXPECT_EQ(letter, c.letter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PickFreeDriveTable,
    ::testing::Values(PickCase{"YFree", "Y", "", true, "Y"}, PickCase{"LowerCase", "y", "", true, "Y"},
                      // Y taken: from Z down, Z is a drive of the prefix, so X.
                      PickCase{"YTaken", "Y", "Y", true, "X"}, PickCase{"YXWTaken", "Y", "YXW", true, "V"},
                      PickCase{"AllTaken", "Y", "*", false, "D"}, PickCase{"C", "C", "", false, "C"},
                      PickCase{"B", "b", "", false, "b"}, PickCase{"TwoLetters", "YZ", "", false, "YZ"},
                      PickCase{"Empty", "", "", false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

class DriveTest : public EnvFixture {
protected:
    void SetUp() override
    {
        EnvFixture::SetUp();
        win::RemoveDrive('Y');
        installProbeFile();
        TStudents.StuNO = "20240101120000";
        practice = "D:\\StuExamData\\20240101120000\\20240101120000";
        QDir(host("D:\\StuExamData")).removeRecursively();
    }
    void TearDown() override
    {
        win::RemoveDrive('Y');
        EnvFixture::TearDown();
    }
    // The program folder's system.dll, as the build puts it beside the program.
    static void installProbeFile()
    {
        const QString probe = TestEnv::programDir() + "/system.dll";
        if (!QFileInfo::exists(probe))
            QFile::copy(TestEnv::buildBinDir() + "/system.dll", probe);
        ASSERT_TRUE(QFileInfo(probe).isFile())
            << "system.dll missing from " << TestEnv::buildBinDir().toStdString();
    }
    QString practice;
};

TEST_F(DriveTest, SubstCreateMapsAndSubstDeleteUnmaps)
{
    ASSERT_TRUE(QDir().mkpath(host(practice)));
    // The target keeps its trailing backslash, the console output goes beside it.
    EXPECT_TRUE(SubstCreate('Y', practice + "\\"));
    EXPECT_EQ(win::QueryDrive('Y'), practice);
    EXPECT_TRUE(QFileInfo(host(practice + "\\subst.txt")).isFile());
    EXPECT_EQ(QFileInfo(host(practice + "\\subst.txt")).size(), 0);
    EXPECT_EQ(log->lines,
              QStringList({"udmdb.SubstCreate in ", "创建虚拟盘成功:42", "dmdb.SubstCreate out"}));

    // The letter exists now: refused at once.
    log->lines.clear();
    EXPECT_FALSE(SubstCreate('Y', practice));
    EXPECT_EQ(log->lines, QStringList({"udmdb.SubstCreate in ", "udmdb.SubstCreate 存在Y:\\"}));

    RemoveVirtualDrive(" y ");
    EXPECT_TRUE(win::QueryDrive('Y').isEmpty());
    RemoveVirtualDrive("YZ"); // not one letter: nothing happens
    EXPECT_FALSE(win::DriveHostTarget('Z').isEmpty());
}

TEST_F(DriveTest, SubstCreateFailsWhenTheConsoleReportsAnError)
{
    // A missing folder: the console refuses and nothing is mapped.
    EXPECT_FALSE(SubstCreate('Y', "D:\\no\\such\\folder"));
    EXPECT_TRUE(win::QueryDrive('Y').isEmpty());
}

TEST_F(DriveTest, RunAndWaitReportsExitCodesOfTheConsole)
{
    ASSERT_TRUE(QDir().mkpath(host(practice)));
    EXPECT_EQ(RunAndWait(QString("cmd /c subst.exe  Y: \"%1\" ").arg(practice), 0), 0);
    EXPECT_EQ(RunAndWait("cmd /c subst.exe  Y: /d ", 0), 0);
    EXPECT_EQ(RunAndWait("cmd /c subst.exe  Y: /d ", 0), 1);
    EXPECT_EQ(RunAndWait("no-such-program-here.exe", 0), -1);
    EXPECT_EQ(RunAndWait("cmd /c subst.exe Y: \"" + QString(600, 'a') + "\"", 0), -1);
}

TEST_F(DriveTest, CreateDiskProvesTheMappingThroughTheProbe)
{
    strCurDisk = "Y";
    ASSERT_TRUE(CreateDisk(practice));
    EXPECT_EQ(win::QueryDrive('Y'), practice);
    // The probe went through the drive letter and is gone from the folder.
    EXPECT_FALSE(QFileInfo::exists(host(practice + "\\20240101120000.dll")));
    EXPECT_EQ(log->lines.first(), "unDMDB.CreateDisk in ,strDir:" + practice + ",strCurDisk:Y");
    EXPECT_TRUE(log->lines.contains("创建虚拟盘成功:42"));
    EXPECT_EQ(log->lines.last(), "unDMDB.CreateDisk out ");
    // A file written through the folder is seen under the letter.
    WriteHostFile(host(practice + "\\a.txt"), "abc");
    EXPECT_EQ(ReadHostFile(host("Y:\\a.txt")), "abc");
}

TEST_F(DriveTest, CreateDiskFailsWhenTheLetterIsTaken)
{
    const QString other = TestEnv::freshDir("other_y");
    ASSERT_TRUE(win::DefineDrive('Y', win::fromHost(other)));
    strCurDisk = "Y";
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(CreateDisk(practice));
    EXPECT_GE(t.elapsed(), 1900);
    EXPECT_LT(t.elapsed(), 6000);
    EXPECT_TRUE(log->lines.contains("udmdb.SubstCreate 存在Y:\\"));
    // The mapping of the other folder is untouched, the folder gets no probe left over.
    EXPECT_EQ(win::DriveHostTarget('Y'), QFileInfo(other).absoluteFilePath());
    EXPECT_TRUE(treeOf(other).isEmpty());
    EXPECT_TRUE(treeOf(host(practice)).isEmpty());
}

TEST_F(DriveTest, CreateDiskWithoutProbeFileFails)
{
    QFile::remove(TestEnv::programDir() + "/system.dll");
    strCurDisk = "Y";
    EXPECT_FALSE(CreateDisk(practice));
    EXPECT_TRUE(QFileInfo(host(practice)).isDir());
    installProbeFile();
}

} // namespace
