#include "simulation/network/ufrmIPProperty.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "simulation/desktop/SimWindows.h"
#include "simulation/network/NetworkWindows.h"

// Every opening adds one more window, kept by the desktop.
SIM_REGISTER_WINDOW_WITH(TfrmIPProperty, [](const sim::OpenOptions& o) -> QWidget* {
    return net::OpenOwned<TfrmIPProperty>(o);
})

namespace {

constexpr int kProtocolRow = 2;

QPixmap adapterPicture()
{
    QPixmap pix(20, 16);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setPen(QColor(40, 70, 40));
    p.setBrush(QColor(60, 150, 70));
    p.drawRect(1, 3, 16, 9);
    p.setBrush(QColor(220, 190, 60));
    for (int x = 3; x < 16; x += 3)
        p.drawRect(x, 12, 1, 2);
    return pix;
}

} // namespace

TfrmIPProperty::TfrmIPProperty(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmIPProperty"));
    setWindowTitle(QStringLiteral("本地连接 属性"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setFont(sim::SongFont(12));

    auto* tabs = new QTabWidget;
    auto* page = new QWidget;
    auto* pv = new QVBoxLayout(page);
    pv->addWidget(new QLabel(QStringLiteral("连接时使用：")));
    auto* adapterRow = new QHBoxLayout;
    auto* adapter = new QLabel;
    adapter->setPixmap(adapterPicture());
    adapterRow->addWidget(adapter);
    auto* adapterName = new QLabel(QStringLiteral("Realtek RTL8139 Family PCI Fast Ethernet NIC"));
    adapterName->setFrameShape(QFrame::StyledPanel);
    adapterRow->addWidget(adapterName, 1);
    pv->addLayout(adapterRow);
    auto* configRow = new QHBoxLayout;
    configRow->addStretch();
    configRow->addWidget(new QPushButton(QStringLiteral("配置(&C)")));
    pv->addLayout(configRow);
    pv->addWidget(new QLabel(QStringLiteral("此连接使用下列定的组件：")));
    lvComponents = new QTreeWidget;
    lvComponents->setObjectName(QStringLiteral("lvComponents"));
    lvComponents->setHeaderHidden(true);
    lvComponents->setRootIsDecorated(false);
    lvComponents->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvComponents->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (const char* c :
         {"Microsoft 网络客户端", "Microsoft 网络的文件和打印机共享", "Internet 协议(TCP/IP)"}) {
        auto* item = new QTreeWidgetItem(lvComponents, {QString::fromUtf8(c)});
        item->setCheckState(0, Qt::Checked);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable); // read-only check marks
    }
    lvComponents->setFixedHeight(70);
    pv->addWidget(lvComponents);
    auto* compButtons = new QHBoxLayout;
    compButtons->addWidget(new QPushButton(QStringLiteral("安装(&I)...")));
    compButtons->addWidget(new QPushButton(QStringLiteral("卸载(&U)")));
    btProperty = new QPushButton(QStringLiteral("属性(&R)"));
    btProperty->setObjectName(QStringLiteral("btProperty"));
    compButtons->addWidget(btProperty);
    pv->addLayout(compButtons);
    auto* desc = new QGroupBox(QStringLiteral("描述"));
    auto* dv = new QVBoxLayout(desc);
    auto* descText = new QLabel(QStringLiteral("TCP/IP 是默认的广域网协议。它提供跨越多种互联网络的通讯"));
    descText->setWordWrap(true);
    dv->addWidget(descText);
    pv->addWidget(desc);
    pv->addWidget(new QCheckBox(QStringLiteral("连接后在任务栏中显示图标(&W)")));
    pv->addStretch();
    tabs->addTab(page, QStringLiteral("常规"));

    btOK = new QPushButton(QStringLiteral("确定"));
    btOK->setObjectName(QStringLiteral("btOK"));
    btCancel = new QPushButton(QStringLiteral("取消"));
    btCancel->setObjectName(QStringLiteral("btCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOK);
    buttons->addWidget(btCancel);
    auto* v = new QVBoxLayout(this);
    v->addWidget(tabs, 1);
    v->addLayout(buttons);
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(false);
    sim::ShowMnemonics(this);

    connect(btProperty, &QPushButton::clicked, this, &TfrmIPProperty::btPropertyClick);
    connect(btOK, &QPushButton::clicked, this, &QWidget::close);
    connect(btCancel, &QPushButton::clicked, this, &QWidget::close);
    setFixedSize(387, 379);
}

void TfrmIPProperty::btPropertyClick()
{
    QTreeWidgetItem* item = lvComponents->currentItem();
    if (!item || !item->isSelected() || lvComponents->indexOfTopLevelItem(item) != kProtocolRow)
        return;
    sim::OpenOptions o;
    o.stayOnTop = true;
    sim::OpenWindow(QStringLiteral("TfrmIPSet"), o);
}

void TfrmIPProperty::keyPressEvent(QKeyEvent* e)
{
    // "确定" is the default button; Escape does nothing.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        btOK->click();
        return;
    }
    QWidget::keyPressEvent(e);
}
