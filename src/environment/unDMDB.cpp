#include "environment/unDMDB.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QSaveFile>
#include <QStringDecoder>
#include <QThread>

#include <zip.h>

#include <atomic>
#include <exception>
#include <mutex>
#include <sys/stat.h>

#include "common/IniFile.h"
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

const QString kTitle = QStringLiteral("提示信息");

std::atomic<bool> g_quitting{false};

const QString kShellFolders = QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
const QString kUserShellFolders = QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders");

// Limits of what an archive may unpack to: far above any material package, far below
// what would fill a disk or hang the start.
constexpr zip_int64_t kMaxEntries = 20000;
constexpr zip_uint64_t kMaxTotalBytes = 2ull * 1024 * 1024 * 1024;   // 2 GiB
// Deflate itself cannot pass about 1032 : 1 (a blank bitmap of the material comes
// close); only other methods reach absurd ratios.
constexpr zip_uint64_t kMaxRatio = 2000;                              // unpacked : packed
constexpr zip_uint64_t kRatioFloor = 1024 * 1024;                     // ratio checked above 1 MiB

// The special-folder chain shared by the Favorites and Desktop look-ups.
QString specialFolderWithFallbacks(int csidl, const QString& valueName, const QString& lastResortName)
{
    QString dir = win::GetSpecialFolder(csidl) + QStringLiteral("\\");
    if (dir.trimmed() == QStringLiteral("\\"))
        dir = win::RegReadString(win::Hive::HKCU, kShellFolders, valueName).value_or(QString()) + QStringLiteral("\\");
    if (dir.trimmed() == QStringLiteral("\\"))
        dir = win::RegReadString(win::Hive::HKCU, kUserShellFolders, valueName).value_or(QString()) + QStringLiteral("\\");
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

// Decodes a raw entry name: UTF-8 when the bytes are valid UTF-8, else GBK.
QString decodeEntryName(const QByteArray& raw)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(raw);
    if (!utf8.hasError())
        return text;
    return win::fromAnsi(raw);
}

// The components of a safe relative entry name, or an empty list when the name is
// unsafe (absolute, drive prefix, "." or ".." component, control character, colon).
QStringList safeComponents(const QString& name, QString* why)
{
    QString n = name;
    n.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (n.isEmpty()) {
        *why = QStringLiteral("empty name");
        return {};
    }
    if (n.startsWith(QLatin1Char('/'))) {
        *why = QStringLiteral("absolute path");
        return {};
    }
    for (const QChar c : n) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
            *why = QStringLiteral("control character");
            return {};
        }
        if (c == QLatin1Char(':')) {
            *why = QStringLiteral("drive prefix or stream name");
            return {};
        }
    }
    QStringList parts;
    for (const QString& p : n.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (p == QStringLiteral(".") || p == QStringLiteral("..")) {
            *why = QStringLiteral("relative component");
            return {};
        }
        parts << p;
    }
    if (parts.isEmpty())
        *why = QStringLiteral("empty name");
    return parts;
}

bool isSymlinkEntry(zip_t* za, zip_uint64_t index)
{
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(za, index, 0, &opsys, &attributes) != 0)
        return false;
    if (opsys != ZIP_OPSYS_UNIX)
        return false;
    return ((attributes >> 16) & S_IFMT) == S_IFLNK;
}

struct ZipCloser {
    void operator()(zip_t* za) const { zip_discard(za); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* zf) const { zip_fclose(zf); }
};

// True when the deepest existing folder on the way to hostPath (the path itself when
// it exists) lies inside canonicalRoot after resolving links.
bool underFolder(const QString& hostPath, const QString& canonicalRoot)
{
    if (hostPath.isEmpty())
        return false;
    QString p = QDir::cleanPath(hostPath);
    while (!QFileInfo::exists(p)) {
        const QString up = QFileInfo(p).path();
        if (up == p)
            return false;
        p = up;
    }
    const QString c = QFileInfo(p).canonicalFilePath();
    return !c.isEmpty() && (c == canonicalRoot || c.startsWith(canonicalRoot + QLatin1Char('/')));
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
        QMetaObject::invokeMethod(app, [] { TerminateApplication(); }, Qt::QueuedConnection);
        return;
    }
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
    // Queued as well: covers the case without a running loop, and a main loop that a
    // nested loop's caller re-enters.
    QMetaObject::invokeMethod(app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
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
        ShowPrompt(text, 1, kTitle);
    if (writeLog)
        WriteLog(text, nullptr, MSG_ERROR);
    if (!quit)
        return;

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
    TerminateApplication();
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
    return specialFolderWithFallbacks(win::CSIDL_FAVORITES, QStringLiteral("Favorites"), QStringLiteral("Favorites\\"));
}

QString TDM::GetDesktopDir()
{
    return specialFolderWithFallbacks(win::CSIDL_DESKTOP, QStringLiteral("Desktop"), QStringLiteral("桌面\\"));
}

bool TDM::ExtractArchive(const QString& archiveFile, const QString& targetDir, const QString& password)
{
    try {
        const auto fail = [](const QString& detail) {
            WriteLog(QStringLiteral("TDM.ExtractArchive ERROR: ") + detail);
            return false;
        };
        if (!pathutil::DirectoryExists(targetDir) && !pathutil::ForceDirectories(targetDir))
            return false;
        const QString hostArchive = win::toHost(archiveFile);
        const QString hostTarget = win::toHost(targetDir);
        if (hostArchive.isEmpty() || hostTarget.isEmpty())
            return false;
        const QString canonicalTarget = QFileInfo(hostTarget).canonicalFilePath();
        if (canonicalTarget.isEmpty())
            return false;

        int err = 0;
        std::unique_ptr<zip_t, ZipCloser> za(zip_open(QFile::encodeName(hostArchive).constData(), ZIP_RDONLY, &err));
        if (!za)
            return fail(archiveFile + QStringLiteral(" cannot be opened"));

        // Listing: every entry is checked before anything is written.
        const zip_int64_t count = zip_get_num_entries(za.get(), 0);
        if (count < 0 || count > kMaxEntries)
            return fail(archiveFile + QStringLiteral(": too many entries"));
        struct Entry {
            zip_uint64_t index;
            QString winPath;   // target + relative name, backslashes
            bool isDir;
            zip_uint64_t size;
            bool encrypted;
        };
        QList<Entry> entries;
        zip_uint64_t total = 0;
        for (zip_int64_t i = 0; i < count; ++i) {
            const auto idx = static_cast<zip_uint64_t>(i);
            const char* raw = zip_get_name(za.get(), idx, ZIP_FL_ENC_RAW);
            if (!raw)
                return fail(archiveFile + QStringLiteral(": unreadable entry name"));
            const QByteArray rawName(raw);
            const QString name = decodeEntryName(rawName);
            QString why;
            const QStringList parts = safeComponents(name, &why);
            if (parts.isEmpty())
                return fail(archiveFile + QStringLiteral(": unsafe entry \"") + name + QStringLiteral("\" (") + why + QStringLiteral(")"));
            if (isSymlinkEntry(za.get(), idx))
                return fail(archiveFile + QStringLiteral(": symbolic link entry \"") + name + QStringLiteral("\""));
            zip_stat_t st;
            zip_stat_init(&st);
            if (zip_stat_index(za.get(), idx, 0, &st) != 0)
                return fail(archiveFile + QStringLiteral(": unreadable entry \"") + name + QStringLiteral("\""));
            const bool isDir = rawName.endsWith('/') || rawName.endsWith('\\');
            const zip_uint64_t size = (st.valid & ZIP_STAT_SIZE) ? st.size : 0;
            const zip_uint64_t packed = (st.valid & ZIP_STAT_COMP_SIZE) ? st.comp_size : 0;
            if (size > kMaxTotalBytes || total + size > kMaxTotalBytes)
                return fail(archiveFile + QStringLiteral(": unpacked size above the limit"));
            if (size > kRatioFloor && size / qMax<zip_uint64_t>(packed, 1) > kMaxRatio)
                return fail(archiveFile + QStringLiteral(": compression ratio of \"") + name + QStringLiteral("\" above the limit"));
            total += size;
            const bool encrypted = (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE;
            entries.append({idx, pathutil::IncludeTrailingBackslash(targetDir) + parts.join(QLatin1Char('\\')), isDir, size, encrypted});
        }

        const QByteArray pw = password.toUtf8();
        for (const Entry& e : entries) {
            // A folder of the target that is a link elsewhere must not redirect writes:
            // checked before and after the folders are made.
            const QString folder = e.isDir ? e.winPath : pathutil::ExtractFilePath(e.winPath);
            const QString folderHost = hostTarget + QLatin1Char('/')
                + QString(folder.mid(pathutil::IncludeTrailingBackslash(targetDir).size())).replace(QLatin1Char('\\'), QLatin1Char('/'));
            if (!underFolder(folderHost, canonicalTarget))
                return fail(e.winPath + QStringLiteral(" leaves the target folder"));
            if (!pathutil::ForceDirectories(folder))
                return fail(folder + QStringLiteral(" cannot be created"));
            if (!underFolder(win::toHost(folder), canonicalTarget))
                return fail(e.winPath + QStringLiteral(" leaves the target folder"));
            if (e.isDir)
                continue;
            const QString hostFile = win::toHost(e.winPath);
            if (hostFile.isEmpty())
                return fail(e.winPath + QStringLiteral(" has no host path"));
            if (QFileInfo(hostFile).isSymLink() || QFileInfo(hostFile).isDir())
                return fail(e.winPath + QStringLiteral(" is a link or a folder"));

            std::unique_ptr<zip_file_t, ZipFileCloser> zf(
                e.encrypted ? zip_fopen_index_encrypted(za.get(), e.index, 0, pw.constData())
                            : zip_fopen_index(za.get(), e.index, 0));
            if (!zf)
                return fail(e.winPath + QStringLiteral(": ") + QString::fromLocal8Bit(zip_strerror(za.get())));

            // Written beside the final file and renamed only when the entry was read
            // completely with a matching checksum.
            QSaveFile out(hostFile);
            out.setDirectWriteFallback(false);
            if (!out.open(QIODevice::WriteOnly))
                return fail(e.winPath + QStringLiteral(" cannot be written"));
            char buffer[64 * 1024];
            zip_uint64_t written = 0;
            for (;;) {
                const zip_int64_t n = zip_fread(zf.get(), buffer, sizeof buffer);
                if (n < 0) {
                    const QString detail = QString::fromLocal8Bit(zip_file_strerror(zf.get()));
                    out.cancelWriting();
                    return fail(e.winPath + QStringLiteral(": ") + detail);
                }
                if (n == 0)
                    break;
                written += static_cast<zip_uint64_t>(n);
                if (written > e.size || out.write(buffer, n) != n) {
                    out.cancelWriting();
                    return fail(e.winPath + QStringLiteral(": size does not match the listing"));
                }
            }
            if (written != e.size) {
                out.cancelWriting();
                return fail(e.winPath + QStringLiteral(": size does not match the listing"));
            }
            if (!out.commit())
                return fail(e.winPath + QStringLiteral(" cannot be written"));
        }
        return true;
    } catch (...) {
        return false;
    }
}

QString TDM::RtfToText(const QString& rtf) const
{
    return ::RtfToText(rtf).left(RtfTextMaxLength);
}

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
        const QString dir = ProgramDir.isEmpty() ? win::ProgramDir() : pathutil::IncludeTrailingBackslash(ProgramDir);
        TIniFile ini(dir + QStringLiteral("Config.ini"));
        version = ini.ReadString(QStringLiteral("LOCAL"), QStringLiteral("VERSION")).trimmed();
    } catch (const std::exception& e) {
        version.clear();
        ReportAndExit(QStringLiteral("获取本地Pravik版本信息出错：") + QString::fromLocal8Bit(e.what()), true, true, true);
    }
}
