#include "platform/WinFileClipboard.h"

#include <QMimeData>
#include <QUrl>

#include "platform/WinFiles.h"
#include "platform/WinPaths.h"
#include "platform/WinShellFolder.h"

namespace win {

namespace {

const QString kMime = QStringLiteral("application/x-pravik-windows-paths");

QStringList g_paths;
FileClipMode g_mode = FileClipMode::Copy;

QString parentOf(const QString& path)
{
    const QString p = NormalizeFolderPath(path);
    const int cut = p.lastIndexOf(QLatin1Char('\\'));
    QString parent = p.left(cut);
    if (parent.size() == 2)
        parent += QLatin1Char('\\');
    return parent;
}

QString nameOf(const QString& path)
{
    const QString p = NormalizeFolderPath(path);
    return p.mid(p.lastIndexOf(QLatin1Char('\\')) + 1);
}

QString join(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('\\')) ? folder + name : folder + QLatin1Char('\\') + name;
}

bool exists(const QString& path) { return PathIsFile(path) || PathIsDir(path) || IsLink(path); }

bool copyItem(const QString& source, const QString& target)
{
    if (PathIsDir(source)) {
        if (CopyTree(source, target))
            return true;
        DeleteTree(target, true, false); // no half copy is left behind
        return false;
    }
    return CopyFile(source, target, true);
}

bool moveItem(const QString& source, const QString& target)
{
    if (MoveFile(source, target))
        return true;
    if (!PathIsDir(source))
        return false; // MoveFile copies files across file systems itself
    if (!copyItem(source, target))
        return false;
    return DeleteTree(source, true, false);
}

} // namespace

void SetFileClipboard(const QStringList& paths, FileClipMode mode)
{
    g_paths = paths;
    g_mode = mode;
}

void ClearFileClipboard() { g_paths.clear(); }
QStringList FileClipboardPaths() { return g_paths; }
FileClipMode FileClipboardMode() { return g_mode; }

QString CopyName(const QString& folder, const QString& name)
{
    QString candidate = QStringLiteral("复件 ") + name;
    for (int n = 2; exists(join(folder, candidate)); ++n)
        candidate = QStringLiteral("复件 (%1) %2").arg(n).arg(name);
    return candidate;
}

PasteResult TransferFiles(const QStringList& sources, const QString& targetFolder, bool move)
{
    PasteResult r;
    const QString target = NormalizeFolderPath(targetFolder);
    if (!PathIsDir(target)) {
        r.failed = sources;
        return r;
    }
    for (const QString& raw : sources) {
        const QString source = NormalizeFolderPath(raw);
        if (!exists(source) || IsLink(source) || source.size() <= 3) {
            r.failed << raw;
            continue;
        }
        const bool sameFolder = parentOf(source).compare(target, Qt::CaseInsensitive) == 0;
        if (PathIsDir(source) && PathIsInside(target, source)) {
            r.failed << raw; // a folder into itself
            continue;
        }
        QString dest = join(target, nameOf(source));
        if (sameFolder) {
            if (move) {
                r.failed << raw; // nothing to move
                continue;
            }
            dest = join(target, CopyName(target, nameOf(source)));
        } else if (exists(dest)) {
            r.failed << raw; // never overwrite
            continue;
        }
        if (move ? moveItem(source, dest) : copyItem(source, dest))
            r.created << dest;
        else
            r.failed << raw;
    }
    return r;
}

PasteResult PasteFileClipboard(const QString& targetFolder)
{
    const bool move = g_mode == FileClipMode::Cut;
    PasteResult r = TransferFiles(g_paths, targetFolder, move);
    if (move)
        g_paths = r.failed;
    return r;
}

bool DropMoves(const QStringList& sources, const QString& targetFolder)
{
    const QString target = NormalizeFolderPath(targetFolder);
    for (const QString& s : sources)
        if (s.isEmpty() || target.isEmpty() || s.at(0).toUpper() != target.at(0).toUpper())
            return false;
    return !sources.isEmpty();
}

QMimeData* MakeFileDragData(const QStringList& paths)
{
    auto* data = new QMimeData;
    data->setData(kMime, paths.join(QLatin1Char('\n')).toUtf8());
    QList<QUrl> urls;
    for (const QString& p : paths) {
        const QString host = toHost(p);
        if (!host.isEmpty())
            urls << QUrl::fromLocalFile(host);
    }
    data->setUrls(urls);
    return data;
}

QStringList FileDragPaths(const QMimeData* data)
{
    if (!data)
        return {};
    if (data->hasFormat(kMime))
        return QString::fromUtf8(data->data(kMime)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList paths;
    for (const QUrl& u : data->urls())
        if (u.isLocalFile())
            paths << fromHost(u.toLocalFile());
    return paths;
}

} // namespace win
