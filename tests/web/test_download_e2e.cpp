// The package download from launch data to the files in place, against the practice
// site on 127.0.0.1.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <zip.h>

#include "../question/CaptureLog.h"
#include "support/SiteProcess.h"
#include "common/IniFile.h"
#include "environment/unDMDB.h"
#include "platform/WinPaths.h"
#include "platform/WinShell.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnv.h"
#include "web/HttpTransfer.h"
#include "web/webServer.h"

using namespace pravik::test;

namespace {

struct Report {
    QString text;
    bool showBox, writeLog, quit;
};

// One download run: data module, website client, scripted prompts, recorded
// report-and-exit calls and opened pages.
class DownloadRun {
public:
    explicit DownloadRun(const QString& launch)
    {
        LaunchData = launch;
        TIniFile(win::ProgramDir() + QStringLiteral("Config.ini"))
            .WriteString(QStringLiteral("LOCAL"), QStringLiteral("VERSION"), QStringLiteral("2.0"));
        dm = std::make_unique<TDM>();
        dm->DownloadPageUrl = QStringLiteral("http://127.0.0.1/index.php/main/exercise");
        m_prevReport = SetWebReportAndExit([this](const QString& t, bool s, bool w, bool q) {
            reports.append({t, s, w, q});
        });
        m_prevOpen = SetWebOpenUrl([this](const QString& url) {
            opened << url;
            return qintptr(42);
        });
        web = std::make_unique<TwebServer>();
        log = std::make_shared<MemoryLog>();
        SetRunLogger(log);
        web->WebTamry->Logger = log;
    }
    ~DownloadRun()
    {
        web.reset();
        dm.reset();
        SetRunLogger(nullptr);
        SetWebReportAndExit(m_prevReport);
        SetWebOpenUrl(m_prevOpen);
    }
    QStringList promptTexts() { return prompts->texts(); }

    ScopedPrompts prompts;
    std::unique_ptr<TDM> dm;
    std::unique_ptr<TwebServer> web;
    std::shared_ptr<MemoryLog> log;
    QList<Report> reports;
    QStringList opened;

private:
    TReportAndExitHook m_prevReport;
    TOpenUrlHook m_prevOpen;
};

bool hostFile(const QString& winPath) { return QFileInfo(win::toHost(winPath)).isFile(); }

QStringList filesBelow(const QString& winDir)
{
    QStringList out;
    const QString root = win::toHost(winDir);
    QDir d(root);
    for (const QFileInfo& fi : d.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (fi.isDir())
            for (const QString& sub : filesBelow(win::fromHost(fi.filePath())))
                out << fi.fileName() + QLatin1Char('/') + sub;
        else
            out << fi.fileName();
    }
    return out;
}

// A questions folder for the site holding a copy of one built sample whose material
// is replaced by the given archive.
QString questionsWithMaterial(const QString& sample, const QByteArray& zipBytes)
{
    static int n = 0;
    const QString root = TestEnv::freshDir(QStringLiteral("site%1").arg(++n));
    const QString from = qEnvironmentVariable("PRAVIK_BIN_DIR") + QStringLiteral("/../practice-questions/")
        + sample;
    QDir().mkpath(root + QLatin1Char('/') + sample);
    for (const QString& f : QDir(from).entryList(QDir::Files))
        QFile::copy(from + QLatin1Char('/') + f, root + QLatin1Char('/') + sample + QLatin1Char('/') + f);
    QFile z(root + QLatin1Char('/') + sample + QStringLiteral("/material.zip"));
    z.remove();
    EXPECT_TRUE(z.open(QIODevice::WriteOnly));
    z.write(zipBytes);
    return root;
}

// An AES-encrypted archive with one entry.
QByteArray makeZip(const char* entryName, const char* password)
{
    const QString path = TestEnv::freshDir(QStringLiteral("zip")) + QStringLiteral("/a.zip");
    int err = 0;
    zip_t* za = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    EXPECT_NE(za, nullptr);
    static const char content[] = "material content\n";
    zip_source_t* src = zip_source_buffer(za, content, sizeof content - 1, 0);
    const zip_int64_t idx = zip_file_add(za, entryName, src, ZIP_FL_ENC_UTF_8);
    EXPECT_GE(idx, 0);
    EXPECT_EQ(zip_file_set_encryption(za, zip_uint64_t(idx), ZIP_EM_AES_256, password), 0);
    EXPECT_EQ(zip_close(za), 0);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

const QString kBadMaterial = QStringLiteral(
    "试题素材初始化失败!\r\n系统即将关闭，请在Tamry网上重新练习本题。");
const QString kNoConnection = QStringLiteral("连接Tamry网失败，请检查网络是否可用！");

} // namespace

class Download : public ::testing::Test {
protected:
    static void SetUpTestSuite() { site = new SiteProcess(); }
    static void TearDownTestSuite()
    {
        delete site;
        site = nullptr;
    }
    void SetUp() override { ASSERT_FALSE(site->url().isEmpty()) << "practice-site did not start"; }
    static QString launch(const QString& name) { return site->url() + QStringLiteral("/launch/") + name; }
    static SiteProcess* site;
};
SiteProcess* Download::site = nullptr;

TEST_F(Download, EverySampleLandsInPlace)
{
    const struct {
        const char* name;
        int id;
        int type;
        QStringList material;
    } samples[] = {
        {"windows-folder",
         5001,
         5,
         {QStringLiteral("旧文件.txt"), QStringLiteral("草稿/第一稿.txt"), QStringLiteral("说明.txt")}},
        {"word", 6001, 6, {QStringLiteral("春天.doc")}},
        {"typing", 11001, 11, {}},
        {"ie-settings", 23001, 23, {}},
        {"windows-virtual", 26001, 26, {}},
        {"iis", 4001, 4, {}},
        {"ip", 19001, 19, {}},
        {"ftp", 22001, 22, {QStringLiteral("DownLoad/通知.txt"), QStringLiteral("作业.doc")}},
        {"windows-controlpanel", 26002, 26, {}},
        {"windows-printer", 26003, 26, {}},
        {"windows-explorer",
         26004,
         26,
         {QStringLiteral("Recycler/文件.txt"), QStringLiteral("Recycler/旧文件.txt"),
          QStringLiteral("Recycler/照片.bmp"), QStringLiteral("Recycler/草稿.doc")}},
    };
    const QString p = win::ProgramDir();
    for (const auto& s : samples) {
        SCOPED_TRACE(s.name);
        DownloadRun run(launch(QString::fromUtf8(s.name)));
        const QString q = QString::number(s.id);
        const QString x = QStringLiteral("D:\\StuExamData\\20260101080000\\20260101080000");
        ASSERT_TRUE(run.web->Download()) << qPrintable(run.promptTexts().join(QLatin1Char('|')));
        QDir(win::toHost(x)).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(win::toHost(x))); // the practice folder exists before the copy
        ASSERT_TRUE(run.web->CopyMaterialTo(x));
        EXPECT_TRUE(run.promptTexts().isEmpty());
        EXPECT_TRUE(run.reports.isEmpty());
        EXPECT_EQ(run.web->PaperInfo.questionid, s.id);
        EXPECT_EQ(run.web->PaperInfo.operationtype, s.type);
        EXPECT_EQ(run.web->PaperInfo.ownerid, QStringLiteral("440100"));
        const QString d = run.web->DownloadDir;
        EXPECT_TRUE(d.startsWith(win::GetTempPath() + QStringLiteral("DODADA\\")));
        EXPECT_TRUE(hostFile(d + QStringLiteral("\\Paper.xml")));
        EXPECT_TRUE(hostFile(QStringLiteral("%1\\%2\\%2.xml").arg(d, q)));
        EXPECT_TRUE(hostFile(QStringLiteral("%1\\%2\\%2.png").arg(d, q)));
        EXPECT_EQ(hostFile(QStringLiteral("%1\\%2\\%2.ZIP").arg(d, q)), !s.material.isEmpty());
        EXPECT_TRUE(hostFile(p + QStringLiteral("subjects\\Paper.xml")));
        EXPECT_EQ(run.web->StepFilePath, QStringLiteral("%1subjects\\%2\\%2.xml").arg(p, q));
        EXPECT_EQ(run.dm->StepFile, run.web->StepFilePath);
        EXPECT_TRUE(hostFile(run.web->StepFilePath));
        EXPECT_EQ(run.web->GetPicturePath(), QStringLiteral("%1subjects\\%2\\%2.png").arg(p, q));
        EXPECT_EQ(run.web->OperationPath, x + QLatin1Char('\\') + q);
        EXPECT_EQ(filesBelow(x + QLatin1Char('\\') + q), s.material);
        QStringList inSubjects = filesBelow(QStringLiteral("%1subjects\\%2").arg(p, q));
        inSubjects.removeAll(q + QStringLiteral(".xml"));
        inSubjects.removeAll(q + QStringLiteral(".png"));
        EXPECT_EQ(inSubjects, s.material);
        EXPECT_TRUE(run.log->has(QStringLiteral("TwebServer.Download out")));
    }
}

TEST_F(Download, PictureIsTheRenderedPng)
{
    DownloadRun run(launch(QStringLiteral("word")));
    ASSERT_TRUE(run.web->Download());
    QFile f(win::toHost(run.web->GetPicturePath()));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(8) == QByteArray("\x89PNG\r\n\x1a\n", 8));
}

TEST_F(Download, FailureMessages)
{
    const struct {
        const char* what;
        QString query;
        QStringList prompts;
        QString report; // the text of a report-and-exit with quit, "" for none
    } cases[] = {
        {"empty body", QStringLiteral("word?mode=empty"), {}, kNoConnection},
        {"html page", QStringLiteral("word?mode=html"), {QStringLiteral("下载的试题信息有问题")}, {}},
        {"refused",
         QStringLiteral("word?mode=refused&msg=%E4%BB%8A%E6%97%A5%E7%BB%B4%E6%8A%A4"),
         {QStringLiteral("下载失败,错误原因:今日维护"), QStringLiteral("验证无法通过")},
         {}},
        {"questid 12a", QStringLiteral("word?questid=12a"), {QStringLiteral("下载的试题信息有问题")}, {}},
        {"questid with leading zero",
         QStringLiteral("word?questid=06001"),
         {QStringLiteral("试卷表中和下载的JSON试题编号不一致")},
         {}},
        {"paper 404", QStringLiteral("word?missing=paper"), {QStringLiteral("下载试卷失败")}, {}},
        {"step 404", QStringLiteral("word?missing=step"), {QStringLiteral("下载步骤文件失败")}, {}},
        {"material 404", QStringLiteral("word?missing=material"), {QStringLiteral("下载素材文件失败")}, {}},
        {"picture 404", QStringLiteral("word?missing=picture"), {QStringLiteral("下载题目描述文件失败")}, {}},
        {"truncated paper", QStringLiteral("word?truncate=paper"), {}, {}},
        {"truncated archive", QStringLiteral("word?truncate=material"), {}, kBadMaterial},
        {"unknown question", QStringLiteral("nosuch"), {}, kNoConnection},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DownloadRun run(launch(c.query));
        EXPECT_FALSE(run.web->Download());
        EXPECT_EQ(run.promptTexts(), c.prompts);
        if (c.report.isEmpty()) {
            EXPECT_TRUE(run.reports.isEmpty());
        } else {
            ASSERT_EQ(run.reports.size(), 1);
            EXPECT_EQ(run.reports[0].text, c.report);
            EXPECT_TRUE(run.reports[0].showBox && run.reports[0].writeLog && run.reports[0].quit);
        }
        EXPECT_FALSE(run.log->has(QStringLiteral("TwebServer.Download out")));
    }
}

TEST_F(Download, A404IsOneAttemptWithUrlAndMessage)
{
    DownloadRun run(launch(QStringLiteral("word?missing=step")));
    EXPECT_FALSE(run.web->Download());
    const QString url = site->url() + QStringLiteral("/files/word/missing-6001.xml");
    int lines = 0;
    for (const QString& l : run.log->lines)
        if (l.startsWith(QStringLiteral("TwebServer.DownloadToFile ERROR: "))) {
            ++lines;
            EXPECT_EQ(l,
                      QStringLiteral("TwebServer.DownloadToFile ERROR: ") + url
                          + QStringLiteral("\r\nHTTP/1.1 404 Not Found"));
        }
    EXPECT_EQ(lines, 1);
    EXPECT_FALSE(hostFile(QStringLiteral("%1\\6001\\6001.xml").arg(run.web->DownloadDir)));
}

TEST_F(Download, UnreachableHostAndOtherSchemes)
{
    for (const QString& address : {QStringLiteral("http://127.0.0.1:1/launch/word"),
                                   QStringLiteral("file:///etc/passwd"), QStringLiteral("word")}) {
        SCOPED_TRACE(qPrintable(address));
        DownloadRun run(address);
        EXPECT_FALSE(run.web->Download());
        ASSERT_EQ(run.reports.size(), 1);
        EXPECT_EQ(run.reports[0].text, kNoConnection);
        // The failure is logged at MSG_ERROR, followed by the empty response line.
        ASSERT_GE(run.log->lines.size(), 3);
        EXPECT_EQ(run.log->lines[0], QStringLiteral("TwebServer.Download in"));
        EXPECT_FALSE(run.log->lines[1].isEmpty());
        EXPECT_EQ(run.log->levels[1], MSG_ERROR);
        EXPECT_EQ(run.log->lines[2], QString());
    }
}

TEST_F(Download, SlowAnswerEndsAtTheTransferTimeout)
{
    webhttp::SetTransferTimeout(500);
    DownloadRun run(launch(QStringLiteral("word?delay=3000")));
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(run.web->Download());
    EXPECT_LT(t.elapsed(), 2500);
    webhttp::SetTransferTimeout(60000);
    ASSERT_EQ(run.reports.size(), 1);
    EXPECT_EQ(run.reports[0].text, kNoConnection);
}

TEST_F(Download, MaterialAboveTheSizeCapLeavesNoFile)
{
    webhttp::SetMaxDownloadBytes(64);
    DownloadRun run(launch(QStringLiteral("word")));
    const bool ok = run.web->Download();
    webhttp::SetMaxDownloadBytes(0);
    EXPECT_FALSE(ok);
    // The paper is larger than 64 bytes as well: the first download fails, whole.
    EXPECT_EQ(run.promptTexts(), QStringList{QStringLiteral("下载试卷失败")});
    EXPECT_FALSE(hostFile(run.web->DownloadDir + QStringLiteral("\\Paper.xml")));
    EXPECT_TRUE(QDir(win::toHost(run.web->DownloadDir)).entryList(QDir::Files).isEmpty());
}

TEST_F(Download, VersionCheck)
{
    {
        SCOPED_TRACE("2.0 against 10.0");
        DownloadRun run(launch(QStringLiteral("word?version=10.0")));
        EXPECT_TRUE(run.web->Download());
        EXPECT_TRUE(run.opened.isEmpty());
    }
    for (const char* version : {"", "2.1"}) {
        SCOPED_TRACE(version);
        DownloadRun run(launch(QStringLiteral("word?version=") + QString::fromUtf8(version)));
        EXPECT_FALSE(run.web->Download());
        const QString text = QStringLiteral("有新版本的Pravik。\r\n请点击“确定”到Tamry网下载然后升级安装！");
        ASSERT_EQ(run.prompts->records.size(), 1);
        EXPECT_EQ(run.prompts->records[0].text, text);
        EXPECT_EQ(run.prompts->records[0].style, 4);
        EXPECT_EQ(run.opened, QStringList{run.dm->DownloadPageUrl});
        ASSERT_EQ(run.reports.size(), 1);
        EXPECT_EQ(run.reports[0].text, text);
        EXPECT_FALSE(run.reports[0].showBox);
        EXPECT_TRUE(run.reports[0].writeLog && run.reports[0].quit);
    }
}

TEST_F(Download, StaleFilesAreReplaced)
{
    DownloadRun run(launch(QStringLiteral("word")));
    const QString qDir = run.web->DownloadDir + QStringLiteral("\\6001");
    QDir().mkpath(win::toHost(qDir));
    QFile stale(win::toHost(qDir + QStringLiteral("\\stale.txt")));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    // A read-only paper left by an earlier run is made writable and replaced.
    QFile old(win::toHost(run.web->DownloadDir + QStringLiteral("\\Paper.xml")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    win::SetFileAttributes(run.web->DownloadDir + QStringLiteral("\\Paper.xml"),
                           win::FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(run.web->Download());
    EXPECT_FALSE(stale.exists());
    QFile paper(win::toHost(run.web->DownloadDir + QStringLiteral("\\Paper.xml")));
    ASSERT_TRUE(paper.open(QIODevice::ReadOnly));
    EXPECT_TRUE(paper.readAll().contains("<questionid>6001</questionid>"));
}

TEST_F(Download, UnsafeOrWrongArchivesAreRefused)
{
    const struct {
        const char* what;
        QByteArray zip;
    } cases[] = {
        {"wrong password", makeZip("a.txt", "not-the-password")},
        {"entry climbs out", makeZip("../../evil.txt", "morvane")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SiteProcess own(
            {QStringLiteral("--questions"), questionsWithMaterial(QStringLiteral("word"), c.zip)});
        ASSERT_FALSE(own.url().isEmpty());
        DownloadRun run(own.url() + QStringLiteral("/launch/word"));
        EXPECT_FALSE(run.web->Download());
        ASSERT_EQ(run.reports.size(), 1);
        EXPECT_EQ(run.reports[0].text, kBadMaterial);
        const QString archive = run.web->DownloadDir + QStringLiteral("\\6001\\6001.zip");
        EXPECT_TRUE(run.log->has(QStringLiteral("解压") + archive + QStringLiteral("文件时失败,程序将退出")));
        const QString target = win::GetTempPath() + QStringLiteral("subjects\\6001");
        EXPECT_TRUE(filesBelow(target).isEmpty()) << qPrintable(filesBelow(target).join(QLatin1Char(',')));
        EXPECT_FALSE(hostFile(win::GetTempPath() + QStringLiteral("evil.txt")));
        EXPECT_FALSE(hostFile(win::GetTempPath() + QStringLiteral("subjects\\evil.txt")));
    }
}
