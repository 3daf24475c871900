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
        return true; // also a drive root
    if (fi.exists())
        return false; // a file of that name is in the way
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

QString ExtractFilePath(const QString& path) { return path.left(lastDelimiter(path) + 1); }

QString ExtractFileName(const QString& path) { return path.mid(lastDelimiter(path) + 1); }

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
