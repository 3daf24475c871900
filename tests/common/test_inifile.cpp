#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/IniFile.h"
#include "platform/WinPaths.h"
#include "support/TestEnv.h"

using pravik::test::TestEnv;

namespace {

QString freshIni(const QString& name, const QByteArray& content, bool write = true)
{
    const QString dir = TestEnv::freshDir(name);
    if (write) {
        QFile f(dir + "/test.ini");
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    return win::fromHost(dir) + (win::fromHost(dir).endsWith('\\') ? "" : "\\") + "test.ini";
}

QByteArray bytesOf(const QString& winPath)
{
    QFile f(win::toHost(winPath));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// GBK bytes of "中文" and "值".
const QByteArray kZhongWen("\xd6\xd0\xce\xc4");
const QByteArray kZhi("\xd6\xb5");

TEST(IniFile, GbkRoundTripKeepsOrderAndComments)
{
    const QByteArray original = "; head comment\r\n"
                                "[LOCAL]\r\n"
                                "First=1\r\n"
                                "; inner comment\r\n"
                                "Name="
        + kZhongWen
        + "\r\n"
          "Last = end \r\n"
          "\r\n"
          "[Other]\r\n"
          "k=v\r\n";
    const QString path = freshIni("ini-roundtrip", original);
    TIniFile ini(path);

    EXPECT_EQ(ini.ReadString("local", "name"), QString::fromUtf8("中文"));
    ASSERT_TRUE(ini.WriteString("Local", "NAME", QString::fromUtf8("新值"))); // existing key
    ASSERT_TRUE(ini.WriteString("LOCAL", "Added", QString::fromUtf8("值"))); // new key
    ASSERT_TRUE(ini.WriteString("New", "x", "1")); // new section

    const QByteArray expected = "; head comment\r\n"
                                "[LOCAL]\r\n"
                                "First=1\r\n"
                                "; inner comment\r\n"
                                "Name=\xd0\xc2"
        + kZhi
        + "\r\n"
          "Last = end \r\n"
          "Added="
        + kZhi
        + "\r\n"
          "\r\n"
          "[Other]\r\n"
          "k=v\r\n"
          "[New]\r\n"
          "x=1\r\n";
    EXPECT_EQ(bytesOf(path), expected);
    EXPECT_EQ(TIniFile(path).ReadString("LOCAL", "Name"), QString::fromUtf8("新值"));
    EXPECT_EQ(ini.ReadSection("LOCAL"), QStringList({"First", "Name", "Last", "Added"}));
    EXPECT_EQ(ini.ReadSections(), QStringList({"LOCAL", "Other", "New"}));
}

TEST(IniFile, UntouchedLinesKeepTheirBytes)
{
    // An invalid GBK sequence and LF-only line ends elsewhere in the file.
    const QByteArray original = "[A]\nraw=\x81\x20"
                                "bad\nk=1\n";
    const QString path = freshIni("ini-raw", original);
    ASSERT_TRUE(TIniFile(path).WriteInteger("A", "k", 2));
    EXPECT_EQ(bytesOf(path),
              QByteArray("[A]\r\nraw=\x81\x20"
                         "bad\r\nk=2\r\n"));
}

TEST(IniFile, ReadingRules)
{
    const QByteArray content = "top=before any section\r\n"
                               "  [ Sec ]  \r\n"
                               "  Plain  =   spaced value\t \r\n"
                               "Quoted=\"  in quotes  \"\r\n"
                               "Single='x'\r\n"
                               "Half=\"open\r\n"
                               "Empty=\r\n"
                               "Dup=first\r\n"
                               "Dup=second\r\n"
                               "NoEquals\r\n"
                               ";Comment=no\r\n"
                               "Dec=42\r\n"
                               "Neg=-7\r\n"
                               "Hex=0x1F\r\n"
                               "Dollar=$10\r\n"
                               "Junk=12abc\r\n"
                               "Zero=0\r\n"
                               "[Sec]\r\n"
                               "Later=hidden\r\n";
    TIniFile ini(freshIni("ini-rules", content));
    struct {
        const char* key;
        const char* value;
    } strings[] = {
        {"plain", "spaced value"},
        {"Quoted", "  in quotes  "},
        {"Single", "x"},
        {"Half", "\"open"},
        {"Empty", ""},
        {"Dup", "first"},
        {"Missing", "<def>"},
        {"NoEquals", "<def>"},
        {";Comment", "<def>"},
        {"Later", "<def>"},
        {"top", "<def>"},
    };
    for (const auto& s : strings)
        EXPECT_EQ(ini.ReadString("SEC", s.key, "<def>"), QString(s.value)) << s.key;

    struct {
        const char* key;
        int value;
    } ints[] = {
        {"Dec", 42},  {"Neg", -7},   {"Hex", 31},     {"Dollar", 16},
        {"Junk", -1}, {"Empty", -1}, {"Missing", -1}, {"Zero", 0},
    };
    for (const auto& i : ints)
        EXPECT_EQ(ini.ReadInteger("Sec", i.key, -1), i.value) << i.key;
    EXPECT_TRUE(ini.ReadBool("Sec", "Dec"));
    EXPECT_FALSE(ini.ReadBool("Sec", "Zero", true));
    EXPECT_TRUE(ini.ReadBool("Sec", "Missing", true));

    EXPECT_TRUE(ini.ValueExists("sec", "EMPTY"));
    EXPECT_FALSE(ini.ValueExists("sec", "NoEquals"));
    EXPECT_TRUE(ini.SectionExists("sec"));
    EXPECT_FALSE(ini.SectionExists("none"));
}

TEST(IniFile, MissingFileAndEdits)
{
    const QString path = freshIni("ini-new", {}, false);
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("S", "k", "def"), "def");
    EXPECT_TRUE(ini.ReadSections().isEmpty());

    ASSERT_TRUE(ini.WriteBool("S", "b", true));
    ASSERT_TRUE(ini.WriteString("S", "multi", "one\r\n[Injected]\r\nx=1"));
    ASSERT_TRUE(ini.WriteString("T", "k", "v"));
    EXPECT_EQ(bytesOf(path), QByteArray("[S]\r\nb=1\r\nmulti=one\r\n[T]\r\nk=v\r\n"));

    ASSERT_TRUE(ini.DeleteKey("s", "B"));
    ASSERT_TRUE(ini.EraseSection("t"));
    EXPECT_EQ(bytesOf(path), QByteArray("[S]\r\nmulti=one\r\n"));

    // No folder, no file: the write fails and nothing appears.
    const QString nowhere = win::fromHost(TestEnv::freshDir("ini-nodir")) + "\\missing\\x.ini";
    EXPECT_FALSE(TIniFile(nowhere).WriteString("S", "k", "v"));
    EXPECT_FALSE(QFileInfo::exists(win::toHost(nowhere)));
}

} // namespace
