// The shell folder view model and the file clipboard: folder boundaries, My Computer
// without the host root, going up, and paste collisions that never lose a source.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <memory>

#include "platform/WinFileClipboard.h"
#include "platform/WinFiles.h"
#include "platform/WinPaths.h"
#include "platform/WinShellFolder.h"
#include "support/TestEnv.h"

using namespace win;
using pravik::test::TestEnv;

namespace {

void put(const QString& winPath, const QByteArray& data = "x")
{
    const QString h = toHost(winPath);
    QDir().mkpath(QFileInfo(h).absolutePath());
    QFile f(h);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QByteArray bytes(const QString& winPath)
{
    QFile f(toHost(winPath));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList names(const QList<ShellItem>& items)
{
    QStringList l;
    for (const ShellItem& i : items)
        l << i.name;
    return l;
}

class ShellFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnv::resetPrefix();
        ClearFileClipboard();
        put("D:\\ftp\\1\\DownLoad\\a.txt", "a");
        put("D:\\ftp\\1\\DownLoad\\sub\\b.txt", "b");
        put("D:\\ftp\\1\\DownLoadOld\\secret.txt", "s");
        put("C:\\up\\c.txt", "c");
    }
};

} // namespace

TEST_F(ShellFolderTest, ContainmentIsTestedAtAFolderBoundary)
{
    struct Row {
        const char* path;
        const char* folder;
        bool inside;
    };
    const Row rows[] = {
        {"D:\\ftp\\1\\DownLoad", "D:\\ftp\\1\\DownLoad", true},
        {"d:\\FTP\\1\\download\\", "D:\\ftp\\1\\DownLoad", true},
        {"D:\\ftp\\1\\DownLoad\\sub", "D:\\ftp\\1\\DownLoad", true},
        {"D:\\ftp\\1\\DownLoadOld", "D:\\ftp\\1\\DownLoad", false}, // a sibling with a longer name
        {"D:\\ftp\\1", "D:\\ftp\\1\\DownLoad", false},
        {"E:\\ftp\\1\\DownLoad", "D:\\ftp\\1\\DownLoad", false},
        {"D:\\anything", "D:\\", true},
        {"D:\\x", "", false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(PathIsInside(r.path, r.folder), r.inside) << r.path << " in " << r.folder;
}

TEST_F(ShellFolderTest, MyComputerListsTheDrivesButTheHostRoot)
{
    const QList<ShellItem> drives = MyComputerItems();
    ASSERT_FALSE(drives.isEmpty());
    for (const ShellItem& d : drives)
        EXPECT_NE(d.path.left(1).toUpper(), "Z") << d.name.toStdString();
    EXPECT_TRUE(names(drives).contains(QStringLiteral("本地磁盘 (D:)")));
    EXPECT_TRUE(GetLogicalDriveStrings().contains("Z:\\")) << "the host root is mapped, only not listed";
}

TEST_F(ShellFolderTest, FolderListingAndGoingUp)
{
    ShellFolder f;
    int changes = 0;
    f.OnFolderChanged = [&] { ++changes; };
    EXPECT_FALSE(f.SetFolder("D:\\ftp\\missing"));
    EXPECT_FALSE(f.SetFolder("D:\\ftp\\1\\DownLoad\\a.txt"));
    EXPECT_EQ(changes, 0);
    ASSERT_TRUE(f.SetFolder("d:/ftp/1/DownLoad/"));
    EXPECT_EQ(f.Folder(), "d:\\ftp\\1\\DownLoad");
    EXPECT_EQ(names(f.Items()), QStringList({"sub", "a.txt"})) << "folders first";
    f.Up();
    EXPECT_EQ(f.Folder(), "d:\\ftp\\1");
    f.Up();
    f.Up();
    EXPECT_EQ(f.Folder(), "d:\\");
    f.Up();
    EXPECT_TRUE(f.IsMyComputer());
    f.Up();
    EXPECT_TRUE(f.IsMyComputer());
    EXPECT_EQ(changes, 5);
}

TEST_F(ShellFolderTest, CopyPasteIntoAnotherFolderAndIntoTheSameFolder)
{
    SetFileClipboard({"C:\\up\\c.txt"}, FileClipMode::Copy);
    PasteResult r = PasteFileClipboard("D:\\ftp\\1\\DownLoad");
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(bytes("D:\\ftp\\1\\DownLoad\\c.txt"), "c");
    EXPECT_EQ(bytes("C:\\up\\c.txt"), "c");

    // Again into the same target: refused, nothing overwritten.
    put("C:\\up\\c.txt", "changed");
    r = PasteFileClipboard("D:\\ftp\\1\\DownLoad");
    EXPECT_EQ(r.failed, QStringList({"C:\\up\\c.txt"}));
    EXPECT_EQ(bytes("D:\\ftp\\1\\DownLoad\\c.txt"), "c");

    // Into its own folder: Explorer's copy names.
    SetFileClipboard({"D:\\ftp\\1\\DownLoad\\a.txt"}, FileClipMode::Copy);
    PasteFileClipboard("D:\\ftp\\1\\DownLoad");
    r = PasteFileClipboard("D:\\ftp\\1\\DownLoad");
    EXPECT_EQ(r.created, QStringList({QStringLiteral("D:\\ftp\\1\\DownLoad\\复件 (2) a.txt")}));
    EXPECT_EQ(bytes(QStringLiteral("D:\\ftp\\1\\DownLoad\\复件 a.txt")), "a");

    // A folder copied with its contents.
    SetFileClipboard({"D:\\ftp\\1\\DownLoad\\sub"}, FileClipMode::Copy);
    EXPECT_TRUE(PasteFileClipboard("C:\\up").ok());
    EXPECT_EQ(bytes("C:\\up\\sub\\b.txt"), "b");
}

TEST_F(ShellFolderTest, AFailedCutPasteKeepsItsSource)
{
    put("C:\\up\\a.txt", "mine");
    // A collision: refused, the source stays where it was and on the clipboard.
    SetFileClipboard({"C:\\up\\a.txt", "C:\\up\\c.txt"}, FileClipMode::Cut);
    PasteResult r = PasteFileClipboard("D:\\ftp\\1\\DownLoad");
    EXPECT_EQ(r.failed, QStringList({"C:\\up\\a.txt"}));
    EXPECT_EQ(bytes("C:\\up\\a.txt"), "mine");
    EXPECT_EQ(bytes("D:\\ftp\\1\\DownLoad\\a.txt"), "a");
    EXPECT_EQ(bytes("D:\\ftp\\1\\DownLoad\\c.txt"), "c");
    EXPECT_FALSE(PathIsFile("C:\\up\\c.txt"));
    EXPECT_EQ(FileClipboardPaths(), QStringList({"C:\\up\\a.txt"}));

    // A folder into itself, a missing source, a missing target.
    EXPECT_FALSE(TransferFiles({"D:\\ftp\\1"}, "D:\\ftp\\1\\DownLoad", true).ok());
    EXPECT_TRUE(PathIsFile("D:\\ftp\\1\\DownLoad\\a.txt"));
    EXPECT_FALSE(TransferFiles({"C:\\up\\none.txt"}, "D:\\ftp", false).ok());
    EXPECT_FALSE(TransferFiles({"C:\\up\\a.txt"}, "D:\\nowhere", true).ok());
    EXPECT_EQ(bytes("C:\\up\\a.txt"), "mine");

    // A folder moved across drives arrives whole and is gone from its place.
    r = TransferFiles({"D:\\ftp\\1\\DownLoad\\sub"}, "C:\\up", true);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(bytes("C:\\up\\sub\\b.txt"), "b");
    EXPECT_FALSE(PathIsDir("D:\\ftp\\1\\DownLoad\\sub"));
}

TEST_F(ShellFolderTest, DragPayloadCarriesWindowsPaths)
{
    const QStringList paths{"D:\\ftp\\1\\DownLoad\\a.txt", QStringLiteral("C:\\up\\复件 c.txt")};
    std::unique_ptr<QMimeData> data(MakeFileDragData(paths));
    EXPECT_EQ(FileDragPaths(data.get()), paths);
    EXPECT_EQ(data->urls().size(), 2);
    // A drop from another program (file URLs only) is read as well.
    QMimeData external;
    external.setUrls({QUrl::fromLocalFile(toHost("C:\\up\\c.txt"))});
    EXPECT_EQ(FileDragPaths(&external), QStringList({"C:\\up\\c.txt"}));
    EXPECT_TRUE(DropMoves({"D:\\a"}, "d:\\b"));
    EXPECT_FALSE(DropMoves({"C:\\a"}, "D:\\b"));
}
