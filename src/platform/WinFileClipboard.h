#pragma once
// The file clipboard of the shell ("复制", "剪切", "粘贴") and the drag-and-drop
// payload of files, on Windows paths. One clipboard for the whole program, so files
// move between any two Explorer-like windows.
//
// Collisions are handled as Explorer does without asking:
//  - copying an item into its own folder makes a copy named "复件 a.txt", then
//    "复件 (2) a.txt", "复件 (3) a.txt", ...;
//  - pasting where an item of the same name already exists (or moving an item into
//    its own folder, or a folder into itself) is refused for that item: nothing is
//    overwritten and the source stays.
// A failed move never loses its source: a move that cannot be a rename is a copy,
// and the source is deleted only after the whole copy succeeded (a partial copy is
// removed again).
#include <QString>
#include <QStringList>

class QMimeData;

namespace win {

enum class FileClipMode { Copy, Cut };

void SetFileClipboard(const QStringList& paths, FileClipMode mode);
void ClearFileClipboard();
QStringList FileClipboardPaths();
FileClipMode FileClipboardMode();

struct PasteResult {
    QStringList created; // the new items (Windows paths)
    QStringList failed; // the sources that were refused or failed
    bool ok() const { return failed.isEmpty(); }
};

// Pastes the clipboard into a folder. After a cut only the items that failed stay
// on the clipboard.
PasteResult PasteFileClipboard(const QString& targetFolder);
// Copies or moves items into a folder under the rules above (also for a drop).
PasteResult TransferFiles(const QStringList& sources, const QString& targetFolder, bool move);
// Whether a drop moves (same drive) or copies (another drive), as Explorer does.
bool DropMoves(const QStringList& sources, const QString& targetFolder);
// The name of a copy of `name` made in `folder`: "复件 name", "复件 (2) name", ...
QString CopyName(const QString& folder, const QString& name);

// The drag payload: a list of Windows paths.
QMimeData* MakeFileDragData(const QStringList& paths);
QStringList FileDragPaths(const QMimeData* data);

} // namespace win
