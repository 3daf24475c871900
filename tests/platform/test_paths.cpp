// Drives and paths: case-insensitive resolution, ".." folding, the drive map.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/WinPaths.h"
#include "support/TestEnv.h"
#include "support/TestFiles.h"

using namespace win;
using pravik::test::TestEnv;
using pravik::test::WriteHostFile;

namespace {

} // namespace

TEST(Paths, PrefixHasDefaultDrives)
{
    TestEnv::resetPrefix();
    EXPECT_EQ(PrefixDir(), QDir::cleanPath(TestEnv::prefixDir()));
    EXPECT_EQ(GetLogicalDriveStrings(), (QStringList{"C:\\", "D:\\", "Z:\\"}));
    EXPECT_EQ(DriveHostTarget('c'), TestEnv::prefixDir() + "/drive_c");
    EXPECT_EQ(DriveHostTarget('Z'), "/");
    EXPECT_EQ(GetDriveType("D:\\"), DRIVE_FIXED);
    EXPECT_EQ(GetDriveType("Q:"), DRIVE_NO_ROOT_DIR);
    EXPECT_GT(DiskFree("C:\\"), 0);
    EXPECT_EQ(DiskFree("Q:\\"), -1);
}

TEST(Paths, ToHostResolvesCaseAndFoldsDots)
{
    const QString c = DriveHostTarget('C');
    WriteHostFile(c + "/Exam/Sub/Q.zip");
    struct Case {
        const char* win;
        QString host;
    } cases[] = {
        {"C:\\EXAM\\sub\\Q.ZIP", c + "/Exam/Sub/Q.zip"}, // existing entries keep their case
        {"c:/exam/SUB/New Folder/A.txt", c + "/Exam/Sub/New Folder/A.txt"}, // new ones keep the asked case
        {"C:\\Exam\\.\\x\\..\\Sub\\q.zip", c + "/Exam/Sub/Q.zip"},
        {"C:\\Exam\\..\\..", ""}, // climbs above the root
        {"C:\\..\\Windows", ""},
        {"C:", c},
        {"C:\\", c},
        {"Q:\\x", ""}, // unmapped letter
        {"relative\\x", ""},
        {"\\\\server\\share", ""},
        {"", ""},
    };
    for (const auto& tc : cases)
        EXPECT_EQ(toHost(QString::fromUtf8(tc.win)), tc.host) << tc.win;
}

TEST(Paths, FromHostUsesTheLongestDrive)
{
    const QString c = DriveHostTarget('C');
    EXPECT_EQ(fromHost(c + "/Exam/a.txt"), "C:\\Exam\\a.txt");
    EXPECT_EQ(fromHost(c), "C:\\");
    EXPECT_EQ(fromHost("/usr/bin"), "Z:\\usr\\bin");
    EXPECT_EQ(fromHost("relative"), "");
    EXPECT_TRUE(ProgramDir().endsWith('\\'));
    EXPECT_EQ(toHost(ProgramDir()), QDir::cleanPath(TestEnv::programDir()));
}

TEST(Paths, SubstLinkShowsOneFileUnderBothPaths)
{
    const QString d = DriveHostTarget('D');
    QDir().mkpath(d + "/StuExamData/1/1");
    EXPECT_EQ(QueryDrive('Y'), "");
    ASSERT_TRUE(DefineDrive('y', "D:\\StuExamData\\1\\1\\"));
    EXPECT_FALSE(DefineDrive('Y', "D:\\StuExamData")) << "an existing letter is refused";
    EXPECT_FALSE(DefineDrive('X', "D:\\NoSuchFolder"));
    EXPECT_FALSE(DefineDrive('1', "D:\\StuExamData"));
    EXPECT_EQ(QueryDrive('Y'), "D:\\StuExamData\\1\\1");
    EXPECT_TRUE(GetLogicalDriveStrings().contains("Y:\\"));

    WriteHostFile(toHost("D:\\StuExamData\\1\\1\\1.dll"), "probe");
    EXPECT_TRUE(PathIsFile("Y:\\1.DLL"));
    QFile viaY(toHost("Y:\\1.dll"));
    ASSERT_TRUE(viaY.open(QIODevice::ReadOnly));
    EXPECT_EQ(viaY.readAll(), "probe");

    EXPECT_TRUE(RemoveDrive('Y'));
    EXPECT_FALSE(RemoveDrive('Y'));
    EXPECT_FALSE(PathIsFile("Y:\\1.dll"));
    EXPECT_TRUE(PathIsFile("D:\\StuExamData\\1\\1\\1.dll")) << "removing the drive keeps the files";
    EXPECT_FALSE(RemoveDrive('C')) << "the prefix's own disks are not mappings";
}

TEST(Paths, ReadOnlyAttribute)
{
    WriteHostFile(toHost("C:\\attr\\f.txt"));
    EXPECT_EQ(GetFileAttributes("C:\\attr\\F.TXT"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributes("C:\\attr"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributes("C:\\attr\\none"), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(SetFileAttributes("C:\\attr\\f.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributes("C:\\attr\\f.txt"), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(QFileInfo(toHost("C:\\attr\\f.txt")).permissions() & QFile::WriteOwner);
    ASSERT_TRUE(SetFileAttributes("C:\\attr\\f.txt", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributes("C:\\attr\\f.txt"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(SetFileAttributes("Q:\\f.txt", FILE_ATTRIBUTE_NORMAL));
}

TEST(Paths, FindFilesWithWildcards)
{
    for (const char* n : {"a.doc", "B.DOC", "Q1.zip", "Q22.zip", "noext"})
        WriteHostFile(toHost(QString("C:\\find\\") + n));
    QDir().mkpath(toHost("C:\\find\\sub"));
    auto names = [](const QString& pattern, bool dots = false) {
        QStringList l;
        for (const auto& e : FindFiles("C:\\FIND", pattern, dots))
            l << e.name;
        return l;
    };
    EXPECT_EQ(names("*.*"), (QStringList{"a.doc", "B.DOC", "noext", "Q1.zip", "Q22.zip", "sub"}));
    EXPECT_EQ(names("*.doc"), (QStringList{"a.doc", "B.DOC"}));
    EXPECT_EQ(names("q?.ZIP"), (QStringList{"Q1.zip"}));
    EXPECT_EQ(names("noext.*"), (QStringList{"noext"}));
    EXPECT_EQ(names("*", true).mid(0, 2), (QStringList{".", ".."}));
    EXPECT_TRUE(FindFiles("Q:\\", "*.*").isEmpty());
    const auto entries = FindFiles("C:\\find", "sub");
    ASSERT_EQ(entries.size(), 1);
    EXPECT_TRUE(entries[0].isDir);
}
