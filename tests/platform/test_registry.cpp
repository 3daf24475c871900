// The registry store: keys and values, case, enumeration, damage, other processes.
#include <gtest/gtest.h>

#include <QFile>

#include "HelperProcess.h"
#include "platform/WinPaths.h"
#include "platform/WinRegistry.h"

using namespace win;
using pravik::test::HelperProcess;

TEST(Registry, ValuesKeysAndCase)
{
    const QString k = "Software\\Pravik\\Test";
    ASSERT_TRUE(RegWriteString(Hive::HKCU, k, "Name", "值 \"quoted\"\\\r\nline"));
    ASSERT_TRUE(RegWriteInteger(Hive::HKCU, k, "Count", -42));
    ASSERT_TRUE(RegWriteString(Hive::HKCU, "\\software\\PRAVIK\\test\\", "", "default"));
    EXPECT_EQ(RegReadString(Hive::HKCU, "SOFTWARE\\pravik\\TEST", "NAME"), "值 \"quoted\"\\\r\nline");
    EXPECT_EQ(RegReadInteger(Hive::HKCU, k, "count"), -42);
    EXPECT_EQ(RegReadString(Hive::HKCU, k, "Count"), "-42");
    EXPECT_EQ(RegReadString(Hive::HKCU, k, ""), "default");
    EXPECT_EQ(RegReadInteger(Hive::HKCU, k, "Name"), std::nullopt);
    EXPECT_EQ(RegReadString(Hive::HKCU, k, "Missing"), std::nullopt);
    EXPECT_EQ(RegReadString(Hive::HKLM, k, "Name"), std::nullopt) << "hives are separate";
    EXPECT_EQ(RegValueNames(Hive::HKCU, k), (QStringList{"Name", "Count", ""}));

    ASSERT_TRUE(RegWriteString(Hive::HKCU, k, "name", "second"));
    EXPECT_EQ(RegValueNames(Hive::HKCU, k), (QStringList{"Name", "Count", ""}))
        << "one value, first spelling";
    EXPECT_TRUE(RegDeleteValue(Hive::HKCU, k, "COUNT"));
    EXPECT_FALSE(RegValueExists(Hive::HKCU, k, "Count"));
    EXPECT_FALSE(RegDeleteValue(Hive::HKCU, k, "Count"));
}

TEST(Registry, SubKeysAndRecursiveDelete)
{
    ASSERT_TRUE(RegCreateKey(Hive::HKLM, "Soft\\B"));
    ASSERT_TRUE(RegWriteString(Hive::HKLM, "Soft\\a\\deep\\deeper", "v", "1"));
    EXPECT_EQ(RegSubKeys(Hive::HKLM, "soft"), (QStringList{"a", "B"}));
    EXPECT_TRUE(RegKeyExists(Hive::HKLM, "SOFT\\A\\Deep"));
    EXPECT_TRUE(RegDeleteKey(Hive::HKLM, "soft\\A"));
    EXPECT_FALSE(RegKeyExists(Hive::HKLM, "Soft\\a\\deep\\deeper"));
    EXPECT_EQ(RegSubKeys(Hive::HKLM, "Soft"), (QStringList{"B"}));
    EXPECT_FALSE(RegDeleteKey(Hive::HKLM, "Soft\\a"));
    EXPECT_FALSE(RegDeleteKey(Hive::HKLM, ""));
    EXPECT_TRUE(RegSubKeys(Hive::HKLM, "Nowhere").isEmpty());
}

TEST(Registry, DamagedFileGivesEmptyResults)
{
    ASSERT_TRUE(RegWriteString(Hive::HKCR, ".doc", "", "Word.Document"));
    const QString file = PrefixDir() + "/registry/HKEY_CLASSES_ROOT.reg";
    struct Case {
        const char* what;
        QByteArray content;
    } cases[] = {
        {"binary", QByteArray("\x00\xff\xfe[\x01\"", 6)},
        {"unclosed quote", "PRAVIK REGISTRY 1\n[.doc]\n@=\"Word.Document\n"},
        {"value before a key", "PRAVIK REGISTRY 1\n@=\"x\"\n"},
        {"bad integer", "PRAVIK REGISTRY 1\n[.doc]\n@=int:12z\n"},
    };
    for (const auto& tc : cases) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(tc.content);
        f.close();
        EXPECT_EQ(RegReadString(Hive::HKCR, ".doc", ""), std::nullopt) << tc.what;
        EXPECT_TRUE(RegWriteString(Hive::HKCR, ".txt", "", "txtfile")) << tc.what;
        EXPECT_EQ(RegReadString(Hive::HKCR, ".TXT", ""), "txtfile") << tc.what;
        EXPECT_TRUE(QFile::exists(file + ".damaged")) << tc.what;
    }
}

TEST(Registry, ValueWrittenByAnotherProcessIsSeen)
{
    const QString k = "Software\\Shared";
    ASSERT_TRUE(RegWriteString(Hive::HKCU, k, "Mine", "1"));
    EXPECT_EQ(RegReadString(Hive::HKCU, k, "Theirs"), std::nullopt); // loads the cache
    EXPECT_EQ(HelperProcess::run({"regwrite", "HKCU", "software\\SHARED", "Theirs", "从另一个进程"}), "ok");
    EXPECT_EQ(RegReadString(Hive::HKCU, k, "THEIRS"), "从另一个进程");
    EXPECT_EQ(RegReadString(Hive::HKCU, k, "Mine"), "1") << "the other writer kept our value";
    EXPECT_EQ(HelperProcess::run({"regread", "HKCU", k, "Mine"}), "1");
}

TEST(Registry, ConcurrentWritersLoseNothing)
{
    const QString k = "Software\\Concurrent";
    HelperProcess a({"regwritemany", "HKCU", k, "a", "40"});
    HelperProcess b({"regwritemany", "HKCU", k, "b", "40"});
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(RegWriteInteger(Hive::HKCU, k, "c" + QString::number(i), i));
    EXPECT_EQ(a.readLine(), "ok");
    EXPECT_EQ(b.readLine(), "ok");
    EXPECT_EQ(RegValueNames(Hive::HKCU, k).size(), 120);
    EXPECT_EQ(RegReadInteger(Hive::HKCU, k, "b39"), 39);
}
