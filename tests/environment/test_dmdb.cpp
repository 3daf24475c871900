// The data module: logging through the process logger, the special-folder look-ups
// with their fall-backs, drive readiness, and ReportAndExit (the ending ones run in a
// child process, because they end the application).
#include "EnvTestSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <optional>
#include <stdexcept>

#include "platform/WinRegistry.h"
#include "platform/WinShell.h"

using namespace envtest;
using pravik::test::TestEnv;

namespace {

const QString kShell = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const QString kUser = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

class ThrowingLog : public RecordingLog {
public:
    void Write(TLogType, const QObject*, const QString&) override { throw std::runtime_error("disk full"); }
};

class LevelLog : public RecordingLog {
public:
    QList<int> levels;
    QList<const QObject*> senders;
    void Write(TLogType l, const QObject* s, const QString& t) override
    {
        levels << l;
        senders << s;
        lines << t;
    }
};

using DmTest = EnvFixture;

TEST_F(DmTest, WriteLogGoesThroughTheProcessLoggerOnly)
{
    SetProcessLogger(nullptr);
    TDM::WriteLog("lost"); // before the log exists: nothing, no crash

    auto levels = std::make_shared<LevelLog>();
    SetProcessLogger(levels);
    QObject sender;
    TDM::WriteLog("trace");
    TDM::WriteLog("debug line", &sender, MSG_DEBUG);
    TDM::WriteLog("clamped", nullptr, 9);
    EXPECT_EQ(levels->lines, QStringList({"trace", "debug line", "clamped"}));
    EXPECT_EQ(levels->levels, QList<int>({MSG_ERROR, MSG_DEBUG, MSG_FATAL}));
    EXPECT_EQ(levels->senders[1], &sender);

    SetProcessLogger(std::make_shared<ThrowingLog>());
    EXPECT_NO_THROW(TDM::WriteLog("swallowed"));

    // WriteInfoLog uses the module's own field.
    auto own = std::make_shared<RecordingLog>();
    DM->WriteInfoLog("not attached yet");
    DM->Logger = own;
    DM->WriteInfoLog("upload");
    EXPECT_EQ(own->lines, QStringList({"upload"}));
}

TEST_F(DmTest, ReportWithoutQuitPromptsAndLogs)
{
    DM->ReportAndExit("下载试题失败", true, true, false);
    ASSERT_EQ(prompts->records.size(), 1);
    EXPECT_EQ(prompts->records[0].kind, "ShowPrompt");
    EXPECT_EQ(prompts->records[0].text, "下载试题失败");
    EXPECT_EQ(prompts->records[0].style, 1);
    EXPECT_EQ(prompts->records[0].title, "提示信息");
    EXPECT_EQ(log->lines, QStringList({"下载试题失败"}));
    EXPECT_EQ(DM->LastMessage, "下载试题失败");

    DM->ReportAndExit("silent", false, false, false);
    EXPECT_EQ(prompts->records.size(), 1);
    EXPECT_EQ(log->lines.size(), 1);
    EXPECT_FALSE(ApplicationQuitting());
}

// The look-ups of the user's Favorites and Desktop folders and their fall-backs.
struct FolderCase {
    const char* name;
    bool specialFolders;
    const char* shellValue; // nullptr: value missing
    const char* userValue;
    const char* expectFavorites; // "{special}" / "{profile}" placeholders
    const char* expectDesktop;
};

class FolderFallbacks : public DmTest, public ::testing::WithParamInterface<FolderCase> {
protected:
    void SetUp() override
    {
        DmTest::SetUp();
        for (const QString& k : {kShell, kUser})
            for (const QString& v : {QString("Favorites"), QString("Desktop")})
                saved.append({k, v, win::RegReadString(win::Hive::HKCU, k, v)});
    }
    void TearDown() override
    {
        qunsetenv("PRAVIK_NO_SPECIAL_FOLDERS");
        for (const auto& s : saved) {
            if (s.value)
                win::RegWriteString(win::Hive::HKCU, s.key, s.name, *s.value);
            else
                win::RegDeleteValue(win::Hive::HKCU, s.key, s.name);
        }
        DmTest::TearDown();
    }
    static void setValue(const QString& key, const QString& name, const char* value)
    {
        if (value)
            win::RegWriteString(win::Hive::HKCU, key, name, QString::fromUtf8(value).replace("{n}", name));
        else
            win::RegDeleteValue(win::Hive::HKCU, key, name);
    }
    struct Saved {
        QString key, name;
        std::optional<QString> value;
    };
    QList<Saved> saved;
};

TEST_P(FolderFallbacks, FollowsTheChain)
{
    const FolderCase& c = GetParam();
    const QString specialFav = win::GetSpecialFolder(win::CSIDL_FAVORITES);
    const QString specialDesk = win::GetSpecialFolder(win::CSIDL_DESKTOP);
    ASSERT_FALSE(specialFav.isEmpty());
    QString temp = win::GetTempPath();
    const QString profile = temp.left(temp.indexOf("LOCAL"));
    ASSERT_FALSE(profile.isEmpty());
    if (!c.specialFolders)
        qputenv("PRAVIK_NO_SPECIAL_FOLDERS", "1");
    for (const QString& n : {QString("Favorites"), QString("Desktop")}) {
        setValue(kShell, n, c.shellValue);
        setValue(kUser, n, c.userValue);
    }
    const auto expand = [&](const char* e, const QString& special) {
        return QString::fromUtf8(e).replace("{special}", special).replace("{profile}", profile);
    };
    EXPECT_EQ(DM->GetFavoritesDir(), expand(c.expectFavorites, specialFav));
    EXPECT_EQ(DM->GetDesktopDir(), expand(c.expectDesktop, specialDesk));
}

INSTANTIATE_TEST_SUITE_P(Cases, FolderFallbacks,
                         ::testing::Values(FolderCase{"Special", true, "C:\\S\\{n}", "C:\\U\\{n}",
                                                      "{special}\\", "{special}\\"},
                                           FolderCase{"ShellFolders", false, "C:\\S\\{n}", "C:\\U\\{n}",
                                                      "C:\\S\\Favorites\\", "C:\\S\\Desktop\\"},
                                           FolderCase{"UserShellFolders", false, nullptr, "C:\\U\\{n}",
                                                      "C:\\U\\Favorites\\", "C:\\U\\Desktop\\"},
                                           FolderCase{"EmptyShellValue", false, "", "C:\\U\\{n}",
                                                      "C:\\U\\Favorites\\", "C:\\U\\Desktop\\"},
                                           FolderCase{"TempPath", false, nullptr, nullptr,
                                                      "{profile}Favorites\\", "{profile}桌面\\"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DmTest, DataModuleCreateResolvesFavorites)
{
    EXPECT_EQ(DM->FavoritesDir, win::GetSpecialFolder(win::CSIDL_FAVORITES) + "\\");
}

TEST_F(DmTest, DriveReadyTellsMappedDrives)
{
    EXPECT_TRUE(DM->DriveReady("D:\\"));
    EXPECT_TRUE(DM->DriveReady("c:\\windows\\x.txt"));
    EXPECT_FALSE(DM->DriveReady("Q:\\"));
    EXPECT_FALSE(DM->DriveReady("rfMyComputer"));
    EXPECT_FALSE(DM->DriveReady(""));
}

// ---------------------------------------------------------------------------
// Ending the application, in a child process.

struct ChildResult {
    int exitCode = -1;
    bool finished = false;
    QString out;
};

ChildResult runChild(const QString& mode)
{
    QProcess p;
    p.setProgram(QCoreApplication::applicationDirPath() + "/env_quit_child");
    p.setArguments({mode});
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start();
    ChildResult r;
    if (!p.waitForStarted(5000))
        return r;
    r.finished = p.waitForFinished(15000);
    if (!r.finished) {
        p.kill();
        p.waitForFinished(2000);
    }
    r.out = QString::fromUtf8(p.readAll());
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return r;
}

struct QuitCase {
    const char* mode;
    QStringList expectedLines; // must appear in this order in the child's output
};

class ReportAndExitChild : public ::testing::TestWithParam<QuitCase> { };

TEST_P(ReportAndExitChild, EndsWithExitCodeZero)
{
    const QuitCase& c = GetParam();
    const ChildResult r = runChild(c.mode);
    ASSERT_TRUE(r.finished) << r.out.toStdString();
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
    int from = 0;
    for (const QString& line : c.expectedLines) {
        const int at = r.out.indexOf(line, from);
        EXPECT_GE(at, 0) << "missing in order: " << line.toStdString() << "\n" << r.out.toStdString();
        if (at >= 0)
            from = at + line.size();
    }
    EXPECT_FALSE(r.out.contains("continued")) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains("watchdog")) << r.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ReportAndExitChild,
    ::testing::Values(
        // A modal prompt is open when the request to end arrives (as a second launch's
        // message does); the report shows its own prompt first.
        QuitCase{"modal",
                 {"prompt: 系统即将关闭 style 1 title 提示信息", "log: 系统即将关闭", "modal returned",
                  "stopped", "cleaned: examinee folder empty, drive removed", "main loop ended 0"}},
        QuitCase{"silent",
                 {"modal returned", "stopped", "cleaned: examinee folder empty, drive removed",
                  "main loop ended 0"}},
        QuitCase{"before-loop", {"stopped", "main loop ended 0"}},
        QuitCase{"config-fail",
                 {"prompt: 创建系统目录失败: \r\nQ: style 4 title 提示信息", "ReadConfig false",
                  "main loop ended 0"}}),
    [](const auto& info) { return std::string(QString(info.param.mode).replace('-', '_').toStdString()); });

} // namespace
