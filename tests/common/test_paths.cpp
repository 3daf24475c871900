#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/PathUtils.h"
#include "platform/WinPaths.h"
#include "support/TestEnv.h"

using namespace pathutil;
using pravik::test::TestEnv;

namespace {

void writeHostFile(const QString& host, const QByteArray& data = "x")
{
    QDir().mkpath(QFileInfo(host).absolutePath());
    QFile f(host);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << host.toStdString();
    f.write(data);
}

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
    struct { const char* in; const char* path; const char* name; const char* ext; } cases[] = {
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
    writeHostFile(win::toHost(base + "\\file.txt"));

    EXPECT_FALSE(ForceDirectories(""));
    EXPECT_FALSE(ForceDirectories("   "));
    EXPECT_TRUE(ForceDirectories("C:\\"));          // an existing drive root
    EXPECT_TRUE(ForceDirectories("C:"));
    EXPECT_FALSE(ForceDirectories("Q:\\nowhere"));  // drive not mapped
    EXPECT_FALSE(ForceDirectories(base + "\\file.txt\\sub"));  // a file is in the way
    EXPECT_TRUE(ForceDirectories(base + "/a//b\\c\\"));
    EXPECT_TRUE(QFileInfo(win::toHost(base + "\\a\\b\\c")).isDir());
    EXPECT_TRUE(ForceDirectories(base + "\\A\\B"));   // existing, other letter case

    EXPECT_TRUE(FileExists(base + "\\file.txt"));
    EXPECT_TRUE(FileExists(base + "\\FILE.TXT"));
    EXPECT_FALSE(FileExists(base + "\\a"));           // folders are not files
    EXPECT_FALSE(FileExists(base + "\\missing.txt"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(DirectoryExists(base + "\\a\\b"));
    EXPECT_FALSE(DirectoryExists(base + "\\file.txt"));
}

// Builds  root\f1, root\sub\f2 (read-only), root\sub\deep\ (empty), root\empty\ .
QString buildTree(const QString& name)
{
    const QString root = freshWinDir(name) + "\\root";
    const QString h = win::toHost(root);
    writeHostFile(h + "/f1.txt");
    writeHostFile(h + "/sub/f2.txt");
    QFile::setPermissions(h + "/sub/f2.txt", QFile::ReadOwner);
    QDir().mkpath(h + "/sub/deep");
    QDir().mkpath(h + "/empty");
    return root;
}

QStringList remaining(const QString& winRoot)
{
    QStringList out;
    const QString h = win::toHost(winRoot);
    if (!QFileInfo(h).exists())
        return {"<gone>"};
    for (const char* rel : {"f1.txt", "sub", "sub/f2.txt", "sub/deep", "empty"})
        if (QFileInfo::exists(h + "/" + QString(rel)))
            out << rel;
    return out;
}

TEST(PathUtils, DeleteTreeSwitches)
{
    struct Case {
        bool removeRoot, keepFiles, result;
        QStringList left;
    } cases[] = {
        {false, false, true, {}},
        {true, false, true, {"<gone>"}},
        // Files kept: the folders that hold them cannot go, and that is a failure.
        {false, true, false, {"f1.txt", "sub", "sub/f2.txt"}},
        {true, true, false, {"f1.txt", "sub", "sub/f2.txt"}},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString root = buildTree(QString("del%1").arg(n++));
        EXPECT_EQ(DeleteTree(root, c.removeRoot, c.keepFiles), c.result)
            << c.removeRoot << c.keepFiles;
        EXPECT_EQ(remaining(root), c.left) << c.removeRoot << c.keepFiles;
    }
    EXPECT_TRUE(DeleteTree(freshWinDir("delmissing") + "\\not-there", true, false));
}

TEST(PathUtils, DeleteTreeDoesNotFollowLinks)
{
    const QString base = freshWinDir("dellink");
    const QString hb = win::toHost(base);
    writeHostFile(hb + "/outside/keep.txt");
    QDir().mkpath(hb + "/tree");
    ASSERT_TRUE(QFile::link(hb + "/outside", hb + "/tree/link"));
    EXPECT_TRUE(DeleteTree(base + "\\tree", true, false));
    EXPECT_FALSE(QFileInfo(hb + "/tree").exists());
    EXPECT_TRUE(QFileInfo::exists(hb + "/outside/keep.txt"));
}

TEST(PathUtils, CopyFilesByPattern)
{
    const QString base = freshWinDir("copy");
    const QString h = win::toHost(base);
    writeHostFile(h + "/src/a.lnk", "A");
    writeHostFile(h + "/src/B.LNK", "B");
    writeHostFile(h + "/src/c.txt", "C");
    writeHostFile(h + "/src/noext", "N");
    QDir().mkpath(h + "/src/dir.lnk");
    writeHostFile(h + "/dst/a.lnk", "old");

    EXPECT_TRUE(CopyFilesByPattern(base + "\\src", base + "\\dst\\", "*.lnk"));
    QStringList got = QDir(h + "/dst").entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    EXPECT_EQ(got, QStringList({"B.LNK", "a.lnk"}));
    QFile f(h + "/dst/a.lnk");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("A"));   // overwritten

    // "*.*" is every file, also one without an extension; a missing target is created.
    EXPECT_TRUE(CopyFilesByPattern(base + "\\src", base + "\\new\\deeper", "*.*"));
    got = QDir(h + "/new/deeper").entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(got, QStringList({"B.LNK", "a.lnk", "c.txt", "noext"}));
}

} // namespace
