// The file operations: links are never followed, read-only files, collisions, and a
// write that replaces a file whole.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/WinFiles.h"
#include "platform/WinPaths.h"
#include "support/TestEnv.h"
#include "support/TestFiles.h"

using namespace win;
using pravik::test::TestEnv;
using pravik::test::WriteHostFile;

namespace {

QString host(const QString& winPath) { return toHost(winPath); }

void put(const QString& winPath, const QByteArray& data = "x") { WriteHostFile(host(winPath), data); }

QByteArray bytes(const QString& winPath)
{
    QFile f(host(winPath));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void makeReadOnly(const QString& winPath)
{
    ASSERT_TRUE(SetFileAttributes(winPath, FILE_ATTRIBUTE_READONLY));
}

class Files : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnv::resetPrefix();
        put("D:\\w\\a.txt", "new");
        // Outside the working folder, reachable only through a link inside it.
        put("C:\\keep\\precious.txt", "precious");
        QFile::link(host("C:\\keep"), host("D:\\w") + "/link");
        QFile::link(host("C:\\keep\\precious.txt"), host("D:\\w") + "/filelink.txt");
    }
};

} // namespace

TEST_F(Files, CopyFileReplacesOrRefusesAsAsked)
{
    put("D:\\w\\b.txt", "old");
    EXPECT_FALSE(CopyFile("D:\\w\\a.txt", "D:\\w\\b.txt", true));
    EXPECT_EQ(bytes("D:\\w\\b.txt"), "old");
    makeReadOnly("D:\\w\\b.txt");
    EXPECT_TRUE(CopyFile("D:\\w\\a.txt", "D:\\w\\B.TXT", false))
        << "an existing read-only target is replaced";
    EXPECT_EQ(bytes("D:\\w\\b.txt"), "new");
    EXPECT_FALSE(QFileInfo::exists(host("D:\\w") + "/B.TXT")) << "the existing name is kept, not doubled";
}

TEST_F(Files, CopyFileNeverReadsOrWritesThroughALink)
{
    EXPECT_FALSE(CopyFile("D:\\w\\filelink.txt", "D:\\w\\c.txt", false));
    EXPECT_FALSE(QFileInfo::exists(host("D:\\w") + "/c.txt"));
    EXPECT_TRUE(CopyFile("D:\\w\\a.txt", "D:\\w\\filelink.txt", false));
    EXPECT_EQ(bytes("C:\\keep\\precious.txt"), "precious") << "the link is replaced, its target untouched";
    EXPECT_FALSE(QFileInfo(host("D:\\w") + "/filelink.txt").isSymLink());
    EXPECT_FALSE(CopyFile("D:\\w\\missing.txt", "D:\\w\\d.txt", false));
    EXPECT_FALSE(CopyFile("D:\\w\\a.txt", "D:\\w\\link", false)) << "a folder is in the way";
}

TEST_F(Files, DeleteTreeRemovesLinksButNotWhatTheyPointAt)
{
    put("D:\\w\\sub\\deep.txt");
    makeReadOnly("D:\\w\\sub\\deep.txt");
    EXPECT_TRUE(DeleteTree("D:\\w", true, false));
    EXPECT_FALSE(QFileInfo::exists(host("D:\\") + "/w"));
    EXPECT_EQ(bytes("C:\\keep\\precious.txt"), "precious");
    EXPECT_TRUE(DeleteTree("D:\\does-not-exist", true, false)) << "a missing folder is a success";
}

TEST_F(Files, DeleteTreeKeepingFilesRemovesOnlyEmptyFolders)
{
    put("D:\\w\\sub\\deep.txt");
    QDir().mkpath(host("D:\\w") + "/empty/inner");
    EXPECT_FALSE(DeleteTree("D:\\w", true, true)) << "the root cannot go while files are kept";
    EXPECT_TRUE(QFileInfo::exists(host("D:\\w\\sub\\deep.txt")));
    EXPECT_FALSE(QFileInfo::exists(host("D:\\w") + "/empty"));
}

TEST_F(Files, DeleteFileHonoursReadOnlyUnlessForced)
{
    makeReadOnly("D:\\w\\a.txt");
    EXPECT_FALSE(DeleteFile("D:\\w\\a.txt"));
    EXPECT_TRUE(DeleteFile("D:\\w\\a.txt", true));
    EXPECT_TRUE(DeleteFile("D:\\w\\filelink.txt"));
    EXPECT_EQ(bytes("C:\\keep\\precious.txt"), "precious");
    EXPECT_FALSE(DeleteFile("D:\\w\\link")) << "a link to a folder is removed with RemoveDirectory";
    EXPECT_TRUE(RemoveDirectory("D:\\w\\link"));
    EXPECT_TRUE(QFileInfo::exists(host("C:\\keep\\precious.txt")));
}

TEST_F(Files, MoveFileRefusesACollisionAndKeepsBoth)
{
    put("D:\\w\\b.txt", "old");
    EXPECT_FALSE(MoveFile("D:\\w\\a.txt", "D:\\w\\b.txt"));
    EXPECT_EQ(bytes("D:\\w\\a.txt"), "new");
    EXPECT_EQ(bytes("D:\\w\\b.txt"), "old");
    EXPECT_TRUE(MoveFile("D:\\w\\a.txt", "C:\\moved.txt"));
    EXPECT_EQ(bytes("C:\\moved.txt"), "new");
    EXPECT_FALSE(QFileInfo::exists(host("D:\\w") + "/a.txt"));
}

TEST_F(Files, CopyTreeCopiesFoldersAndSkipsLinks)
{
    put("D:\\w\\sub\\deep.txt", "deep");
    EXPECT_TRUE(CopyTree("D:\\w", "C:\\copy"));
    EXPECT_EQ(bytes("C:\\copy\\a.txt"), "new");
    EXPECT_EQ(bytes("C:\\copy\\sub\\deep.txt"), "deep");
    EXPECT_FALSE(QFileInfo::exists(host("C:\\copy") + "/link"));
    EXPECT_FALSE(QFileInfo::exists(host("C:\\copy") + "/filelink.txt"));
}

TEST_F(Files, WriteFileAtomicReplacesTheWholeFile)
{
    EXPECT_TRUE(WriteFileAtomic("D:\\w\\a.txt", "replaced"));
    EXPECT_EQ(bytes("D:\\w\\a.txt"), "replaced");
    EXPECT_FALSE(WriteFileAtomic("D:\\w\\filelink.txt", "no")) << "never written through a link";
    EXPECT_EQ(bytes("C:\\keep\\precious.txt"), "precious");
    EXPECT_EQ(QDir(host("D:\\w")).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << "no temporary file is left";
}

namespace {

// A fresh folder for one test, as a Windows path without trailing backslash.
QString freshWinDir(const QString& name)
{
    QString p = fromHost(TestEnv::freshDir(name));
    while (p.endsWith('\\'))
        p.chop(1);
    return p;
}

// Builds  root\f1, root\sub\f2 (read-only), root\sub\deep\ (empty), root\empty\ .
QString buildTree(const QString& name)
{
    const QString root = freshWinDir(name) + "\\root";
    const QString h = win::toHost(root);
    WriteHostFile(h + "/f1.txt");
    WriteHostFile(h + "/sub/f2.txt");
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

TEST(FileTree, DeleteTreeSwitches)
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
        EXPECT_EQ(win::DeleteTree(root, c.removeRoot, c.keepFiles), c.result) << c.removeRoot << c.keepFiles;
        EXPECT_EQ(remaining(root), c.left) << c.removeRoot << c.keepFiles;
    }
    EXPECT_TRUE(win::DeleteTree(freshWinDir("delmissing") + "\\not-there", true, false));
}

TEST(FileTree, DeleteTreeDoesNotFollowLinks)
{
    const QString base = freshWinDir("dellink");
    const QString hb = win::toHost(base);
    WriteHostFile(hb + "/outside/keep.txt");
    QDir().mkpath(hb + "/tree");
    ASSERT_TRUE(QFile::link(hb + "/outside", hb + "/tree/link"));
    EXPECT_TRUE(win::DeleteTree(base + "\\tree", true, false));
    EXPECT_FALSE(QFileInfo(hb + "/tree").exists());
    EXPECT_TRUE(QFileInfo::exists(hb + "/outside/keep.txt"));
}

TEST(FileTree, CopyFilesByPattern)
{
    const QString base = freshWinDir("copy");
    const QString h = win::toHost(base);
    WriteHostFile(h + "/src/a.lnk", "A");
    WriteHostFile(h + "/src/B.LNK", "B");
    WriteHostFile(h + "/src/c.txt", "C");
    WriteHostFile(h + "/src/noext", "N");
    QDir().mkpath(h + "/src/dir.lnk");
    WriteHostFile(h + "/dst/a.lnk", "old");

    EXPECT_TRUE(win::CopyFiles(base + "\\src", base + "\\dst\\", "*.lnk"));
    QStringList got = QDir(h + "/dst").entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    EXPECT_EQ(got, QStringList({"B.LNK", "a.lnk"}));
    QFile f(h + "/dst/a.lnk");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("A")); // overwritten

    // "*.*" is every file, also one without an extension; a missing target is created.
    EXPECT_TRUE(win::CopyFiles(base + "\\src", base + "\\new\\deeper", "*.*"));
    got = QDir(h + "/new/deeper").entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(got, QStringList({"B.LNK", "a.lnk", "c.txt", "noext"}));
}

} // namespace
