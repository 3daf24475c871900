#pragma once
// The simulated "系统信息" window: the category tree and the system summary. Whether
// the student looked at the nodes "内存" and "磁盘" is recorded in slot 19 as
// "内存=0|1,磁盘=0|1" at every change of the tree selection.
#include <QString>
#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;

namespace sysinfo {

// The two flags of the open window (process-wide, cleared when the window closes).
QString& MemoryFlag();
QString& DiskFlag();

} // namespace sysinfo

class TfrmSystemInfo : public QWidget {
    Q_OBJECT
public:
    explicit TfrmSystemInfo(QWidget* parent = nullptr);

    QTreeWidget* tvCategory = nullptr;
    QTreeWidget* lvSummary = nullptr;

    // The node of the tree with this text (the first in tree order), or nullptr.
    QTreeWidgetItem* FindNode(const QString& text) const;

    void FormShow();
    void tvCategoryChanging(QTreeWidgetItem* node);

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildTree();
    void buildSummary();
};
