// The configuration read at the start of every exercise: defaults, blanks, the debug
// switch, the clean-up of the previous run's folder and the StuNO writer.
#include "EnvTestSupport.h"

#include "common/IniFile.h"
#include "common/SiteDefaults.h"
#include "environment/Config.h"
#include "platform/Ansi.h"

using namespace envtest;
using pravik::test::TestEnv;

namespace {

class ConfigTest : public EnvFixture {
protected:
    void SetUp() override
    {
        EnvFixture::SetUp();
        QFile::remove(configHost());
        QDir(host("D:\\StuExamData")).removeRecursively();
        QDir(host("D:\\Upload")).removeRecursively();
    }
    static QString configHost() { return TestEnv::programDir() + "/Config.ini"; }
    // Config.ini as the client finds it on disk: GBK, CR LF.
    static void writeConfig(const QString& body)
    {
        WriteHostFile(configHost(), win::toAnsi(QString("[LOCAL]\r\n") + body));
    }
};

struct ConfigCase {
    const char* name;
    const char* body; // nullptr: no Config.ini at all
    const char* root;
    const char* upload;
    const char* webUrl;
    const char* loginUrl;
    const char* download;
    bool production;
};

const QString kBase = QStringLiteral(PRAVIK_DEFAULT_WEB_URL);

class ConfigTable : public ConfigTest, public ::testing::WithParamInterface<ConfigCase> { };

TEST_P(ConfigTable, ReadsValuesAndDefaults)
{
    const ConfigCase& c = GetParam();
    if (c.body)
        writeConfig(QString::fromUtf8(c.body));
    DM->RunDownloadDir = "C:\\old\\";
    ASSERT_TRUE(ReadConfig());
    EXPECT_FALSE(ApplicationQuitting());
    EXPECT_TRUE(prompts->records.isEmpty());

    EXPECT_EQ(DM->ExamRoot, QString::fromUtf8(c.root));
    EXPECT_EQ(DM->UploadRoot, QString::fromUtf8(c.upload));
    EXPECT_TRUE(QFileInfo(host(DM->ExamRoot)).isDir());
    EXPECT_TRUE(QFileInfo(host(DM->UploadRoot)).isDir());
    EXPECT_EQ(DM->WebUrl, QString::fromUtf8(c.webUrl).replace("{base}", kBase));
    EXPECT_EQ(DM->UserLoginUrl, QString::fromUtf8(c.loginUrl).replace("{base}", kBase));
    EXPECT_EQ(DM->DownloadPageUrl, QString::fromUtf8(c.download).replace("{base}", kBase));
    EXPECT_EQ(DM->ProductionFormat, c.production);

    EXPECT_TRUE(DM->RunDownloadDir.isEmpty());
    EXPECT_EQ(DM->ProgramDir, win::ProgramDir());
    EXPECT_EQ(DM->SubjectsDir, win::ProgramDir() + "subjects\\");
    EXPECT_EQ(DM->IEMaterialDir, win::ProgramDir() + "img2\\operation\\IE");
    EXPECT_TRUE(DM->PrevExamineeDir.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigTable,
    ::testing::Values(
        ConfigCase{"NoFile", nullptr, "D:\\StuExamData\\", "D:\\Upload\\", "{base}",
                   "{base}/index.php/student/sign/in", "{base}/index.php/main/exercise", true},
        ConfigCase{"Blanks",
                   "StuExamData=   \r\nUploadPath= \t \r\nWebUrl=  \r\nDownload=  \r\nKelTamry_DEBUG=\r\n",
                   "D:\\StuExamData\\", "D:\\Upload\\", "{base}", "{base}/index.php/student/sign/in",
                   "{base}/index.php/main/exercise", true},
        ConfigCase{"Debug", "KelTamry_DEBUG=1\r\n", "D:\\StuExamData\\", "D:\\Upload\\", "{base}",
                   "{base}/index.php/student/sign/in", "{base}/index.php/main/exercise", false},
        ConfigCase{"DebugOther", "KelTamry_DEBUG=7\r\n", "D:\\StuExamData\\", "D:\\Upload\\", "{base}",
                   "{base}/index.php/student/sign/in", "{base}/index.php/main/exercise", false},
        // Values are trimmed; roots get their backslash.
        ConfigCase{
            "Configured",
            "StuExamData= D:\\练习\\根 \r\nUploadPath=C:\\up\r\nWebUrl= http://site.test \r\n"
            "URL_USER_LOGIN= http://site.test/in \r\nDownload= http://site.test/dl \r\nKelTamry_DEBUG=0\r\n",
            "D:\\练习\\根\\", "C:\\up\\", "http://site.test", "http://site.test/in", "http://site.test/dl",
            true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigTest, EmptiesThePreviousExamineeFolderAndKeepsIt)
{
    writeConfig("StuNO= 20240102030405 \r\n");
    WriteHostFile(host("D:\\StuExamData\\20240102030405\\ans.zt"), "x");
    WriteHostFile(host("D:\\StuExamData\\20240102030405\\20240102030405\\7\\a.doc"), "x");
    WriteHostFile(host("D:\\StuExamData\\other\\keep.txt"), "x");

    ASSERT_TRUE(ReadConfig());
    EXPECT_EQ(DM->PrevExamineeDir, "D:\\StuExamData\\20240102030405");
    EXPECT_TRUE(QFileInfo(host(DM->PrevExamineeDir)).isDir());
    EXPECT_TRUE(treeOf(host(DM->PrevExamineeDir)).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(host("D:\\StuExamData\\other\\keep.txt")));
    EXPECT_FALSE(log->lines.join("\n").contains("失败,请手动删除"));
}

TEST_F(ConfigTest, StuNOWriterKeepsTheRestOfTheFileInGbk)
{
    writeConfig("StuExamData=D:\\考试\r\nVERSION=2.1\r\n");
    ASSERT_TRUE(ReadConfig());
    WriteStuNO("20250607080910");

    const QString text = win::fromAnsi(ReadHostFile(configHost()));
    EXPECT_TRUE(text.contains("StuExamData=D:\\考试\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("StuNO=20250607080910\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("VERSION=2.1")) << text.toStdString();
    EXPECT_EQ(DM->ExamineeDir, "D:\\考试\\20250607080910\\");

    QString version;
    DM->ReadLocalVersion(version);
    EXPECT_EQ(version, "2.1");

    // The next run empties that folder.
    WriteHostFile(host("D:\\考试\\20250607080910\\f.txt"), "x");
    ASSERT_TRUE(ReadConfig());
    EXPECT_EQ(DM->PrevExamineeDir, "D:\\考试\\20250607080910");
    EXPECT_TRUE(treeOf(host(DM->PrevExamineeDir)).isEmpty());
}

} // namespace
