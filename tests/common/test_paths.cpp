#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/PathUtils.h"
#include "platform/WinPaths.h"
#include "support/TestEnv.h"
#include "support/TestFiles.h"

using namespace pathutil;
using pravik::test::TestEnv;
using pravik::test::WriteHostFile;

namespace {

// A fresh folder for one test, as a Windows path without trailing backslash.
QString freshWinDir(const QString& name)
{
    return ExcludeTrailingBackslash(win::fromHost(TestEnv::freshDir(name)));
}

struct NormCase {
    const char* in;
    const char* with;
    const char* without;
};

TEST(PathUtils, NormalizeDir)
{
    const NormCase cases[] = {
        {"  C:/a//b\\\\c  ", "C:\\a\\b\\c\\", "C:\\a\\b\\c"},
        {"D:\\x\\", "D:\\x\\", "D:\\x"},
        {"D:\\", "D:\\", "D:"},
        {"", "", ""},
        {"rel/dir", "rel\\dir\\", "rel\\dir"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NormalizeDir(c.in, true), QString(c.with)) << c.in;
        EXPECT_EQ(NormalizeDir(c.in, false), QString(c.without)) << c.in;
    }
    EXPECT_EQ(IncludeTrailingBackslash("C:\\a"), "C:\\a\\");
    EXPECT_EQ(IncludeTrailingBackslash("C:\\a\\"), "C:\\a\\");
    EXPECT_EQ(IncludeTrailingBackslash(""), "");
}

TEST(PathUtils, ExtractParts)
{
    struct {
        const char* in;
        const char* path;
        const char* name;
        const char* ext;
    } cases[] = {
        {"C:\\a\\b.txt", "C:\\a\\", "b.txt", ".txt"},
        {"C:\\a.dir\\file", "C:\\a.dir\\", "file", ""},
        {"C:b.tar.gz", "C:", "b.tar.gz", ".gz"},
        {"name", "", "name", ""},
        {"C:\\a\\", "C:\\a\\", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.in), QString(c.path)) << c.in;
        EXPECT_EQ(ExtractFileName(c.in), QString(c.name)) << c.in;
        EXPECT_EQ(ExtractFileExt(c.in), QString(c.ext)) << c.in;
    }
}

TEST(PathUtils, ForceDirectoriesAndExistence)
{
    const QString base = freshWinDir("force");
    WriteHostFile(win::toHost(base + "\\file.txt"));

    EXPECT_FALSE(ForceDirectories(""));
    EXPECT_FALSE(ForceDirectories("   "));
    EXPECT_TRUE(ForceDirectories("C:\\")); // an existing drive root
    EXPECT_TRUE(ForceDirectories("C:"));
    EXPECT_FALSE(ForceDirectories("Q:\\nowhere")); // drive not mapped
    EXPECT_FALSE(ForceDirectories(base + "\\file.txt\\sub")); // a file is in the way
    EXPECT_TRUE(ForceDirectories(base + "/a//b\\c\\"));
    EXPECT_TRUE(QFileInfo(win::toHost(base + "\\a\\b\\c")).isDir());
    EXPECT_TRUE(ForceDirectories(base + "\\A\\B")); // existing, other letter case

    EXPECT_TRUE(FileExists(base + "\\file.txt"));
    EXPECT_TRUE(FileExists(base + "\\FILE.TXT"));
    EXPECT_FALSE(FileExists(base + "\\a")); // folders are not files
    EXPECT_FALSE(FileExists(base + "\\missing.txt"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(DirectoryExists(base + "\\a\\b"));
    EXPECT_FALSE(DirectoryExists(base + "\\file.txt"));
}

} // namespace
