// Special folders, the temporary folder and GBK text.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QThread>

#include "platform/Ansi.h"
#include "platform/WinPaths.h"
#include "platform/WinRegistry.h"
#include "platform/WinShell.h"
#include "platform/WinTypes.h"

using namespace win;

TEST(Shell, SpecialFoldersLiveOnDriveC)
{
    for (int csidl :
         {CSIDL_DESKTOP, CSIDL_PERSONAL, CSIDL_FAVORITES, CSIDL_RECENT, CSIDL_APPDATA, CSIDL_WINDOWS}) {
        const QString p = GetSpecialFolder(csidl);
        EXPECT_TRUE(p.startsWith("C:\\", Qt::CaseInsensitive)) << csidl << p.toStdString();
        EXPECT_FALSE(p.endsWith('\\'));
        EXPECT_TRUE(QFileInfo(toHost(p)).isDir()) << csidl;
    }
    EXPECT_EQ(GetWindowsDirectory(), "C:\\windows");
    EXPECT_EQ(GetSpecialFolder(0x7777), "");
}

TEST(Shell, RegistryShellFoldersAgreeAndTempCutsBeforeLocal)
{
    const QString key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
    for (const char* sub : {"Shell Folders", "User Shell Folders"}) {
        EXPECT_EQ(RegReadString(Hive::HKCU, key + sub, "Favorites"), GetSpecialFolder(CSIDL_FAVORITES))
            << sub;
        EXPECT_EQ(RegReadString(Hive::HKCU, key + sub, "Desktop"), GetSpecialFolder(CSIDL_DESKTOP)) << sub;
    }
    const QString temp = GetTempPath();
    ASSERT_TRUE(temp.endsWith('\\'));
    EXPECT_TRUE(QFileInfo(toHost(temp)).isDir());
    // The last fall-back of the Favorites look-up: the temporary path cut before "LOCAL".
    const int cut = temp.indexOf("LOCAL");
    ASSERT_GT(cut, 0);
    EXPECT_EQ(temp.left(cut) + "Favorites", GetSpecialFolder(CSIDL_FAVORITES));
}

TEST(Shell, NoSpecialFoldersHook)
{
    qputenv("PRAVIK_NO_SPECIAL_FOLDERS", "1");
    EXPECT_EQ(GetSpecialFolder(CSIDL_FAVORITES), "");
    EXPECT_FALSE(GetTempPath().isEmpty());
    qunsetenv("PRAVIK_NO_SPECIAL_FOLDERS");
    EXPECT_FALSE(GetSpecialFolder(CSIDL_FAVORITES).isEmpty());
}

TEST(Ansi, GbkRoundTripAndInvalidBytes)
{
    const QString text = QString::fromUtf8("提示信息：A1");
    const QByteArray gbk = toAnsi(text);
    EXPECT_EQ(gbk.toHex(), QByteArray("cce1cabed0c5cfa2a3ba4131"));
    bool ok = false;
    EXPECT_EQ(fromAnsi(gbk, &ok), text);
    EXPECT_TRUE(ok);
    struct Case {
        const char* what;
        QByteArray bytes;
    } bad[] = {
        {"lead byte cut off", QByteArray("\xcc\xe1\xca", 3)},
        {"invalid trail byte", QByteArray("\x81\x20x", 3)},
        {"trail byte 0x7F", QByteArray("a\x81\x7f", 3)},
    };
    for (const auto& tc : bad) {
        ok = true;
        const QString s = fromAnsi(tc.bytes, &ok);
        EXPECT_FALSE(ok) << tc.what;
        EXPECT_TRUE(s.contains(QChar(0xFFFD))) << tc.what;
    }
}

TEST(Ticks, TickCountAdvances)
{
    const DWORD a = GetTickCount();
    QThread::msleep(30);
    const DWORD d = GetTickCount() - a;
    EXPECT_GE(d, 25u);
    EXPECT_LT(d, 2000u);
}
