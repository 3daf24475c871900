#include "simulation/controlpanel/ufrmMouseSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "simulation/controlpanel/CpArt.h"
#include "simulation/desktop/SimWindows.h"

SIM_REGISTER_WINDOW(TfrmMouseSet)

namespace mouseset {

QStringList& RawValues()
{
    static QStringList values(ValueCount);
    return values;
}

const int* Slots()
{
    static const int slotNumbers[ValueCount] = {21, 22, 23, 24, 25, 28};
    return slotNumbers;
}

QString PositionText(int position, int middle)
{
    if (position < middle)
        return QStringLiteral("-1");
    return position == middle ? QStringLiteral("0") : QStringLiteral("1");
}

QStringList SchemeNames()
{
    return {QStringLiteral("无"),
            QStringLiteral("Windows  标准 （大） （系统方案）"),
            QStringLiteral("Windows  标准 （特大） （系统方案）"),
            QStringLiteral("Windows  动态光标 （系统方案）"),
            QStringLiteral("Windows  反转 （大） （系统方案）"),
            QStringLiteral("Windows  反转 （特大） （系统方案）"),
            QStringLiteral("Windows  反转 （系统方案）"),
            QStringLiteral("Windows  黑色 （大） （系统方案）"),
            QStringLiteral("Windows  黑色 （特大） （系统方案）"),
            QStringLiteral("Windows  黑色 （系统方案）"),
            QStringLiteral("Windows  默认 （系统方案）"),
            QStringLiteral("变奏 （系统方案）"),
            QStringLiteral("放大 （系统方案）"),
            QStringLiteral("怀旧式 （系统方案）"),
            QStringLiteral("恐龙 （系统方案）"),
            QStringLiteral("三维白色 （系统方案）"),
            QStringLiteral("三维青铜色 （系统方案）"),
            QStringLiteral("手势  1 （系统方案）"),
            QStringLiteral("手势  2 （系统方案）"),
            QStringLiteral("指挥家 （系统方案）")};
}

} // namespace mouseset

namespace {

// The scheme whose pointer is the hand.
constexpr int kHandScheme = 18;

QSlider* trackBar(const char* name, int position)
{
    auto* t = new QSlider(Qt::Horizontal);
    t->setObjectName(QString::fromLatin1(name));
    t->setRange(0, 10);
    t->setPageStep(1);
    t->setTickPosition(QSlider::TicksBelow);
    t->setTickInterval(1);
    t->setValue(position);
    return t;
}

QCheckBox* check(const char* name, const QString& caption)
{
    auto* c = new QCheckBox(caption);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

QPushButton* button(const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

QWidget* slowFast(QSlider* bar, const QString& left, const QString& right)
{
    auto* w = new QWidget;
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(new QLabel(left));
    h->addWidget(bar, 1);
    h->addWidget(new QLabel(right));
    return w;
}

} // namespace

TfrmMouseSet::TfrmMouseSet(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMouseSet"));
    setWindowTitle(QStringLiteral("鼠标属性"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::WindowContextHelpButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(sim::SongFont(12));
    setFixedSize(437, 496);

    pgMouse = new QTabWidget;
    pgMouse->setObjectName(QStringLiteral("pgMouse"));
    pgMouse->addTab(buildButtonsPage(), QStringLiteral("鼠标键"));
    pgMouse->addTab(buildPointersPage(), QStringLiteral("指针"));
    pgMouse->addTab(buildOptionsPage(), QStringLiteral("指针选项"));
    pgMouse->addTab(buildWheelPage(), QStringLiteral("轮"));
    pgMouse->addTab(buildHardwarePage(), QStringLiteral("硬件"));
    pgMouse->setCurrentIndex(1);

    btOK = button("btOK", QStringLiteral("确定"));
    btCancel = button("btCancel", QStringLiteral("取消"));
    btApply = button("btApply", QStringLiteral("应用(&A)"));
    auto* bottom = new QWidget;
    bottom->setObjectName(QStringLiteral("pnlBottom"));
    auto* bh = new QHBoxLayout(bottom);
    bh->setContentsMargins(0, 0, 0, 0);
    bh->addStretch();
    bh->addWidget(btOK);
    bh->addWidget(btCancel);
    bh->addWidget(btApply);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(6, 6, 6, 8);
    v->addWidget(pgMouse, 1);
    v->addWidget(bottom);

    connect(btOK, &QPushButton::clicked, this, &TfrmMouseSet::btOKClick);
    connect(btCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(btApply, &QPushButton::clicked, this, &TfrmMouseSet::btApplyClick);
    connect(led_changci1, &QComboBox::currentIndexChanged, this, &TfrmMouseSet::led_changci1Change);
    auto enableApply = [this] { btApply->setEnabled(true); };
    for (QSlider* t : {TrackBar1, TrackBar2, TrackBar3})
        connect(t, &QSlider::valueChanged, this, enableApply);
    for (QCheckBox* c : {ckSwitchButtons, ckHideTyping, ckShadow})
        connect(c, &QCheckBox::clicked, this, enableApply);
    connect(ckTrail, &QCheckBox::toggled, this, [this](bool on) {
        TrackBar3->setEnabled(on);
        btApply->setEnabled(true);
    });
    // These record at once.
    for (QCheckBox* c : {ckClickLock, ckPrecision, ckCtrlShow})
        connect(c, &QCheckBox::clicked, this, &TfrmMouseSet::recordAndDisableApply);
    connect(seWheel, &QSpinBox::valueChanged, this, &TfrmMouseSet::recordAndDisableApply);
    sim::ShowMnemonics(this);
}

QWidget* TfrmMouseSet::buildButtonsPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* config = new QGroupBox(QStringLiteral("按钮配置"));
    auto* cg = new QHBoxLayout(config);
    ckSwitchButtons = check("ckSwitchButtons", QStringLiteral("切换主要和次要的按钮(&S)"));
    cg->addWidget(ckSwitchButtons, 1);
    auto* mouse = new QLabel;
    mouse->setPixmap(cpart::MouseDevice());
    cg->addWidget(mouse);
    v->addWidget(config);

    auto* speed = new QGroupBox(QStringLiteral("双击速度"));
    auto* sv = new QVBoxLayout(speed);
    auto* text = new QLabel(
        QStringLiteral("双击文件夹以检查您的设置。如果文件夹没有打开或关闭，请尝试使用较慢的设置。"));
    text->setWordWrap(true);
    sv->addWidget(text);
    TrackBar1 = trackBar("TrackBar1", 5);
    sv->addWidget(slowFast(TrackBar1, QStringLiteral("慢"), QStringLiteral("快")));
    v->addWidget(speed);

    auto* lock = new QGroupBox(QStringLiteral("单击锁定"));
    auto* lv = new QVBoxLayout(lock);
    ckClickLock = check("ckClickLock", QStringLiteral("切换主要和次要的按钮(&S)"));
    lv->addWidget(ckClickLock);
    auto* lockText = new QLabel(QStringLiteral("使您可以不用一直按着鼠标按钮就可以突出显示或拖拽。"));
    lockText->setWordWrap(true);
    lv->addWidget(lockText);
    v->addWidget(lock);
    v->addStretch();
    return page;
}

QWidget* TfrmMouseSet::buildPointersPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* group = new QGroupBox(QStringLiteral("方案(&S)"));
    auto* g = new QGridLayout(group);
    led_changci1 = new QComboBox;
    led_changci1->setObjectName(QStringLiteral("led_changci1"));
    led_changci1->addItems(mouseset::SchemeNames());
    g->addWidget(led_changci1, 0, 0, 1, 2);
    auto* save = button("btSaveScheme", QStringLiteral("另存为(&V)..."));
    auto* del = button("btDeleteScheme", QStringLiteral("删除(&D)"));
    g->addWidget(save, 1, 0);
    g->addWidget(del, 1, 1);
    auto* previews = new QWidget;
    previews->setFixedSize(150, 120);
    for (int i = 0; i < 20; ++i) {
        auto* img = new QLabel(previews);
        img->setObjectName(QStringLiteral("imgScheme%1").arg(i));
        img->setPixmap(cpart::PointerScheme(i));
        img->setGeometry(0, 0, 150, 120);
        img->hide();
        imgSchemes << img;
    }
    g->addWidget(previews, 0, 2, 2, 1);
    v->addWidget(group);

    auto* custom = new QGroupBox(QStringLiteral("自定义(&C):"));
    auto* cv = new QHBoxLayout(custom);
    auto* list = new QTreeWidget;
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    for (const char* s : {"正常选择", "帮助选择", "后台运行", "忙", "精确定位", "选定文本", "手写", "不可用"})
        list->addTopLevelItem(new QTreeWidgetItem({QString::fromUtf8(s)}));
    cv->addWidget(list, 1);
    auto* pointers = new QWidget;
    pointers->setFixedSize(34, 34);
    imgPointer = new QLabel(pointers);
    imgPointer->setObjectName(QStringLiteral("imgPointer"));
    imgPointer->setPixmap(cpart::PointerPicture(false));
    imgPointer->setGeometry(1, 1, 32, 32);
    imgHand = new QLabel(pointers);
    imgHand->setObjectName(QStringLiteral("imgHand"));
    imgHand->setPixmap(cpart::PointerPicture(true));
    imgHand->setGeometry(1, 1, 32, 32);
    imgHand->hide();
    cv->addWidget(pointers, 0, Qt::AlignTop);
    v->addWidget(custom, 1);

    auto* row = new QHBoxLayout;
    ckShadow = check("ckShadow", QStringLiteral("启用指针阴影(&E)"));
    row->addWidget(ckShadow, 1);
    row->addWidget(button("btDefault", QStringLiteral("使用默认值(&F)")));
    row->addWidget(button("btBrowse", QStringLiteral("浏览(&B)...")));
    v->addLayout(row);
    return page;
}

QWidget* TfrmMouseSet::buildOptionsPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* move = new QGroupBox(QStringLiteral("移动"));
    auto* mv = new QVBoxLayout(move);
    mv->addWidget(new QLabel(QStringLiteral("选择指针移动速度(&C):")));
    TrackBar2 = trackBar("TrackBar2", 5);
    mv->addWidget(slowFast(TrackBar2, QStringLiteral("慢"), QStringLiteral("快")));
    v->addWidget(move);

    auto* snap = new QGroupBox(QStringLiteral("取默认按钮"));
    auto* sv = new QVBoxLayout(snap);
    ckPrecision = check("ckPrecision", QStringLiteral("提高指针精确度(&E)"));
    sv->addWidget(ckPrecision);
    v->addWidget(snap);

    auto* vis = new QGroupBox(QStringLiteral("可见性"));
    auto* vv = new QVBoxLayout(vis);
    ckTrail = check("ckTrail", QStringLiteral("显示指针踪迹(&D)"));
    vv->addWidget(ckTrail);
    TrackBar3 = trackBar("TrackBar3", 10);
    TrackBar3->setEnabled(false);
    vv->addWidget(slowFast(TrackBar3, QStringLiteral("短"), QStringLiteral("长")));
    ckHideTyping = check("ckHideTyping", QStringLiteral("在打字时隐藏指针(&H)"));
    vv->addWidget(ckHideTyping);
    ckCtrlShow = check("ckCtrlShow", QStringLiteral("当按 CTRL 键时显示指针的位置(&S)"));
    vv->addWidget(ckCtrlShow);
    v->addWidget(vis);
    v->addStretch();
    return page;
}

QWidget* TfrmMouseSet::buildWheelPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* group = new QGroupBox(QStringLiteral("滚动"));
    auto* g = new QGridLayout(group);
    g->addWidget(new QLabel(QStringLiteral("滚动滑轮一个齿格以滚动:")), 0, 0, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("一次滚动下列行数(&N):")), 1, 0);
    seWheel = new QSpinBox;
    seWheel->setObjectName(QStringLiteral("seWheel"));
    seWheel->setRange(1, 100);
    seWheel->setValue(3);
    g->addWidget(seWheel, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("一次滚动一个屏幕(&O)")), 2, 0, 1, 2);
    v->addWidget(group);
    v->addStretch();
    return page;
}

QWidget* TfrmMouseSet::buildHardwarePage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    v->addWidget(new QLabel(QStringLiteral("设备(&D):")));
    auto* list = new QTreeWidget;
    list->setObjectName(QStringLiteral("lvDevices"));
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("名称"), QStringLiteral("类型")});
    list->addTopLevelItem(
        new QTreeWidgetItem({QStringLiteral("Microsoft PS/2 Mouse"), QStringLiteral("鼠标和其他指针设备")}));
    list->header()->resizeSection(0, 200);
    v->addWidget(list);
    auto* props = new QGroupBox(QStringLiteral("设备属性"));
    auto* pv = new QVBoxLayout(props);
    pv->addWidget(new QLabel(QStringLiteral("制造商: (标准鼠标类型)")));
    pv->addWidget(new QLabel(QStringLiteral("位置: 插入 i8042prt 端口")));
    pv->addWidget(new QLabel(QStringLiteral("设备状态: 这个设备运转正常。")));
    v->addWidget(props);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(button("btTroubleshoot", QStringLiteral("疑难解答(&T)...")));
    row->addWidget(button("btProperties", QStringLiteral("属性(&R)")));
    v->addLayout(row);
    v->addStretch();
    return page;
}

void TfrmMouseSet::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfrmMouseSet::FormShow()
{
    showScheme(0);
    TrackBar1->setValue(5);
    RestoreValues();
    btApply->setEnabled(false);
}

void TfrmMouseSet::RestoreValues()
{
    const QStringList& raw = mouseset::RawValues();
    for (int i = 0; i < mouseset::ValueCount; ++i) {
        const int slot = mouseset::Slots()[i];
        if (sim::Slot(slot).isEmpty() || raw[i].isEmpty()) {
            sim::SetSlot(slot, QStringLiteral("0"));
            continue;
        }
        const int n = raw[i].toInt();
        switch (i) {
        case 0:
            TrackBar1->setValue(n);
            break;
        case 1: {
            // The scheme comes back without its preview (scheme 0 stays shown).
            const QSignalBlocker block(led_changci1);
            led_changci1->setCurrentIndex(n);
            break;
        }
        case 2:
            TrackBar2->setValue(n);
            break;
        case 3:
            ckTrail->setChecked(true);
            TrackBar3->setValue(n);
            break;
        case 4:
            ckHideTyping->setChecked(n != 0);
            break;
        case 5:
            ckShadow->setChecked(n != 0);
            break;
        default:
            break;
        }
    }
}

void TfrmMouseSet::showScheme(int index)
{
    for (int i = 0; i < imgSchemes.size(); ++i)
        imgSchemes[i]->setVisible(i == index);
    imgHand->setVisible(index == kHandScheme);
    imgPointer->setVisible(index != kHandScheme);
}

void TfrmMouseSet::led_changci1Change(int index)
{
    showScheme(index);
    btApply->setEnabled(true);
}

void TfrmMouseSet::RecordValues()
{
    auto flag = [](QCheckBox* c) { return c->isChecked() ? QStringLiteral("-1") : QStringLiteral("0"); };
    auto slotFlag = [](QCheckBox* c) { return c->isChecked() ? QStringLiteral("1") : QStringLiteral("0"); };
    sim::SetSlot(21, mouseset::PositionText(TrackBar1->value(), 5));
    sim::SetSlot(22, QString::number(led_changci1->currentIndex()));
    sim::SetSlot(23, mouseset::PositionText(TrackBar2->value(), 5));
    sim::SetSlot(24, TrackBar3->value() < 10 ? QStringLiteral("-1") : QStringLiteral("0"));
    sim::SetSlot(25, slotFlag(ckHideTyping));
    sim::SetSlot(28, slotFlag(ckShadow));
    mouseset::RawValues() = {QString::number(TrackBar1->value()),
                             QString::number(led_changci1->currentIndex()),
                             QString::number(TrackBar2->value()),
                             QString::number(TrackBar3->value()),
                             flag(ckHideTyping),
                             flag(ckShadow)};
}

void TfrmMouseSet::recordAndDisableApply()
{
    RecordValues();
    btApply->setEnabled(false);
}

void TfrmMouseSet::btOKClick()
{
    RecordValues();
    close();
}

void TfrmMouseSet::btApplyClick() { recordAndDisableApply(); }
