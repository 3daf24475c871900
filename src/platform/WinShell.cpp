#include "platform/WinShell.h"

#include <QDir>
#include <QRegularExpression>

#include "platform/PlatformInternal.h"
#include "platform/WinPaths.h"
#include "platform/WinRegistry.h"

namespace win {

namespace {

// The user's profile folder name: the login name when it is a plain name, else
// "user". A name containing "LOCAL" would confuse the look-ups that cut the
// temporary path before that word, so it is replaced too.
QString userName()
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_.-]{1,32}$"));
    QString u = qEnvironmentVariable("USER");
    if (u.isEmpty())
        u = qEnvironmentVariable("LOGNAME");
    if (!plain.match(u).hasMatch() || u.contains(QLatin1String("local"), Qt::CaseInsensitive)
        || u.startsWith('.'))
        u = QStringLiteral("user");
    return u;
}

QString profileDir() { return QStringLiteral("C:\\users\\") + userName(); }

// Windows path of a special folder (without trailing backslash), or "".
QString folderPath(int csidl)
{
    const QString p = profileDir();
    switch (csidl) {
    case CSIDL_DESKTOP:
        return p + QStringLiteral("\\桌面");
    case CSIDL_PERSONAL:
        return p + QStringLiteral("\\My Documents");
    case CSIDL_FAVORITES:
        return p + QStringLiteral("\\Favorites");
    case CSIDL_RECENT:
        return p + QStringLiteral("\\Recent");
    case CSIDL_APPDATA:
        return p + QStringLiteral("\\Application Data");
    case CSIDL_WINDOWS:
        return QStringLiteral("C:\\windows");
    default:
        return {};
    }
}

// The temporary folder: the short form that the classic profile layout reports
// ("...\LOCALS~1\Temp"), so that the profile folder is the text before "LOCAL".
QString tempDir() { return profileDir() + QStringLiteral("\\LOCALS~1\\Temp"); }

bool ensureFolder(const QString& winPath)
{
    const QString host = toHost(winPath);
    return !host.isEmpty() && QDir().mkpath(host);
}

} // namespace

namespace detail {

void InitialiseSpecialFolders()
{
    const QString shell = QStringLiteral(
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
    const QString user = QStringLiteral(
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders");
    const QString p = profileDir();
    const struct {
        const char* name;
        QString path;
    } values[] = {
        {"Desktop", folderPath(CSIDL_DESKTOP)},
        {"Personal", folderPath(CSIDL_PERSONAL)},
        {"Favorites", folderPath(CSIDL_FAVORITES)},
        {"Recent", folderPath(CSIDL_RECENT)},
        {"AppData", folderPath(CSIDL_APPDATA)},
        {"Local Settings", p + QStringLiteral("\\LOCALS~1")},
        {"Cache", p + QStringLiteral("\\LOCALS~1\\Temporary Internet Files")},
        {"History", p + QStringLiteral("\\LOCALS~1\\History")},
        {"Cookies", p + QStringLiteral("\\Cookies")},
    };
    for (const auto& v : values) {
        RegWriteString(Hive::HKCU, shell, QString::fromLatin1(v.name), v.path);
        RegWriteString(Hive::HKCU, user, QString::fromLatin1(v.name), v.path);
    }
    ensureFolder(folderPath(CSIDL_WINDOWS));
    ensureFolder(tempDir());
}

} // namespace detail

QString GetSpecialFolder(int csidl)
{
    if (qEnvironmentVariable("PRAVIK_NO_SPECIAL_FOLDERS") == QLatin1String("1"))
        return {};
    const QString path = folderPath(csidl);
    if (path.isEmpty() || !ensureFolder(path))
        return {};
    return path;
}

QString GetTempPath()
{
    const QString path = tempDir();
    if (!ensureFolder(path))
        return {};
    return path + '\\';
}

QString GetWindowsDirectory()
{
    const QString path = folderPath(CSIDL_WINDOWS);
    ensureFolder(path);
    return path;
}

} // namespace win
