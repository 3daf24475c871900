#include "common/PathUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/WinPaths.h"

namespace pathutil {

namespace {
constexpr QChar kSep = QLatin1Char('\\');

bool isDelimiter(QChar c) { return c == kSep || c == QLatin1Char('/') || c == QLatin1Char(':'); }

qsizetype lastDelimiter(const QString& path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (isDelimiter(path.at(i)))
            return i;
    return -1;
}

// "Normal" attributes for an entry before it is deleted: the owner may write it.
void makeWritable(const QString& host, const QFileInfo& fi)
{
    if (fi.isSymLink())
        return;
    const auto perms = QFile::permissions(host);
    if (!(perms & QFileDevice::WriteOwner))
        QFile::setPermissions(host, perms | QFileDevice::WriteOwner);
}

// Removes the contents of a host folder (and the folder itself with removeRoot).
// A symbolic link is removed as a link, never followed: deleting through a link must
// not empty the folder it points at.
bool deleteHostTree(const QString& hostDir, bool removeRoot, bool keepFiles)
{
    bool ok = true;
    QDir dir(hostDir);
    const QFileInfoList entries = dir.entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::NoSort);
    for (const QFileInfo& fi : entries) {
        const QString host = fi.absoluteFilePath();
        makeWritable(host, fi);
        if (fi.isDir() && !fi.isSymLink()) {
            if (!deleteHostTree(host, true, keepFiles))
                ok = false;
        } else if (!keepFiles) {
            if (!QFile::remove(host))
                ok = false;
        }
    }
    if (removeRoot) {
        QFileInfo root(hostDir);
        if (root.isSymLink()) {
            if (!QFile::remove(hostDir))
                ok = false;
        } else if (!QDir().rmdir(hostDir)) {
            ok = false;
        }
    }
    return ok;
}

// Host path of a Windows path; a bare drive "D:" means its root.
QString hostOf(const QString& winPath)
{
    QString p = winPath.trimmed();
    if (p.size() == 2 && p.at(1) == QLatin1Char(':'))
        p += kSep;
    return win::toHost(p);
}

} // namespace

QString NormalizeDir(const QString& path, bool trailingBackslash)
{
    QString p = path.trimmed();
    p.replace(QLatin1Char('/'), kSep);
    while (p.contains(QLatin1String("\\\\")))
        p.replace(QLatin1String("\\\\"), QString(kSep));
    return trailingBackslash ? IncludeTrailingBackslash(p) : ExcludeTrailingBackslash(p);
}

QString IncludeTrailingBackslash(const QString& path)
{
    if (path.isEmpty() || path.endsWith(kSep))
        return path;
    return path + kSep;
}

QString ExcludeTrailingBackslash(const QString& path)
{
    if (path.endsWith(kSep))
        return path.left(path.size() - 1);
    return path;
}

bool ForceDirectories(const QString& path)
{
    const QString p = NormalizeDir(path, false);
    if (p.isEmpty())
        return false;
    const QString host = hostOf(p);
    if (host.isEmpty())
        return false;
    QFileInfo fi(host);
    if (fi.isDir())
        return true;   // also a drive root
    if (fi.exists())
        return false;  // a file of that name is in the way
    return QDir().mkpath(host);
}

bool FileExists(const QString& path)
{
    const QString host = hostOf(path);
    if (host.isEmpty())
        return false;
    QFileInfo fi(host);
    return fi.exists() && !fi.isDir();
}

bool DirectoryExists(const QString& path)
{
    const QString host = hostOf(path);
    return !host.isEmpty() && QFileInfo(host).isDir();
}

// The recursive delete: true to begin with; when the folder exists every entry first
// gets normal attributes, a sub-folder is handled by recursion with removeRoot set and
// the same keepFiles, a file is deleted unless keepFiles is set. Any failure makes the
// result false but the walk goes on. Finally, with removeRoot, the folder itself is
// removed (a failure, for example because files were kept, makes the result false).
// A missing folder is a success.
bool DeleteTree(const QString& path, bool removeRoot, bool keepFiles)
{
    const QString p = NormalizeDir(path, false);
    if (p.isEmpty())
        return true;
    const QString host = hostOf(p);
    if (host.isEmpty() || !QFileInfo(host).isDir())
        return true;
    return deleteHostTree(host, removeRoot, keepFiles);
}

bool CopyFilesByPattern(const QString& fromDir, const QString& toDir, const QString& pattern)
{
    const QString from = NormalizeDir(fromDir, false);
    const QString to = NormalizeDir(toDir, false);
    if (!ForceDirectories(to))
        return false;
    const QString hostFrom = hostOf(from);
    const QString hostTo = hostOf(to);
    if (hostFrom.isEmpty() || hostTo.isEmpty())
        return false;
    bool ok = true;
    const QFileInfoList entries = QDir(hostFrom).entryInfoList(
        QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& fi : entries) {
        if (!win::MatchesWildcard(fi.fileName(), pattern))
            continue;
        // The target name through the drive map, so that an existing file of another
        // letter case is overwritten rather than doubled.
        QString target = win::toHost(to + kSep + fi.fileName());
        if (target.isEmpty())
            target = hostTo + QLatin1Char('/') + fi.fileName();
        if (QFileInfo(target).isDir()) {
            ok = false;
            continue;
        }
        if (QFileInfo::exists(target))
            QFile::remove(target);
        if (!QFile::copy(fi.absoluteFilePath(), target))
            ok = false;
    }
    return ok;
}

QString ExtractFilePath(const QString& path)
{
    return path.left(lastDelimiter(path) + 1);
}

QString ExtractFileName(const QString& path)
{
    return path.mid(lastDelimiter(path) + 1);
}

QString ExtractFileExt(const QString& path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const QChar c = path.at(i);
        if (c == QLatin1Char('.'))
            return path.mid(i);
        if (isDelimiter(c))
            break;
    }
    return QString();
}

} // namespace pathutil
