#include "simulation/explorer/ufrmMyCP.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <vector>

#include "environment/unDMDB.h"
#include "simulation/desktop/SimArt.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/desktop/ufrmOperationMain.h"
#include "simulation/explorer/ExplorerArt.h"
#include "simulation/explorer/ufrmMydocumentProperty.h"
#include "simulation/explorer/ufrmproperty.h"

namespace {

// The icon's double-click (the desktop's 我的电脑) replaces any My Computer by a new
// one; "DriveD" (the taskbar button) shows the existing one, or a new one, and opens
// drive D:.
QWidget* openMyComputer(const sim::OpenOptions& o)
{
    if (o.verb == QLatin1String("DriveD")) {
        TfrmMyCP* w = sim::Ref<TfrmMyCP>().data();
        if (!w) {
            w = new TfrmMyCP(sim::WindowParent());
            w->setWindowFlag(Qt::Window, true);
        }
        sim::ShowWindow(w, sim::OpenOptions{o.stayOnTop, false, {}});
        w->DiskDDblClick();
        return w;
    }
    TfrmMyCP* w = sim::Recreate<TfrmMyCP>();
    sim::ShowWindow(w, sim::OpenOptions{o.stayOnTop, false, {}});
    return sim::Ref<TfrmMyCP>().data();
}

QWidget* openExplorer(const sim::OpenOptions& o)
{
    TfrmExplorer* w = sim::Recreate<TfrmExplorer>();
    w->ShowOverview();
    sim::ShowWindow(w, sim::OpenOptions{o.stayOnTop, false, {}});
    return sim::Ref<TfrmExplorer>().data();
}

} // namespace

SIM_REGISTER_WINDOW_WITH(TfrmMyCP, openMyComputer)
SIM_REGISTER_WINDOW_WITH(TfrmExplorer, openExplorer)

namespace mycp {

QString SlotOnOpeningD(const QString& slot) { return slot.isEmpty() ? QStringLiteral("D") : slot; }

int RecordedCode(const QString& slot, int maxCode)
{
    for (int code = 1; code <= maxCode; ++code)
        if (slot == QStringLiteral("D:%1").arg(code))
            return code;
    return 0;
}

bool ChoiceActsOnD(const QString& slot) { return slot.contains(QLatin1Char('D')); }

QString ChoiceValue(const QString& slot, int code)
{
    return (ChoiceActsOnD(slot) ? QStringLiteral("D:") : QStringLiteral("E:")) + QString::number(code);
}

QString ViewCaption(int code)
{
    static const char* const k[] = {"缩略图(&H)", "平铺(&S)", "图标(&N)", "列表(&L)", "详细信息(&D)"};
    return code >= 1 && code <= 5 ? QString::fromUtf8(k[code - 1]) : QString();
}

QString SortCaption(int code)
{
    static const char* const k[] = {"名称(&N)", "大小(&S)", "类型(&T)", "修改时间(&M)"};
    return code >= 1 && code <= 4 ? QString::fromUtf8(k[code - 1]) : QString();
}

} // namespace mycp

namespace {

// A menu description: caption, sub-items, state (separators are left out).
struct Item {
    QString caption;
    std::vector<Item> items;
    bool disabled = false;
    bool checked = false;
    QString shortcut;
};

Item I(const char* c) { return Item{QString::fromUtf8(c), {}, false, false, {}}; }
Item S(const char* c, std::vector<Item> items)
{
    return Item{QString::fromUtf8(c), std::move(items), false, false, {}};
}
Item Off(const char* c) { return Item{QString::fromUtf8(c), {}, true, false, {}}; }
Item Chk(const char* c) { return Item{QString::fromUtf8(c), {}, false, true, {}}; }
Item K(const char* c, const char* key)
{
    return Item{QString::fromUtf8(c), {}, false, false, QString::fromLatin1(key)};
}

void fill(QMenu* menu, const std::vector<Item>& items)
{
    for (const Item& m : items) {
        if (!m.items.empty()) {
            fill(menu->addMenu(m.caption), m.items);
            continue;
        }
        QAction* a = menu->addAction(m.caption);
        if (m.checked) {
            a->setCheckable(true);
            a->setChecked(true);
        }
        a->setEnabled(!m.disabled);
        if (!m.shortcut.isEmpty())
            a->setShortcut(QKeySequence(m.shortcut));
    }
}

QMenu* menu(QWidget* parent, const char* name, const std::vector<Item>& items = {})
{
    auto* m = new QMenu(parent);
    m->setObjectName(QString::fromLatin1(name));
    m->setFont(sim::SongFont(12));
    fill(m, items);
    return m;
}

// The picture of one drive of the overview: the disk and its name under it.
QPixmap drivePicture(const QString& name, bool disabled)
{
    QPixmap pm(200, 52);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.drawPixmap(4, 2, explorerart::DiskPicture(48, disabled));
    p.setFont(sim::SongFont(12));
    p.setPen(disabled ? QColor(150, 150, 150) : QColor(0, 0, 0));
    p.drawText(QRect(58, 6, 140, 20), Qt::AlignVCenter | Qt::AlignLeft, name);
    p.setPen(QColor(120, 120, 120));
    p.drawText(QRect(58, 26, 140, 20), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("本地磁盘"));
    return pm;
}

QIcon rowIcon(win::FileIconKind kind, int view)
{
    switch (view) {
    case 1: {
        // A thumbnail: the icon in a white frame of the 101 x 100 image list.
        QPixmap pm(101, 100);
        pm.fill(Qt::white);
        QPainter p(&pm);
        p.setPen(QColor(200, 200, 200));
        p.drawRect(0, 0, 100, 99);
        p.drawPixmap(18, 18, explorerart::FileIcon(kind, 64));
        return QIcon(pm);
    }
    case 2: {
        QPixmap pm(51, 53);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.drawPixmap(1, 2, explorerart::FileIcon(kind, 48));
        return QIcon(pm);
    }
    default:
        return QIcon(explorerart::FileIcon(kind, 16));
    }
}

TfrmOperationMain* desktopWindow() { return sim::Ref<TfrmOperationMain>().data(); }

} // namespace

// ---- TDiskList ----------------------------------------------------------------------

TDiskList::TDiskList(QWidget* parent) : QWidget(parent)
{
    Report = new QTreeWidget(this);
    Report->setRootIsDecorated(false);
    Report->setColumnCount(5);
    Report->setHeaderLabels({QStringLiteral("文件"), QStringLiteral("大小"), QStringLiteral("类型"),
                             QStringLiteral("修改日期"), QString()});
    Report->setColumnWidth(0, 150);
    Report->setColumnWidth(1, 80);
    Report->setColumnWidth(3, 100);
    Report->setColumnWidth(4, 253);
    Report->setSortingEnabled(false);
    Report->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Report->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Report->header()->setSectionsClickable(true);
    Report->header()->setSortIndicatorShown(false);
    connect(Report->header(), &QHeaderView::sectionClicked, this, &TDiskList::SortByColumn);

    Icons = new QListWidget(this);
    Icons->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Icons->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Icons->setMovement(QListView::Static);
    Icons->setResizeMode(QListView::Adjust);
    Icons->hide();
    for (QWidget* w : {static_cast<QWidget*>(Report), static_cast<QWidget*>(Icons)}) {
        w->setContextMenuPolicy(Qt::NoContextMenu);
    }
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

void TDiskList::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    Report->setGeometry(rect());
    Icons->setGeometry(rect());
}

void TDiskList::SetRows(const QList<TDiskRow>& rows)
{
    m_rows = rows;
    rebuild();
}

QStringList TDiskList::Names() const
{
    QStringList names;
    for (const TDiskRow& r : m_rows)
        names << r.cells.value(0);
    return names;
}

void TDiskList::SortRows(QList<TDiskRow>& rows, int column)
{
    std::stable_sort(rows.begin(), rows.end(), [column](const TDiskRow& a, const TDiskRow& b) {
        const QString x = a.cells.value(column);
        const QString y = b.cells.value(column);
        if (x.isEmpty() != y.isEmpty())
            return x.isEmpty();
        return QString::compare(x, y, Qt::CaseInsensitive) > 0;
    });
}

void TDiskList::SortByColumn(int column)
{
    if (column < 0 || column > 4)
        return;
    m_sortColumn = column;
    SortRows(m_rows, column);
    rebuild();
}

void TDiskList::SetViewStyle(int code)
{
    if (code < 1 || code > 5)
        return;
    m_view = code;
    rebuild();
}

void TDiskList::rebuild()
{
    Report->clear();
    Icons->clear();
    for (const TDiskRow& r : m_rows) {
        auto* item = new QTreeWidgetItem(Report, r.cells);
        item->setIcon(0, rowIcon(r.icon, 5));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        auto* li = new QListWidgetItem(rowIcon(r.icon, m_view), r.cells.value(0), Icons);
        Q_UNUSED(li);
    }
    switch (m_view) {
    case 1:
        Icons->setViewMode(QListView::IconMode);
        Icons->setIconSize(QSize(101, 100));
        Icons->setGridSize(QSize(120, 130));
        Icons->setFlow(QListView::LeftToRight);
        Icons->setWrapping(true);
        break;
    case 2:
        Icons->setViewMode(QListView::IconMode);
        Icons->setIconSize(QSize(51, 53));
        Icons->setGridSize(QSize(110, 84));
        Icons->setFlow(QListView::LeftToRight);
        Icons->setWrapping(true);
        break;
    case 3:
        Icons->setViewMode(QListView::ListMode);
        Icons->setIconSize(QSize(16, 16));
        Icons->setGridSize(QSize(160, 22));
        Icons->setFlow(QListView::LeftToRight);
        Icons->setWrapping(true);
        break;
    case 4:
        Icons->setViewMode(QListView::ListMode);
        Icons->setIconSize(QSize(16, 16));
        Icons->setGridSize(QSize(160, 20));
        Icons->setFlow(QListView::TopToBottom);
        Icons->setWrapping(true);
        break;
    default:
        break;
    }
    Report->setVisible(m_view == 5);
    Icons->setVisible(m_view != 5);
}

// ---- TfrmMyCP -----------------------------------------------------------------------

TfrmMyCP::TfrmMyCP(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMyCP"));
    sim::Ref<TfrmMyCP>() = this;
    build();
}

TfrmMyCP::TfrmMyCP(QWidget* parent, ExplorerTag) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmExplorer"));
    build();
}

TfrmMyCP::~TfrmMyCP() = default;

QList<TDiskRow> TfrmMyCP::DiskDRows()
{
    using K = win::FileIconKind;
    struct R {
        K icon;
        const char* name;
        const char* size;
        const char* type;
        const char* modified;
    };
    static const R k[] = {
        {K::Text, "文本文件.txt", "1 KB", "文本文档", "2012-01-30 7:50"},
        {K::Image, "图片文件.bmp", "20 KB", "BMP 图像", "2012-03-05 19:09"},
        {K::Excel, "Excel文件.xls", "20 KB", "Microsoft Excel 工作表", "2012-01-07 15:32"},
        {K::Help, "chm文件.chm", "301 KB", "已编译的 HTML 帮助文件", "2012-03-05 20:10"},
        {K::Pdf, "PDF文件.pdf", "307 KB", "PDF Document", "2012-03-15 12:10"},
        {K::Word, "Word文件.doc", "4,078 KB", "Microsoft Word 文档", "2012-03-01 8:54"},
        {K::Application, "聊天工具.exe", "4,228 KB", "应用程序", "2008-07-21 18:05"},
        {K::Archive, "压缩文件.rar", "5,135 KB", "WinRAR 压缩文件", "2012-03-02 12:24"},
        {K::Access, "Acess文件.mdb", "5,231 KB", "Microsoft Office Access 应用程序", "2012-02-28 14:32"},
        {K::Audio, "wav文件.wav", "60,986 KB", "媒体文件(.wav)", "2012-01-08 16:20"},
        {K::Video, "录像文件.exe", "70,994 KB", "应用程序", "2012-02-21 9:20"},
        {K::Folder, "图片文件夹", "", "文件夹", "2012-02-02 18:04"},
        {K::Folder, "资料文件夹", "", "文件夹", "2012-03-18 8:31"},
    };
    QList<TDiskRow> rows;
    for (const R& r : k)
        rows.append({r.icon,
                     {QString::fromUtf8(r.name), QString::fromUtf8(r.size), QString::fromUtf8(r.type),
                      QString::fromUtf8(r.modified), QString()}});
    return rows;
}

void TfrmMyCP::build()
{
    setWindowTitle(QStringLiteral("我的电脑"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setFont(sim::SongFont(12));
    setFixedSize(854, 642);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(236, 233, 216));
    setPalette(pal);

    buildMenus();
    buildToolBar();

    lblAddress = new QLabel(QStringLiteral("地址(&D)   "), this);
    lblAddress->setObjectName(QStringLiteral("lblAddress"));
    lblAddress->setGeometry(4, 54, 64, 22);
    ShellComboBox1 = new QComboBox(this);
    ShellComboBox1->setObjectName(QStringLiteral("ShellComboBox1"));
    ShellComboBox1->setGeometry(68, 55, 780, 20);
    lblAddress->setBuddy(ShellComboBox1);

    ImgLeft = new QLabel(this);
    ImgLeft->setObjectName(QStringLiteral("ImgLeft"));
    ImgLeft->setGeometry(0, 76, 210, 546);
    ImgLeft->setPixmap(explorerart::TaskStrip(QSize(210, 546)));

    m_viewArea = new QWidget(this);
    m_viewArea->setGeometry(210, 76, 654 - 10, 546);
    m_viewArea->resize(644, 546);

    Panel1 = new QWidget(m_viewArea);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, 654, 546);
    Panel1->setAutoFillBackground(true);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);
    auto* heading = new QLabel(QStringLiteral("在这台计算机上存储的文件"), Panel1);
    heading->setGeometry(16, 10, 400, 20);
    heading->setFont(sim::SongFont(12, true));
    auto* heading2 = new QLabel(QStringLiteral("硬盘"), Panel1);
    heading2->setGeometry(16, 96, 400, 20);
    heading2->setFont(sim::SongFont(12, true));
    auto* docs = new QLabel(Panel1);
    docs->setGeometry(16, 34, 200, 52);
    {
        QPixmap pm(200, 52);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.drawPixmap(4, 2, explorerart::FileIcon(win::FileIconKind::Folder, 48));
        p.setFont(sim::SongFont(12));
        p.drawText(QRect(58, 6, 140, 20), Qt::AlignVCenter, QStringLiteral("共享文档"));
        p.setPen(QColor(120, 120, 120));
        p.drawText(QRect(58, 26, 140, 20), Qt::AlignVCenter, QStringLiteral("文件夹"));
        docs->setPixmap(pm);
    }

    PPDisk = menu(this, "PPDisk",
                  {I("打开(&O)\\r\\n"), I("资源管理器(&X)"), I("搜索(&E)..."), I("共享和安全(&H)"),
                   I("\\r\\n格式化(&A)\\r\\n"), I("复制(&C)"), I("创建快捷方式(&S)"), I("重命名(&M)"),
                   I("属性(&R)")});
    connect(PPDisk->actions().last(), &QAction::triggered, this, [this] { DiskPropertyClick(m_menuDrive); });

    auto drive = [this](const char* name, const QString& caption, int left, bool enabled) {
        auto* h = new THotSpot(Panel1);
        h->setObjectName(QString::fromLatin1(name));
        h->setGeometry(left, 122, 200, 52);
        h->setPixmap(drivePicture(caption, !enabled));
        h->setEnabled(enabled);
        return h;
    };
    DiskC = drive("DiskC", QStringLiteral("本地磁盘 (C:)"), 16, true);
    DiskD = drive("DiskD", QStringLiteral("本地磁盘 (D:)"), 226, true);
    DiskE = drive("DiskE", QStringLiteral("本地磁盘 (E:)"), 436, false);
    // The drive's own menu remembers which drive it was opened on.
    auto driveMenu = [this](THotSpot* spot, QChar letter) {
        spot->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(spot, &QWidget::customContextMenuRequested, this, [this, spot, letter](const QPoint& p) {
            m_menuDrive = letter;
            PPDisk->popup(spot->mapToGlobal(p));
        });
    };
    driveMenu(DiskC, QLatin1Char('C'));
    driveMenu(DiskD, QLatin1Char('D'));
    connect(DiskD, &THotSpot::doubleClicked, this, &TfrmMyCP::DiskDDblClick);

    LvDiskContern = new TDiskList(m_viewArea);
    LvDiskContern->setObjectName(QStringLiteral("LvDiskContern"));
    LvDiskContern->setGeometry(0, 0, 654, 546);
    LvDiskContern->SetRows(DiskDRows());
    LvDiskConternE = new TDiskList(m_viewArea);
    LvDiskConternE->setObjectName(QStringLiteral("LvDiskConternE"));
    LvDiskConternE->setGeometry(0, 0, 654, 546);
    LvDiskConternE->SetRows({{win::FileIconKind::Folder,
                              {QStringLiteral("备份"), QString(), QStringLiteral("文件夹"),
                               QStringLiteral("2012-03-01 9:00"), QString()}}});
    for (TDiskList* l : {LvDiskContern, LvDiskConternE}) {
        l->setContextMenuPolicy(Qt::CustomContextMenu);
        for (QWidget* v :
             {static_cast<QWidget*>(l->Report->viewport()), static_cast<QWidget*>(l->Icons->viewport())}) {
            v->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(v, &QWidget::customContextMenuRequested, this,
                    [this, v](const QPoint& p) { PPIocArrary->popup(v->mapToGlobal(p)); });
        }
    }
    m_viewArea->setGeometry(210, 76, 644, 546);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setGeometry(0, 622, 854, 20);
    StatusBar1->setSizeGripEnabled(false);
    for (int w : {600, 78, 50}) {
        auto* panel = new QLabel(StatusBar1);
        panel->setFixedWidth(w);
        panel->setFrameShape(QFrame::StyledPanel);
        StatusBar1->addWidget(panel);
        StatusPanels << panel;
    }
    StatusPanels.last()->setText(QStringLiteral("我的电脑"));

    sim::ShowMnemonics(this);
    SetAddressRoot(QStringLiteral("rfMyComputer"));
    showOnly(Panel1);
}

void TfrmMyCP::buildMenus()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setGeometry(0, 0, 854, 20);
    MainMenu1->setFont(sim::SongFont(12));
    fill(MainMenu1->addMenu(QStringLiteral("文件(&F)")),
         {S("新建(&W)", {I("文件夹(&F)")}), I("创建快捷方式(&S)"), I("删除(&D)"), I("重命名(&M)"),
          I("属性(&R)"), I("关闭(&C)")});
    QMenu* file = MainMenu1->actions().last()->menu();
    connect(file->actions().last(), &QAction::triggered, this, &QWidget::close);
    fill(MainMenu1->addMenu(QStringLiteral("编辑(&E)")),
         {K("撤销重命名(&U)", "Ctrl+Z"), K("剪切(&T)", "Ctrl+X"), K("复制(&C)", "Ctrl+C"),
          K("粘贴(&P)", "Ctrl+V"), I("粘贴快捷方式(&S)"), K("全选(&A)", "Ctrl+A"), I("反选(&I)")});
    QMenu* view = MainMenu1->addMenu(QStringLiteral("查看(&V)"));
    fill(view,
         {S("工具栏(&T)",
            {I("标准按钮(&S)"), I("地址栏(&A)"), I("连接(&A)"), I("锁定工具栏(B)"), I("自定义(&C)...")}),
          Chk("状态栏(&B)"),
          S("浏览器(&E)",
            {I("搜索(&S)"), I("收藏夹(&E)"), I("历史记录(&H)"), I("Web Test Recorder 9.0"), I("信息检索(&R)"),
             I("文件夹(&O)"), I("每日提示(&T)"), I("讨论(&D)")})});
    m_viewItems = QList<QList<QAction*>>(5);
    m_sortItems = QList<QList<QAction*>>(4);
    addViewItems(view);
    addSortItems(view->addMenu(QStringLiteral("排列图标(&I)")), true);
    fill(view,
         {I("选择详细信息(&C)"),
          S("转到(&O)",
            {I("后退(B)"), I("前进(&F)"), I("向上一级(&U)"), I("主页(&H)"), I("信息技术图片"), I("桌面"),
             I("我的电脑")}),
          I("刷新(&R)")});
    fill(MainMenu1->addMenu(QStringLiteral("收藏(&A)")),
         {I("添加到收藏夹(&A)..."), I("整理收藏夹(&O)..."), Off("(空)")});
    fill(MainMenu1->addMenu(QStringLiteral("工具(&T)")),
         {I("映射网络驱动器(&N)..."), I("断开网络驱动器(&D)..."), I("同步(&S)"), I("文件夹选项(&0)...")});
    fill(MainMenu1->addMenu(QStringLiteral("帮助(&H)")),
         {I("帮助和支持中心(&H)"), I("这份Windows合法吗(&L)?"), I("关于Windows(&A)")});

    PPViewMode = menu(this, "PPViewMode");
    addViewItems(PPViewMode);

    PPIocArrary = menu(this, "PPIocArrary");
    addViewItems(PPIocArrary->addMenu(QStringLiteral("查看(&V)")));
    addSortItems(PPIocArrary->addMenu(QStringLiteral("排列图标(&I)")), true);
    fill(PPIocArrary,
         {I("刷新(&E)"), I("粘贴(&P)"), Off("粘贴快捷方式(&S)"),
          S("新建(&W)",
            {I("文件夹(&F)"), I("快捷方式(&S)"), I("公文包"), I("BMP 图像"), I("Microsoft Word 文档"),
             I("Microsoft Office Access 应用程序"), I("Microsoft PowerPoint 演示文稿"), I("WinRAR 压缩文件"),
             I("文本文档"), I("媒体文件(.wav)"), I("Microsoft Excel 工作表")}),
          I("属性(&R)")});
}

QMenu* TfrmMyCP::addViewItems(QMenu* m)
{
    auto* group = new QActionGroup(m);
    for (int code = 1; code <= 5; ++code) {
        QAction* a = m->addAction(mycp::ViewCaption(code));
        a->setCheckable(true);
        group->addAction(a);
        m_viewItems[code - 1] << a;
        connect(a, &QAction::triggered, this, [this, code] { ViewItemClick(code); });
    }
    return m;
}

QMenu* TfrmMyCP::addSortItems(QMenu* m, bool withDisabled)
{
    auto* group = new QActionGroup(m);
    for (int code = 1; code <= 4; ++code) {
        QAction* a = m->addAction(mycp::SortCaption(code));
        a->setCheckable(true);
        group->addAction(a);
        m_sortItems[code - 1] << a;
        connect(a, &QAction::triggered, this, [this, code] { SortItemClick(code); });
    }
    if (withDisabled)
        fill(m, {Off("按组排列(&G)"), Off("自动排列(&A)"), Off("对齐到网格(&L)")});
    return m;
}

void TfrmMyCP::buildToolBar()
{
    ToolBar1 = new QWidget(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setGeometry(0, 20, 854, 34);
    using T = explorerart::Tool;
    struct B {
        int left;
        int width;
        T icon;
        const char* text;
    };
    const B buttons[] = {
        {0, 64, T::Back, "后退"},     {64, 64, T::Forward, ""},  {128, 37, T::Up, ""},
        {165, 64, T::Search, "搜索"}, {229, 64, T::Folders, ""}, {293, 40, T::Views, ""},
    };
    for (const B& b : buttons) {
        auto* t = new QToolButton(ToolBar1);
        t->setGeometry(b.left, 1, b.width, 32);
        t->setIcon(QIcon(explorerart::ToolIcon(b.icon, 24)));
        t->setIconSize(QSize(24, 24));
        t->setText(QString::fromUtf8(b.text));
        t->setToolButtonStyle(*b.text ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
        t->setAutoRaise(true);
        t->setFocusPolicy(Qt::NoFocus);
        ToolButtons << t;
    }
    ToolButton3 = ToolButtons[2];
    ToolButton3->setObjectName(QStringLiteral("ToolButton3"));
    ToolButtonView = ToolButtons.last();
    ToolButtonView->setObjectName(QStringLiteral("ToolButton8"));
    connect(ToolButton3, &QToolButton::clicked, this, &TfrmMyCP::ToolButton3Click);
    connect(ToolButtonView, &QToolButton::clicked, this, &TfrmMyCP::ToolButtonViewClick);
}

void TfrmMyCP::SetAddressRoot(const QString& root)
{
    m_addressRoot = root;
    ShellComboBox1->clear();
    ShellComboBox1->addItem(
        QIcon(simart::DrawIcon(
            root == QLatin1String("rfMyComputer") ? simart::Icon::Computer : simart::Icon::Drive, 16)),
        root == QLatin1String("rfMyComputer") ? QStringLiteral("我的电脑") : root);
}

void TfrmMyCP::showOnly(QWidget* view)
{
    for (QWidget* w : {Panel1, static_cast<QWidget*>(LvDiskContern), static_cast<QWidget*>(LvDiskConternE)})
        w->setVisible(w == view);
}

void TfrmMyCP::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfrmMyCP::FormShow()
{
    showOnly(Panel1);
    LvDiskContern->Report->header()->setSectionsClickable(true);
    LvDiskConternE->Report->header()->setSectionsClickable(true);
    SetAddressRoot(QStringLiteral("rfMyComputer"));
}

void TfrmMyCP::closeEvent(QCloseEvent* e)
{
    // Closing only hides the window; the taskbar button of drive D: goes with it.
    if (TfrmOperationMain* d = desktopWindow())
        d->SetTaskButtonVisible(d->btnDiskD, false);
    e->accept();
}

void TfrmMyCP::DiskDDblClick()
{
    if (TfrmOperationMain* d = desktopWindow())
        d->SetTaskButtonVisible(d->btnDiskD, true, !d->SecurityScreensOpened());
    SetAddressRoot(DM && DM->DriveReady(QStringLiteral("D:\\")) ? QStringLiteral("D:\\")
                                                                : QStringLiteral("rfMyComputer"));
    sim::SetSlot(mycp::SlotView, mycp::SlotOnOpeningD(sim::Slot(mycp::SlotView)));
    sim::SetSlot(mycp::SlotSort, mycp::SlotOnOpeningD(sim::Slot(mycp::SlotSort)));
    if (const int view = mycp::RecordedCode(sim::Slot(mycp::SlotView), 5)) {
        LvDiskContern->SetViewStyle(view);
        checkView(view);
    }
    if (const int sort = mycp::RecordedCode(sim::Slot(mycp::SlotSort), 4)) {
        LvDiskContern->SortByColumn(sort - 1);
        checkSort(sort);
    }
    showOnly(LvDiskContern);
}

void TfrmMyCP::DiskPropertyClick(QChar drive)
{
    if (drive != QLatin1Char('C') && drive != QLatin1Char('D'))
        return;
    Tfrmproperty::ShowDrive(drive);
    sim::SetSlot(mycp::SlotDriveProperties, QString(drive));
}

void TfrmMyCP::ViewItemClick(int code)
{
    const QString slot = sim::Slot(mycp::SlotView);
    (mycp::ChoiceActsOnD(slot) ? LvDiskContern : LvDiskConternE)->SetViewStyle(code);
    sim::SetSlot(mycp::SlotView, mycp::ChoiceValue(slot, code));
    checkView(code);
}

void TfrmMyCP::SortItemClick(int code)
{
    const QString slot = sim::Slot(mycp::SlotSort);
    (mycp::ChoiceActsOnD(slot) ? LvDiskContern : LvDiskConternE)->SortByColumn(code - 1);
    sim::SetSlot(mycp::SlotSort, mycp::ChoiceValue(slot, code));
    checkSort(code);
}

void TfrmMyCP::checkView(int code)
{
    for (int c = 1; c <= 5; ++c)
        for (QAction* a : m_viewItems.value(c - 1))
            a->setChecked(c == code);
}

void TfrmMyCP::checkSort(int code)
{
    for (int c = 1; c <= 4; ++c)
        for (QAction* a : m_sortItems.value(c - 1))
            a->setChecked(c == code);
}

void TfrmMyCP::ToolButton3Click() { showOnly(Panel1); }

void TfrmMyCP::ToolButtonViewClick() { PPViewMode->popup(QPoint(506, 249)); }

// ---- TfrmExplorer -------------------------------------------------------------------

TfrmExplorer::TfrmExplorer(QWidget* parent) : TfrmMyCP(parent, ExplorerTag{})
{
    sim::Ref<TfrmExplorer>() = this;
    ImgLeft->move(-1000, ImgLeft->y()); // the picture strip is out of sight

    btnFolders = new QPushButton(QStringLiteral("文件夹                                         ×"), this);
    btnFolders->setObjectName(QStringLiteral("btnFolders"));
    btnFolders->setGeometry(0, 76, 210, 20);
    btnFolders->setFocusPolicy(Qt::NoFocus);
    btnFolders->setStyleSheet(QStringLiteral("QPushButton { text-align: left; padding-left: 4px; }"));

    TreeExplorer = new QTreeWidget(this);
    TreeExplorer->setObjectName(QStringLiteral("TreeExplorer"));
    TreeExplorer->setGeometry(0, 96, 210, 526);
    TreeExplorer->setHeaderHidden(true);
    TreeExplorer->setEditTriggers(QAbstractItemView::NoEditTriggers);
    using simart::Icon;
    auto node = [](QTreeWidgetItem* parent, QTreeWidget* tree, const QString& text, const QPixmap& icon) {
        auto* n = parent ? new QTreeWidgetItem(parent, {text}) : new QTreeWidgetItem(tree, {text});
        n->setIcon(0, QIcon(icon));
        return n;
    };
    const QPixmap folder = explorerart::FileIcon(win::FileIconKind::Folder, 16);
    node(nullptr, TreeExplorer, QStringLiteral(" 桌面"), simart::DrawIcon(Icon::Computer, 16));
    QTreeWidgetItem* docs = node(nullptr, TreeExplorer, QStringLiteral("我的文档"), folder);
    for (const QString& s :
         {QStringLiteral("图片文件夹"), QStringLiteral("图片收藏"), QStringLiteral("我的音乐")})
        node(docs, nullptr, s, folder);
    QTreeWidgetItem* pc = node(nullptr, TreeExplorer, QStringLiteral("我的电脑"),
                               simart::DrawIcon(Icon::Computer, 16));
    for (const QString& s : {QStringLiteral("本地磁盘  (C :)  "), QStringLiteral("本地磁盘  (D :)  "),
                             QStringLiteral("本地磁盘  (E :)  "), QStringLiteral("DVD  驱动器  (F :)")})
        node(pc, nullptr, s, explorerart::DiskPicture(16));
    node(pc, nullptr, QStringLiteral("控制面板"), simart::DrawIcon(Icon::Settings, 16));
    node(pc, nullptr, QStringLiteral("共享文档"), folder);
    QTreeWidgetItem* net = node(nullptr, TreeExplorer, QStringLiteral("网上邻居"),
                                simart::DrawIcon(Icon::Network, 16));
    node(net, nullptr, QStringLiteral("整个网络"), simart::DrawIcon(Icon::Network, 16));
    node(nullptr, TreeExplorer, QStringLiteral("回收站"), simart::DrawIcon(Icon::RecycleEmpty, 16));
    TreeExplorer->expandAll();

    ImgMyDocExplorer = new QLabel(ViewArea());
    ImgMyDocExplorer->setObjectName(QStringLiteral("ImgMyDocExplorer"));
    ImgMyDocExplorer->setGeometry(0, 0, 644, 546);
    ImgMyDocExplorer->setPixmap(explorerart::MyDocumentsView(QSize(644, 546)));
    ImgMyDocExplorer->hide();

    PPMyDocument = menu(this, "PPMyDocument",
                        {I("打开(&O)"), I("资源管理器(&X)"), I("搜索(&E)..."), I("发送到(&N)"), I("复制(&C)"),
                         I("粘贴(&P)"), I("创建快捷方式(&S)"), I("重命名(&M)"), I("属性(&R)")});
    connect(PPMyDocument->actions().last(), &QAction::triggered, this,
            [] { TfrmMydocumentProperty::ShowProperties(); });
    PPMyComputer = menu(this, "PPMyComputer",
                        {I("打开(&O)"), I("资源管理器(&X)"), I("搜索(&E)..."), I("管理(&G)"),
                         I("映射网络驱动器(&N)..."), I("断开网络驱动器(&I)..."), I("属性(&R)")});
    PPNetwork = menu(this, "PPNetwork",
                     {I("打开(&O)"), I("资源管理器(&X)"), I("搜索计算机(&C)..."), I("映射网络驱动器(&N)..."),
                      I("断开网络驱动器(&I)..."), I("属性(&R)")});
    PPRecycle = menu(this, "PPRecycle",
                     {I("打开(&O)"), I("资源管理器(&X)"), I("清空回收站(&B)"), I("属性(&R)")});

    TreeExplorer->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(TreeExplorer, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        if (m_treeMenu)
            m_treeMenu->popup(TreeExplorer->viewport()->mapToGlobal(p));
    });
    connect(TreeExplorer, &QTreeWidget::itemClicked, this, [this] { TreeExplorerClick(); });
    connect(TreeExplorer, &QTreeWidget::itemPressed, this, [this] { TreeExplorerClick(); });
}

void TfrmExplorer::ShowOverview()
{
    Panel1->show();
    ImgMyDocExplorer->hide();
}

void TfrmExplorer::TreeExplorerClick()
{
    QTreeWidgetItem* node = TreeExplorer->currentItem();
    if (!node || !node->isSelected())
        return;
    const QString text = node->text(0);
    m_treeMenu = nullptr;
    if (text == QStringLiteral("我的文档")) {
        Panel1->hide();
        ImgMyDocExplorer->show();
        ImgMyDocExplorer->raise();
        m_treeMenu = PPMyDocument;
    } else if (text == QStringLiteral("我的电脑")) {
        m_treeMenu = PPMyComputer;
    } else if (text == QStringLiteral("网上邻居")) {
        m_treeMenu = PPNetwork;
    } else if (text == QStringLiteral("回收站")) {
        m_treeMenu = PPRecycle;
    }
}
