#pragma once
// The shell folder list of the Explorer-like windows: shows a folder of the file
// system (or My Computer) as icons, opens a folder on double-click, and copies,
// cuts, pastes, deletes and drags files through the program's file clipboard. The
// folder and the file operations are those of the platform (Windows paths).
#include <QListWidget>
#include <functional>

#include "platform/WinFileClipboard.h"
#include "platform/WinShellFolder.h"

class TShellListView : public QListWidget {
    Q_OBJECT
public:
    explicit TShellListView(QWidget* parent = nullptr);

    win::ShellFolder& Shell() { return m_shell; }
    void SetFolder(const QString& winPath) { m_shell.SetFolder(winPath); }
    void SetMyComputer() { m_shell.SetMyComputer(); }
    QString Folder() const { return m_shell.Folder(); }
    void Up() { m_shell.Up(); }
    void Refresh();

    QStringList SelectedPaths() const;
    QListWidgetItem* ItemNamed(const QString& name) const;

    // The shell verbs on the selection / into the shown folder.
    void CopySelection();
    void CutSelection();
    win::PasteResult Paste();
    bool DeleteSelection();
    // A drop of Windows paths into the shown folder (or a folder item).
    win::PasteResult DropPaths(const QStringList& paths, const QString& targetFolder);

    // Called after the shown folder changed (after the list was refilled).
    std::function<void()> OnFolderChanged;
    // Tells the student about items that could not be pasted or dropped.
    std::function<void(const win::PasteResult&)> OnTransferFailed;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void itemOpened(QListWidgetItem* item);
    void reportFailures(const win::PasteResult& r);
    win::ShellFolder m_shell;
};
