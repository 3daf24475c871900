#pragma once
// What the shell tells about a file or folder (the stand-in for SHGetFileInfo with
// the find data): the kind of icon it shows, the display name, the type name as the
// Chinese shell names it ("文本文档", "文件夹", "应用程序", or "XXX 文件" for an
// extension it does not know), the size and the time of the last change. Windows
// paths; a link is described as itself, never by what it points at.
#include <QDateTime>
#include <QString>

namespace win {

// The icon families the shell distinguishes; the pictures are drawn by the caller.
enum class FileIconKind {
    Generic,
    Folder,
    Text,
    Image,
    Word,
    Excel,
    PowerPoint,
    Access,
    Pdf,
    Archive,
    Audio,
    Video,
    Help,
    Web,
    Application,
    Link
};

struct ShellFileInfo {
    bool exists = false;
    bool isDir = false;
    FileIconKind icon = FileIconKind::Generic;
    QString displayName; // the name as the shell shows it (extensions shown)
    QString typeName; // e.g. "文本文档"
    qint64 size = -1; // bytes; -1 for a folder or when it cannot be read
    QDateTime lastWrite; // local time; invalid when it cannot be read
};

// The information of an existing entry; exists = false (and the rest empty) when the
// path does not name one.
ShellFileInfo GetShellFileInfo(const QString& winPath);

// The type name and icon kind of a file name by its extension alone (a folder when
// isDir); the same table GetShellFileInfo uses.
QString ShellTypeName(const QString& fileName, bool isDir = false);
FileIconKind ShellIconKind(const QString& fileName, bool isDir = false);

} // namespace win
