#include "platform/WinFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/PlatformInternal.h"
#include "platform/WinPaths.h"

namespace win {

namespace {

// Host path of a Windows path; a bare drive "D:" means its root.
QString hostOf(const QString& winPath)
{
    QString p = winPath.trimmed();
    if (p.size() == 2 && p.at(1) == QLatin1Char(':'))
        p += QLatin1Char('\\');
    return toHost(p);
}

bool hostIsLink(const QString& host) { return QFileInfo(host).isSymLink(); }

// Gives an entry normal attributes (the owner may write it); links are left alone.
void makeWritable(const QString& host)
{
    if (hostIsLink(host))
        return;
    const auto perms = QFile::permissions(host);
    if (!(perms & QFileDevice::WriteOwner))
        QFile::setPermissions(host, perms | QFileDevice::WriteOwner);
}

bool hostReadOnly(const QString& host)
{
    return !hostIsLink(host) && !(QFile::permissions(host) & QFileDevice::WriteOwner);
}

// Copies a regular host file over target through a file beside it and a rename.
bool copyHostFile(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0) {
            out.cancelWriting();
            return false;
        }
        if (n == 0)
            break;
        if (out.write(buffer, n) != n) {
            out.cancelWriting();
            return false;
        }
    }
    if (!out.commit())
        return false;
    QFile::setPermissions(target, QFile::permissions(source) | QFileDevice::WriteOwner);
    return true;
}

bool deleteHostTree(const QString& hostDir, bool removeRoot, bool keepFiles)
{
    bool ok = true;
    const QFileInfoList entries = QDir(hostDir).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::NoSort);
    for (const QFileInfo& fi : entries) {
        const QString host = fi.absoluteFilePath();
        makeWritable(host);
        if (fi.isDir() && !fi.isSymLink()) {
            if (!deleteHostTree(host, true, keepFiles))
                ok = false;
        } else if (!keepFiles) {
            if (!QFile::remove(host))
                ok = false;
        }
    }
    if (removeRoot) {
        if (hostIsLink(hostDir)) {
            if (!QFile::remove(hostDir))
                ok = false;
        } else if (!QDir().rmdir(hostDir)) {
            ok = false;
        }
    }
    return ok;
}

bool copyHostTree(const QString& source, const QString& target)
{
    if (!QFileInfo(target).isDir() && !QDir().mkpath(target))
        return false;
    bool ok = true;
    const QFileInfoList entries = QDir(source).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& fi : entries) {
        if (fi.isSymLink())
            continue;
        // An existing entry of another letter case is replaced rather than doubled.
        QString to = target + QLatin1Char('/') + fi.fileName();
        const QString existing = toHost(fromHost(target) + QLatin1Char('\\') + fi.fileName());
        if (!existing.isEmpty())
            to = existing;
        if (fi.isDir()) {
            if (!copyHostTree(fi.absoluteFilePath(), to))
                ok = false;
        } else if (QFileInfo(to).isDir() || hostIsLink(to) || !copyHostFile(fi.absoluteFilePath(), to)) {
            ok = false;
        }
    }
    return ok;
}

} // namespace

bool CopyFile(const QString& existingFile, const QString& newFile, bool failIfExists)
{
    const QString source = hostOf(existingFile);
    const QString target = hostOf(newFile);
    if (source.isEmpty() || target.isEmpty())
        return false;
    const QFileInfo s(source);
    if (s.isSymLink() || !s.isFile())
        return false;
    const QFileInfo t(target);
    if (t.exists() || t.isSymLink()) {
        if (failIfExists || t.isDir())
            return false; // a folder, or a link to one, is in the way
        if (t.isSymLink() && !QFile::remove(target))
            return false; // replace the link itself, never write through it
    }
    return copyHostFile(source, target);
}

bool MoveFile(const QString& existing, const QString& target)
{
    const QString from = hostOf(existing);
    const QString to = hostOf(target);
    if (from.isEmpty() || to.isEmpty())
        return false;
    const QFileInfo s(from);
    if (!s.exists() && !s.isSymLink())
        return false;
    const QFileInfo t(to);
    if (t.exists() || t.isSymLink()) {
        // A rename that only changes the letter case of the same entry is allowed.
        if (QFileInfo(from).canonicalFilePath() != t.canonicalFilePath())
            return false;
    }
    if (QFile::rename(from, to))
        return true;
    if (s.isDir() || s.isSymLink())
        return false;
    // Another file system: copy, then delete the source only once the copy is there.
    if (!copyHostFile(from, to))
        return false;
    makeWritable(from);
    if (!QFile::remove(from)) {
        QFile::remove(to);
        return false;
    }
    return true;
}

bool DeleteFile(const QString& path, bool force)
{
    const QString host = hostOf(path);
    if (host.isEmpty())
        return false;
    const QFileInfo fi(host);
    if (fi.isDir())
        return false; // a folder, or a link to one (RemoveDirectory)
    if (!fi.exists() && !fi.isSymLink())
        return false;
    if (hostReadOnly(host)) {
        if (!force)
            return false;
        makeWritable(host);
    }
    return QFile::remove(host);
}

bool CreateDirectory(const QString& path)
{
    const QString host = hostOf(path);
    if (host.isEmpty() || QFileInfo::exists(host) || hostIsLink(host))
        return false;
    return QDir().mkdir(host);
}

bool RemoveDirectory(const QString& path)
{
    const QString host = hostOf(path);
    if (host.isEmpty())
        return false;
    if (hostIsLink(host))
        return QFileInfo(host).isDir() && QFile::remove(host);
    return QDir().rmdir(host);
}

bool DeleteTree(const QString& dir, bool removeRoot, bool keepFiles)
{
    if (dir.trimmed().isEmpty())
        return true;
    const QString host = hostOf(dir);
    if (host.isEmpty() || !QFileInfo(host).isDir())
        return true;
    return deleteHostTree(host, removeRoot, keepFiles);
}

bool CopyTree(const QString& sourceDir, const QString& targetDir)
{
    const QString source = hostOf(sourceDir);
    const QString target = hostOf(targetDir);
    if (source.isEmpty() || target.isEmpty() || hostIsLink(source) || !QFileInfo(source).isDir())
        return false;
    if (hostIsLink(target))
        return false;
    return copyHostTree(source, target);
}

bool CopyFiles(const QString& sourceDir, const QString& targetDir, const QString& pattern)
{
    const QString source = hostOf(sourceDir);
    QString to = targetDir.trimmed();
    while (to.endsWith(QLatin1Char('\\')) && to.size() > 3)
        to.chop(1);
    const QString target = hostOf(to);
    if (source.isEmpty() || target.isEmpty() || hostIsLink(target))
        return false;
    if (!QFileInfo(target).isDir() && !QDir().mkpath(target))
        return false;
    bool ok = true;
    const QFileInfoList entries = QDir(source).entryInfoList(QDir::Files | QDir::Hidden | QDir::System,
                                                             QDir::Name);
    for (const QFileInfo& fi : entries) {
        if (fi.isSymLink() || !MatchesWildcard(fi.fileName(), pattern))
            continue;
        // The target name through the drive map, so that an existing file of another
        // letter case is replaced rather than doubled.
        QString file = toHost(to + QLatin1Char('\\') + fi.fileName());
        if (file.isEmpty())
            file = target + QLatin1Char('/') + fi.fileName();
        if (QFileInfo(file).isDir() || hostIsLink(file) || !copyHostFile(fi.absoluteFilePath(), file))
            ok = false;
    }
    return ok;
}

bool IsInsideFolder(const QString& path, const QString& folder)
{
    const QString root = QFileInfo(hostOf(folder)).canonicalFilePath();
    QString p = hostOf(path);
    if (root.isEmpty() || p.isEmpty())
        return false;
    p = QDir::cleanPath(p);
    while (!QFileInfo::exists(p)) {
        const QString up = QFileInfo(p).path();
        if (up == p)
            return false;
        p = up;
    }
    const QString c = QFileInfo(p).canonicalFilePath();
    return !c.isEmpty()
        && (c == root || c.startsWith(root == QLatin1String("/") ? root : root + QLatin1Char('/')));
}

bool WriteFileAtomic(const QString& path, const QByteArray& data)
{
    const QString host = hostOf(path);
    if (host.isEmpty() || hostIsLink(host))
        return false;
    return detail::WriteFileAtomically(host, data);
}

bool IsLink(const QString& path)
{
    const QString host = hostOf(path);
    return !host.isEmpty() && hostIsLink(host);
}

} // namespace win
