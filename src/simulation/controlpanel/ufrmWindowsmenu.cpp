#include "simulation/controlpanel/ufrmWindowsmenu.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "simulation/controlpanel/CpArt.h"
#include "simulation/desktop/SimWindows.h"

SIM_REGISTER_WINDOW(TfrmWindowsmenu)

namespace {

QPushButton* flatButton(const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    b->setFlat(true);
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setStyleSheet(QStringLiteral("QPushButton { border: 1px solid rgb(0, 60, 116); border-radius: 3px;"
                                    " background: rgb(250, 250, 246); padding: 3px 10px; }"
                                    "QPushButton:disabled { color: rgb(160, 160, 150); }"));
    return b;
}

QWidget* picturePage(const QString& title)
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* img = new QLabel;
    img->setPixmap(cpart::ThemePage(QSize(360, 300), title));
    v->addWidget(img, 1, Qt::AlignTop | Qt::AlignHCenter);
    return page;
}

void selectText(QComboBox* box, const QString& text)
{
    const int i = box->findText(text);
    if (i >= 0)
        box->setCurrentIndex(i);
}

} // namespace

TfrmWindowsmenu::TfrmWindowsmenu(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmWindowsmenu"));
    setWindowTitle(QStringLiteral("显示  属性"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(sim::SongFont(12));
    setFixedSize(400, 419);

    pgDisplay = new QTabWidget;
    pgDisplay->setObjectName(QStringLiteral("pgDisplay"));
    pgDisplay->addTab(
        picturePage(QStringLiteral(
            "主题是背景加一组声音、图标以及其它元素，它可以帮助您用一次单击即个性化您的计算机。")),
        QStringLiteral("主题"));
    m_desktopPage = pgDisplay->addTab(buildDesktopPage(), QStringLiteral("桌面"));
    pgDisplay->addTab(buildScreenSaverPage(), QStringLiteral("屏幕保护程序"));
    pgDisplay->addTab(picturePage(QStringLiteral("窗口和按钮(&W):  Windows XP 样式")),
                      QStringLiteral("外观"));
    pgDisplay->addTab(
        picturePage(QStringLiteral("屏幕分辨率(&S): 1024 x 768 像素    颜色质量(&C): 最高(32 位)")),
        QStringLiteral("设置"));

    btOK = flatButton("btOK", QStringLiteral("  确定"));
    btCancel = flatButton("btCancel", QStringLiteral("  取消"));
    btApply = flatButton("btApply", QStringLiteral("  应用(&A)"));
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(btOK);
    row->addWidget(btCancel);
    row->addWidget(btApply);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(6, 6, 6, 6);
    v->addWidget(pgDisplay, 1);
    v->addLayout(row);

    connect(btOK, &QPushButton::clicked, this, &TfrmWindowsmenu::btOKClick);
    connect(btCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(btApply, &QPushButton::clicked, this, &TfrmWindowsmenu::btApplyClick);
    connect(pgDisplay, &QTabWidget::currentChanged, this, &TfrmWindowsmenu::pgDisplayChange);
    connect(lvBackground, &QListWidget::itemClicked, this, &TfrmWindowsmenu::lvBackgroundClick);
    auto enableApply = [this] { btApply->setEnabled(true); };
    connect(cbx_position, &QComboBox::currentIndexChanged, this, enableApply);
    connect(cbx_ptpro, &QComboBox::currentIndexChanged, this, enableApply);
    connect(txtHistoryDay, &QSpinBox::valueChanged, this, enableApply);
    connect(lvBackground, &QListWidget::itemSelectionChanged, this, [this, enableApply] {
        const QList<QListWidgetItem*> sel = lvBackground->selectedItems();
        imgMonitor->setPixmap(cpart::Monitor(sel.isEmpty() ? QString() : sel.first()->text()));
        enableApply();
    });
    sim::ShowMnemonics(this);
}

QWidget* TfrmWindowsmenu::buildDesktopPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    imgMonitor = new QLabel;
    imgMonitor->setObjectName(QStringLiteral("imgMonitor"));
    imgMonitor->setPixmap(cpart::Monitor({}));
    imgMonitor->setAlignment(Qt::AlignCenter);
    v->addWidget(imgMonitor);
    v->addWidget(new QLabel(QStringLiteral("背景(&K) :")));
    auto* g = new QGridLayout;
    lvBackground = new QListWidget;
    lvBackground->setObjectName(QStringLiteral("lvBackground"));
    lvBackground->setViewMode(QListView::ListMode);
    lvBackground->setIconSize(QSize(32, 24));
    lvBackground->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->addWidget(lvBackground, 0, 0, 4, 1);
    auto* browse = flatButton("btBrowse", QStringLiteral("浏览(&B)...   "));
    g->addWidget(browse, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("位置(&P) :  ")), 1, 1);
    cbx_position = new QComboBox;
    cbx_position->setObjectName(QStringLiteral("cbx_position"));
    cbx_position->addItems({QStringLiteral("居中"), QStringLiteral("平铺"), QStringLiteral("拉伸")});
    g->addWidget(cbx_position, 2, 1);
    auto* colour = new QHBoxLayout;
    colour->addWidget(new QLabel(QStringLiteral("颜色(&C) :  ")));
    auto* swatch = new QLabel;
    swatch->setFixedSize(36, 18);
    swatch->setStyleSheet(QStringLiteral("background: rgb(0, 78, 152); border: 1px solid gray;"));
    colour->addWidget(swatch);
    g->addLayout(colour, 3, 1);
    v->addLayout(g, 1);
    return page;
}

QWidget* TfrmWindowsmenu::buildScreenSaverPage()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* img = new QLabel;
    img->setPixmap(cpart::Monitor({}));
    img->setAlignment(Qt::AlignCenter);
    v->addWidget(img);
    auto* group = new QGroupBox(QStringLiteral("屏幕保护程序(&S)"));
    auto* g = new QGridLayout(group);
    cbx_ptpro = new QComboBox;
    cbx_ptpro->setObjectName(QStringLiteral("cbx_ptpro"));
    cbx_ptpro->addItems({QStringLiteral("(无)"), QStringLiteral("Windows XP"), QStringLiteral("贝塞尔曲线"),
                         QStringLiteral("变幻线"), QStringLiteral("飞越星空"), QStringLiteral("空白"),
                         QStringLiteral("三维飞行物"), QStringLiteral("三维管道"), QStringLiteral("三维花盒"),
                         QStringLiteral("三维文字"), QStringLiteral("图片收藏幻灯片"),
                         QStringLiteral("字幕")});
    g->addWidget(cbx_ptpro, 0, 0, 1, 3);
    g->addWidget(flatButton("btSetSaver", QStringLiteral("设置(&T)")), 0, 3);
    g->addWidget(flatButton("btPreview", QStringLiteral("预览(&V)")), 0, 4);
    g->addWidget(new QLabel(QStringLiteral("等待(&W):")), 1, 0);
    txtHistoryDay = new QSpinBox;
    txtHistoryDay->setObjectName(QStringLiteral("txtHistoryDay"));
    txtHistoryDay->setRange(1, 9999);
    txtHistoryDay->setValue(10);
    g->addWidget(txtHistoryDay, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("分钟")), 1, 2);
    v->addWidget(group);
    auto* power = new QGroupBox(QStringLiteral("监视器的电源"));
    auto* pv = new QHBoxLayout(power);
    auto* text = new QLabel(QStringLiteral("要调整监视器电源设置和节能，请单击“电源”。"));
    text->setWordWrap(true);
    pv->addWidget(text, 1);
    pv->addWidget(flatButton("btPower", QStringLiteral("电源(&O)...")));
    v->addWidget(power);
    v->addStretch();
    return page;
}

void TfrmWindowsmenu::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfrmWindowsmenu::selectBackground(const QString& prefix)
{
    for (int i = 0; i < lvBackground->count(); ++i) {
        if (lvBackground->item(i)->text().startsWith(prefix)) {
            lvBackground->setCurrentRow(i);
            return;
        }
    }
}

void TfrmWindowsmenu::FormShow()
{
    lvBackground->clear();
    for (const char* name : {"Pic1", "Pic2", "Pic3", "Pic4"}) {
        const QString n = QString::fromLatin1(name);
        lvBackground->addItem(new QListWidgetItem(QIcon(cpart::Background(n)), n));
    }
    if (!sim::Slot(2).isEmpty())
        selectText(cbx_ptpro, sim::Slot(2));
    if (!sim::Slot(3).isEmpty())
        txtHistoryDay->setValue(sim::Slot(3).toInt());
    if (!sim::Slot(4).isEmpty())
        selectBackground(sim::Slot(4));
    if (!sim::Slot(5).isEmpty())
        selectText(cbx_position, sim::Slot(5));
    btApply->setEnabled(false);
}

void TfrmWindowsmenu::pgDisplayChange(int index)
{
    if (index != m_desktopPage || sim::Slot(4).isEmpty())
        return;
    selectBackground(sim::Slot(4));
    lvBackground->setFocus();
}

void TfrmWindowsmenu::lvBackgroundClick()
{
    const QList<QListWidgetItem*> sel = lvBackground->selectedItems();
    if (sel.isEmpty())
        return;
    sim::SetSlot(4, sel.first()->text());
    btApply->setEnabled(true);
}

void TfrmWindowsmenu::RecordDisplay()
{
    sim::SetSlot(2, cbx_ptpro->currentText());
    sim::SetSlot(3, txtHistoryDay->text());
    const QList<QListWidgetItem*> sel = lvBackground->selectedItems();
    sim::SetSlot(4, sel.isEmpty() ? QString() : sel.first()->text());
    sim::SetSlot(5, cbx_position->currentText());
}

void TfrmWindowsmenu::btOKClick() { close(); } // the close records

void TfrmWindowsmenu::btApplyClick()
{
    RecordDisplay();
    btApply->setEnabled(false);
}

void TfrmWindowsmenu::closeEvent(QCloseEvent* e)
{
    RecordDisplay();
    QWidget::closeEvent(e);
}
