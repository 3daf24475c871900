#include "platform/WinPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "platform/PlatformInternal.h"

namespace win {

namespace {

QRecursiveMutex g_prefixMutex;

QString cleanHost(const QString& p) { return QDir::cleanPath(p); }

QString rawPrefixDir()
{
    QString p = qEnvironmentVariable("PRAVIK_PREFIX");
    if (p.isEmpty()) {
        QString data = qEnvironmentVariable("XDG_DATA_HOME");
        if (data.isEmpty())
            data = QDir::homePath() + "/.local/share";
        p = data + "/pravik";
    }
    return cleanHost(QDir(p).absolutePath());
}

QString linkPath(const QString& prefix, QChar letter)
{
    return prefix + "/dosdevices/" + letter.toLower() + ":";
}

bool isLink(const QString& path)
{
    struct stat st { };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool validLetter(QChar letter)
{
    const QChar l = letter.toUpper();
    return l >= QLatin1Char('A') && l <= QLatin1Char('Z');
}

// The default drives of a prefix: letter and target relative to dosdevices.
struct DefaultDrive {
    char letter;
    const char* target;
};
constexpr DefaultDrive kDefaultDrives[] = {{'c', "../drive_c"}, {'d', "../drive_d"}, {'z', "/"}};

void ensurePrefix(const QString& prefix)
{
    if (QFileInfo(prefix + "/dosdevices").isDir())
        return;
    QMutexLocker lock(&g_prefixMutex);
    if (QFileInfo(prefix + "/dosdevices").isDir())
        return;
    QDir().mkpath(prefix + "/drive_c");
    QDir().mkpath(prefix + "/drive_d");
    QDir().mkpath(prefix + "/dosdevices.new");
    for (const auto& d : kDefaultDrives) {
        const QString link = prefix + "/dosdevices.new/" + QChar(d.letter) + ":";
        if (!isLink(link))
            ::symlink(d.target, QFile::encodeName(link).constData());
    }
    // Publish the folder only when it is complete, so that another process never
    // sees a prefix without its drives.
    if (::rename(QFile::encodeName(prefix + "/dosdevices.new").constData(),
                 QFile::encodeName(prefix + "/dosdevices").constData())
        != 0) {
        QDir(prefix + "/dosdevices.new").removeRecursively();
        return; // another process was faster
    }
    detail::InitialiseSpecialFolders();
}

// Splits the part after "X:" into components, folding "." and "..". false when
// ".." climbs above the root.
bool foldComponents(const QString& rest, QStringList& out)
{
    static const QRegularExpression sep(QStringLiteral("[\\\\/]"));
    for (const QString& c : rest.split(sep, Qt::SkipEmptyParts)) {
        if (c == QLatin1String("."))
            continue;
        if (c == QLatin1String("..")) {
            if (out.isEmpty())
                return false;
            out.removeLast();
            continue;
        }
        out << c;
    }
    return true;
}

// The entry of dir whose name equals name ignoring case; name itself when none.
QString resolveComponent(const QString& dir, const QString& name, bool& exists)
{
    const QString exact = dir + (dir.endsWith('/') ? "" : "/") + name;
    QFileInfo fi(exact);
    if (fi.exists() || fi.isSymLink()) {
        exists = true;
        return name;
    }
    const QDir d(dir);
    if (d.exists()) {
        const QStringList entries = d.entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                | QDir::NoDotAndDotDot);
        for (const QString& e : entries) {
            if (e.compare(name, Qt::CaseInsensitive) == 0) {
                exists = true;
                return e;
            }
        }
    }
    exists = false;
    return name;
}

QString joinHost(const QString& base, const QString& name)
{
    return base.endsWith('/') ? base + name : base + "/" + name;
}

QString hostOfExisting(const QString& hostPath)
{
    // The nearest existing folder of a host path (for statvfs).
    QString p = hostPath;
    while (!p.isEmpty() && !QFileInfo::exists(p)) {
        const int i = p.lastIndexOf('/');
        if (i <= 0) {
            p = "/";
            break;
        }
        p = p.left(i);
    }
    return p;
}

QChar letterOf(const QString& rootOrPath)
{
    const QString t = rootOrPath.trimmed();
    if (t.size() < 2 || t[1] != QLatin1Char(':') || !validLetter(t[0]))
        return {};
    if (t.size() > 2 && t[2] != QLatin1Char('\\') && t[2] != QLatin1Char('/'))
        return {};
    return t[0].toUpper();
}

QRegularExpression wildcardRegex(const QString& pattern)
{
    QString rx;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('*'))
            rx += QLatin1String(".*");
        else if (c == QLatin1Char('?'))
            rx += QLatin1Char('.');
        else
            rx += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(rx),
                              QRegularExpression::CaseInsensitiveOption
                                  | QRegularExpression::DotMatchesEverythingOption);
}

} // namespace

namespace detail {

bool HasDriveLetter(const QString& path)
{
    return path.size() >= 2 && path[1] == QLatin1Char(':') && validLetter(path[0])
        && (path.size() == 2 || path[2] == QLatin1Char('\\') || path[2] == QLatin1Char('/'));
}

bool WriteFileAtomically(const QString& path, const QByteArray& data)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(data) != data.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

QString FromHostExcept(const QString& hostPath, QChar excludedLetter)
{
    if (!hostPath.startsWith('/'))
        return {};
    const QString path = cleanHost(hostPath);
    const QString prefix = PrefixDir();
    QChar best;
    QString bestTarget;
    for (char c = 'a'; c <= 'z'; ++c) {
        const QChar letter(c);
        if (!excludedLetter.isNull() && letter == excludedLetter.toLower())
            continue;
        const QString link = linkPath(prefix, letter);
        if (!isLink(link))
            continue;
        QStringList targets{DriveHostTarget(letter), link};
        const QString canonical = QFileInfo(link).canonicalFilePath();
        if (!canonical.isEmpty())
            targets << canonical;
        for (const QString& t : targets) {
            if (t.isEmpty())
                continue;
            const bool match = path == t || t == QLatin1String("/") || path.startsWith(t + "/");
            if (match && t.size() > bestTarget.size()) {
                best = letter;
                bestTarget = t;
            }
        }
    }
    if (best.isNull())
        return {};
    QString rest = bestTarget == QLatin1String("/") ? path.mid(1) : path.mid(bestTarget.size() + 1);
    rest.replace('/', '\\');
    return QString(best.toUpper()) + ":\\" + rest;
}

} // namespace detail

QString PrefixDir()
{
    const QString p = rawPrefixDir();
    ensurePrefix(p);
    return p;
}

QString DriveHostTarget(QChar letter)
{
    if (!validLetter(letter))
        return {};
    const QString link = linkPath(PrefixDir(), letter);
    if (!isLink(link))
        return {};
    const QByteArray raw = QFile::encodeName(link);
    char buf[4096];
    const ssize_t n = ::readlink(raw.constData(), buf, sizeof buf - 1);
    if (n <= 0)
        return {};
    const QString target = QFile::decodeName(QByteArray(buf, int(n)));
    if (target.startsWith('/'))
        return cleanHost(target);
    return cleanHost(PrefixDir() + "/dosdevices/" + target);
}

QString toHost(const QString& winPath)
{
    if (!detail::HasDriveLetter(winPath))
        return {};
    const QString base = DriveHostTarget(winPath[0]);
    if (base.isEmpty())
        return {};
    QStringList parts;
    if (!foldComponents(winPath.mid(2), parts))
        return {};
    QString host = base;
    bool exists = true;
    for (const QString& part : parts) {
        if (part.contains(QChar(0)))
            return {};
        QString name = part;
        if (exists)
            name = resolveComponent(host, part, exists);
        host = joinHost(host, name);
    }
    return host;
}

QString fromHost(const QString& hostPath) { return detail::FromHostExcept(hostPath, QChar()); }

QString ProgramDir()
{
    QString host = qEnvironmentVariable("PRAVIK_PROGRAM_DIR");
    if (host.isEmpty()) {
        if (QCoreApplication::instance())
            host = QCoreApplication::applicationDirPath();
        else
            host = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
    }
    QString w = fromHost(QDir(host).absolutePath());
    if (!w.isEmpty() && !w.endsWith('\\'))
        w += '\\';
    return w;
}

QString ProgramFileName()
{
    if (QCoreApplication::instance())
        return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).fileName();
}

QString ExecutableSuffix() { return {}; }

QStringList GetLogicalDriveStrings()
{
    QStringList out;
    const QString prefix = PrefixDir();
    for (char c = 'a'; c <= 'z'; ++c) {
        if (isLink(linkPath(prefix, QChar(c))))
            out << QString(QChar(c).toUpper()) + ":\\";
    }
    return out;
}

unsigned GetDriveType(const QString& root)
{
    const QChar l = letterOf(root);
    if (l.isNull())
        return DRIVE_NO_ROOT_DIR;
    const QString target = DriveHostTarget(l);
    if (target.isEmpty() || !QFileInfo(target).isDir())
        return DRIVE_NO_ROOT_DIR;
    return DRIVE_FIXED;
}

qint64 DiskFree(const QString& rootOrPath)
{
    const QChar l = letterOf(rootOrPath);
    if (l.isNull())
        return -1;
    const QString target = DriveHostTarget(l);
    if (target.isEmpty() || !QFileInfo(target).isDir())
        return -1;
    QString host = toHost(rootOrPath.trimmed());
    if (host.isEmpty())
        host = target;
    struct statvfs sv { };
    if (::statvfs(QFile::encodeName(hostOfExisting(host)).constData(), &sv) != 0)
        return -1;
    return qint64(sv.f_bavail) * qint64(sv.f_frsize);
}

bool DefineDrive(QChar letter, const QString& winTarget)
{
    if (!validLetter(letter))
        return false;
    const QString link = linkPath(PrefixDir(), letter);
    if (isLink(link) || QFileInfo::exists(link))
        return false;
    QString target = toHost(winTarget);
    if (target.isEmpty() || !QFileInfo(target).isDir())
        return false;
    target = QFileInfo(target).absoluteFilePath();
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()) == 0;
}

bool RemoveDrive(QChar letter)
{
    if (!validLetter(letter))
        return false;
    const QString prefix = PrefixDir();
    const QString link = linkPath(prefix, letter);
    if (!isLink(link))
        return false;
    // The default drives are the "real" disks of the prefix, not mappings.
    const QString target = DriveHostTarget(letter);
    for (const auto& d : kDefaultDrives) {
        if (letter.toLower() == QLatin1Char(d.letter)
            && target
                == cleanHost(QString::fromLatin1(d.target).startsWith('/')
                                 ? QString::fromLatin1(d.target)
                                 : prefix + "/dosdevices/" + d.target))
            return false;
    }
    return ::unlink(QFile::encodeName(link).constData()) == 0;
}

QString QueryDrive(QChar letter)
{
    const QString target = DriveHostTarget(letter);
    if (target.isEmpty())
        return {};
    return detail::FromHostExcept(target, letter);
}

unsigned GetFileAttributes(const QString& winPath)
{
    const QString host = toHost(winPath);
    if (host.isEmpty())
        return INVALID_FILE_ATTRIBUTES;
    struct stat st { };
    if (::stat(QFile::encodeName(host).constData(), &st) != 0)
        return INVALID_FILE_ATTRIBUTES;
    unsigned a = 0;
    if (S_ISDIR(st.st_mode))
        a |= FILE_ATTRIBUTE_DIRECTORY;
    if (!(st.st_mode & S_IWUSR))
        a |= FILE_ATTRIBUTE_READONLY;
    return a == 0 ? FILE_ATTRIBUTE_NORMAL : a;
}

bool SetFileAttributes(const QString& winPath, unsigned attributes)
{
    const QString host = toHost(winPath);
    if (host.isEmpty())
        return false;
    const QByteArray raw = QFile::encodeName(host);
    struct stat st { };
    if (::stat(raw.constData(), &st) != 0)
        return false;
    mode_t mode = st.st_mode & 07777;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        mode &= ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH);
    else
        mode |= S_IWUSR;
    return ::chmod(raw.constData(), mode) == 0;
}

bool PathIsFile(const QString& winPath)
{
    const QString host = toHost(winPath);
    return !host.isEmpty() && QFileInfo(host).isFile();
}

bool PathIsDir(const QString& winPath)
{
    const QString host = toHost(winPath);
    return !host.isEmpty() && QFileInfo(host).isDir();
}

bool MatchesWildcard(const QString& name, const QString& pattern)
{
    const QRegularExpression rx = wildcardRegex(pattern.trimmed().isEmpty() ? QStringLiteral("*")
                                                                            : pattern.trimmed());
    // Windows matches as if every name had a trailing dot.
    return rx.match(name).hasMatch() || rx.match(name + QLatin1Char('.')).hasMatch();
}

QList<FindEntry> FindFiles(const QString& winDir, const QString& pattern, bool includeDots)
{
    QList<FindEntry> out;
    const QString host = toHost(winDir);
    if (host.isEmpty() || !QFileInfo(host).isDir())
        return out;
    const QString pat = pattern.isEmpty() ? QStringLiteral("*") : pattern;
    const QRegularExpression rx = wildcardRegex(pat);
    // Windows matches as if every name had a trailing dot: "*.*" and "a.*" also
    // find names without an extension.
    auto matches = [&](const QString& name) {
        return rx.match(name).hasMatch() || rx.match(name + ".").hasMatch();
    };
    if (includeDots) {
        for (const QString& dot : {QStringLiteral("."), QStringLiteral("..")})
            if (matches(dot))
                out.append({dot, true, 0});
    }
    const QFileInfoList entries = QDir(host).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& fi : entries) {
        if (!matches(fi.fileName()))
            continue;
        out.append({fi.fileName(), fi.isDir(), fi.isDir() ? 0 : fi.size()});
    }
    return out;
}

} // namespace win
