#include "simulation/network/ufrmIP.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "simulation/desktop/SimWindows.h"
#include "simulation/desktop/ufrmOperationMain.h"
#include "simulation/network/NetworkWindows.h"
#include "simulation/network/ufrmIPProperty.h"

// The desktop destroys the previous connections window and opens a new one, stay-on-top.
SIM_REGISTER_WINDOW_WITH(TfrmIP, [](const sim::OpenOptions& o) -> QWidget* {
    TfrmIP* w = sim::Recreate<TfrmIP>();
    sim::ShowWindow(w, o, true);
    return w;
})

namespace {

// The connections folder: a task pane on the left and the "本地连接" icon with its
// caption in the list (the hot spot lies over it at 216, 80).
QPixmap connectionsPicture(const QSize& size)
{
    QPixmap pix(size);
    pix.fill(Qt::white);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient pane(0, 0, 180, 0);
    pane.setColorAt(0, QColor(116, 138, 229));
    pane.setColorAt(1, QColor(99, 117, 214));
    p.fillRect(0, 0, 190, size.height(), pane);
    p.setFont(sim::SongFont(12, true));
    const struct {
        const char* title;
        QStringList items;
    } boxes[] = {
        {"网络任务", {"创建一个新的连接", "设置家庭或小型办公网络"}},
        {"其它位置", {"控制面板", "网上邻居", "我的文档", "我的电脑"}},
        {"详细信息", {"网络连接", "系统文件夹"}},
    };
    int y = 12;
    for (const auto& b : boxes) {
        p.setBrush(QColor(198, 211, 247));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRect(10, y, 170, 22), 4, 4);
        p.setPen(QColor(33, 93, 198));
        p.setFont(sim::SongFont(12, true));
        p.drawText(QRect(18, y, 160, 22), Qt::AlignVCenter, QString::fromUtf8(b.title));
        y += 22;
        p.fillRect(QRect(10, y, 170, 8 + 18 * int(b.items.size())), QColor(214, 223, 247));
        p.setFont(sim::SongFont(12));
        for (const QString& item : b.items) {
            p.drawText(QRect(24, y + 4, 150, 18), Qt::AlignVCenter, item);
            y += 18;
        }
        y += 20;
    }
    p.setPen(Qt::black);
    p.setFont(sim::SongFont(12, true));
    p.drawText(QRect(205, 52, 300, 18), Qt::AlignVCenter, QStringLiteral("LAN 或高速 Internet"));
    p.setPen(QColor(120, 150, 220));
    p.drawLine(205, 72, size.width() - 20, 72);
    // The connection's icon: two screens and a cable.
    const QRect icon(222, 86, 40, 40);
    p.setPen(QColor(40, 60, 110));
    p.setBrush(QColor(170, 200, 240));
    p.drawRect(icon.adjusted(0, 0, -14, -14));
    p.drawRect(icon.adjusted(14, 14, 0, 0));
    p.setPen(QPen(QColor(30, 140, 40), 2));
    p.drawLine(icon.left() + 13, icon.bottom() - 6, icon.left() + 20, icon.bottom() + 2);
    p.setPen(Qt::black);
    p.setFont(sim::SongFont(12));
    p.drawText(QRect(270, 84, 160, 16), Qt::AlignVCenter, QStringLiteral("本地连接"));
    p.setPen(QColor(90, 90, 90));
    p.drawText(QRect(270, 100, 160, 16), Qt::AlignVCenter, QStringLiteral("已连接上"));
    p.drawText(QRect(270, 116, 160, 16), Qt::AlignVCenter, QStringLiteral("Realtek RTL8139 Family..."));
    return pix;
}

} // namespace

TfrmIP::TfrmIP(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmIP"));
    setWindowTitle(QStringLiteral("网络连接"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setFont(sim::SongFont(12));
    sim::Ref<TfrmIP>() = this;

    auto* address = new QWidget;
    auto* ah = new QHBoxLayout(address);
    ah->setContentsMargins(4, 2, 4, 2);
    ah->addWidget(new QLabel(QStringLiteral("地址(&D)")));
    cbAddress = new QComboBox;
    cbAddress->setObjectName(QStringLiteral("cbAddress"));
    cbAddress->addItem(QStringLiteral("网络连接"));
    ah->addWidget(cbAddress, 1);
    auto* go = new QPushButton(QStringLiteral("转到"));
    go->setFlat(true);
    go->setAutoDefault(false);
    ah->addWidget(go);

    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("imgConnections"));
    picture->setFixedSize(740, 492 - 80);
    picture->setPixmap(connectionsPicture(picture->size()));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    ppConnection = new QMenu(this);
    ppConnection->setObjectName(QStringLiteral("ppConnection"));
    for (const char* c : {"禁用", "状态", "创建快捷方式", "删除", "重命名", "属性"})
        ppConnection->addAction(QString::fromUtf8(c));
    connect(ppConnection->actions().last(), &QAction::triggered, this, &TfrmIP::lblLocalConnectionDblClick);

    lblLocalConnection = new THotSpot(picture);
    lblLocalConnection->setObjectName(QStringLiteral("lblLocalConnection"));
    lblLocalConnection->setGeometry(216, 80, 217, 57);
    lblLocalConnection->setCursor(Qt::PointingHandCursor);
    lblLocalConnection->PopupMenu = ppConnection;
    connect(lblLocalConnection, &THotSpot::doubleClicked, this, &TfrmIP::lblLocalConnectionDblClick);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->setMenuBar(net::ExplorerMenuBar(this));
    v->addWidget(net::ExplorerToolBar(this, false));
    v->addWidget(address);
    v->addWidget(picture, 1);
    sim::ShowMnemonics(this);
    setFixedSize(740, 492);
}

void TfrmIP::lblLocalConnectionDblClick()
{
    sim::OpenOptions o;
    o.stayOnTop = true;
    sim::OpenWindow(QStringLiteral("TfrmIPProperty"), o);
}
