#include "simulation/desktop/ufrmOperationMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <vector>

#include "common/Prompts.h"
#include "platform/WinPaths.h"
#include "question/OperationTypes.h"
#include "question/TQuestion.h"
#include "simulation/desktop/SimArt.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/security/ufrm360safe.h"

SIM_REGISTER_WINDOW_WITH(TfrmOperationMain, [](const sim::OpenOptions&) -> QWidget* { return nullptr; })

namespace {

const QColor kCream(236, 233, 216);

// Menu description: caption, sub-items, state.
struct MenuItem {
    QString caption;
    std::vector<MenuItem> items;
    bool disabled = false;
    bool checked = false;
    simart::Icon icon = simart::Icon::Run;
    bool hasIcon = false;
};

MenuItem I(const char* caption) { return MenuItem{QString::fromUtf8(caption), {}, false, false}; }
MenuItem S(const char* caption, std::vector<MenuItem> items)
{
    return MenuItem{QString::fromUtf8(caption), std::move(items), false, false};
}
MenuItem Off(const char* caption) { return MenuItem{QString::fromUtf8(caption), {}, true, false}; }
MenuItem Chk(const char* caption) { return MenuItem{QString::fromUtf8(caption), {}, false, true}; }
MenuItem Ic(MenuItem m, simart::Icon icon)
{
    m.icon = icon;
    m.hasIcon = true;
    return m;
}

void fill(QMenu* menu, const std::vector<MenuItem>& items)
{
    for (const MenuItem& m : items) {
        if (!m.items.empty()) {
            QMenu* sub = menu->addMenu(m.caption);
            if (m.hasIcon)
                sub->setIcon(QIcon(simart::DrawIcon(m.icon, 32)));
            fill(sub, m.items);
            continue;
        }
        QAction* a = menu->addAction(m.caption);
        if (m.hasIcon)
            a->setIcon(QIcon(simart::DrawIcon(m.icon, 32)));
        if (m.checked) {
            a->setCheckable(true);
            a->setChecked(true);
        }
        if (m.disabled)
            a->setEnabled(false);
    }
}

QMenu* makeMenu(QWidget* parent, const char* name, const std::vector<MenuItem>& items)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QString::fromLatin1(name));
    menu->setFont(sim::SongFont(12));
    fill(menu, items);
    return menu;
}

// The Start menu shows 32 x 32 icons.
class StartMenuStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric m, const QStyleOption* o, const QWidget* w) const override
    {
        if (m == PM_SmallIconSize)
            return 32;
        return QProxyStyle::pixelMetric(m, o, w);
    }
};

} // namespace

// ---- THotSpot -----------------------------------------------------------------------

THotSpot::THotSpot(QWidget* parent) : QLabel(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
}

void THotSpot::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        emit doubleClicked();
}

void THotSpot::contextMenuEvent(QContextMenuEvent* e)
{
    if (PopupMenu)
        PopupMenu->popup(e->globalPos());
}

// ---- TfrmOperationMain --------------------------------------------------------------

TfrmOperationMain::TfrmOperationMain(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOperationMain"));
    setWindowTitle(QStringLiteral("操作题"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(sim::SongFont(13));
    resize(894, 618);
    setWindowState(Qt::WindowMaximized);
    sim::Ref<TfrmOperationMain>() = this;
    sim::LinkWindowClasses();

    buildMenus();

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, simart::kDesktopBlue);
    Panel1->setPalette(pal);
    Panel1->setMouseTracking(true);
    Panel1->setContextMenuPolicy(Qt::CustomContextMenu);
    Panel1->installEventFilter(this);
    connect(Panel1, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        if (Panel1->property("popupMenu").toBool())
            PPMainR->popup(Panel1->mapToGlobal(p));
    });

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 97, 618);

    auto hot = [this](const char* name, QRect r, QMenu* menu) {
        auto* h = new THotSpot(Panel1);
        h->setObjectName(QString::fromLatin1(name));
        h->setGeometry(r);
        h->PopupMenu = menu;
        return h;
    };
    lblOperation = hot("lblOperation", QRect(3, -2, 65, 58), ppMyCompter);
    lblOperation->hide();
    lblOperationIP = hot("lblOperationIP", QRect(8, 72, 65, 73), ppIP);

    ImgRecy = new QLabel(Panel1);
    ImgRecy->setObjectName(QStringLiteral("ImgRecy"));
    ImgRecy->setGeometry(0, 148, 60, 64);
    ImgRecy->setPixmap(simart::FullRecycleBin());
    ImgRecy->hide();

    lbRecy = hot("lbRecy", QRect(12, 159, 45, 56), PPRecy);
    lbRecy->hide();
    lblOperationIE = hot("lblOperationIE", QRect(11, 240, 51, 64), ppIE);
    lblOperationIIS = hot("lblOperationIIS", QRect(8, 312, 57, 65), nullptr);

    lblCurrOpTitle = new QLabel(Panel1);
    lblCurrOpTitle->setObjectName(QStringLiteral("lblCurrOpTitle"));
    QFont titleFont;
    titleFont.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("WenQuanYi Micro Hei")});
    titleFont.setPixelSize(16);
    titleFont.setBold(true);
    lblCurrOpTitle->setFont(titleFont);
    lblCurrOpTitle->setStyleSheet(QStringLiteral("color: red;"));
    lblCurrOpTitle->setAlignment(Qt::AlignCenter);
    lblCurrOpTitle->setGeometry(300, 56, 294, 20);

    btClose = new QPushButton(QStringLiteral("退出当前操作题"), Panel1);
    btClose->setObjectName(QStringLiteral("btClose"));
    btClose->setGeometry(380, 14, 108, 25);
    btClose->setCursor(Qt::PointingHandCursor);
    btClose->setAutoDefault(false);
    btClose->setStyleSheet(
        QStringLiteral("QPushButton { background: rgb(166, 202, 240); border: 1px solid rgb(80, 120, 170); }"
                       "QPushButton:disabled { color: rgb(120, 120, 120); }"));
    connect(btClose, &QPushButton::clicked, this, &TfrmOperationMain::btCloseClick);

    PanelMove = new QFrame(Panel1);
    PanelMove->setObjectName(QStringLiteral("PanelMove"));
    PanelMove->setFrameShape(QFrame::Panel);
    PanelMove->setFrameShadow(QFrame::Raised);
    PanelMove->setAutoFillBackground(true);
    PanelMove->resize(331, 364);
    sboxPaper = new QScrollArea(PanelMove);
    sboxPaper->setObjectName(QStringLiteral("sboxPaper"));
    sboxPaper->setGeometry(4, 4, 323, 356);
    sboxPaper->setStyleSheet(QStringLiteral("QScrollArea { background: white; }"));
    sboxPaper->viewport()->setStyleSheet(QStringLiteral("background: white;"));
    paperImage = new QLabel;
    paperImage->setObjectName(QStringLiteral("paperImage"));
    paperImage->setCursor(Qt::SizeAllCursor);
    paperImage->setMouseTracking(true);
    paperImage->installEventFilter(this);
    sboxPaper->setWidget(paperImage);
    sboxPaper->setWidgetResizable(false);

    sboxQuestionDesc2 = new QScrollArea(Panel1);
    sboxQuestionDesc2->setObjectName(QStringLiteral("sboxQuestionDesc2"));
    sboxQuestionDesc2->setGeometry(236, 52, 321, 295);
    sboxQuestionDesc2->viewport()->setStyleSheet(QStringLiteral("background: white;"));
    imgQuestionDesc2 = new QLabel;
    imgQuestionDesc2->setObjectName(QStringLiteral("imgQuestionDesc2"));
    imgQuestionDesc2->resize(321, 295);
    sboxQuestionDesc2->setWidget(imgQuestionDesc2);

    RichViewDes = new QTextEdit(Panel1);
    RichViewDes->setObjectName(QStringLiteral("RichViewDes"));
    RichViewDes->hide();

    buildTaskbar();

    tmrRefresh = new QTimer(this);
    tmrRefresh->setObjectName(QStringLiteral("tmrRefresh"));
    tmrRefresh->setInterval(1000);
    connect(tmrRefresh, &QTimer::timeout, this, &TfrmOperationMain::tmrRefreshTimer);
    tmrRefresh->start();

    connect(lblOperationIE, &THotSpot::doubleClicked, this, &TfrmOperationMain::lblOperationIEDblClick);
    connect(lblOperation, &THotSpot::doubleClicked, this, &TfrmOperationMain::lblOperationIEDblClick);
    connect(lblOperationIIS, &THotSpot::doubleClicked, this, &TfrmOperationMain::lblOperationIISDblClick);
    connect(lbRecy, &THotSpot::doubleClicked, this, &TfrmOperationMain::lbRecyDblClick);
    connect(lbTime, &THotSpot::doubleClicked, this,
            [this] { openSimple(QStringLiteral("TfrmTimeandDate"), true); });

    FormResize();
}

TfrmOperationMain::~TfrmOperationMain()
{
    for (const QPointer<QWidget>& w : OwnedWindows)
        delete w.data();
    OwnedWindows.clear();
}

void TfrmOperationMain::buildMenus()
{
    using simart::Icon;
    PpStartMenu = makeMenu(
        this, "PpStartMenu",
        {Ic(I("windows update"), Icon::Update),
         Ic(S("程序(&P)",
              {I("Microsoft Office"),
               S("WinRAR", {I("WinRAR"), I("WinRAR 中文帮助"), I("控制台 RAR 中文手册")}),
               S("附件",
                 {S("辅助工具", {I("放大镜"), I("辅助工具管理器"), I("辅助功能向导"), I("屏幕键盘")}),
                  S("通讯",
                    {I("超级终端"), I("网络安装向导"), I("网络连接"), I("无线网络安装向导"),
                     I("新建连接向导")}),
                  S("系统工具",
                    {I("安全中心"), I("备份"), I("磁盘清理"), I("磁盘碎片整理程序"), I("任务计划"),
                     I("文件和设置转移向导"), I("系统还原"), I("系统信息"), I("字符映射表")}),
                  S("娱乐", {I("Windows Media Player"), I("录音机"), I("音量控制")}), I("TrueType 造字程序"),
                  I("Windows 资源管理器"), I("程序兼容性向导"), I("画图"), I("计算器"), I("记事本"),
                  I("漫游 Windows XP"), I("命令提示符"), I("通讯簿"), I("同步"), I("写字板"),
                  I("远程桌面连接")}),
               S("启动", {I("应用程序")}), I("游戏"), I("Internet Explorer"), I("Outlook Express"),
               I("Windows Media Player"), I("Windows Messenger"), I("Windows Movie Maker"), I("远程协助 "),
               S("360安全中心", {I("360安全卫士"), I("360杀毒")})}),
            Icon::Run),
         Ic(I("文档(&D)"), Icon::Document),
         Ic(S("设置(&S)",
              {I("控制面板(&C)"), I("网络和拨号连接(&N)"), I("打印机(&P)"), I("任务栏和开始菜单栏(&I)...")}),
            Icon::Settings),
         Ic(S("搜索(&C)",
              {I("文件或文件夹(&F)"), I("在INTERNET上(&I)"), I("使用MICROSOFT OUTLOOK(&O)..."),
               I("用户(&P)")}),
            Icon::Search),
         Ic(I("帮助和支持(&H)"), Icon::Help), Ic(I("注销(&L)"), Icon::Logoff),
         Ic(I("关 机(&U)"), Icon::Power)});
    auto* startStyle = new StartMenuStyle;
    startStyle->setParent(PpStartMenu);
    PpStartMenu->setStyle(startStyle);
    PpStartMenu->insertSeparator(FindAction(PpStartMenu, {"文档(&D)"}));
    PpStartMenu->insertSeparator(FindAction(PpStartMenu, {"注销(&L)"}));

    PPMainR = makeMenu(this, "PPMainR",
                       {S("排列图标(&I)", {}), I("刷新(&E)"), Off("粘贴(&P)"), Off("粘贴快捷方式(&S)"),
                        I("图形属性"), I("图形选项"), I("新建(&W)"), I("属性(&R)")});
    PP_Toolbar = makeMenu(this, "PP_Toolbar",
                          {S("工具栏(&T)",
                             {I("Windows Media Player"), I("链接(&L)"), Chk("语言栏"), I("桌面(&D)"),
                              Chk("快速启动(&Q)"), I("新建工具栏(&N)")}),
                           I("层叠窗口(&S)"), I("横向平铺窗口(&H)"), I("纵向平铺窗口(&E)"),
                           I("显示打开的窗口(&S)"), I("任务管理器(&K)"), I("锁定任务栏(&L)"), I("属性(&R)")});
    PPTime = makeMenu(this, "PPTime",
                      {I("工具栏(&T)"), I("调整日期/时间(&A)"), I("自定义通知(&C)..."), I("层叠窗口(&S)"),
                       I("很想平铺窗口(&H)"), I("纵向平铺窗口(&E)"), I("显示桌面(&S)"), I("任务管理器(&K)"),
                       I("锁定任务栏(&K)"), I("属性(&R)")});
    ppMyCompter = makeMenu(this, "ppMyCompter",
                           {I("打开(&O)"), I("资源管理器(&X)"), I("搜索(&E)..."), I("管理(&G)"),
                            I("映射网络驱动器(&N)..."), I("断开网络驱动器(&I)..."), I("创建快捷方式($S)"),
                            I("删除(&D)"), I("重命名(&M)"), I("属性(&R)")});
    ppIP = makeMenu(this, "ppIP",
                    {I("打开"), I("资源管理器"), I("搜索计算机"), I("映射网络驱动器"), I("断开网络驱动器"),
                     I("创建快捷方式"), I("重命名"), I("属性")});
    ppIE = makeMenu(this, "ppIE", {I("打开主页"), I("创建快捷方式"), I("删除"), I("重命名"), I("属性")});
    PPRecy = makeMenu(
        this, "PPRecy",
        {I("打开(&O)"), I("资源管理器(&X)"), I("清空回收站(&B)"), Off("创建快捷方式(&S)"), I("属性(&R)")});
    PPRightStarMenu = makeMenu(this, "PPRightStarMenu",
                               {I("打开(&O)"), I("资源管理器(&X)"), I("搜索(&E)..."), I("属性(&R)"),
                                I("打开所有用户(&P)"), I("浏览所有用户(&X)")});
    ppNetWork = makeMenu(this, "ppNetWork", {I("禁用(&D)"), I("状态(&S)"), I("打开网络和拨号连接")});

    auto on = [this](QMenu* menu, const QStringList& path, auto&& fn) {
        if (QAction* a = FindAction(menu, path))
            connect(a, &QAction::triggered, this, fn);
    };
    const QString explorer = QStringLiteral("TfrmExplorer");
    const QString folderPanel = QStringLiteral("FolderPanel");

    on(ppIE, {"属性"}, [this] { openSimple(QStringLiteral("TfrmIESet"), false); });
    on(ppIP, {"属性"}, [this] { OpenNetworkConnections(); });
    on(ppNetWork, {"打开网络和拨号连接"}, [this] { OpenNetworkConnections(); });
    on(PpStartMenu, {"设置(&S)", "网络和拨号连接(&N)"}, [this] {
        if (m_netStartActionOn)
            OpenNetworkConnections();
    });
    on(PPRecy, {"打开(&O)"}, [this] { openSimple(QStringLiteral("TfrmRcyEandC"), true); });
    on(PPRecy, {"清空回收站(&B)"}, [this] { EmptyRecycleBinClick(); });
    m_emptyRecycleAction = FindAction(PPRecy, {"清空回收站(&B)"});
    on(PPRecy, {"属性(&R)"}, [this] { openSimple(QStringLiteral("TfrmRecy"), true); });
    on(ppMyCompter, {"资源管理器(&X)"}, [=, this] { openSimple(explorer, false, folderPanel); });
    on(PPRightStarMenu, {"资源管理器(&X)"}, [=, this] { openSimple(explorer, false, folderPanel); });
    on(PpStartMenu, {"程序(&P)", "附件", "Windows 资源管理器"},
       [=, this] { openSimple(explorer, false, folderPanel); });
    on(ppMyCompter, {"属性(&R)"}, [this] { openSimple(QStringLiteral("TfrmSystemProperty"), false); });
    on(PpStartMenu, {"程序(&P)", "附件", "系统工具", "系统信息"},
       [this] { openSimple(QStringLiteral("TfrmSystemInfo"), false); });
    on(PpStartMenu, {"设置(&S)", "控制面板(&C)"},
       [this] { openSimple(QStringLiteral("TfrmControlForm"), false); });
    on(PPMainR, {"属性(&R)"}, [this] { openSimple(QStringLiteral("TfrmWindowsmenu"), true); });
    on(PP_Toolbar, {"属性(&R)"}, [this] { openSimple(QStringLiteral("Tfrmtoolbar"), true); });
    on(PPTime, {"调整日期/时间(&A)"}, [this] { openSimple(QStringLiteral("TfrmTimeandDate"), true); });
    on(PPTime, {"属性(&R)"}, [this] { openSimple(QStringLiteral("TfrmTimeandDate"), true); });
    on(PpStartMenu, {"程序(&P)", "360安全中心", "360安全卫士"}, [this] { Open360Safe(); });
    on(PpStartMenu, {"程序(&P)", "360安全中心", "360杀毒"}, [this] { Open360Sd(); });
}

void TfrmOperationMain::buildTaskbar()
{
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->installEventFilter(this);

    ToolBar1 = new QWidget(Panel2);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setAutoFillBackground(true);
    QPalette pal = ToolBar1->palette();
    pal.setColor(QPalette::Window, kCream);
    ToolBar1->setPalette(pal);
    ToolBar1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ToolBar1, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        if (ToolBar1->property("popupMenu").toBool())
            PP_Toolbar->popup(ToolBar1->mapToGlobal(p));
    });

    ToolBtnStart = new QToolButton(ToolBar1);
    ToolBtnStart->setObjectName(QStringLiteral("ToolBtnStart"));
    ToolBtnStart->setText(QStringLiteral(" 开始"));
    ToolBtnStart->setIcon(QIcon(simart::DrawIcon(simart::Icon::StartFlag, 16)));
    ToolBtnStart->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ToolBtnStart->setMenu(PpStartMenu);
    ToolBtnStart->setPopupMode(QToolButton::InstantPopup);
    ToolBtnStart->setGeometry(0, 1, 60, 23);
    ToolBtnStart->setStyleSheet(
        QStringLiteral("QToolButton { background: rgb(60, 150, 70); color: white; font-weight: bold;"
                       " border: 1px solid rgb(40, 110, 50); border-radius: 4px; }"
                       "QToolButton::menu-indicator { image: none; }"));
    ToolBtnStart->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ToolBtnStart, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PPRightStarMenu->popup(ToolBtnStart->mapToGlobal(p)); });

    auto taskButton = [this](const char* name, const QString& caption, int left, int width) {
        auto* b = new QPushButton(caption, ToolBar1);
        b->setObjectName(QString::fromLatin1(name));
        b->setFlat(true);
        b->setAutoDefault(false);
        b->setGeometry(left, 1, width, 23);
        b->setStyleSheet(QStringLiteral(
            "QPushButton { background: rgb(250, 248, 238); border: 1px solid rgb(170, 165, 140);"
            " text-align: left; padding-left: 4px; }"));
        b->hide();
        return b;
    };
    btn360sd = taskButton("btn360sd", QStringLiteral("360杀毒"), 64, 81);
    btn360sd->setIcon(QIcon(simart::DrawIcon(simart::Icon::Shield, 16)));
    btn1 = taskButton("btn1", QStringLiteral("360安全卫士"), 145, 106);
    btn1->setIcon(QIcon(simart::DrawIcon(simart::Icon::Shield, 16)));
    btnDiskD = taskButton("btnDiskD", QString(), 251, 165);
    btnDiskD->setIcon(QIcon(simart::DrawIcon(simart::Icon::Drive, 16)));
    connect(btn360sd, &QPushButton::clicked, this, &TfrmOperationMain::btn360sdClick);
    connect(btn1, &QPushButton::clicked, this, &TfrmOperationMain::btn1Click);
    connect(btnDiskD, &QPushButton::clicked, this, &TfrmOperationMain::btnDiskDClick);

    ToolBar2 = new QWidget(Panel2);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setAutoFillBackground(true);
    QPalette pal2 = ToolBar2->palette();
    pal2.setColor(QPalette::Window, QColor(214, 223, 247));
    ToolBar2->setPalette(pal2);

    ToolBtnNet2 = new QToolButton(ToolBar2);
    ToolBtnNet2->setObjectName(QStringLiteral("ToolBtnNet2"));
    ToolBtnNet2->setIcon(QIcon(simart::DrawIcon(simart::Icon::Tray, 16)));
    ToolBtnNet2->setAutoRaise(true);
    ToolBtnNet2->setGeometry(2, 1, 22, 22);
    ToolBtnNet2->setEnabled(false);
    ToolBtnNet2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ToolBtnNet2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { ppNetWork->popup(ToolBtnNet2->mapToGlobal(p)); });
    connect(ToolBtnNet2, &QToolButton::clicked, this, &TfrmOperationMain::OpenNetworkConnections);

    lbTime = new THotSpot(ToolBar2);
    lbTime->setObjectName(QStringLiteral("lbTime"));
    lbTime->setGeometry(24, 1, 40, 22);
    lbTime->setAlignment(Qt::AlignCenter);
    lbTime->PopupMenu = PPTime;
    lbTime->hide();
}

QAction* TfrmOperationMain::FindAction(QMenu* menu, const QStringList& captionPath)
{
    if (!menu || captionPath.isEmpty())
        return nullptr;
    for (QAction* a : menu->actions()) {
        if (a->text() != captionPath.first())
            continue;
        if (captionPath.size() == 1)
            return a;
        if (a->menu())
            return FindAction(a->menu(), captionPath.mid(1));
    }
    return nullptr;
}

void TfrmOperationMain::SetOperation(int opType)
{
    sim::SetOpType(opType);
    switch (opType) {
    case 0:
    case 1:
        lblOperationIP->setEnabled(true);
        ToolBtnNet2->setEnabled(true);
        m_netStartActionOn = true;
        break;
    case 4:
        lblOperationIIS->setEnabled(true);
        break;
    case 22:
        lblOperationIE->setEnabled(true);
        lblOperation->setEnabled(true);
        break;
    case 23:
        lblOperationIE->setEnabled(true);
        break;
    case 26:
        lbTime->show();
        lbRecy->show();
        ImgRecy->show();
        lblOperation->show();
        break;
    default:
        break;
    }
    if (opType != 0 && opType != 1 && opType != 26) {
        lblOperationIP->setEnabled(false);
        ToolBtnNet2->setEnabled(false);
        m_netStartActionOn = false;
    }
}

void TfrmOperationMain::AddOwnedWindow(QWidget* w)
{
    if (w && !OwnedWindows.contains(w))
        OwnedWindows.append(w);
}

void TfrmOperationMain::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfrmOperationMain::FormShow()
{
    tmrRefresh->start();
    if (DescPicturePath.isEmpty()) {
        sim::SetSlot(19, QStringLiteral("0"));
        // Without a picture the desktop of a type-26 question is still set up in
        // full below (state of the earlier visit, clock, context menus); only the
        // picture is missing.
    } else {
        sboxQuestionDesc2->hide();
        RichViewDes->clear();
        QPixmap pic(win::toHost(DescPicturePath));
        paperImage->setPixmap(pic);
        paperImage->resize(pic.isNull() ? QSize(0, 0) : pic.size());
        paperImage->move(0, 0);
        sboxPaper->horizontalScrollBar()->setValue(0);
        sboxPaper->verticalScrollBar()->setValue(0);
        RichViewDes->hide();
        RichViewDes->setReadOnly(true);
    }

    TQuestion* q = sim::CurrentQuestion();
    if (q && OperationAnswerKeeping(q->OperationType) == TAnswerKeeping::OperationList) {
        RestoreDesktopState();
        lbTime->setText(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm")));
        Panel1->setProperty("popupMenu", true);
        ToolBar1->setProperty("popupMenu", true);
    }
}

void TfrmOperationMain::RestoreDesktopState()
{
    if (sim::Slot(0) == QStringLiteral("隐藏"))
        SetTaskbarVisible(false);
    if (!sim::Slot(10).isEmpty())
        ImgRecy->hide();
}

void TfrmOperationMain::SetClockText(const QString& text) { lbTime->setText(text); }

void TfrmOperationMain::SetTaskbarVisible(bool visible)
{
    Panel2->setVisible(visible);
    layoutSurface();
}

void TfrmOperationMain::SetTaskButtonVisible(QWidget* button, bool visible, bool moveTo64)
{
    if (!button)
        return;
    if (moveTo64)
        button->move(64, button->y());
    button->setVisible(visible);
}

void TfrmOperationMain::Panel1MouseMove(int y)
{
    if (sim::Slot(0) != QStringLiteral("隐藏"))
        return;
    const bool show = Panel1->height() - y < 5;
    if (show != Panel2->isVisible())
        SetTaskbarVisible(show);
}

bool TfrmOperationMain::eventFilter(QObject* obj, QEvent* e)
{
    if (obj == Panel1 && e->type() == QEvent::MouseMove) {
        Panel1MouseMove(static_cast<QMouseEvent*>(e)->position().toPoint().y());
    } else if (obj == paperImage) {
        // Dragging the picture moves the whole description panel.
        if (e->type() == QEvent::MouseButtonPress) {
            auto* me = static_cast<QMouseEvent*>(e);
            if (me->button() == Qt::LeftButton) {
                m_dragging = true;
                m_dragStart = me->globalPosition().toPoint();
                m_panelStart = PanelMove->pos();
                return true;
            }
        } else if (e->type() == QEvent::MouseMove && m_dragging) {
            auto* me = static_cast<QMouseEvent*>(e);
            PanelMove->move(m_panelStart + me->globalPosition().toPoint() - m_dragStart);
            return true;
        } else if (e->type() == QEvent::MouseButtonRelease) {
            m_dragging = false;
        }
    } else if (obj == Panel2 && (e->type() == QEvent::Show || e->type() == QEvent::Hide)) {
        layoutSurface();
    }
    return QDialog::eventFilter(obj, e);
}

void TfrmOperationMain::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    FormResize();
}

void TfrmOperationMain::layoutSurface()
{
    const int w = width();
    const int h = height();
    const int barH = 25;
    const bool bar = !Panel2->isHidden();
    Panel2->setGeometry(0, h - barH, w, barH);
    Panel1->setGeometry(0, 0, w, bar ? h - barH : h);
    ToolBar2->setGeometry(w - 65, 0, 65, barH);
    ToolBar1->setGeometry(0, 0, w - 65, barH);
    Image1->setGeometry(0, 0, 97, Panel1->height());
    if (Image1->pixmap().height() != Panel1->height())
        Image1->setPixmap(simart::IconColumn(Panel1->height()));
}

void TfrmOperationMain::FormResize()
{
    const int w = width();
    const int h = height();
    layoutSurface();
    lblCurrOpTitle->move((w - lblCurrOpTitle->width()) / 2, 56);
    btClose->move(380 + (w - 894) / 2, 14);

    RichViewDes->setGeometry(w - 300, 30, 250, 250);
    const int picH = imgQuestionDesc2->height();
    const int boxH = qMin(picH, RichViewDes->height());
    const bool vScroll = picH > boxH;
    const int boxW = imgQuestionDesc2->width() + (vScroll ? 21 : 0);
    sboxQuestionDesc2->setGeometry(w - boxW - 10, 30, boxW, boxH);
    PanelMove->move(w - PanelMove->width() - 20, h - PanelMove->height() - 50);
}

void TfrmOperationMain::tmrRefreshTimer()
{
    tmrRefresh->stop();
    try {
        btClose->setEnabled(!sim::AnySimulatedWindowVisible());
    } catch (...) {
        btClose->setEnabled(true);
    }
    tmrRefresh->start();
}

void TfrmOperationMain::btCloseClick()
{
    if (!AskPrompt(QStringLiteral("确定退出吗？"), 1, kPromptTitle))
        return;
    tmrRefresh->stop();
    close();
    CloseOperationWindows();
}

void TfrmOperationMain::CloseOperationWindows() { sim::CloseOperationWindows(); }

void TfrmOperationMain::closeEvent(QCloseEvent* e)
{
    sim::DestroyWindow(QStringLiteral("TfrmIIS"));
    if (QWidget* ie = sim::CurrentWindow(QStringLiteral("TfrmIESet")))
        ie->close();
    for (const QPointer<QWidget>& w : OwnedWindows)
        delete w.data();
    OwnedWindows.clear();
    tmrRefresh->stop();
    if (sim::Ref<TfrmOperationMain>() == this)
        sim::Ref<TfrmOperationMain>() = nullptr;
    m_closing = true;
    QDialog::closeEvent(e); // ends the modal loop through reject()
}

void TfrmOperationMain::keyPressEvent(QKeyEvent* e)
{
    // The desktop has no default button: Return presses nothing (the exit button
    // least of all) and Escape does not leave; the desktop ends only through its
    // exit button.
    if (sim::SwallowsDialogKey(e, true)) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TfrmOperationMain::reject()
{
    // Escape does not leave the desktop; closing it does.
    if (m_closing)
        QDialog::reject();
}

void TfrmOperationMain::openSimple(const QString& cls, bool stayOnTop, const QString& verb)
{
    sim::OpenOptions o;
    o.stayOnTop = stayOnTop;
    o.verb = verb;
    sim::OpenWindow(cls, o);
}

void TfrmOperationMain::lblOperationIEDblClick()
{
    switch (sim::OpType()) {
    case 22:
        AddOwnedWindow(sim::OpenWindow(QStringLiteral("TfrmFTP")));
        break;
    case 23:
        openSimple(QStringLiteral("TfrmIESet"), false);
        break;
    case 26:
        openSimple(QStringLiteral("TfrmMyCP"), false);
        break;
    default:
        break;
    }
}

void TfrmOperationMain::lblOperationIISDblClick()
{
    sim::OpenOptions o;
    o.modal = true;
    sim::OpenWindow(QStringLiteral("TfrmIIS"), o);
}

void TfrmOperationMain::OpenNetworkConnections() { openSimple(QStringLiteral("TfrmIP"), true); }

void TfrmOperationMain::lbRecyDblClick() { openSimple(QStringLiteral("TfrmRcyEandC"), false); }

void TfrmOperationMain::EmptyRecycleBinClick()
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("确认删除多个文件"),
                    QStringLiteral("确实要删除“回收站”中的所有项目吗?"), QMessageBox::Yes | QMessageBox::No,
                    this);
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        return;
    ShowRecycleBinEmptied();
    sim::SetSlot(10, QStringLiteral("1"));
}

void TfrmOperationMain::ShowRecycleBinEmptied()
{
    ImgRecy->hide();
    if (m_emptyRecycleAction)
        m_emptyRecycleAction->setEnabled(false);
}

bool TfrmOperationMain::SecurityScreensOpened() const
{
    return secsuite::RememberedSafe() && secsuite::RememberedSd();
}

void TfrmOperationMain::Open360Safe()
{
    secsuite::RememberedSafe() = sim::OpenWindow(QStringLiteral("Tfrm360safe1"));
    if (sim::Slot(20).isEmpty())
        sim::SetSlot(20, QStringLiteral("0"));
    SetTaskButtonVisible(btn1, true, secsuite::RememberedSd().isNull());
}

void TfrmOperationMain::Open360Sd()
{
    secsuite::RememberedSd() = sim::OpenWindow(QStringLiteral("Tfrm360sd1"));
    if (sim::Slot(27).isEmpty())
        sim::SetSlot(27, QStringLiteral("0"));
    SetTaskButtonVisible(btn360sd, true, true);
}

void TfrmOperationMain::btn1Click()
{
    if (QWidget* w = secsuite::RememberedSafe().data())
        w->show();
}

void TfrmOperationMain::btn360sdClick()
{
    if (QWidget* w = secsuite::RememberedSd().data())
        w->show();
}

void TfrmOperationMain::btnDiskDClick()
{
    openSimple(QStringLiteral("TfrmMyCP"), false, QStringLiteral("DriveD"));
}

int ShowOperationDesktop(TQuestion* q, int opType, const QString& title, const QString& picturePath)
{
    TfrmOperationMain* desk = sim::Ref<TfrmOperationMain>().data();
    if (!desk)
        desk = new TfrmOperationMain(nullptr);
    sim::SetCurrentQuestion(q);
    desk->lblCurrOpTitle->setText(title);
    desk->SetOperation(opType);
    desk->DescPicturePath = picturePath;
    // Maximised; the geometry is set as well, since without a window manager (a kiosk
    // session, Xvfb) the maximised state alone does not size the window.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        desk->setGeometry(screen->availableGeometry());
    desk->setWindowState(Qt::WindowMaximized);
    return desk->exec();
}
