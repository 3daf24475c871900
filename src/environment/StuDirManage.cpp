#include "environment/StuDirManage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <exception>

#include "common/IniFile.h"
#include "common/KelPubLib.h"
#include "common/PathUtils.h"
#include "common/Prompts.h"
#include "environment/StartApp.h"
#include "environment/unDMDB.h"
#include "platform/Ansi.h"
#include "platform/WinPaths.h"
#include "platform/WinProcess.h"

namespace {

const QString kTitle = QStringLiteral("提示信息");

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

// --- the console of the drive mapping -------------------------------------------
// The mapping command line "cmd /c subst.exe  Y: "path"  > "file"" (and " Y: /d ") is
// carried out in-process by the platform's drive mapping, with the console's exit
// codes (0 done, 1 refused) and its messages written into the redirected output file.

struct SubstCommand {
    bool recognised = false;
    QStringList args;     // the arguments after "subst.exe"
    QString redirect;     // the output file after ">", "" when none
};

SubstCommand parseSubstCommand(const QString& commandLine)
{
    SubstCommand c;
    QString s = commandLine.trimmed();
    const QString prefix = QStringLiteral("cmd /c ");
    if (!s.startsWith(prefix, Qt::CaseInsensitive))
        return c;
    s = s.mid(prefix.size()).trimmed();
    // The program: "subst" or "subst.exe", optionally quoted.
    QString rest;
    {
        QString prog;
        if (s.startsWith(QLatin1Char('"'))) {
            const int end = s.indexOf(QLatin1Char('"'), 1);
            if (end < 0)
                return c;
            prog = s.mid(1, end - 1);
            rest = s.mid(end + 1);
        } else {
            const int end = s.indexOf(QLatin1Char(' '));
            prog = end < 0 ? s : s.left(end);
            rest = end < 0 ? QString() : s.mid(end);
        }
        const QString base = prog.section(QLatin1Char('\\'), -1);
        if (base.compare(QStringLiteral("subst.exe"), Qt::CaseInsensitive) != 0
            && base.compare(QStringLiteral("subst"), Qt::CaseInsensitive) != 0)
            return c;
    }
    // Split off the redirection (the first ">" outside quotes).
    bool inQuote = false;
    int gt = -1;
    for (int i = 0; i < rest.size(); ++i) {
        if (rest.at(i) == QLatin1Char('"'))
            inQuote = !inQuote;
        else if (rest.at(i) == QLatin1Char('>') && !inQuote) {
            gt = i;
            break;
        }
    }
    QString argText = gt < 0 ? rest : rest.left(gt);
    if (gt >= 0) {
        QString r = rest.mid(gt + 1).trimmed();
        if (r.startsWith(QLatin1Char('"'))) {
            const int end = r.indexOf(QLatin1Char('"'), 1);
            r = end < 0 ? r.mid(1) : r.mid(1, end - 1);
        }
        c.redirect = r;
    }
    // Arguments: blanks separate, double quotes group.
    QString cur;
    bool any = false;
    inQuote = false;
    for (const QChar ch : argText) {
        if (ch == QLatin1Char('"')) {
            inQuote = !inQuote;
            any = true;
        } else if (ch == QLatin1Char(' ') && !inQuote) {
            if (any || !cur.isEmpty())
                c.args << cur;
            cur.clear();
            any = false;
        } else {
            cur += ch;
        }
    }
    if (any || !cur.isEmpty())
        c.args << cur;
    c.recognised = true;
    return c;
}

int runSubstCommand(const SubstCommand& c)
{
    QByteArray output;
    int rc = 0;
    const auto letterOf = [](const QString& a, QChar* letter) {
        if (a.size() != 2 || a.at(1) != QLatin1Char(':') || !a.at(0).isLetter())
            return false;
        *letter = a.at(0).toUpper();
        return true;
    };
    QChar letter;
    if (c.args.size() == 2 && letterOf(c.args.at(0), &letter)
        && c.args.at(1).compare(QStringLiteral("/d"), Qt::CaseInsensitive) == 0) {
        if (win::QueryDrive(letter).isEmpty() || !win::RemoveDrive(letter)) {
            output = "Invalid parameter - " + c.args.at(0).toUpper().toLatin1() + "\r\n";
            rc = 1;
        }
    } else if (c.args.size() == 2 && letterOf(c.args.at(0), &letter)) {
        const QString target = c.args.at(1);
        if (!win::QueryDrive(letter).isEmpty() || !win::DriveHostTarget(letter).isEmpty()) {
            output = "Drive already SUBSTed\r\n";
            rc = 1;
        } else if (!win::PathIsDir(target)) {
            output = "Path not found - " + win::toAnsi(target) + "\r\n";
            rc = 1;
        } else if (!win::DefineDrive(letter, pathutil::ExcludeTrailingBackslash(target))) {
            output = "Invalid parameter - " + c.args.at(0).toUpper().toLatin1() + "\r\n";
            rc = 1;
        }
    } else {
        output = "Incorrect number of parameters - " + win::toAnsi(c.args.join(QLatin1Char(' '))) + "\r\n";
        rc = 1;
    }
    if (!c.redirect.isEmpty()) {
        QFile f(win::toHost(c.redirect));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(output);
    }
    return rc;
}

// Copies one file with overwrite (CopyFile with FailIfExists false).
bool copyFileOverwrite(const QString& source, const QString& target)
{
    const QString hs = win::toHost(source);
    const QString ht = win::toHost(target);
    if (hs.isEmpty() || ht.isEmpty() || !QFileInfo(hs).isFile())
        return false;
    if (QFileInfo::exists(ht)) {
        if (QFileInfo(ht).isDir())
            return false;
        QFile::setPermissions(ht, QFile::permissions(ht) | QFile::WriteOwner);
        if (!QFile::remove(ht))
            return false;
    }
    return QFile::copy(hs, ht);
}

// Deletes everything inside a host folder; true when nothing is left.
bool removeContents(const QString& hostDir)
{
    bool ok = true;
    QDir d(hostDir);
    const auto entries = d.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& fi : entries) {
        if (fi.isDir() && !fi.isSymLink()) {
            if (!QDir(fi.absoluteFilePath()).removeRecursively())
                ok = false;
        } else if (!QFile::remove(fi.absoluteFilePath())) {
            ok = false;
        }
    }
    return ok;
}

// Recursive folder copy of host folders; true when every entry was copied.
bool copyTreeHost(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return false;
    bool ok = true;
    const auto entries = QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& fi : entries) {
        const QString t = to + QLatin1Char('/') + fi.fileName();
        if (fi.isDir()) {
            if (!copyTreeHost(fi.absoluteFilePath(), t))
                ok = false;
        } else {
            if (QFileInfo::exists(t))
                QFile::remove(t);
            if (!QFile::copy(fi.absoluteFilePath(), t))
                ok = false;
        }
    }
    return ok;
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
        QFile::remove(win::toHost(outFile));

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
    return win::ShellExecute(QStringLiteral("open"), QStringLiteral("subst.exe"), params, QString(), win::SW_HIDE) > 32;
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
        const SubstCommand subst = parseSubstCommand(commandLine);
        if (subst.recognised)
            return runSubstCommand(subst);
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
    Log(QStringLiteral("unDMDB.CreateDisk in ,strDir:") + strDir + QStringLiteral(",strCurDisk:") + strCurDisk);
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
    bool copied = copyFileOverwrite(source, copy);
    if (!copied)
        copied = copyFileOverwrite(source, copy);

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
            win::SetFileAttributes(probe, win::FILE_ATTRIBUTE_NORMAL);
            if (!QFile::remove(win::toHost(probe)))
                Log(QStringLiteral("无法删除") + probe);
        } else {
            // Not part of the working files: the probe copy goes again.
            QFile::remove(win::toHost(copy));
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
    const QString host = win::toHost(pathutil::ExcludeTrailingBackslash(dir));
    const bool ok = !host.isEmpty() && removeContents(host);
    if (!host.isEmpty())
        QDir().rmdir(host);
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
        ok = copyFileOverwrite(source, target);
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
                copyFileOverwrite(s + e.name, t + e.name);
        }
        return true;
    } catch (...) {
        return false;
    }
}

bool DoCopyFileByExt(const QString& sourceDir, const QString& targetDir, const QString& pattern)
{
    Log(QStringLiteral("dmdb.DoCopyFileByExt in"));
    const QString s = pathutil::ExcludeTrailingBackslash(sourceDir) + QStringLiteral("\\");
    const QString t = pathutil::ExcludeTrailingBackslash(targetDir) + QStringLiteral("\\");
    for (const win::FindEntry& e : win::FindFiles(s, pattern, false)) {
        if (!e.isDir)
            copyFileOverwrite(s + e.name, t + e.name);
    }
    return true;
}

bool ShellCopyFolder(const QString& source, const QString& target)
{
    try {
        const QString s = win::toHost(pathutil::ExcludeTrailingBackslash(source));
        const QString tWin = pathutil::ExcludeTrailingBackslash(target);
        const QString t = win::toHost(tWin);
        if (s.isEmpty() || t.isEmpty() || !QFileInfo(s).isDir())
            return false;
        // As the shell copies one folder: into an existing target folder under its
        // own name, or as the target when that does not exist yet.
        QString dest = t;
        if (QFileInfo(t).isDir())
            dest = win::toHost(tWin + QStringLiteral("\\") + QFileInfo(s).fileName());
        if (dest.isEmpty())
            return false;
        const QString cs = QFileInfo(s).canonicalFilePath();
        const QString cd = QFileInfo(dest).absoluteFilePath();
        if (cd == cs || cd.startsWith(cs + QLatin1Char('/')))
            return false;   // a folder cannot be copied into itself
        return copyTreeHost(s, dest);
    } catch (...) {
        return false;
    }
}

bool DeleteDirTree(const QString& dir, bool removeRoot, bool keepFiles)
{
    bool result = true;
    if (!pathutil::DirectoryExists(dir))
        return result;
    const QString d = pathutil::IncludeTrailingBackslash(dir);
    for (const win::FindEntry& e : win::FindFiles(d, QStringLiteral("*.*"), false)) {
        if (e.name == QStringLiteral(".") || e.name == QStringLiteral(".."))
            continue;
        const QString p = d + e.name;
        win::SetFileAttributes(p, win::FILE_ATTRIBUTE_NORMAL);
        const QString host = win::toHost(p);
        if (e.isDir && !QFileInfo(host).isSymLink()) {
            if (!DeleteDirTree(p, true, keepFiles))
                result = false;
        } else if (!keepFiles) {
            if (!QFile::remove(host))
                result = false;
        }
    }
    if (removeRoot) {
        const QString host = win::toHost(pathutil::ExcludeTrailingBackslash(dir));
        if (host.isEmpty() || !QDir().rmdir(host))
            result = false;
    }
    return result;
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
