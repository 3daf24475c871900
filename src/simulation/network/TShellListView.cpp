#include "simulation/network/TShellListView.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QStyle>

#include "common/Prompts.h"
#include "platform/WinFiles.h"
#include "platform/WinPaths.h"

namespace {

constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kFolderRole = Qt::UserRole + 2;

} // namespace

TShellListView::TShellListView(QWidget* parent) : QListWidget(parent)
{
    setViewMode(QListView::IconMode);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setWrapping(true);
    setGridSize(QSize(96, 72));
    setIconSize(QSize(32, 32));
    setWordWrap(true);
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
    m_shell.OnFolderChanged = [this] {
        Refresh();
        if (OnFolderChanged)
            OnFolderChanged();
    };
    connect(this, &QListWidget::itemDoubleClicked, this, &TShellListView::itemOpened);
}

void TShellListView::Refresh()
{
    clear();
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon driveIcon = style()->standardIcon(QStyle::SP_DriveHDIcon);
    const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileIcon);
    for (const win::ShellItem& it : m_shell.Items()) {
        auto* item = new QListWidgetItem(m_shell.IsMyComputer() ? driveIcon
                                             : it.isFolder      ? folderIcon
                                                                : fileIcon,
                                         it.name, this);
        item->setData(kPathRole, it.path);
        item->setData(kFolderRole, it.isFolder);
    }
}

QStringList TShellListView::SelectedPaths() const
{
    QStringList paths;
    if (m_shell.IsMyComputer())
        return paths; // drives are not copied
    for (int i = 0; i < count(); ++i)
        if (item(i)->isSelected())
            paths << item(i)->data(kPathRole).toString();
    return paths;
}

QListWidgetItem* TShellListView::ItemNamed(const QString& name) const
{
    for (int i = 0; i < count(); ++i)
        if (item(i)->text().compare(name, Qt::CaseInsensitive) == 0)
            return item(i);
    return nullptr;
}

void TShellListView::CopySelection()
{
    const QStringList paths = SelectedPaths();
    if (!paths.isEmpty())
        win::SetFileClipboard(paths, win::FileClipMode::Copy);
}

void TShellListView::CutSelection()
{
    const QStringList paths = SelectedPaths();
    if (!paths.isEmpty())
        win::SetFileClipboard(paths, win::FileClipMode::Cut);
}

win::PasteResult TShellListView::Paste()
{
    if (m_shell.IsMyComputer() || win::FileClipboardPaths().isEmpty())
        return {};
    const win::PasteResult r = win::PasteFileClipboard(Folder());
    Refresh();
    reportFailures(r);
    return r;
}

bool TShellListView::DeleteSelection()
{
    const QStringList paths = SelectedPaths();
    if (paths.isEmpty())
        return false;
    if (!AskPrompt(QStringLiteral("确实要删除选中的 %1 个项目吗？").arg(paths.size()), 1,
                   QStringLiteral("确认删除")))
        return false;
    bool ok = true;
    for (const QString& p : paths)
        ok = (win::PathIsDir(p) ? win::DeleteTree(p, true, false) : win::DeleteFile(p)) && ok;
    Refresh();
    return ok;
}

win::PasteResult TShellListView::DropPaths(const QStringList& paths, const QString& targetFolder)
{
    if (targetFolder.isEmpty() || paths.isEmpty())
        return {};
    const win::PasteResult r = win::TransferFiles(paths, targetFolder, win::DropMoves(paths, targetFolder));
    Refresh();
    reportFailures(r);
    return r;
}

void TShellListView::reportFailures(const win::PasteResult& r)
{
    if (!r.failed.isEmpty() && OnTransferFailed)
        OnTransferFailed(r);
}

void TShellListView::itemOpened(QListWidgetItem* item)
{
    if (item && item->data(kFolderRole).toBool())
        m_shell.SetFolder(item->data(kPathRole).toString());
}

void TShellListView::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Copy)) {
        CopySelection();
    } else if (e->matches(QKeySequence::Cut)) {
        CutSelection();
    } else if (e->matches(QKeySequence::Paste)) {
        Paste();
    } else if (e->key() == Qt::Key_Delete) {
        DeleteSelection();
    } else if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        itemOpened(currentItem());
    } else if (e->key() == Qt::Key_Backspace) {
        Up();
    } else {
        QListWidget::keyPressEvent(e);
        return;
    }
    e->accept();
}

void TShellListView::startDrag(Qt::DropActions)
{
    const QStringList paths = SelectedPaths();
    if (paths.isEmpty())
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(win::MakeFileDragData(paths));
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

void TShellListView::dragEnterEvent(QDragEnterEvent* e)
{
    if (!m_shell.IsMyComputer() && !win::FileDragPaths(e->mimeData()).isEmpty())
        e->acceptProposedAction();
    else
        e->ignore();
}

void TShellListView::dragMoveEvent(QDragMoveEvent* e)
{
    if (!m_shell.IsMyComputer() && !win::FileDragPaths(e->mimeData()).isEmpty())
        e->acceptProposedAction();
    else
        e->ignore();
}

void TShellListView::dropEvent(QDropEvent* e)
{
    QString target = Folder();
    if (QListWidgetItem* over = itemAt(e->position().toPoint()); over && over->data(kFolderRole).toBool())
        target = over->data(kPathRole).toString();
    const QStringList paths = win::FileDragPaths(e->mimeData());
    e->setDropAction(Qt::IgnoreAction); // the files are moved here, not by the source view
    e->accept();
    DropPaths(paths, target);
}
