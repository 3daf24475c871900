#pragma once
// " 回收站": the recycle folder of the question ({question folder}\Recycler\) listed
// with icon, name and type; restoring (slot 11), deleting (slot 17) and emptying
// (slot 10 "1", also when the list runs empty) as the student does them. A restored
// entry goes back into the question folder, a deleted one and an emptied bin leave the
// recycle folder; the slots are what is graded.
#include <QList>
#include <QString>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QTimer;
class QTreeWidget;

namespace recycle {

constexpr int SlotEmptied = 10;
constexpr int SlotRestored = 11;
constexpr int SlotBinSizes = 12;
constexpr int SlotDeleted = 17;

// The recycle folder of a run: {R}{N}\{N}\{Q}\Recycler\ (the question folder under
// the practice folder, with or without a virtual drive).
QString RecycleFolder(const QString& examRoot, const QString& examineeNo, int questionId);
// The recycle folder of the running exercise ("" before the folders exist).
QString CurrentRecycleFolder();
// True when `name` is one of the comma-joined names of `slot` (whole names, letter
// case ignored).
bool NameListed(const QString& slot, const QString& name);
// slot + "," + name, or name when the slot is empty.
QString AppendName(const QString& slot, const QString& name);
// A size as the list shows it: kilobytes rounded up and "KB"; "0KB" when unknown.
QString SizeText(qint64 bytes);

} // namespace recycle

class TfrmRcyEandC : public QWidget {
    Q_OBJECT
public:
    explicit TfrmRcyEandC(QWidget* parent = nullptr);

    // The folder listed (a Windows path with trailing backslash); set before showing
    // by the opener, from the exercise's folders.
    QString Folder;

    QMenuBar* MainMenu1 = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuEmpty = nullptr;
    QAction* mnuClose = nullptr;
    QAction* mnuUndoDelete = nullptr;
    QLabel* Image1 = nullptr; // background
    QLabel* Image2 = nullptr; // task pane
    QLabel* Image3 = nullptr;
    QLabel* lblEmpty = nullptr; // task link "清空回收站"
    QLabel* lblRestore = nullptr; // task link "还原所有项目"
    QLabel* lblCount = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* mnuRestore = nullptr;
    QAction* mnuDelete = nullptr;
    QTimer* Timer1 = nullptr;

    bool Emptied() const { return m_emptied; }

    // Event handlers.
    void FormShow();
    void ListView1Click();
    void RestoreClick(); // context menu "还原(&E)"
    void RestoreLinkClick(); // task link
    void DeleteClick(); // context menu "删除(&D)"
    void UndoDeleteClick(); // "撤销删除(&U)        Ctrl+Z"
    void EmptyClick(); // task link "清空回收站", "清空回收站(&B)"
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    void fillList();
    QString selectedName() const;
    void removeSelected();
    void restoreEntry(const QString& name);
    void deleteEntry(const QString& name);
    void enterEmptied();
    void afterRemoval();

    bool m_emptied = false;
};
