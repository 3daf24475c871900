// The shell's file information: type names and icon kinds by extension (with the
// fallback for unknown extensions), folders, sizes and times of real entries, links
// described as links, missing paths.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/WinFileInfo.h"
#include "platform/WinPaths.h"
#include "support/TestEnv.h"

using namespace win;
using pravik::test::TestEnv;

namespace {

struct TypeCase {
    const char* name;
    const char* type;
    FileIconKind icon;
};

const TypeCase kTypes[] = {
    {"笔记.txt", "文本文档", FileIconKind::Text},
    {"REPORT.DOC", "Microsoft Word 文档", FileIconKind::Word}, // letter case of the extension ignored
    {"成绩.xls", "Microsoft Excel 工作表", FileIconKind::Excel},
    {"图片文件.bmp", "BMP 图像", FileIconKind::Image},
    {"聊天工具.exe", "应用程序", FileIconKind::Application},
    {"a.b.rar", "WinRAR 压缩文件", FileIconKind::Archive}, // the last extension counts
    {"歌.wav", "媒体文件(.wav)", FileIconKind::Audio},
    {"数据.xyz", "XYZ 文件", FileIconKind::Generic}, // unknown: "XXX 文件"
    {"README", "文件", FileIconKind::Generic}, // no extension
    {"点结尾.", "文件", FileIconKind::Generic},
};

TEST(FileInfo, TypeNamesAndIconsByExtension)
{
    for (const TypeCase& c : kTypes) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ShellTypeName(QString::fromUtf8(c.name)), QString::fromUtf8(c.type));
        EXPECT_EQ(ShellIconKind(QString::fromUtf8(c.name)), c.icon);
    }
    EXPECT_EQ(ShellTypeName(QStringLiteral("资料.txt"), true), QStringLiteral("文件夹"));
    EXPECT_EQ(ShellIconKind(QStringLiteral("资料.txt"), true), FileIconKind::Folder);
}

TEST(FileInfo, RealEntriesLinksAndMissingPaths)
{
    const QString dir = TestEnv::freshDir("fileinfo");
    QFile f(dir + "/说明.txt");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(1500, 'x'));
    f.close();
    QDir(dir).mkdir("旧照片.jpg"); // a folder whose name looks like a picture
    ASSERT_TRUE(QFile::link(dir + "/说明.txt", dir + "/链接.txt"));
    const QString winDir = fromHost(dir);

    const ShellFileInfo file = GetShellFileInfo(winDir + "\\说明.txt");
    EXPECT_TRUE(file.exists);
    EXPECT_FALSE(file.isDir);
    EXPECT_EQ(file.displayName, QStringLiteral("说明.txt"));
    EXPECT_EQ(file.typeName, QStringLiteral("文本文档"));
    EXPECT_EQ(file.size, 1500);
    EXPECT_TRUE(file.lastWrite.isValid());

    const ShellFileInfo folder = GetShellFileInfo(winDir + "\\旧照片.jpg\\");
    EXPECT_TRUE(folder.exists);
    EXPECT_TRUE(folder.isDir);
    EXPECT_EQ(folder.displayName, QStringLiteral("旧照片.jpg"));
    EXPECT_EQ(folder.typeName, QStringLiteral("文件夹"));
    EXPECT_EQ(folder.icon, FileIconKind::Folder);
    EXPECT_EQ(folder.size, -1);

    // A link is not followed: it is a shortcut, not the text file it points at.
    const ShellFileInfo link = GetShellFileInfo(winDir + "\\链接.txt");
    EXPECT_TRUE(link.exists);
    EXPECT_EQ(link.icon, FileIconKind::Link);
    EXPECT_EQ(link.typeName, QStringLiteral("快捷方式"));
    EXPECT_EQ(link.size, -1);

    EXPECT_FALSE(GetShellFileInfo(winDir + "\\没有.txt").exists);
    EXPECT_FALSE(GetShellFileInfo(QStringLiteral("relative.txt")).exists);
}

} // namespace
