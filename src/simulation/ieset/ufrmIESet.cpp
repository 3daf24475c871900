#include "simulation/ieset/ufrmIESet.h"

#include <QKeyEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/DelimitedText.h"
#include "common/Prompts.h"
#include "question/TQuestion.h"
#include "simulation/desktop/SimArt.h"
#include "simulation/desktop/SimWindows.h"
#include "simulation/ieset/ufrmAddSafeWeb.h"
#include "simulation/ieset/ufrmAddUnSafeWeb.h"
#include "simulation/ieset/ufrmLanSet.h"

// The dialog is opened from the desktop: destroying an earlier one, non-modal,
// stay-on-top, centred on the screen.
SIM_REGISTER_WINDOW_WITH(TfrmIESet, [](const sim::OpenOptions& o) -> QWidget* {
    TfrmIESet* w = sim::Recreate<TfrmIESet>();
    sim::OpenOptions shown = o;
    shown.stayOnTop = true;
    sim::ShowWindow(w, shown, true);
    return sim::Ref<TfrmIESet>().data();
})

QMap<int, QString>& IESettings()
{
    static QMap<int, QString> settings;
    return settings;
}

// The operation type of the browser-settings questions, whose answer text this dialog records.
static constexpr int kIESetOperationType = 23;
namespace ieset {

namespace {
const AdvancedItem kAdvanced[AdvancedCount] = {
    {0, 0, "", "//Http 1.1 设置 "},
    {1, 11, "1", "使用HTTP 1.1 "},
    {2, 12, "0", "通过代理连接使用 HTTP 1.1 "},
    {3, 0, "", "//安全"},
    {4, 13, "0", "不将加密的页面存入硬盘"},
    {5, 14, "1", "对无效站点证书发出警告"},
    {6, 15, "0", "关闭浏览器时清空 Internet 临时文件夹"},
    {7, 16, "0", "检查发行商的证书吊销"},
    {8, 17, "1", "检查服务器证书吊销(需要重启动)"},
    {9, 18, "1", "检查下载的程序的签名"},
    {10, 19, "1", "启动配置文件助理"},
    {11, 20, "1", "启用集成 Windows 身份验证(需要重启动)"},
    {12, 21, "1", "使用 SSL 2.0"},
    {13, 22, "1", "使用 SSL 3.0"},
    {14, 23, "0", "使用 TLS 1.0"},
    {15, 24, "0", "允许活动内容在我的计算机上的文件中运行"},
    {16, 25, "0", "允许来自 CD 的活动内容在我的计算机上运行"},
    {17, 26, "0", "允许运行或安装软件，即使签名无效"},
    {18, 27, "1", "在安全和非安全模式之间转换时发出警告"},
    {19, 28, "1", "重定向提交的表单时发出警告"},
    {20, 0, "", "//从地址栏中搜索"},
    {21, 29, "0", "搜索时不从地址栏中搜索"},
    {22, 30, "0", "搜索时显示结果，然后转到最相近的站点"},
    {23, 31, "0", "搜索时只在主窗口中显示结果"},
    {24, 32, "1", "搜索时转到最相近的站点"},
    {25, 0, "", "//打印"},
    {26, 33, "0", "打印背景颜色和图像"},
    {27, 0, "", "//多媒体 "},
    {28, 34, "1", "播放网页中的动画 "},
    {29, 35, "1", "播放网页中的声音 "},
    {30, 36, "1", "播放网页中的视频 "},
    {31, 37, "1", "启动图像工具栏(需要重启动) "},
    {32, 38, "1", "启动自动图像大小调整 "},
    {33, 39, "1", "显示图片 "},
    {34, 40, "0", "显示图像下载占位各个符 "},
    {35, 41, "1", "智能图像抖动 "},
    {36, 0, "", "//辅助功能"},
    {37, 42, "0", "始终扩展图像的说明文本"},
    {38, 43, "0", "随焦点(或选择)的更改移动系统插入标记"},
    {39, 0, "", "//给链接加下划线 "},
    {40, 44, "", "从不 "},
    {41, 44, "", "始终 "},
    {42, 44, "", "悬停 "},
    {43, 0, "", "//浏览"},
    {44, 45, "0", "对网页上的按钮和控件启用视觉样式"},
    {45, 46, "1", "关闭“历史记录”和“收藏夹”中所有未使用的文件夹(需要重启动)"},
    {46, 47, "1", "禁用脚本调试 (Internet Explorer)"},
    {47, 48, "1", "禁用脚本调试(其他)"},
    {48, 49, "1", "启用第三方浏览器扩展(需要重启动)"},
    {49, 50, "0", "启用个性化收藏夹菜单"},
    {50, 51, "1", "启用即需安装(Internet Explorer)"},
    {51, 52, "1", "启用即需安装(其它)"},
    {52, 53, "0", "强制屏幕外合成，即便是在终端服务器下(需要重启动)"},
    {53, 54, "1", "使用被动 FTP(为防火墙和 DSL 调制解调器兼容性)"},
    {54, 55, "1", "使用平滑滚动"},
    {55, 56, "0", "使用直接插入自动完成功能"},
    {56, 57, "1", "为 FTP 站点启用文件夹视图"},
    {57, 58, "1", "下载完成后发出通知"},
    {58, 59, "0", "显示每个脚本错误的通知"},
    {59, 60, "1", "显示友好 HTTP 错误信息"},
    {60, 61, "0", "显示友好的 URL"},
    {61, 62, "1", "允许脱机项目按计划同步"},
    {62, 63, "1", "允许页面转换"},
    {63, 64, "1", "在地址栏中显示“转到”按钮"},
    {64, 65, "1", "重新使用启动快捷方式的窗口"},
    {65, 66, "1", "自动检查 Internet Explorer 更新"},
    {66, 67, "1", "总是以 UTF-8 发送 URL (需要重启动)"},
};
} // namespace

const AdvancedItem* AdvancedItems() { return kAdvanced; }

int ItemOfSetting(int setting)
{
    if (setting == 44)
        return -1;
    for (const AdvancedItem& a : kAdvanced)
        if (a.setting == setting && setting != 0)
            return a.item;
    return -1;
}

QMap<int, QString> DefaultSettings()
{
    QMap<int, QString> d;
    d[1] = QString();
    d[2] = QStringLiteral("中");
    d[3] = QString();
    d[4] = QString();
    d[5] = QString();
    d[6] = QString();
    d[8] = QStringLiteral("14");
    d[9] = QStringLiteral("0");
    d[10] = QStringLiteral("0");
    for (const AdvancedItem& a : kAdvanced)
        if (a.setting != 0 && a.setting != 44)
            d[a.setting] = QString::fromLatin1(a.defaultValue);
    d[44] = QStringLiteral("2");
    return d;
}

QString BuildAnswerText(const QMap<int, QString>& settings)
{
    QStringList values;
    for (int n = 1; n <= 67; ++n)
        if (n != 7)
            values << settings.value(n);
    return delimited::Join(values, QLatin1Char(','));
}

QString LevelOfPosition(int position)
{
    switch (position) {
    case 0:
        return QStringLiteral("高");
    case 1:
        return QStringLiteral("中");
    case 2:
        return QStringLiteral("中低");
    case 3:
        return QStringLiteral("低");
    default:
        return QString();
    }
}

int PositionOfLevel(const QString& level)
{
    for (int p = 0; p <= 3; ++p)
        if (LevelOfPosition(p) == level)
            return p;
    return -1;
}

QString DefaultHomePage() { return QStringLiteral("about:home"); }

} // namespace ieset

namespace {

QPushButton* button(const QString& caption, const char* name = nullptr, bool enabled = true)
{
    auto* b = new QPushButton(caption);
    if (name)
        b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setEnabled(enabled);
    return b;
}

QLabel* text(const QString& caption, bool bold = false)
{
    auto* l = new QLabel(caption);
    l->setWordWrap(true);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QHBoxLayout* rightRow(std::initializer_list<QWidget*> widgets)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QWidget* w : widgets)
        row->addWidget(w);
    return row;
}

} // namespace

TfrmIESet::TfrmIESet(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmIESet"));
    setWindowTitle(QStringLiteral("Internet 属性"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
    setFont(sim::SongFont(12));
    sim::Ref<TfrmIESet>() = this;

    pgIE = new QTabWidget;
    pgIE->setObjectName(QStringLiteral("pgIE"));
    pgIE->addTab(buildGeneralPage(), QStringLiteral("常规"));
    pgIE->addTab(buildSecurityPage(), QStringLiteral("安全"));
    pgIE->addTab(buildPrivacyPage(), QStringLiteral("隐私"));
    pgIE->addTab(buildContentPage(), QStringLiteral("内容"));
    pgIE->addTab(buildConnectionPage(), QStringLiteral("连接"));
    pgIE->addTab(buildProgramsPage(), QStringLiteral("程序"));
    pgIE->addTab(buildAdvancedPage(), QStringLiteral("高级"));

    btOK = button(QStringLiteral("确定"), "btOK");
    btOK->setDefault(true);
    btClose = button(QStringLiteral("取消"), "btClose");
    Button3 = button(QStringLiteral("应用(&A)"), "Button3", false);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(6, 6, 6, 6);
    v->addWidget(pgIE);
    v->addLayout(rightRow({btOK, btClose, Button3}));
    setFixedSize(420, 500);

    connect(pgIE, &QTabWidget::currentChanged, this, &TfrmIESet::pgIEChange);
    connect(Button3, &QPushButton::clicked, this, &TfrmIESet::Button3Click);
    connect(btOK, &QPushButton::clicked, this, &TfrmIESet::btOKClick);
    connect(btClose, &QPushButton::clicked, this, &TfrmIESet::btCloseClick);

    sim::ShowMnemonics(this);
    IESettings().clear();
    TrustedZoneSelected = true;
    LoadIESettings();
}

TfrmIESet::~TfrmIESet() = default;

QWidget* TfrmIESet::buildGeneralPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);

    auto* home = new QGroupBox(QStringLiteral("主页"));
    auto* hg = new QGridLayout(home);
    auto* homeIcon = new QLabel;
    homeIcon->setPixmap(simart::DrawIcon(simart::Icon::Browser, 32));
    hg->addWidget(homeIcon, 0, 0, 2, 1, Qt::AlignTop);
    hg->addWidget(text(QStringLiteral("可以更改主页。")), 0, 1, 1, 3);
    hg->addWidget(new QLabel(QStringLiteral("地址(&R):")), 1, 1);
    txtAddDefault = new QLineEdit;
    txtAddDefault->setObjectName(QStringLiteral("txtAddDefault"));
    hg->addWidget(txtAddDefault, 1, 2, 1, 2);
    btCurrently = button(QStringLiteral("使用当前页(&C)"), "btCurrently");
    btDefault = button(QStringLiteral("使用默认页(&D)"), "btDefault");
    btBlank = button(QStringLiteral("使用空白页(&B)"), "btBlank");
    auto* homeButtons = new QHBoxLayout;
    homeButtons->addWidget(btCurrently);
    homeButtons->addWidget(btDefault);
    homeButtons->addWidget(btBlank);
    hg->addLayout(homeButtons, 2, 1, 1, 3);
    v->addWidget(home);

    auto* temp = new QGroupBox(QStringLiteral("Internet 临时文件"));
    auto* tv = new QVBoxLayout(temp);
    tv->addWidget(
        text(QStringLiteral("所查看的 Internet 页存储在特定的文件夹中，这样可以提高以后浏览的速度。")));
    btDelCookies = button(QStringLiteral("删除Cookies(&I)..."), "btDelCookies");
    btDelFolder = button(QStringLiteral("删除文件(&I)..."), "btDelFolder");
    tv->addLayout(rightRow({btDelCookies, btDelFolder, button(QStringLiteral("设置(&S)..."))}));
    v->addWidget(temp);

    auto* hist = new QGroupBox(QStringLiteral("历史记录"));
    auto* hv = new QVBoxLayout(hist);
    hv->addWidget(
        text(QStringLiteral("“历史记录”文件夹中包含已访问页的链接，可使您快速访问最近查看过的页。")));
    auto* dayRow = new QHBoxLayout;
    dayRow->addWidget(new QLabel(QStringLiteral("网页保存在历史记录中的天数(&K):")));
    txtHistoryDay = new QSpinBox;
    txtHistoryDay->setObjectName(QStringLiteral("txtHistoryDay"));
    txtHistoryDay->setRange(0, 999);
    dayRow->addWidget(txtHistoryDay);
    dayRow->addStretch();
    Button10 = button(QStringLiteral("清除历史记录(&H)"), "Button10");
    dayRow->addWidget(Button10);
    hv->addLayout(dayRow);
    v->addWidget(hist);
    v->addStretch();

    connect(txtAddDefault, &QLineEdit::textChanged, this, &TfrmIESet::txtAddDefaultChange);
    connect(btBlank, &QPushButton::clicked, this, &TfrmIESet::btBlankClick);
    connect(btDefault, &QPushButton::clicked, this, &TfrmIESet::btDefaultClick);
    connect(btCurrently, &QPushButton::clicked, this, &TfrmIESet::btCurrentlyClick);
    connect(btDelCookies, &QPushButton::clicked, this,
            [] { AppMessageBox(QStringLiteral("删除Cookies成功!"), QString()); });
    connect(btDelFolder, &QPushButton::clicked, this,
            [] { AppMessageBox(QStringLiteral("删除脱机文件成功!"), QString()); });
    connect(Button10, &QPushButton::clicked, this,
            [] { AppMessageBox(QStringLiteral("清除历史记录成功!"), QString()); });
    connect(txtHistoryDay, &QSpinBox::valueChanged, this, &TfrmIESet::txtHistoryDayChange);
    return page;
}

QWidget* TfrmIESet::buildSecurityPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    v->addWidget(new QLabel(QStringLiteral("请为不同区域的 Web 内容指定安全设置(&Z)")));

    imgZones = new QLabel;
    imgZones->setObjectName(QStringLiteral("imgZones"));
    imgZones->setFixedSize(simart::ZonesPictureSize());
    imgZones->setPixmap(simart::ZonesPicture(2));
    lblSafe = new QLabel(imgZones);
    lblSafe->setObjectName(QStringLiteral("lblSafe"));
    lblSafe->setGeometry(simart::ZoneRect(2));
    lblSafe->setCursor(Qt::PointingHandCursor);
    lblSafe->installEventFilter(this);
    lblUnSafeIE = new QLabel(imgZones);
    lblUnSafeIE->setObjectName(QStringLiteral("lblUnSafeIE"));
    lblUnSafeIE->setGeometry(simart::ZoneRect(3));
    lblUnSafeIE->setCursor(Qt::PointingHandCursor);
    lblUnSafeIE->installEventFilter(this);
    v->addWidget(imgZones, 0, Qt::AlignHCenter);

    auto* zone = new QGridLayout;
    lblZoneName = text(QStringLiteral("受信任的站点"), true);
    lblZoneName->setObjectName(QStringLiteral("lblZoneName"));
    zone->addWidget(lblZoneName, 0, 0);
    zone->addWidget(text(QStringLiteral("此区域包含有可能损害您的计算机或数据的网站。")), 1, 0);
    zone->addWidget(text(QStringLiteral("该区域没有站点。")), 2, 0);
    btSetWeb = button(QStringLiteral("站点(&S)..."), "btSetWeb");
    zone->addWidget(btSetWeb, 0, 1, 3, 1, Qt::AlignTop);
    zone->setColumnStretch(0, 1);
    v->addLayout(zone);

    auto* level = new QGroupBox(QStringLiteral("该区域的安全级别(&L)"));
    auto* lg = new QGridLayout(level);
    lg->addWidget(text(QStringLiteral("移动滑块设置该区域的安全级别。")), 0, 0, 1, 2);
    TrackBar1 = new QSlider(Qt::Vertical);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setRange(0, 3);
    TrackBar1->setPageStep(1);
    TrackBar1->setInvertedAppearance(true); // position 0 is at the top
    TrackBar1->setInvertedControls(true);
    TrackBar1->setTickPosition(QSlider::TicksBothSides);
    TrackBar1->setTickInterval(1);
    TrackBar1->setFixedHeight(96);
    TrackBar1->setValue(1);
    lg->addWidget(TrackBar1, 1, 0, 4, 1);
    lblStep = text(QString(), true);
    lblStep->setObjectName(QStringLiteral("lblStep"));
    lg->addWidget(lblStep, 1, 1);
    lg->addWidget(text(QStringLiteral("-- 最安全的浏览方式，但功能最少")), 2, 1);
    lg->addWidget(text(QStringLiteral("-- 禁用某些不甚安全的功能")), 3, 1);
    lg->addWidget(text(QStringLiteral("-- 适用于可能包含有害内容的站点")), 4, 1);
    lg->setColumnStretch(1, 1);
    lg->addLayout(rightRow({button(QStringLiteral("自定义级别(&C)...")),
                            button(QStringLiteral("默认级别(&D)"), nullptr, false)}),
                  5, 0, 1, 2);
    v->addWidget(level);
    v->addStretch();

    connect(TrackBar1, &QSlider::valueChanged, this, &TfrmIESet::TrackBar1Change);
    connect(btSetWeb, &QPushButton::clicked, this, &TfrmIESet::btSetWebClick);
    return page;
}

QWidget* TfrmIESet::buildPrivacyPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* set = new QGroupBox(QStringLiteral("设置"));
    auto* g = new QGridLayout(set);
    g->addWidget(text(QStringLiteral("移动滑块来为 Internet 区域选择一个隐私设置。")), 0, 0, 1, 2);
    TrackBar2 = new QSlider(Qt::Vertical);
    TrackBar2->setObjectName(QStringLiteral("TrackBar2"));
    TrackBar2->setRange(0, 5);
    TrackBar2->setPageStep(1);
    TrackBar2->setInvertedAppearance(true);
    TrackBar2->setInvertedControls(true);
    TrackBar2->setTickPosition(QSlider::TicksBothSides);
    TrackBar2->setTickInterval(1);
    TrackBar2->setFixedHeight(120);
    TrackBar2->setValue(3);
    g->addWidget(TrackBar2, 1, 0, 4, 1);
    g->addWidget(text(QStringLiteral("中"), true), 1, 1);
    g->addWidget(text(QStringLiteral("- 阻止没有精简隐私策略的第三方 Cookie")), 2, 1);
    g->addWidget(text(QStringLiteral("- 阻止没有经您明确同意就使用可以联系您的信息的第三方 Cookie")), 3, 1);
    g->addWidget(text(QStringLiteral("- 限制没有经您默许就使用可以联系您的信息的第一方 Cookie")), 4, 1);
    g->setColumnStretch(1, 1);
    g->addLayout(rightRow({button(QStringLiteral("导入(&I)...")), button(QStringLiteral("高级(&V)...")),
                           button(QStringLiteral("默认(&D)"), nullptr, false)}),
                 5, 0, 1, 2);
    v->addWidget(set);
    auto* sites = new QGroupBox(QStringLiteral("网站"));
    auto* sv = new QVBoxLayout(sites);
    sv->addWidget(text(QStringLiteral("若要覆盖单个网站的 Cookie 处理，请单击“编辑”按钮。")));
    sv->addLayout(rightRow({button(QStringLiteral("编辑(&E)..."))}));
    v->addWidget(sites);
    v->addStretch();
    // Runs the security slider's handler, which reads the security slider.
    connect(TrackBar2, &QSlider::valueChanged, this, &TfrmIESet::TrackBar1Change);
    return page;
}

QWidget* TfrmIESet::buildContentPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* rating = new QGroupBox(QStringLiteral("分级审查"));
    auto* rv = new QVBoxLayout(rating);
    rv->addWidget(text(QStringLiteral("分级审查可帮助您控制在该计算机上可以查看的 Internet 内容。")));
    rv->addLayout(rightRow(
        {button(QStringLiteral("启用(&E)...")), button(QStringLiteral("设置(&T)..."), nullptr, false)}));
    v->addWidget(rating);
    auto* certs = new QGroupBox(QStringLiteral("证书"));
    auto* cv = new QVBoxLayout(certs);
    cv->addWidget(text(QStringLiteral("使用证书可以明确地标识您自己、证书颁发机构和发行商。")));
    cv->addLayout(rightRow(
        {button(QStringLiteral("证书(&C)...")), button(QStringLiteral("发行商(&B)..."), nullptr, false)}));
    v->addWidget(certs);
    auto* personal = new QGroupBox(QStringLiteral("个人信息"));
    auto* pv = new QVBoxLayout(personal);
    pv->addWidget(text(QStringLiteral("“自动完成”功能存储以前的输入，并为您提供匹配的建议。")));
    pv->addLayout(
        rightRow({button(QStringLiteral("自动完成(&U)...")), button(QStringLiteral("配置文件(&R)..."))}));
    v->addWidget(personal);
    v->addStretch();
    return page;
}

QWidget* TfrmIESet::buildConnectionPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    v->addWidget(text(QStringLiteral("要设置一个 Internet 连接，请单击“建立连接”。")));
    auto* dial = new QGroupBox(QStringLiteral("拨号和虚拟专用网络设置(&N)"));
    auto* dg = new QGridLayout(dial);
    auto* memo = new QPlainTextEdit;
    memo->setReadOnly(true);
    memo->setFixedHeight(60);
    dg->addWidget(memo, 0, 0, 3, 1);
    dg->addWidget(button(QStringLiteral("添加(&D)...")), 0, 1);
    dg->addWidget(button(QStringLiteral("删除(&R)")), 1, 1);
    dg->addWidget(button(QStringLiteral("设置(&S)..."), nullptr, false), 2, 1);
    dg->addWidget(new QRadioButton(QStringLiteral("从不进行拨号连接(&C)")), 3, 0, 1, 2);
    dg->addWidget(new QRadioButton(QStringLiteral("不论网络连接是否存在都进行拨号(&W)")), 4, 0, 1, 2);
    dg->addWidget(new QRadioButton(QStringLiteral("始终拨默认连接(&O)")), 5, 0, 1, 2);
    dg->addWidget(new QLabel(QStringLiteral("当前默认连接:   无")), 6, 0);
    dg->addWidget(button(QStringLiteral("设置默认值(&E)"), nullptr, false), 6, 1);
    v->addWidget(dial);
    auto* lan = new QGroupBox(QStringLiteral("局域网(LAN)设置"));
    auto* lv = new QVBoxLayout(lan);
    btLanSet = button(QStringLiteral("局域网设置(&L)..."), "btLanSet");
    lv->addLayout(rightRow({btLanSet}));
    v->addWidget(lan);
    v->addStretch();
    connect(btLanSet, &QPushButton::clicked, this, &TfrmIESet::btLanSetClick);
    return page;
}

QWidget* TfrmIESet::buildProgramsPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* progs = new QGroupBox(QStringLiteral("Internet 程序"));
    auto* g = new QGridLayout(progs);
    const QStringList labels{QStringLiteral("HTML 编辑器(&H):"), QStringLiteral("电子邮件(&E):"),
                             QStringLiteral("新闻组(&N):"),      QStringLiteral("Internet 呼叫(&T):"),
                             QStringLiteral("日历(&C):"),        QStringLiteral("联系人列表(&L):")};
    const QStringList values{QStringLiteral("Microsoft FrontPage"),
                             QStringLiteral("Outlook Express"),
                             QStringLiteral("Outlook Express"),
                             QStringLiteral("NetMeeting"),
                             QString(),
                             QStringLiteral("通讯簿")};
    for (int i = 0; i < labels.size(); ++i) {
        g->addWidget(new QLabel(labels[i]), i, 0);
        auto* combo = new QComboBox;
        if (!values[i].isEmpty())
            combo->addItem(values[i]);
        g->addWidget(combo, i, 1);
    }
    g->setColumnStretch(1, 1);
    v->addWidget(progs);
    v->addLayout(rightRow({button(QStringLiteral("重置Web设置(&R)..."))}));
    auto* check = new QCheckBox(QStringLiteral("检查 Internet Explorer 是否为默认的浏览器(&I)"));
    check->setChecked(true);
    v->addWidget(check);
    v->addStretch();
    return page;
}

QWidget* TfrmIESet::buildAdvancedPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    v->addWidget(new QLabel(QStringLiteral("设置(&S):")));
    ckHighSet = new QListWidget;
    ckHighSet->setObjectName(QStringLiteral("ckHighSet"));
    ckHighSet->setUniformItemSizes(true);
    ckHighSet->setStyleSheet(QStringLiteral("QListWidget::item { height: 17px; }"));
    const ieset::AdvancedItem* items = ieset::AdvancedItems();
    for (int i = 0; i < ieset::AdvancedCount; ++i) {
        const QString caption = QString::fromUtf8(items[i].caption);
        auto* it = new QListWidgetItem;
        if (caption.startsWith(QLatin1String("//"))) {
            // A group heading: shown without its "//" and without a check box.
            it->setText(caption.mid(2));
            it->setData(Qt::UserRole, caption);
            QFont f = it->font();
            f.setBold(true);
            it->setFont(f);
            it->setFlags(Qt::ItemIsEnabled);
        } else {
            it->setText(caption);
            it->setData(Qt::UserRole, caption);
            it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            it->setCheckState(Qt::Unchecked);
        }
        ckHighSet->addItem(it);
    }
    v->addWidget(ckHighSet, 1);
    v->addLayout(rightRow({button(QStringLiteral("还原默认设置(&R)"))}));
    connect(ckHighSet, &QListWidget::itemChanged, this, [this](QListWidgetItem* it) {
        if (!m_programChange)
            ckHighSetClickCheck(ckHighSet->row(it));
    });
    return page;
}

void TfrmIESet::setChecked(int index, bool checked)
{
    QListWidgetItem* it = ckHighSet->item(index);
    if (!it || !(it->flags() & Qt::ItemIsUserCheckable))
        return;
    const bool old = m_programChange;
    m_programChange = true;
    it->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    m_programChange = old;
}

bool TfrmIESet::isChecked(int index) const
{
    QListWidgetItem* it = ckHighSet->item(index);
    return it && (it->flags() & Qt::ItemIsUserCheckable) && it->checkState() == Qt::Checked;
}

void TfrmIESet::LoadIESettings()
{
    QMap<int, QString>& s = IESettings();
    // Only a browser-settings question's answer text holds these settings.
    TQuestion* q = sim::CurrentQuestion();
    const QString answer = q && sim::AnswerTextIsFor(kIESetOperationType) ? q->GetAnswer() : QString();
    if (answer.trimmed().isEmpty()) {
        s = ieset::DefaultSettings();
        const ieset::AdvancedItem* items = ieset::AdvancedItems();
        for (int i = 0; i < ieset::AdvancedCount; ++i)
            if (qstrcmp(items[i].defaultValue, "1") == 0)
                setChecked(i, true);
        setChecked(41, true);
        // The recorded level is "中"; show it.
        TrackBar1->setValue(1);
        lblStep->setText(QStringLiteral("安全级 - 中"));
        SaveIESettings();
    } else {
        const QStringList values = delimited::Split(answer, QLatin1Char(','));
        if (!values.isEmpty()) {
            for (int v = 1; v <= values.size() && v <= 66; ++v)
                s[v <= 6 ? v : v + 1] = values.at(v - 1);
            txtAddDefault->setText(s.value(1));
            s[1] = values.at(0); // as saved, even with blanks around it
            const QString level = s.value(2);
            if (!level.isEmpty()) {
                const int pos = ieset::PositionOfLevel(level);
                if (pos >= 0) {
                    TrackBar1->blockSignals(true);
                    TrackBar1->setValue(pos);
                    TrackBar1->blockSignals(false);
                    lblStep->setText(QStringLiteral("安全级 - ") + level);
                }
            }
            bool ok = false;
            const int days = s.value(9).toInt(&ok);
            txtHistoryDay->blockSignals(true);
            txtHistoryDay->setValue(ok ? days : 0);
            txtHistoryDay->blockSignals(false);
            const QString underline = s.value(44);
            if (underline == QLatin1String("1"))
                setChecked(40, true);
            else if (underline == QLatin1String("2"))
                setChecked(41, true);
            else if (underline == QLatin1String("3"))
                setChecked(42, true);
            ApplyAdvancedChecks();
        }
    }
    pgIE->blockSignals(true);
    pgIE->setCurrentIndex(0);
    pgIE->blockSignals(false);
}

void TfrmIESet::ApplyAdvancedChecks()
{
    const QMap<int, QString>& s = IESettings();
    for (int n = 11; n <= 67; ++n) {
        if (n == 44 || !s.contains(n))
            continue;
        const int item = ieset::ItemOfSetting(n);
        if (item < 0)
            continue;
        if (s.value(n) == QLatin1String("1"))
            setChecked(item, true);
        else if (s.value(n) == QLatin1String("0"))
            setChecked(item, false);
    }
}

void TfrmIESet::SaveIESettings()
{
    TQuestion* q = sim::CurrentQuestion();
    if (q && sim::AnswerTextIsFor(kIESetOperationType))
        q->SetAnswer(ieset::BuildAnswerText(IESettings()));
}

void TfrmIESet::txtAddDefaultChange() { IESettings()[1] = txtAddDefault->text().trimmed(); }

void TfrmIESet::btBlankClick()
{
    txtAddDefault->setText(QStringLiteral("about:blank"));
    btCurrently->setEnabled(true);
}

void TfrmIESet::btDefaultClick()
{
    txtAddDefault->setText(ieset::DefaultHomePage());
    btCurrently->setEnabled(true);
}

void TfrmIESet::btCurrentlyClick()
{
    btCurrently->setEnabled(false);
    AppMessageBox(QStringLiteral("设置成功!"), QString());
}

void TfrmIESet::txtHistoryDayChange() { IESettings()[9] = QString::number(txtHistoryDay->value()); }

void TfrmIESet::TrackBar1Change()
{
    const int pos = TrackBar1->value();
    const QString level = ieset::LevelOfPosition(pos);
    if (level.isEmpty())
        return;
    lblStep->setText(QStringLiteral("安全级 - ") + level);
    IESettings()[2] = level;
}

void TfrmIESet::lblSafeClick()
{
    lblZoneName->setText(QStringLiteral("受信任的站点"));
    TrustedZoneSelected = true;
    imgZones->setPixmap(simart::ZonesPicture(2));
}

void TfrmIESet::lblUnSafeIEClick()
{
    lblZoneName->setText(QStringLiteral("受限制的站点"));
    TrustedZoneSelected = false;
    imgZones->setPixmap(simart::ZonesPicture(3));
}

bool TfrmIESet::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        if (obj == lblSafe) {
            lblSafeClick();
            return true;
        }
        if (obj == lblUnSafeIE) {
            lblUnSafeIEClick();
            return true;
        }
    }
    return QDialog::eventFilter(obj, e);
}

void TfrmIESet::btSetWebClick()
{
    QDialog* dlg = nullptr;
    if (TrustedZoneSelected) {
        if (!sim::Ref<TfrmAddSafeWeb>())
            new TfrmAddSafeWeb(this);
        dlg = sim::Ref<TfrmAddSafeWeb>().data();
    } else {
        if (!sim::Ref<TfrmAddUnSafeWeb>())
            new TfrmAddUnSafeWeb(this);
        dlg = sim::Ref<TfrmAddUnSafeWeb>().data();
    }
    sim::ShowWindow(dlg, sim::OpenOptions{true, true, {}}, true);
}

void TfrmIESet::btLanSetClick()
{
    if (!sim::Ref<TfrmLanSet>())
        new TfrmLanSet(this);
    sim::ShowWindow(sim::Ref<TfrmLanSet>().data(), sim::OpenOptions{true, true, {}}, true);
}

void TfrmIESet::pgIEChange() { Button3->setEnabled(true); }

void TfrmIESet::Button3Click()
{
    Button3->setEnabled(false);
    SaveIESettings();
}

void TfrmIESet::btOKClick()
{
    SaveIESettings();
    close();
}

void TfrmIESet::btCloseClick() { close(); }

void TfrmIESet::ckHighSetClickCheck(int index)
{
    if (index < 0 || index >= ieset::AdvancedCount)
        return;
    const ieset::AdvancedItem& a = ieset::AdvancedItems()[index];
    if (index >= 40 && index <= 42) {
        const bool state = isChecked(index);
        bool anyOther = false;
        for (int j : {40, 41, 42, 43}) {
            if (j != index && isChecked(j)) {
                setChecked(j, false);
                anyOther = true;
            }
        }
        setChecked(index, anyOther ? true : state);
        IESettings()[44] = QString::number(index - 39);
        return;
    }
    if (a.setting == 0)
        return;
    IESettings()[a.setting] = isChecked(index) ? QStringLiteral("1") : QStringLiteral("0");
}

void TfrmIESet::keyPressEvent(QKeyEvent* e)
{
    if (sim::SwallowsDialogKey(e)) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}
