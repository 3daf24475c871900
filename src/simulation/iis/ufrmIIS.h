#pragma once
// "Internet 信息服务(IIS)管理器": the console tree with "默认网站", at most one virtual
// directory under it (created by the wizard, removed by "删除(&D)"), and the context
// menus that open the wizard and the properties dialog. Creating the manager loads
// IISSettings from the question's answer text; closing it records them there.
#include "simulation/iis/PlainDialog.h"

class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

class TfrmIIS : public sim::PlainDialog {
    Q_OBJECT
public:
    explicit TfrmIIS(QWidget* parent = nullptr);

    void LoadIISSettings();
    void SaveIISSettings();

    // The "默认网站" node and its virtual directory (nullptr when there is none).
    QTreeWidgetItem* DefaultWebNode() const { return m_defaultWeb; }
    QTreeWidgetItem* VirtualDirectoryNode() const;
    // Adds the virtual directory node under `parent` (the wizard's "完成").
    QTreeWidgetItem* AddVirtualDirectory(QTreeWidgetItem* parent, const QString& name);
    static int Level(const QTreeWidgetItem* item);

    QTreeWidget* tvIIS = nullptr;
    QTreeWidget* lvIIS = nullptr;
    QMenu* menuDefaultWeb = nullptr;
    QMenu* menuProperty = nullptr;

    // Event handlers.
    void tvIISMouseUp(const QPoint& pos); // right button released, in viewport coordinates
    void NewVirtualDirectoryClick();
    void DeleteClick();
    void PropertyClick();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    QMenu* buildContextMenu(const char* name, bool forDirectory);
    QTreeWidgetItem* m_defaultWeb = nullptr;
};
