#pragma once
// "我的电脑" of the Windows Virtual questions and its twin with the folder tree, the
// Explorer: the drive overview (C:, D:, the disabled E:), the fixed list of drive D:
// and the hidden list that takes the view and sort choices made before D: was opened,
// with the view and arrange menus. What the student chooses goes into slots of the
// current question at once: 6 (the drive whose properties were opened), 14 (view),
// 15 (sort order); nothing touches the real file system.
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "platform/WinFileInfo.h"

class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
class QStackedWidget;
class QStatusBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class THotSpot;

namespace mycp {

constexpr int SlotDriveProperties = 6;
constexpr int SlotView = 14;
constexpr int SlotSort = 15;

// Opening drive D: an empty slot becomes "D", any other text stays.
QString SlotOnOpeningD(const QString& slot);
// The code (1..maxCode) recorded for the D: list: the slot is exactly "D:<code>";
// 0 for any other text.
int RecordedCode(const QString& slot, int maxCode);
// A view or sort choice acts on the D: list when the slot holds a "D" anywhere
// (else on the hidden E: list), and records "D:" or "E:" followed by the code.
bool ChoiceActsOnD(const QString& slot);
QString ChoiceValue(const QString& slot, int code);

// The view codes 1..5: "缩略图(&H)", "平铺(&S)", "图标(&N)", "列表(&L)", "详细信息(&D)";
// the sort codes 1..4: "名称(&N)", "大小(&S)", "类型(&T)", "修改时间(&M)".
QString ViewCaption(int code);
QString SortCaption(int code);

} // namespace mycp

// One row of a drive list: its icon and the texts of the columns 文件, 大小, 类型,
// 修改日期.
struct TDiskRow {
    win::FileIconKind icon;
    QStringList cells;
};

// A list view with the five presentations (1 thumbnails, 2 tiles, 3 small icons,
// 4 list, 5 details) and sorting by a column: descending, as text compared without
// letter case, empty texts first. Clicking a column header of the details view
// sorts by that column.
class TDiskList : public QWidget {
    Q_OBJECT
public:
    explicit TDiskList(QWidget* parent = nullptr);

    void SetRows(const QList<TDiskRow>& rows);
    QList<TDiskRow> Rows() const { return m_rows; }
    // The names (first column) in the order shown.
    QStringList Names() const;

    void SetViewStyle(int code);
    int ViewStyle() const { return m_view; }
    void SortByColumn(int column);
    int SortColumn() const { return m_sortColumn; }

    // The two presentations (details; the icon and list views).
    QTreeWidget* Report = nullptr;
    QListWidget* Icons = nullptr;

    // The descending text order with empty texts first, stable.
    static void SortRows(QList<TDiskRow>& rows, int column);

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void rebuild();
    QList<TDiskRow> m_rows;
    int m_view = 5;
    int m_sortColumn = -1;
};

class TfrmMyCP : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMyCP(QWidget* parent = nullptr);
    ~TfrmMyCP() override;

    // The fixed contents of drive D:.
    static QList<TDiskRow> DiskDRows();

    // Components (named as on the form).
    QMenuBar* MainMenu1 = nullptr;
    QWidget* ToolBar1 = nullptr;
    QList<QToolButton*> ToolButtons; // in tool bar order
    QToolButton* ToolButton3 = nullptr; // left 128: back to the overview
    QToolButton* ToolButtonView = nullptr; // left 293: the view drop-down
    QLabel* lblAddress = nullptr;
    QComboBox* ShellComboBox1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QList<QLabel*> StatusPanels;
    QLabel* ImgLeft = nullptr;
    QWidget* Panel1 = nullptr;
    THotSpot* DiskC = nullptr;
    THotSpot* DiskD = nullptr;
    THotSpot* DiskE = nullptr;
    TDiskList* LvDiskContern = nullptr;
    TDiskList* LvDiskConternE = nullptr;
    QMenu* PPDisk = nullptr;
    QMenu* PPViewMode = nullptr;
    QMenu* PPIocArrary = nullptr;

    // The shell combo box's root: "rfMyComputer" or "D:\".
    QString AddressRoot() const { return m_addressRoot; }
    void SetAddressRoot(const QString& root);

    // The view items (per code, one action in each of the three view menus) and the
    // sort items (per code, one in each of the two arrange menus).
    QList<QAction*> ViewItems(int code) const { return m_viewItems.value(code - 1); }
    QList<QAction*> SortItems(int code) const { return m_sortItems.value(code - 1); }

    // Event handlers.
    void FormShow();
    void DiskDDblClick();
    void DiskPropertyClick(QChar drive);
    void ViewItemClick(int code);
    void SortItemClick(int code);
    void ToolButton3Click();
    void ToolButtonViewClick();
    // The drive whose context menu is open ('C' or 'D').
    QChar MenuDrive() const { return m_menuDrive; }

protected:
    struct ExplorerTag { };
    TfrmMyCP(QWidget* parent, ExplorerTag);
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    QWidget* ViewArea() const { return m_viewArea; }

private:
    void build();
    void buildMenus();
    void buildToolBar();
    QMenu* addViewItems(QMenu* menu);
    QMenu* addSortItems(QMenu* menu, bool withDisabled);
    void checkView(int code);
    void checkSort(int code);
    void showOnly(QWidget* view);

    QWidget* m_viewArea = nullptr;
    QString m_addressRoot;
    QList<QList<QAction*>> m_viewItems;
    QList<QList<QAction*>> m_sortItems;
    QChar m_menuDrive;
};

// The Explorer: My Computer with the folder tree in place of the picture strip and a
// picture of My Documents in place of the overview.
class TfrmExplorer : public TfrmMyCP {
    Q_OBJECT
public:
    explicit TfrmExplorer(QWidget* parent = nullptr);

    QPushButton* btnFolders = nullptr;
    QTreeWidget* TreeExplorer = nullptr;
    QLabel* ImgMyDocExplorer = nullptr;
    QMenu* PPMyDocument = nullptr;
    QMenu* PPMyComputer = nullptr;
    QMenu* PPNetwork = nullptr;
    QMenu* PPRecycle = nullptr;
    // The context menu the tree has now (nullptr: none).
    QMenu* TreeMenu() const { return m_treeMenu; }

    // Shows the drive overview and hides the My Documents picture (the opener).
    void ShowOverview();
    void TreeExplorerClick();

private:
    QMenu* m_treeMenu = nullptr;
};
