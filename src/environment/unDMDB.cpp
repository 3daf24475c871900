#include "environment/unDMDB.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QThread>

#include <atomic>
#include <exception>
#include <mutex>

#include "common/IniFile.h"
#include "environment/ArchiveExtract.h"
#include "common/PathUtils.h"
#include "common/RtfReader.h"
#include "common/Prompts.h"
#include "environment/BrowserState.h"
#include "environment/StartApp.h"
#include "environment/StuDirManage.h"
#include "platform/Ansi.h"
#include "platform/WinPaths.h"
#include "platform/WinProcess.h"
#include "platform/WinRegistry.h"
#include "platform/WinShell.h"

QString LaunchData;
QString strCurDisk;
TStudentsRec TStudents;
TDM* DM = nullptr;

namespace {

std::atomic<bool> g_quitting{false};

const QString kShellFolders = QStringLiteral(
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
const QString kUserShellFolders = QStringLiteral(
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders");

// The special-folder chain shared by the Favorites and Desktop look-ups.
QString specialFolderWithFallbacks(int csidl, const QString& valueName, const QString& lastResortName)
{
    QString dir = win::GetSpecialFolder(csidl) + QStringLiteral("\\");
    if (dir.trimmed() == QStringLiteral("\\"))
        dir = win::RegReadString(win::Hive::HKCU, kShellFolders, valueName).value_or(QString())
            + QStringLiteral("\\");
    if (dir.trimmed() == QStringLiteral("\\"))
        dir = win::RegReadString(win::Hive::HKCU, kUserShellFolders, valueName).value_or(QString())
            + QStringLiteral("\\");
    if (dir.trimmed() == QStringLiteral("\\")) {
        // The profile folder is the temporary path cut before its "Local" part (the
        // temporary folder lives in "<profile>\Local Settings\Temp" or
        // "<profile>\AppData\Local\Temp"). A temporary path without that part keeps
        // the whole path, so that the result is never a relative folder.
        QString temp = win::GetTempPath();
        const int pos = temp.indexOf(QStringLiteral("LOCAL"), 0, Qt::CaseInsensitive);
        if (pos >= 0)
            temp = temp.left(pos);
        else
            temp = pathutil::IncludeTrailingBackslash(temp);
        dir = temp + lastResortName;
    }
    return dir;
}

} // namespace

// ---------------------------------------------------------------------------
// The end of the application

bool ApplicationQuitting() { return g_quitting.load(); }

// Qt leaves every event loop of the GUI thread on QCoreApplication::exit(): the
// nested loops of modal windows return first, then the main loop ends with the code.
// While the flag of the thread data is set, a new nested loop returns at once, so a
// modal prompt that the caller might still open after this call cannot keep the
// process alive. When no loop runs yet (a failure during start-up before the main
// loop), the exit is queued and ends the main loop as soon as it starts.
void TerminateApplication()
{
    g_quitting.store(true);
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    if (QThread::currentThread() != app->thread()) {
        QMetaObject::invokeMethod(
            app, [] { TerminateApplication(); }, Qt::QueuedConnection);
        return;
    }
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
    // Queued as well: covers the case without a running loop, and a main loop that a
    // nested loop's caller re-enters.
    QMetaObject::invokeMethod(
        app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

// ---------------------------------------------------------------------------
// TDM

TDM::TDM(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("DM"));
    if (!DM)
        DM = this;
    DataModuleCreate();
}

TDM::~TDM()
{
    if (DM == this)
        DM = nullptr;
}

void TDM::DataModuleCreate()
{
    FavoritesDir = GetFavoritesDir();
    MissingNames.clear();
    MissingCodes.clear();
}

void TDM::ReportAndExit(const QString& text, bool showBox, bool writeLog, bool quit)
{
    LastMessage = text;
    if (showBox)
        ShowPrompt(text, 1, kPromptTitle);
    if (writeLog)
        WriteLog(text, nullptr, MSG_ERROR);
    if (!quit)
        return;
    ExitCleanUp();
    TerminateApplication();
}

void TDM::ExitCleanUp()
{
    m_exitCleanUpRan = true;
    // Each clean-up step is best effort: a failure is logged by the step and the next
    // step runs.
    auto step = [](auto&& fn) {
        try {
            fn();
        } catch (const std::exception& e) {
            WriteLog(QStringLiteral("TDM.ReportAndExit ERROR: ") + QString::fromLocal8Bit(e.what()));
        } catch (...) {
            WriteLog(QStringLiteral("TDM.ReportAndExit ERROR: unknown exception"));
        }
    };
    step([this] {
        if (!ExamineeDir.isEmpty() && pathutil::DirectoryExists(ExamineeDir))
            DeleteDirTree(ExamineeDir, false, false);
    });
    step([] { KillTask(QStringLiteral("zSvr.exe")); });
    step([] { KillTask(QStringLiteral("EmailServer.exe")); });
    step([] { win::KillProcessByName(QStringLiteral("zlib.exe")); });
    step([] { win::KillProcessByName(QStringLiteral("unzlib.exe")); });
    step([] { win::KillProcessByName(QStringLiteral("AspServer.exe")); });
    step([] { RemoveVirtualDrive(strCurDisk); });
    step([] { CloseOperationSoftware(); });
    step([] { KelTamry_IE_Restore(); });
    step([] { DelTemp(); });
}

void TDM::WriteLog(const QString& text, const QObject* sender, int level)
{
    try {
        const ILogCtrlPtr logger = ProcessLogger();
        if (!logger)
            return;
        const TLogType l = static_cast<TLogType>(qBound(0, level, 4));
        logger->Write(l, sender, text);
    } catch (...) {
        // Logging never stops the exercise.
    }
}

void TDM::WriteInfoLog(const QString& text)
{
    try {
        if (Logger)
            Logger->Info(text);
    } catch (...) {
    }
}

QString TDM::GetFavoritesDir()
{
    return specialFolderWithFallbacks(win::CSIDL_FAVORITES, QStringLiteral("Favorites"),
                                      QStringLiteral("Favorites\\"));
}

QString TDM::GetDesktopDir()
{
    return specialFolderWithFallbacks(win::CSIDL_DESKTOP, QStringLiteral("Desktop"),
                                      QStringLiteral("桌面\\"));
}

bool TDM::ExtractArchive(const QString& archiveFile, const QString& targetDir, const QString& password)
{
    QString error;
    if (ExtractZipArchive(archiveFile, targetDir, password, &error))
        return true;
    if (!error.isEmpty())
        WriteLog(QStringLiteral("TDM.ExtractArchive ERROR: ") + error);
    return false;
}

QString TDM::RtfToText(const QString& rtf) const { return ::RtfToText(rtf).left(RtfTextMaxLength); }

bool TDM::DriveReady(const QString& path)
{
    try {
        const QString p = path.trimmed();
        if (p.size() < 2 || p.at(1) != QLatin1Char(':') || !p.at(0).isLetter())
            return false;
        return win::DiskFree(p.left(2) + QStringLiteral("\\")) != -1;
    } catch (...) {
        return false;
    }
}

void TDM::ReadLocalVersion(QString& version)
{
    try {
        const QString dir = ProgramDir.isEmpty() ? win::ProgramDir()
                                                 : pathutil::IncludeTrailingBackslash(ProgramDir);
        TIniFile ini(dir + QStringLiteral("Config.ini"));
        version = ini.ReadString(QStringLiteral("LOCAL"), QStringLiteral("VERSION")).trimmed();
    } catch (const std::exception& e) {
        version.clear();
        ReportAndExit(QStringLiteral("获取本地Pravik版本信息出错：") + QString::fromLocal8Bit(e.what()), true,
                      true, true);
    }
}
