// The examinee folders of a run, the relocation of a root and the copy and delete
// routines.
#include "EnvTestSupport.h"

#include "environment/StuDirManage.h"
#include "scoring/TStuDirManage.h"
#include "platform/Ansi.h"

using namespace envtest;
using pravik::test::TestEnv;

namespace {

class FoldersTest : public EnvFixture {
protected:
    void SetUp() override
    {
        EnvFixture::SetUp();
        QFile::remove(host("D:\\R"));
        QDir(host("D:\\R")).removeRecursively();
        QDir(host("D:\\src")).removeRecursively();
        QDir(host("D:\\dst")).removeRecursively();
    }
};

TEST_F(FoldersTest, AddStuDirRebuildsAnExistingTree)
{
    const QString n = "20240101120000";
    const QString d = host("D:\\R\\" + n);
    WriteHostFile(d + "/" + n + "/5/old.doc", "old");
    WriteHostFile(d + "/" + n + "/SaveAs/x.doc", "old");
    WriteHostFile(d + "/Favorites/a.url", "old");
    WriteHostFile(d + "/ans.zt", win::toAnsi("[strOpsList]\r\n9))=True\r\n"));
    QFile::setPermissions(d + "/" + n + "/5/old.doc", QFile::ReadOwner); // read-only

    DM->ExamRoot = "D:\\R\\";
    TStuDirManage manager;
    EXPECT_EQ(manager.ExamRoot, "D:\\R\\");
    ASSERT_TRUE(manager.AddStuDir(n, 123));
    EXPECT_TRUE(prompts->records.isEmpty());
    EXPECT_EQ(treeOf(d), QStringList({n + "/", n + "/SaveAs/", "ans.zt", "pf/"}));
    EXPECT_EQ(ReadHostFile(d + "/ans.zt"), "[strOpsList]\r\n123))=False\r\n");
    EXPECT_EQ(manager.questId, 123);
    EXPECT_EQ(manager.ExamineeNo, n);
    EXPECT_EQ(log->lines.first(), "TStuDirManage.AddStuDir In");
    EXPECT_EQ(log->lines.last(), "TStuDirManage.AddStuDir Out");
}

TEST_F(FoldersTest, AddStuDirReportsAFolderThatCannotBeMade)
{
    // A file where the examinee folder's practice folder must go.
    const QString n = "20240101120001";
    DM->ExamRoot = "D:\\R\\";
    WriteHostFile(host("D:\\R"), "not a folder");
    TStuDirManage manager;
    EXPECT_FALSE(manager.AddStuDir(n, 1));
    ASSERT_EQ(prompts->records.size(), 1);
    EXPECT_EQ(prompts->records[0].text, "建立练习目录时失败,请手动删除");
    EXPECT_EQ(prompts->records[0].style, 1);
    EXPECT_EQ(prompts->records[0].title, "提示信息");
    QFile::remove(host("D:\\R"));
}

struct AdjustCase {
    const char* name;
    const char* input;
    bool result;
    const char* output;
};

class AdjustPathTable : public FoldersTest, public ::testing::WithParamInterface<AdjustCase> { };

TEST_P(AdjustPathTable, KeepsOrCreates)
{
    const AdjustCase& c = GetParam();
    QString p = QString::fromUtf8(c.input);
    EXPECT_EQ(AdjustPath(p), c.result);
    EXPECT_EQ(p, QString::fromUtf8(c.output));
    if (c.result) {
        EXPECT_TRUE(QFileInfo(host(p)).isDir());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AdjustPathTable,
    ::testing::Values(AdjustCase{"Short", "D:\\", false, "D:\\"}, AdjustCase{"Three", "D:a", false, "D:a"},
                      AdjustCase{"Creates", "D:\\R\\新\\x", true, "D:\\R\\新\\x\\"},
                      AdjustCase{"Exists", "C:\\", false, "C:\\"},
                      AdjustCase{"ExistsDeep", "D:\\R\\新\\x\\", true, "D:\\R\\新\\x\\"}),
    [](const auto& info) { return std::string(info.param.name); });

// A root on a drive that does not exist moves to the last fixed drive among the first
// 21 drive entries. The prefix has C:, D: and Z:; mapping E: to W: makes W: the 21st
// entry, so Z: (the host's root) is out of reach of the walk.
TEST_F(FoldersTest, AdjustPathMovesARootToAnotherFixedDrive)
{
    QList<QChar> mapped;
    QMap<QChar, QString> targets;
    for (char c = 'E'; c <= 'W'; ++c) {
        const QString dir = TestEnv::freshDir(QString("adj_%1").arg(c));
        ASSERT_TRUE(win::DefineDrive(QLatin1Char(c), win::fromHost(dir)));
        mapped << QLatin1Char(c);
        targets[QLatin1Char(c)] = dir;
    }
    // W: is not ready (its folder is gone): the walk takes V:.
    QDir(targets['W']).removeRecursively();
    QString p = "Y:\\StuExamData\\考生"; // Y: is not mapped
    EXPECT_TRUE(AdjustPath(p));
    EXPECT_EQ(p, "V:\\StuExamData\\考生\\");
    EXPECT_TRUE(QFileInfo(targets['V'] + "/StuExamData/考生").isDir());
    EXPECT_FALSE(QFileInfo::exists(targets['U'] + "/StuExamData"));
    for (const QChar l : mapped)
        win::RemoveDrive(l);
}

// The copy routines skip every name that begins with a dot, at any depth.
struct CopyCase {
    const char* name;
    bool (*copy)(const QString&, const QString&);
};

bool viaDoCopyDir(const QString& s, const QString& t) { return DoCopyDir(s, t); }
bool viaCopyDirFlat(const QString& s, const QString& t) { return CopyDirFlat(s, t); }

class CopyTable : public FoldersTest, public ::testing::WithParamInterface<CopyCase> { };

TEST_P(CopyTable, SkipsDotNames)
{
    const QString src = host("D:\\src");
    WriteHostFile(src + "/a.txt", "a");
    WriteHostFile(src + "/.hidden", "h");
    WriteHostFile(src + "/.dir/x.txt", "x");
    WriteHostFile(src + "/sub/b.txt", "b");
    WriteHostFile(src + "/sub/.c.txt", "c");
    WriteHostFile(src + "/sub/.deep/y.txt", "y");
    WriteHostFile(src + "/sub/二/中.txt", "z");
    WriteHostFile(host("D:\\dst\\a.txt"), "old"); // overwritten
    // A read-only folder is a folder all the same.
    QFile::setPermissions(src + "/sub", QFile::ReadOwner | QFile::ExeOwner);
    ASSERT_NE(win::GetFileAttributes("D:\\src\\sub") & win::FILE_ATTRIBUTE_READONLY, 0u);
    ASSERT_TRUE(GetParam().copy("D:\\src", "D:\\dst\\"));
    EXPECT_EQ(treeOf(host("D:\\dst")),
              QStringList({"a.txt", "sub/", "sub/b.txt", "sub/二/", "sub/二/中.txt"}));
    EXPECT_EQ(ReadHostFile(host("D:\\dst\\a.txt")), "a");
}

INSTANTIATE_TEST_SUITE_P(Cases, CopyTable,
                         ::testing::Values(CopyCase{"DoCopyDir", viaDoCopyDir},
                                           CopyCase{"CopyDirFlat", viaCopyDirFlat}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FoldersTest, DoCopyFileByExtCopiesMatchesOnly)
{
    WriteHostFile(host("D:\\src\\a.lnk"), "1");
    WriteHostFile(host("D:\\src\\B.LNK"), "2");
    WriteHostFile(host("D:\\src\\c.txt"), "3");
    QDir().mkpath(host("D:\\dst"));
    EXPECT_TRUE(DoCopyFileByExt("D:\\src", "D:\\dst\\", "*.lnk"));
    EXPECT_EQ(treeOf(host("D:\\dst")), QStringList({"B.LNK", "a.lnk"}));
}

TEST_F(FoldersTest, ShellCopyFolderCopiesTheFolderIntoTheTarget)
{
    WriteHostFile(host("D:\\src\\7\\a.doc"), "a");
    QDir().mkpath(host("D:\\dst"));
    EXPECT_TRUE(ShellCopyFolder("D:\\src\\7", "D:\\dst"));
    EXPECT_EQ(treeOf(host("D:\\dst")), QStringList({"7/", "7/a.doc"}));
    EXPECT_FALSE(ShellCopyFolder("D:\\src\\none", "D:\\dst"));
    EXPECT_FALSE(ShellCopyFolder("D:\\src", "D:\\src\\7")); // into itself
}

struct DeleteCase {
    const char* name;
    bool removeRoot;
    bool keepFiles;
    bool result;
    const char* left; // what is left below D:\R, joined by "|"; "-" = D:\R is gone
};

class DeleteTable : public FoldersTest, public ::testing::WithParamInterface<DeleteCase> { };

TEST_P(DeleteTable, DeletesTheTree)
{
    const DeleteCase& c = GetParam();
    WriteHostFile(host("D:\\R\\a.txt"), "a");
    WriteHostFile(host("D:\\R\\s\\b.txt"), "b");
    QDir().mkpath(host("D:\\R\\empty\\deeper"));
    QFile::setPermissions(host("D:\\R\\s\\b.txt"), QFile::ReadOwner);
    EXPECT_EQ(DeleteDirTree("D:\\R", c.removeRoot, c.keepFiles), c.result);
    if (QString(c.left) == "-") {
        EXPECT_FALSE(QFileInfo::exists(host("D:\\R")));
    } else {
        EXPECT_EQ(treeOf(host("D:\\R")).join("|"), c.left);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DeleteTable,
                         ::testing::Values(DeleteCase{"Contents", false, false, true, ""},
                                           DeleteCase{"WithRoot", true, false, true, "-"},
                                           // Files stay, so their folders cannot go; empty folders do.
                                           DeleteCase{"KeepFiles", false, true, false, "a.txt|s/|s/b.txt"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FoldersTest, DoRemoveDirLeavesDriveRootsAlone)
{
    WriteHostFile(host("C:\\keep.txt"), "k");
    EXPECT_TRUE(DoRemoveDir("C:\\"));
    EXPECT_TRUE(DoRemoveDir("C:"));
    EXPECT_TRUE(QFileInfo::exists(host("C:\\keep.txt")));
    EXPECT_TRUE(DoRemoveDir("D:\\no\\such"));

    WriteHostFile(host("D:\\R\\Fav\\x\\a.url"), "a");
    WriteHostFile(host("D:\\R\\Fav\\.b"), "b");
    EXPECT_TRUE(DoRemoveDir("D:\\R\\Fav"));
    EXPECT_FALSE(QFileInfo::exists(host("D:\\R\\Fav")));
    EXPECT_TRUE(log->lines.contains("udmdb.DoRemoveDir out "));
    QFile::remove(host("C:\\keep.txt"));
}

TEST_F(FoldersTest, DelTempEmptiesTheScratchFolders)
{
    const QString prog = TestEnv::programDir();
    WriteHostFile(prog + "/subjects/7/a.doc", "a");
    WriteHostFile(prog + "/img2/operation/IE/x.htm", "x");
    WriteHostFile(prog + "/img2/operation/other.txt", "o");
    DM->StuExamDataRoot = "D:\\R\\";
    WriteHostFile(host("D:\\R\\Favorites\\f.url"), "f");
    EXPECT_TRUE(DelTemp());
    EXPECT_TRUE(QFileInfo(prog + "/subjects").isDir());
    EXPECT_TRUE(treeOf(prog + "/subjects").isEmpty());
    EXPECT_FALSE(QFileInfo::exists(prog + "/img2/operation/IE"));
    EXPECT_TRUE(QFileInfo::exists(prog + "/img2/operation/other.txt"));
    EXPECT_TRUE(QFileInfo(host("D:\\R\\Favorites")).isDir());
    EXPECT_TRUE(treeOf(host("D:\\R\\Favorites")).isEmpty());
}

} // namespace
