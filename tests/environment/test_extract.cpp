// Unpacking the material archive: passwords, entry names in GBK and UTF-8, overwrite,
// and the refusal of archives that would write outside the target or lie.
#include "EnvTestSupport.h"

#include <zip.h>
#include <sys/stat.h>

#include "platform/Ansi.h"

using namespace envtest;
using pravik::test::TestEnv;

namespace {

struct ZipEntry {
    QByteArray name; // raw bytes as stored
    QByteArray data;
    bool utf8Flag = false; // mark the name as UTF-8
    bool dir = false;
    bool symlink = false;
    zip_int32_t method = ZIP_CM_DEFLATE;
    bool unmarked = false; // store the bytes without any mark, as Windows tools do
        // (libzip refuses to, so a placeholder is patched)
};

QByteArray placeholder(const QByteArray& name) { return QByteArray(name.size(), 'Q'); }

// Writes an archive with libzip; encryption applies to every file entry.
void makeZip(const QString& hostPath, const QList<ZipEntry>& entries, zip_uint16_t encryption = ZIP_EM_NONE,
             const char* password = nullptr)
{
    QFile::remove(hostPath);
    QDir().mkpath(QFileInfo(hostPath).path());
    int err = 0;
    zip_t* za = zip_open(QFile::encodeName(hostPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    ASSERT_NE(za, nullptr);
    for (const ZipEntry& e : entries) {
        const zip_flags_t enc = e.utf8Flag ? ZIP_FL_ENC_UTF_8 : ZIP_FL_ENC_GUESS;
        zip_int64_t idx;
        if (e.dir) {
            idx = zip_dir_add(za, e.name.constData(), enc);
        } else {
            zip_source_t* src = zip_source_buffer(za, e.data.constData(), zip_uint64_t(e.data.size()), 0);
            ASSERT_NE(src, nullptr);
            const QByteArray name = e.unmarked ? placeholder(e.name) : e.name;
            idx = zip_file_add(za, name.constData(), src, enc | ZIP_FL_OVERWRITE);
            ASSERT_GE(idx, 0) << zip_strerror(za);
            zip_set_file_compression(za, zip_uint64_t(idx), e.method, 9);
            if (encryption != ZIP_EM_NONE) {
                ASSERT_EQ(zip_file_set_encryption(za, zip_uint64_t(idx), encryption, password), 0);
            }
        }
        ASSERT_GE(idx, 0) << zip_strerror(za);
        if (e.symlink)
            zip_file_set_external_attributes(za, zip_uint64_t(idx), 0, ZIP_OPSYS_UNIX,
                                             zip_uint32_t(S_IFLNK | 0777) << 16);
    }
    ASSERT_EQ(zip_close(za), 0);
    // The unmarked names go in place of their ASCII placeholders (local header and
    // central directory), so that no UTF-8 mark is set.
    QFile f(hostPath);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    f.close();
    for (const ZipEntry& e : entries)
        if (e.unmarked)
            bytes.replace(placeholder(e.name), e.name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

class ExtractTest : public EnvFixture {
protected:
    void SetUp() override
    {
        EnvFixture::SetUp();
        QDir(host("D:\\x")).removeRecursively();
        archive = "D:\\x\\Q.ZIP";
        target = "D:\\x\\out\\sub";
    }
    QString archive;
    QString target;
};

const QByteArray kDoc = QByteArray("material ").repeated(300);

TEST_F(ExtractTest, ExtractsWithThePasswordAndDecodesNames)
{
    for (const zip_uint16_t em : {zip_uint16_t(ZIP_EM_TRAD_PKWARE), zip_uint16_t(ZIP_EM_AES_256)}) {
        SCOPED_TRACE(em);
        QDir(host("D:\\x")).removeRecursively();
        makeZip(host(archive),
                {{"docs/", {}, false, true},
                 {win::toAnsi("docs/素材.doc"), kDoc}, // GBK, no UTF-8 flag
                 {QString("说明/中文.txt").toUtf8(), "utf8", true}, // UTF-8 flag
                 {QString("图片.bmp").toUtf8(), "raw utf8", false}, // flag as guessed
                 {"Empty.txt", ""},
                 {"stored.txt", "stored", false, false, false, ZIP_CM_STORE}},
                em, "morvane");
        WriteHostFile(host(target + "\\Empty.txt"), "old content"); // overwritten
        ASSERT_TRUE(DM->ExtractArchive(archive, target, "morvane"));
        EXPECT_EQ(treeOf(host(target)),
                  QStringList({"Empty.txt", "docs/", "docs/素材.doc", "stored.txt", "图片.bmp", "说明/",
                               "说明/中文.txt"}));
        EXPECT_EQ(ReadHostFile(host(target + "\\docs\\素材.doc")), kDoc);
        EXPECT_EQ(ReadHostFile(host(target + "\\说明\\中文.txt")), "utf8");
        EXPECT_EQ(ReadHostFile(host(target + "\\Empty.txt")), "");
        EXPECT_EQ(ReadHostFile(host(target + "\\stored.txt")), "stored");
    }
}

// The name's encoding follows the archive's mark, never a guess from the bytes: GBK
// names whose bytes also form valid UTF-8 ("图片一" is cd bc c6 ac d2 bb) come out as
// the GBK text, and only a name marked as UTF-8 is read as UTF-8.
TEST_F(ExtractTest, EntryNamesFollowTheArchivesMark)
{
    struct Case {
        const char* row;
        QByteArray raw;
        bool marked;
        QString expected;
    };
    const Case cases[] = {
        {"GbkThatIsAlsoValidUtf8", win::toAnsi("图片一.txt"), false, "图片一.txt"},
        {"GbkThatIsNotUtf8", win::toAnsi("素材.doc"), false, "素材.doc"},
        {"MarkedUtf8", QString("说明.txt").toUtf8(), true, "说明.txt"},
        {"Ascii", "plain.txt", false, "plain.txt"},
    };
    ASSERT_EQ(win::toAnsi("图片一"), QByteArray::fromHex("cdbcc6acd2bb"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        QDir(host("D:\\x")).removeRecursively();
        ZipEntry e{c.raw, "x", c.marked};
        e.unmarked = !c.marked;
        makeZip(host(archive), {e}, ZIP_EM_TRAD_PKWARE, "morvane");
        ASSERT_TRUE(DM->ExtractArchive(archive, target, "morvane"));
        EXPECT_EQ(treeOf(host(target)), QStringList({c.expected}));
    }
}

TEST_F(ExtractTest, WrongOrMissingPasswordFailsWithoutTouchingFiles)
{
    for (const zip_uint16_t em : {zip_uint16_t(ZIP_EM_TRAD_PKWARE), zip_uint16_t(ZIP_EM_AES_256)})
        for (const char* pw : {"wrong", "morvanE", ""}) {
            SCOPED_TRACE(std::to_string(em) + " " + pw);
            QDir(host("D:\\x")).removeRecursively();
            makeZip(host(archive), {{"a.txt", kDoc}}, em, "morvane");
            WriteHostFile(host(target + "\\a.txt"), "mine");
            EXPECT_FALSE(DM->ExtractArchive(archive, target, pw));
            EXPECT_EQ(treeOf(host(target)), QStringList({"a.txt"}));
            EXPECT_EQ(ReadHostFile(host(target + "\\a.txt")), "mine");
        }
}

TEST_F(ExtractTest, ChecksumErrorFailsAndKeepsTheOldFile)
{
    const QByteArray marker = "0123456789-the-stored-content-of-the-entry";
    makeZip(host(archive), {{"c.txt", marker, false, false, false, ZIP_CM_STORE}});
    QByteArray bytes = ReadHostFile(host(archive));
    const int at = bytes.indexOf(marker);
    ASSERT_GE(at, 0);
    bytes[at + 5] = 'X';
    WriteHostFile(host(archive), bytes);
    WriteHostFile(host(target + "\\c.txt"), "mine");
    EXPECT_FALSE(DM->ExtractArchive(archive, target, ""));
    EXPECT_EQ(treeOf(host(target)), QStringList({"c.txt"}));
    EXPECT_EQ(ReadHostFile(host(target + "\\c.txt")), "mine");
}

struct UnsafeCase {
    const char* name;
    QByteArray entry;
    bool symlink;
};

class UnsafeEntries : public ExtractTest, public ::testing::WithParamInterface<UnsafeCase> { };

// Nothing is written at all: the whole listing is checked before the first file.
TEST_P(UnsafeEntries, RefusesTheArchive)
{
    const UnsafeCase& c = GetParam();
    makeZip(host(archive), {{"good.txt", "good"}, {c.entry, "evil", false, false, c.symlink}});
    EXPECT_FALSE(DM->ExtractArchive(archive, target, ""));
    EXPECT_TRUE(treeOf(host(target)).isEmpty());
    EXPECT_EQ(treeOf(host("D:\\x")), QStringList({"Q.ZIP", "out/", "out/sub/"}));
    EXPECT_FALSE(QFileInfo::exists(host("D:\\evil.txt")));
    EXPECT_TRUE(log->lines.join("\n").contains("TDM.ExtractArchive ERROR: "));
}

INSTANTIATE_TEST_SUITE_P(Cases, UnsafeEntries,
                         ::testing::Values(UnsafeCase{"ParentFirst", "../evil.txt", false},
                                           UnsafeCase{"ParentTwice", "../../evil.txt", false},
                                           UnsafeCase{"ParentInside", "a/../../../evil.txt", false},
                                           UnsafeCase{"ParentBackslash", "a\\..\\..\\evil.txt", false},
                                           UnsafeCase{"Dot", "a/./evil.txt", false},
                                           UnsafeCase{"Absolute", "/tmp/evil.txt", false},
                                           UnsafeCase{"AbsoluteBackslash", "\\evil.txt", false},
                                           UnsafeCase{"Drive", "C:\\evil.txt", false},
                                           UnsafeCase{"DriveRelative", "C:evil.txt", false},
                                           UnsafeCase{"Control", "evil\x01.txt", false},
                                           UnsafeCase{"Newline", "evil\n.txt", false},
                                           UnsafeCase{"Symlink", "link", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExtractTest, RefusesAFolderOfTheTargetThatLinksOutside)
{
    const QString outside = TestEnv::freshDir("outside");
    QDir().mkpath(host(target));
    ASSERT_TRUE(QFile::link(outside, host(target) + "/docs"));
    makeZip(host(archive), {{"docs/a.txt", "a"}});
    EXPECT_FALSE(DM->ExtractArchive(archive, target, ""));
    EXPECT_TRUE(treeOf(outside).isEmpty());
}

TEST_F(ExtractTest, RefusesAnAbsurdCompressionRatio)
{
    // 64 MiB of zeros pack into a few hundred bytes with bzip2.
    const QByteArray zeros(64 * 1024 * 1024, '\0');
    makeZip(host(archive), {{"zeros.bin", zeros, false, false, false, ZIP_CM_BZIP2}});
    ASSERT_LT(QFileInfo(host(archive)).size(), 64 * 1024 * 1024 / 2000);
    EXPECT_FALSE(DM->ExtractArchive(archive, target, ""));
    EXPECT_TRUE(treeOf(host(target)).isEmpty());
    // Ordinary well-packed content stays welcome.
    makeZip(host(archive), {{"blank.bmp", QByteArray(4 * 1024 * 1024, '\xff')}});
    EXPECT_TRUE(DM->ExtractArchive(archive, target, ""));
}

TEST_F(ExtractTest, RefusesTooManyEntries)
{
    QList<ZipEntry> many;
    for (int i = 0; i <= 20000; ++i)
        many.append({QByteArray("f") + QByteArray::number(i), QByteArray()});
    makeZip(host(archive), many);
    EXPECT_FALSE(DM->ExtractArchive(archive, target, ""));
    EXPECT_TRUE(treeOf(host(target)).isEmpty());
}

TEST_F(ExtractTest, MissingOrBrokenArchiveFails)
{
    EXPECT_FALSE(DM->ExtractArchive("D:\\x\\none.zip", target, "morvane"));
    WriteHostFile(host(archive), "this is not a zip archive");
    EXPECT_FALSE(DM->ExtractArchive(archive, target, "morvane"));
}

} // namespace
