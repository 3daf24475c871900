#pragma once
// Drives and paths. A Windows path ("D:\StuExamData\x") maps to a host path below the
// prefix: prefix/dosdevices/<letter>: is a symbolic link to the drive's host folder
// (c: -> prefix/drive_c, d: -> prefix/drive_d, z: -> /). Resolution is
// case-insensitive per existing component; new components keep the case asked for.
#include <QString>
#include <QStringList>

namespace win {

// Host path of the prefix ($PRAVIK_PREFIX, else $XDG_DATA_HOME/pravik, else
// ~/.local/share/pravik), created with its default drives on first use.
QString PrefixDir();

// Windows path -> host path. Accepts "X:\..." and "X:/..."; ".." and "." are folded
// (never above the drive root). Returns an empty string for a path without a mapped
// drive letter, a relative path, or ".." climbing above the root.
QString toHost(const QString& winPath);
// Host path -> Windows path: through the longest matching drive target (Z: for
// everything else). Always succeeds for an absolute host path.
QString fromHost(const QString& hostPath);

// The program folder as a Windows path with trailing backslash: the folder of the
// running executable, or $PRAVIK_PROGRAM_DIR (a host path) when set (tests).
QString ProgramDir();
// The program file name without folder (e.g. "prjPractice"; ".exe" on Windows).
QString ProgramFileName();
// The executable suffix of this platform: "" on Linux, ".EXE" on Windows.
QString ExecutableSuffix();

// GetLogicalDriveStrings: "A:\", "C:\", ... in letter order, one per mapped drive.
QStringList GetLogicalDriveStrings();
enum DriveType : unsigned {
    DRIVE_UNKNOWN = 0,
    DRIVE_NO_ROOT_DIR = 1,
    DRIVE_REMOVABLE = 2,
    DRIVE_FIXED = 3,
    DRIVE_REMOTE = 4,
    DRIVE_CDROM = 5,
    DRIVE_RAMDISK = 6
};
// Drive type of a root such as "D:\" or "D:"; DRIVE_NO_ROOT_DIR for an unmapped one.
unsigned GetDriveType(const QString& root);
// Free bytes on the drive of a path; -1 when the drive is not mapped or not ready.
qint64 DiskFree(const QString& rootOrPath);

// Drive mapping (the stand-in for "subst"). Letters are single letters A..Z, any case.
// Create refuses a letter that is already mapped (false). Delete removes only the
// link. Query gives the Windows path of the mapped folder, or "" when unmapped.
bool DefineDrive(QChar letter, const QString& winTarget);
bool RemoveDrive(QChar letter);
QString QueryDrive(QChar letter);
// Host folder the letter points at ("" when unmapped).
QString DriveHostTarget(QChar letter);

// File attributes: read-only = the owner's write bit is missing.
constexpr unsigned FILE_ATTRIBUTE_READONLY = 0x1;
constexpr unsigned FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr unsigned FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr unsigned INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
unsigned GetFileAttributes(const QString& winPath);
bool SetFileAttributes(const QString& winPath, unsigned attributes);

// Convenience checks on Windows paths (through toHost).
bool PathIsFile(const QString& winPath);
bool PathIsDir(const QString& winPath);

// True when a file name matches a Windows wildcard pattern ("*", "?"), compared
// case-insensitively; as on Windows, a name without an extension also matches "*.*"
// and "a.*". An empty pattern matches everything.
bool MatchesWildcard(const QString& name, const QString& pattern);

// Find-first/next: the names (not paths) in a folder that match a Windows wildcard
// pattern ("*.*", "*.doc", "Q?.zip"), compared case-insensitively; "." and ".." are
// included only when includeDots is true, as FindFirstFile reports them.
struct FindEntry {
    QString name;
    bool isDir;
    qint64 size;
};
QList<FindEntry> FindFiles(const QString& winDir, const QString& pattern = QStringLiteral("*.*"),
                           bool includeDots = false);

} // namespace win
