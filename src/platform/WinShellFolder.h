#pragma once
// The shell folder view model of the Explorer-like windows: the folder shown (a
// Windows path, or the My Computer folder, which lists the drives), its items, going
// up one level and a notification after the shown folder changed. The host's root
// drive (Z:) is never listed.
#include <QList>
#include <QString>
#include <functional>

namespace win {

// The shell folder number of My Computer.
constexpr int CSIDL_DRIVES = 17;

struct ShellItem {
    QString name; // as listed ("本地磁盘 (C:)" for a drive)
    QString path; // Windows path ("C:\" for a drive)
    bool isFolder; // a folder or a drive
    qint64 size; // bytes of a file, 0 otherwise
};

// "C:/a/b\" -> "C:\a\b", a drive root keeps its backslash ("C:\"); the case is kept.
QString NormalizeFolderPath(const QString& winPath);
// True when `path` is `folder` or lies inside it (compared case-insensitively at a
// folder boundary: "D:\ab" is not inside "D:\a").
bool PathIsInside(const QString& path, const QString& folder);
// The drives of My Computer: every mapped drive but the host's root drive Z:.
QList<ShellItem> MyComputerItems();
// The items of a folder: folders first, then files, each by name (case-insensitive);
// links are not listed. Empty for a missing folder.
QList<ShellItem> FolderItems(const QString& winFolder);

class ShellFolder {
public:
    // Shows an existing folder; false (and nothing changes) for anything else.
    bool SetFolder(const QString& winPath);
    void SetMyComputer();
    // The shown folder's path; "" while My Computer is shown.
    QString Folder() const { return m_folder; }
    bool IsMyComputer() const { return m_folder.isEmpty(); }
    // One level up: a folder's parent, from a drive root My Computer, from My
    // Computer nothing.
    void Up();
    QList<ShellItem> Items() const;

    // Called after every change of the shown folder (also to the same folder).
    std::function<void()> OnFolderChanged;

private:
    void changed();
    QString m_folder;
};

} // namespace win
