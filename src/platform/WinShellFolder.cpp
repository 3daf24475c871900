#include "platform/WinShellFolder.h"

#include <algorithm>

#include "platform/WinFiles.h"
#include "platform/WinPaths.h"

namespace win {

QString NormalizeFolderPath(const QString& winPath)
{
    QString p = winPath.trimmed();
    p.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (p.contains(QStringLiteral("\\\\")))
        p.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    if (p.size() == 2 && p.at(1) == QLatin1Char(':'))
        p += QLatin1Char('\\');
    while (p.size() > 3 && p.endsWith(QLatin1Char('\\')))
        p.chop(1);
    return p;
}

bool PathIsInside(const QString& path, const QString& folder)
{
    const QString p = NormalizeFolderPath(path);
    const QString f = NormalizeFolderPath(folder);
    if (f.isEmpty() || p.isEmpty())
        return false;
    if (p.compare(f, Qt::CaseInsensitive) == 0)
        return true;
    const QString prefix = f.endsWith(QLatin1Char('\\')) ? f : f + QLatin1Char('\\');
    return p.startsWith(prefix, Qt::CaseInsensitive);
}

QList<ShellItem> MyComputerItems()
{
    QList<ShellItem> items;
    for (const QString& root : GetLogicalDriveStrings()) {
        const QChar letter = root.at(0).toUpper();
        if (letter == QLatin1Char('Z'))
            continue; // the host's own root is not a drive of the exercise
        items.append(
            {QStringLiteral("本地磁盘 (%1:)").arg(letter), QString(letter) + QStringLiteral(":\\"), true, 0});
    }
    return items;
}

QList<ShellItem> FolderItems(const QString& winFolder)
{
    const QString folder = NormalizeFolderPath(winFolder);
    QList<ShellItem> folders;
    QList<ShellItem> files;
    if (!PathIsDir(folder))
        return {};
    const QString base = folder.endsWith(QLatin1Char('\\')) ? folder : folder + QLatin1Char('\\');
    for (const FindEntry& e : FindFiles(folder, QStringLiteral("*.*"), false)) {
        const QString path = base + e.name;
        if (IsLink(path))
            continue;
        (e.isDir ? folders : files).append({e.name, path, e.isDir, e.isDir ? 0 : e.size});
    }
    auto byName = [](const ShellItem& a, const ShellItem& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    return folders + files;
}

bool ShellFolder::SetFolder(const QString& winPath)
{
    const QString folder = NormalizeFolderPath(winPath);
    if (folder.isEmpty() || !PathIsDir(folder) || IsLink(folder))
        return false;
    m_folder = folder;
    changed();
    return true;
}

void ShellFolder::SetMyComputer()
{
    m_folder.clear();
    changed();
}

void ShellFolder::Up()
{
    if (IsMyComputer())
        return;
    if (m_folder.size() <= 3) {
        SetMyComputer();
        return;
    }
    const int cut = m_folder.lastIndexOf(QLatin1Char('\\'));
    QString parent = m_folder.left(cut);
    if (parent.size() == 2)
        parent += QLatin1Char('\\');
    if (!SetFolder(parent))
        SetMyComputer();
}

QList<ShellItem> ShellFolder::Items() const
{
    return IsMyComputer() ? MyComputerItems() : FolderItems(m_folder);
}

void ShellFolder::changed()
{
    if (OnFolderChanged)
        OnFolderChanged();
}

} // namespace win
