#include "simulation/desktop/SimArt.h"

#include <QPainter>
#include <QPainterPath>

#include "simulation/desktop/SimWindows.h"

namespace simart {

namespace {

void drawComputer(QPainter& p, qreal s)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 206, 214));
    p.drawRoundedRect(QRectF(s * 0.08, s * 0.08, s * 0.84, s * 0.62), s * 0.06, s * 0.06);
    p.setBrush(QColor(46, 134, 222));
    p.drawRect(QRectF(s * 0.15, s * 0.15, s * 0.70, s * 0.46));
    p.setBrush(QColor(120, 190, 250));
    p.drawPolygon(
        QPolygonF({QPointF(s * 0.15, s * 0.15), QPointF(s * 0.55, s * 0.15), QPointF(s * 0.15, s * 0.45)}));
    p.setBrush(QColor(150, 156, 166));
    p.drawRect(QRectF(s * 0.42, s * 0.70, s * 0.16, s * 0.10));
    p.setBrush(QColor(200, 206, 214));
    p.drawRoundedRect(QRectF(s * 0.22, s * 0.80, s * 0.56, s * 0.10), s * 0.03, s * 0.03);
}

void drawNetwork(QPainter& p, qreal s)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 170, 90));
    p.drawEllipse(QRectF(s * 0.28, s * 0.05, s * 0.44, s * 0.44));
    p.setPen(QPen(QColor(230, 245, 235), s * 0.03));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(s * 0.40, s * 0.05, s * 0.20, s * 0.44));
    p.drawLine(QPointF(s * 0.28, s * 0.27), QPointF(s * 0.72, s * 0.27));
    p.setPen(QPen(QColor(230, 230, 230), s * 0.04));
    p.drawLine(QPointF(s * 0.5, s * 0.49), QPointF(s * 0.5, s * 0.62));
    p.drawLine(QPointF(s * 0.22, s * 0.62), QPointF(s * 0.78, s * 0.62));
    p.setPen(Qt::NoPen);
    for (qreal x : {0.05, 0.57}) {
        p.setBrush(QColor(200, 206, 214));
        p.drawRect(QRectF(s * x, s * 0.62, s * 0.38, s * 0.26));
        p.setBrush(QColor(46, 134, 222));
        p.drawRect(QRectF(s * (x + 0.04), s * 0.66, s * 0.30, s * 0.16));
    }
}

void drawRecycle(QPainter& p, qreal s, bool full)
{
    p.setPen(Qt::NoPen);
    if (full) {
        p.setBrush(QColor(255, 255, 255));
        p.drawRect(QRectF(s * 0.28, s * 0.06, s * 0.26, s * 0.22));
        p.setBrush(QColor(250, 210, 90));
        p.drawRect(QRectF(s * 0.46, s * 0.02, s * 0.24, s * 0.24));
    }
    p.setBrush(QColor(170, 200, 220));
    QPainterPath bin;
    bin.moveTo(s * 0.18, s * 0.24);
    bin.lineTo(s * 0.82, s * 0.24);
    bin.lineTo(s * 0.72, s * 0.95);
    bin.lineTo(s * 0.28, s * 0.95);
    bin.closeSubpath();
    p.drawPath(bin);
    p.setBrush(QColor(120, 160, 190));
    p.drawRoundedRect(QRectF(s * 0.12, s * 0.18, s * 0.76, s * 0.09), s * 0.03, s * 0.03);
    p.setPen(QPen(QColor(60, 150, 90), s * 0.06, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(s * 0.34, s * 0.42, s * 0.32, s * 0.32), 30 * 16, 300 * 16);
}

void drawBrowser(QPainter& p, qreal s)
{
    p.setPen(QPen(QColor(60, 140, 230), s * 0.14));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(s * 0.22, s * 0.22, s * 0.56, s * 0.56), 20 * 16, 320 * 16);
    p.drawLine(QPointF(s * 0.26, s * 0.52), QPointF(s * 0.76, s * 0.52));
    p.setPen(QPen(QColor(250, 190, 40), s * 0.06));
    p.drawArc(QRectF(s * 0.04, s * 0.30, s * 0.92, s * 0.40), 200 * 16, 300 * 16);
}

void drawServer(QPainter& p, qreal s)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 100, 115));
    p.drawRoundedRect(QRectF(s * 0.18, s * 0.06, s * 0.44, s * 0.88), s * 0.05, s * 0.05);
    p.setBrush(QColor(140, 150, 165));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(s * 0.24, s * (0.14 + i * 0.14), s * 0.32, s * 0.08));
    p.setBrush(QColor(80, 220, 120));
    p.drawEllipse(QRectF(s * 0.26, s * 0.74, s * 0.08, s * 0.08));
    p.setBrush(QColor(60, 140, 230));
    p.drawEllipse(QRectF(s * 0.52, s * 0.46, s * 0.44, s * 0.44));
    p.setPen(QPen(Qt::white, s * 0.03));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(s * 0.64, s * 0.46, s * 0.20, s * 0.44));
    p.drawLine(QPointF(s * 0.52, s * 0.68), QPointF(s * 0.96, s * 0.68));
}

void drawFlag(QPainter& p, qreal s)
{
    p.setPen(Qt::NoPen);
    const QColor c[4] = {QColor(240, 80, 50), QColor(120, 200, 60), QColor(40, 150, 240),
                         QColor(250, 200, 30)};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(c[i]);
        p.drawRect(QRectF(s * (0.12 + (i % 2) * 0.40), s * (0.12 + (i / 2) * 0.40), s * 0.36, s * 0.36));
    }
}

void drawGeneric(QPainter& p, qreal s, const QColor& fill, const QString& glyph)
{
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(s * 0.08, s * 0.08, s * 0.84, s * 0.84), s * 0.16, s * 0.16);
    p.setPen(Qt::white);
    QFont f = sim::SongFont(qMax(6, int(s * 0.55)), true);
    p.setFont(f);
    p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter, glyph);
}

void drawShield(QPainter& p, qreal s, const QColor& fill, bool tick)
{
    QPainterPath path;
    path.moveTo(s * 0.5, s * 0.06);
    path.lineTo(s * 0.86, s * 0.2);
    path.quadTo(s * 0.86, s * 0.75, s * 0.5, s * 0.95);
    path.quadTo(s * 0.14, s * 0.75, s * 0.14, s * 0.2);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
    p.setPen(QPen(Qt::white, s * 0.09, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (tick) {
        p.drawPolyline(
            QPolygonF({QPointF(s * 0.32, s * 0.5), QPointF(s * 0.46, s * 0.64), QPointF(s * 0.7, s * 0.36)}));
    } else {
        p.drawLine(QPointF(s * 0.36, s * 0.36), QPointF(s * 0.64, s * 0.64));
        p.drawLine(QPointF(s * 0.64, s * 0.36), QPointF(s * 0.36, s * 0.64));
    }
}

void drawLabel(QPainter& p, const QRect& r, const QString& text)
{
    p.setFont(sim::SongFont(12));
    p.setPen(QColor(0, 0, 0, 160));
    p.drawText(r.translated(1, 1), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
}

} // namespace

QPixmap DrawIcon(Icon icon, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    switch (icon) {
    case Icon::Computer:
        drawComputer(p, s);
        break;
    case Icon::Network:
        drawNetwork(p, s);
        break;
    case Icon::RecycleEmpty:
        drawRecycle(p, s, false);
        break;
    case Icon::RecycleFull:
        drawRecycle(p, s, true);
        break;
    case Icon::Browser:
        drawBrowser(p, s);
        break;
    case Icon::Server:
        drawServer(p, s);
        break;
    case Icon::StartFlag:
        drawFlag(p, s);
        break;
    case Icon::Tray:
        drawNetwork(p, s);
        break;
    case Icon::Drive:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(170, 176, 186));
        p.drawRoundedRect(QRectF(s * 0.06, s * 0.3, s * 0.88, s * 0.4), s * 0.06, s * 0.06);
        p.setBrush(QColor(80, 220, 120));
        p.drawEllipse(QRectF(s * 0.74, s * 0.45, s * 0.1, s * 0.1));
        break;
    case Icon::Folder:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 180, 60));
        p.drawRoundedRect(QRectF(s * 0.06, s * 0.18, s * 0.4, s * 0.2), s * 0.04, s * 0.04);
        p.setBrush(QColor(250, 205, 90));
        p.drawRoundedRect(QRectF(s * 0.06, s * 0.28, s * 0.88, s * 0.58), s * 0.05, s * 0.05);
        break;
    case Icon::Settings:
        drawGeneric(p, s, QColor(110, 120, 135), QStringLiteral("⚙"));
        break;
    case Icon::Document:
        drawGeneric(p, s, QColor(60, 120, 200), QStringLiteral("文"));
        break;
    case Icon::Search:
        drawGeneric(p, s, QColor(40, 160, 170), QStringLiteral("搜"));
        break;
    case Icon::Help:
        drawGeneric(p, s, QColor(70, 110, 210), QStringLiteral("?"));
        break;
    case Icon::Run:
        drawGeneric(p, s, QColor(120, 90, 190), QStringLiteral("程"));
        break;
    case Icon::Power:
        drawGeneric(p, s, QColor(220, 80, 60), QStringLiteral("关"));
        break;
    case Icon::Logoff:
        drawGeneric(p, s, QColor(230, 150, 40), QStringLiteral("注"));
        break;
    case Icon::Shield:
        drawShield(p, s, QColor(60, 170, 90), true);
        break;
    case Icon::Update:
        drawGeneric(p, s, QColor(40, 150, 240), QStringLiteral("↻"));
        break;
    case Icon::Internet:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 140, 230));
        p.drawEllipse(QRectF(s * 0.1, s * 0.1, s * 0.8, s * 0.8));
        p.setPen(QPen(Qt::white, s * 0.04));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(s * 0.32, s * 0.1, s * 0.36, s * 0.8));
        p.drawLine(QPointF(s * 0.1, s * 0.5), QPointF(s * 0.9, s * 0.5));
        break;
    case Icon::Intranet:
        drawComputer(p, s);
        break;
    case Icon::Trusted:
        drawShield(p, s, QColor(60, 170, 90), true);
        break;
    case Icon::Restricted:
        drawShield(p, s, QColor(210, 60, 50), false);
        break;
    }
    return pm;
}

QPixmap IconColumn(int height)
{
    QPixmap pm(97, qMax(1, height));
    pm.fill(kDesktopBlue);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    struct Entry {
        Icon icon;
        int iconTop;
        QString text;
    };
    // Centred under the hot spots: 我的电脑 (3,-2) 65x58, 网上邻居 (8,72) 65x73,
    // 回收站 (12,159) 45x56, Internet Explorer (11,240) 51x64, IIS (8,312) 57x65.
    const Entry entries[] = {
        {Icon::Computer, 2, QStringLiteral("我的电脑")},
        {Icon::Network, 80, QStringLiteral("网上邻居")},
        {Icon::RecycleEmpty, 160, QStringLiteral("回收站")},
        {Icon::Browser, 243, QStringLiteral("Internet Explorer")},
        {Icon::Server, 318, QStringLiteral("IIS")},
    };
    for (const Entry& e : entries) {
        p.drawPixmap(20, e.iconTop, DrawIcon(e.icon, 32));
        drawLabel(p, QRect(0, e.iconTop + 34, 72, 30), e.text);
    }
    return pm;
}

QPixmap FullRecycleBin()
{
    QPixmap pm(60, 64);
    pm.fill(kDesktopBlue);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawPixmap(20, 12, DrawIcon(Icon::RecycleFull, 32));
    drawLabel(p, QRect(0, 46, 72, 18), QStringLiteral("回收站"));
    return pm;
}

QSize ZonesPictureSize() { return QSize(340, 74); }

QRect ZoneRect(int zone) { return QRect(6 + zone * 83, 4, 80, 66); }

QPixmap ZonesPicture(int selectedZone)
{
    QPixmap pm(ZonesPictureSize());
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(128, 128, 128));
    p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
    const Icon icons[4] = {Icon::Internet, Icon::Intranet, Icon::Trusted, Icon::Restricted};
    const QString names[4] = {QStringLiteral("Internet"), QStringLiteral("本地 Intranet"),
                              QStringLiteral("受信任的站点"), QStringLiteral("受限制的站点")};
    for (int i = 0; i < 4; ++i) {
        const QRect r = ZoneRect(i);
        if (i == selectedZone) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(49, 106, 197));
            p.drawRect(r.x() + 4, r.y() + 44, r.width() - 8, 18);
        }
        p.drawPixmap(r.x() + (r.width() - 32) / 2, r.y() + 6, DrawIcon(icons[i], 32));
        p.setFont(sim::SongFont(12));
        p.setPen(i == selectedZone ? Qt::white : Qt::black);
        p.drawText(QRect(r.x(), r.y() + 44, r.width(), 18), Qt::AlignCenter, names[i]);
    }
    return pm;
}

} // namespace simart
