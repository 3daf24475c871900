#include "environment/StuDirManage.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <exception>

#include "common/IniFile.h"
#include "common/KelPubLib.h"
#include "common/PathUtils.h"
#include "common/Prompts.h"
#include "environment/StartApp.h"
#include "environment/unDMDB.h"
#include "platform/Ansi.h"
#include "platform/WinConsole.h"
#include "platform/WinFiles.h"
#include "platform/WinPaths.h"
#include "platform/WinProcess.h"

namespace {

void Log(const QString& text) { TDM::WriteLog(text, nullptr, MSG_ERROR); }

QString exceptionText(const std::exception& e) { return QString::fromLocal8Bit(e.what()); }

// Windows platform id of the running system: 2 = NT family. The 9x branch of the
// drive mapping (VxD calls) is not built; every supported system is of the NT family.
constexpr int kPlatformId = 2;
constexpr int kVerPlatformWin32Nt = 2;

QString programDir()
{
    if (DM && !DM->ProgramDir.isEmpty())
        return pathutil::IncludeTrailingBackslash(DM->ProgramDir);
    return win::ProgramDir();
}

// The used drive letters of the logical drive strings, upper case. maxEntries limits
// the walk to the first entries (0 = all).
QString usedDriveLetters(int maxEntries)
{
    const QStringList drives = win::GetLogicalDriveStrings();
    QString used;
    const int n = maxEntries > 0 ? qMin<int>(maxEntries, drives.size()) : drives.size();
    for (int i = n - 1; i >= 0; --i) {
        if (!drives.at(i).isEmpty())
            used += drives.at(i).at(0).toUpper();
    }
    return used;
}

} // namespace

// ---------------------------------------------------------------------------
// Drive letter and mapping

bool PickFreeDrive(QString& letter)
{
    const QString l = letter.toUpper();
    if (l.size() != 1 || l.at(0) < QLatin1Char('D') || l.at(0) > QLatin1Char('Z'))
        return false;
    letter = l;
    // All entries of the drive list count as used (a letter beyond the first 21
    // entries is as taken as any other).
    const QString used = usedDriveLetters(0);
    if (!used.contains(letter.at(0)))
        return true;
    for (char c = 'Z'; c >= 'D'; --c) {
        letter = QString(QLatin1Char(c));
        if (!used.contains(QLatin1Char(c)))
            return true;
    }
    return false;
}

bool SubstCreate(QChar letter, const QString& path)
{
    Log(QStringLiteral("udmdb.SubstCreate in "));
    const QString root = QString(letter) + QStringLiteral(":\\");
    if (pathutil::DirectoryExists(root)) {
        Log(QStringLiteral("udmdb.SubstCreate 存在") + root);
        return false;
    }
    const QString p = path.endsWith(QLatin1Char('\\')) ? path.left(path.size() - 1) : path;
    const QString outFile = p + QStringLiteral("\\subst.txt");
    if (pathutil::FileExists(outFile))
        win::DeleteFile(outFile, true);

    bool result = false;
    if (kPlatformId == kVerPlatformWin32Nt) {
        const QString params = QStringLiteral(" %1: \"%2\" ").arg(letter).arg(path);
        const QString commandLine = QStringLiteral("cmd /c subst.exe ") + params + QStringLiteral(" > \"") + p
            + QStringLiteral("\\subst.txt\"");
        qintptr rc = RunAndWait(commandLine, win::SW_HIDE);
        if (rc < 0) {
            rc = win::ShellExecute(QStringLiteral("open"), QStringLiteral("subst.exe"), params, QString(), 6);
        } else if (pathutil::FileExists(outFile)) {
            const qint64 size = QFileInfo(win::toHost(outFile)).size();
            if (size > 0)
                return false;
            rc = 42;
        } else {
            if (rc == 1)
                return false;
            rc = 42;
        }
        QCoreApplication::processEvents();
        if (rc <= 32) {
            result = false;
            Log(QStringLiteral("创建虚拟盘失败:") + QString::number(rc));
        } else {
            result = true;
            Log(QStringLiteral("创建虚拟盘成功:") + QString::number(rc));
        }
        Log(QStringLiteral("dmdb.SubstCreate out"));
    }
    return result;
}

QString SubstQuery(QChar letter)
{
    Q_UNUSED(letter);
    // The NT family has no query service; the answer is empty text.
    return QString();
}

bool SubstDelete(QChar letter)
{
    const QString params = QStringLiteral(" %1: /d ").arg(letter);
    const int rc = RunAndWait(QStringLiteral("cmd /c subst.exe ") + params, win::SW_HIDE);
    if (rc >= 0)
        return true;
    return win::ShellExecute(QStringLiteral("open"), QStringLiteral("subst.exe"), params, QString(),
                             win::SW_HIDE)
        > 32;
}

void RemoveVirtualDrive(const QString& letterText)
{
    const QString t = letterText.trimmed();
    if (t.size() == 1)
        SubstDelete(t.at(0));
}

int RunAndWait(const QString& commandLine, int showWindow)
{
    Q_UNUSED(showWindow);
    try {
        // The command line must fit the 512-byte buffer with its terminator.
        if (win::toAnsi(commandLine).size() >= 512)
            return -1;
        int builtinExitCode = 0;
        if (win::RunBuiltinConsoleCommand(commandLine, &builtinExitCode))
            return builtinExitCode;
        const qint64 pid = win::CreateProcess(commandLine);
        if (pid == 0)
            return -1;
        unsigned exitCode = 0;
        const unsigned w = win::WaitForProcess(pid, 10000, &exitCode);
        if (w == win::WAIT_TIMEOUT) {
            win::TerminateProcess(pid, 1);
            return -2;
        }
        if (w != win::WAIT_OBJECT_0)
            return -1;
        return static_cast<int>(exitCode);
    } catch (...) {
        return -1;
    }
}

bool CreateDisk(const QString& strDir)
{
    Log(QStringLiteral("unDMDB.CreateDisk in ,strDir:") + strDir + QStringLiteral(",strCurDisk:")
        + strCurDisk);
    if (!pathutil::DirectoryExists(strDir))
        pathutil::ForceDirectories(strDir);
    const QString letter = strCurDisk.trimmed();
    if (letter.size() == 1)
        SubstCreate(letter.at(0), strDir);

    // The probe is named after the examinee number (the practice folder's name when
    // no number is known yet).
    QString no = TStudents.StuNO.trimmed();
    if (no.isEmpty())
        no = pathutil::ExtractFileName(pathutil::ExcludeTrailingBackslash(strDir));
    const QString source = programDir() + QStringLiteral("system.dll");
    const QString copy = pathutil::IncludeTrailingBackslash(strDir) + no + QStringLiteral(".dll");
    bool copied = win::CopyFile(source, copy, false);
    if (!copied)
        copied = win::CopyFile(source, copy, false);

    bool found = false;
    if (copied) {
        const QString probe = letter + QStringLiteral(":\\") + no + QStringLiteral(".dll");
        const win::DWORD start = win::GetTickCount();
        for (;;) {
            if (letter.size() == 1 && pathutil::FileExists(probe)) {
                found = true;
                break;
            }
            TKelPubLib::Delay(200, true);
            const qint64 diff = static_cast<qint64>(win::GetTickCount()) - static_cast<qint64>(start);
            if (qAbs(diff) > 2000)
                break;
        }
        if (found) {
            if (!win::DeleteFile(probe, true))
                Log(QStringLiteral("无法删除") + probe);
        } else {
            // Not part of the working files: the probe copy goes again.
            win::DeleteFile(copy, true);
        }
    }
    Log(QStringLiteral("unDMDB.CreateDisk out "));
    return found;
}

// ---------------------------------------------------------------------------
// Folders

bool AdjustPath(QString& path)
{
    try {
        if (path.size() <= 3)
            return false;
        path = pathutil::IncludeTrailingBackslash(path);
        if (pathutil::DirectoryExists(path) || pathutil::ForceDirectories(path))
            return true;
        const QString rest = path.mid(1);
        const QStringList drives = win::GetLogicalDriveStrings();
        const int n = qMin<int>(21, drives.size());
        for (int i = n - 1; i >= 0; --i) {
            const QString root = drives.at(i);
            if (root.isEmpty())
                continue;
            if (win::GetDriveType(root) != win::DRIVE_FIXED)
                continue;
            if (win::DiskFree(root) <= 204800000)
                continue;
            const QString candidate = root.at(0) + rest;
            if (pathutil::ForceDirectories(candidate)) {
                path = pathutil::IncludeTrailingBackslash(candidate);
                return true;
            }
        }
        return false;
    } catch (const std::exception& e) {
        Log(QStringLiteral("AdjustPath ERROR: ") + exceptionText(e));
        return false;
    }
}

bool DoRemoveDir(const QString& dir)
{
    Log(QStringLiteral("udmdb.DoRemoveDir in "));
    if (!pathutil::DirectoryExists(dir) || dir.size() <= 3)
        return true;
    const QString folder = pathutil::ExcludeTrailingBackslash(dir);
    const bool ok = win::DeleteTree(folder, false, false);
    win::RemoveDirectory(folder);
    Log(QStringLiteral("udmdb.DoRemoveDir out "));
    return ok;
}

bool DoCopyDir(const QString& source, const QString& target)
{
    try {
        Log(QStringLiteral("udmdb.DoCopyDir in "));
        CopyDirTree(source, target);
        Log(QStringLiteral("udmdb.DoCopyDir out "));
        return true;
    } catch (...) {
        return false;
    }
}

void CopyDirTree(const QString& source, const QString& target)
{
    pathutil::ForceDirectories(pathutil::NormalizeDir(target, false));
    const QString s = pathutil::NormalizeDir(source, true);
    const QString t = pathutil::NormalizeDir(target, true);
    for (const win::FindEntry& e : win::FindFiles(s, QStringLiteral("*.*"), false)) {
        if (e.name.startsWith(QLatin1Char('.')))
            continue;
        if (e.isDir)
            CopyDirTree(s + e.name, t + e.name);
        else
            CopyFileRetry(s + e.name, t + e.name);
    }
}

bool CopyFileRetry(const QString& source, const QString& target)
{
    if (!pathutil::FileExists(source))
        return false;
    if (!pathutil::ForceDirectories(pathutil::ExtractFilePath(target)))
        return false;
    bool ok = false;
    for (int i = 0; i < 99 && !ok; ++i)
        ok = win::CopyFile(source, target, false);
    return ok;
}

bool CopyDirFlat(const QString& source, const QString& target)
{
    try {
        const QString s = pathutil::IncludeTrailingBackslash(source.trimmed());
        const QString t = pathutil::IncludeTrailingBackslash(target.trimmed());
        if (!pathutil::DirectoryExists(t))
            pathutil::ForceDirectories(t);
        for (const win::FindEntry& e : win::FindFiles(s, QStringLiteral("*.*"), false)) {
            if (e.name.startsWith(QLatin1Char('.')))
                continue;
            // Every folder is copied by recursion, whatever its other attributes: a
            // test for "exactly a directory" would treat a read-only or hidden folder as
            // a file, fail its copy and lose its contents in the backup and restore of
            // the favourites.
            if (e.isDir)
                CopyDirFlat(s + e.name, t + e.name);
            else
                win::CopyFile(s + e.name, t + e.name, false);
        }
        return true;
    } catch (...) {
        return false;
    }
}

bool DoCopyFileByExt(const QString& sourceDir, const QString& targetDir, const QString& pattern)
{
    Log(QStringLiteral("dmdb.DoCopyFileByExt in"));
    // Copied into an existing folder only, as a file copy to a missing folder fails.
    if (pathutil::DirectoryExists(targetDir))
        win::CopyFiles(pathutil::ExcludeTrailingBackslash(sourceDir), targetDir, pattern);
    return true;
}

bool ShellCopyFolder(const QString& source, const QString& target)
{
    try {
        const QString s = pathutil::ExcludeTrailingBackslash(source);
        const QString t = pathutil::ExcludeTrailingBackslash(target);
        if (!win::PathIsDir(s))
            return false;
        // As the shell copies one folder: into an existing target folder under its
        // own name, or as the target when that does not exist yet.
        const QString dest = win::PathIsDir(t) ? t + QStringLiteral("\\") + pathutil::ExtractFileName(s) : t;
        if (win::IsInsideFolder(dest, s))
            return false; // a folder cannot be copied into itself
        return win::CopyTree(s, dest);
    } catch (...) {
        return false;
    }
}

bool DeleteDirTree(const QString& dir, bool removeRoot, bool keepFiles)
{
    if (!pathutil::DirectoryExists(dir))
        return true;
    return win::DeleteTree(pathutil::ExcludeTrailingBackslash(dir), removeRoot, keepFiles);
}

bool DelTemp()
{
    try {
        const QString subjects = programDir() + QStringLiteral("subjects\\");
        if (!DeleteDirTree(subjects, false, false)) {
            Log(QStringLiteral("DelTemp: Delete Path ERROR: ") + subjects);
            return false;
        }
        const QString ie = programDir() + QStringLiteral("img2\\operation\\IE");
        if (!DeleteDirTree(ie, true, false)) {
            Log(QStringLiteral("DelTemp: Delete Path ERROR: ") + ie);
            return false;
        }
        const QString root = DM ? DM->StuExamDataRoot : QStringLiteral("D:\\");
        const QString favorites = pathutil::IncludeTrailingBackslash(root) + QStringLiteral("Favorites\\");
        if (!DeleteDirTree(favorites, false, false)) {
            Log(QStringLiteral("DelTemp: Delete Path ERROR: ") + favorites);
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        Log(QStringLiteral("DelTemp ERROR: ") + exceptionText(e));
        return false;
    }
}
