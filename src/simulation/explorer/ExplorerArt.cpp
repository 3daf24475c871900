#include "simulation/explorer/ExplorerArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "simulation/desktop/SimArt.h"
#include "simulation/desktop/SimWindows.h"

namespace explorerart {

namespace {

using win::FileIconKind;

// A sheet of paper with a folded corner and a coloured band for its kind.
void drawSheet(QPainter& p, qreal s, const QColor& band, const QString& glyph)
{
    QPainterPath sheet;
    sheet.moveTo(s * 0.18, s * 0.06);
    sheet.lineTo(s * 0.62, s * 0.06);
    sheet.lineTo(s * 0.82, s * 0.26);
    sheet.lineTo(s * 0.82, s * 0.94);
    sheet.lineTo(s * 0.18, s * 0.94);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(150, 160, 175), qMax(1.0, s * 0.03)));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(215, 222, 232));
    p.drawPolygon(
        QPolygonF({QPointF(s * 0.62, s * 0.06), QPointF(s * 0.62, s * 0.26), QPointF(s * 0.82, s * 0.26)}));
    if (!band.isValid())
        return;
    p.setBrush(band);
    p.drawRoundedRect(QRectF(s * 0.08, s * 0.48, s * 0.56, s * 0.34), s * 0.05, s * 0.05);
    if (glyph.isEmpty() || s < 14)
        return;
    QFont f = sim::SongFont(qMax(6, int(s * 0.24)), true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(s * 0.08, s * 0.48, s * 0.56, s * 0.34), Qt::AlignCenter, glyph);
}

void drawLines(QPainter& p, qreal s)
{
    p.setPen(QPen(QColor(140, 150, 165), qMax(1.0, s * 0.03)));
    for (qreal y : {0.36, 0.48, 0.60, 0.72})
        p.drawLine(QPointF(s * 0.28, s * y), QPointF(s * 0.72, s * y));
}

void drawFolder(QPainter& p, qreal s)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 180, 60));
    p.drawRoundedRect(QRectF(s * 0.06, s * 0.18, s * 0.36, s * 0.16), s * 0.04, s * 0.04);
    p.setBrush(QColor(250, 205, 90));
    p.drawRoundedRect(QRectF(s * 0.06, s * 0.26, s * 0.88, s * 0.60), s * 0.05, s * 0.05);
    p.setBrush(QColor(255, 225, 130));
    p.drawRect(QRectF(s * 0.06, s * 0.36, s * 0.88, s * 0.05));
}

void drawWindowGlyph(QPainter& p, qreal s, const QColor& c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(205, 212, 222));
    p.drawRoundedRect(QRectF(s * 0.08, s * 0.14, s * 0.84, s * 0.72), s * 0.06, s * 0.06);
    p.setBrush(c);
    p.drawRect(QRectF(s * 0.08, s * 0.14, s * 0.84, s * 0.14));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(s * 0.14, s * 0.34, s * 0.72, s * 0.46));
}

// The edge of a pie slice for a share 0..1 of the circle, starting at 0 degrees.
void drawPie(QPainter& p, const QRectF& r, qreal usedShare)
{
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(220, 60, 200));
    p.drawEllipse(r);
    p.setBrush(QColor(40, 80, 220));
    p.drawPie(r, 0, int(usedShare * 360 * 16));
}

void frameAndTitle(QPainter& p, QSize size)
{
    p.fillRect(QRect(QPoint(0, 0), size), QColor(241, 239, 226));
    p.setPen(QColor(160, 160, 150));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(0, 0, size.width() - 1, size.height() - 1));
}

} // namespace

QPixmap FileIcon(win::FileIconKind kind, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    switch (kind) {
    case FileIconKind::Folder:
        drawFolder(p, s);
        break;
    case FileIconKind::Text:
        drawSheet(p, s, QColor(), {});
        drawLines(p, s);
        break;
    case FileIconKind::Image: {
        drawSheet(p, s, QColor(), {});
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 190, 240));
        p.drawRect(QRectF(s * 0.26, s * 0.36, s * 0.48, s * 0.40));
        p.setBrush(QColor(70, 160, 80));
        p.drawPolygon(QPolygonF(
            {QPointF(s * 0.26, s * 0.76), QPointF(s * 0.44, s * 0.50), QPointF(s * 0.60, s * 0.76)}));
        p.setBrush(QColor(250, 210, 60));
        p.drawEllipse(QRectF(s * 0.56, s * 0.40, s * 0.10, s * 0.10));
        break;
    }
    case FileIconKind::Word:
        drawSheet(p, s, QColor(40, 90, 190), QStringLiteral("W"));
        break;
    case FileIconKind::Excel:
        drawSheet(p, s, QColor(30, 130, 70), QStringLiteral("X"));
        break;
    case FileIconKind::PowerPoint:
        drawSheet(p, s, QColor(210, 90, 40), QStringLiteral("P"));
        break;
    case FileIconKind::Access:
        drawSheet(p, s, QColor(160, 40, 60), QStringLiteral("A"));
        break;
    case FileIconKind::Pdf:
        drawSheet(p, s, QColor(200, 30, 30), QStringLiteral("PDF"));
        break;
    case FileIconKind::Help:
        drawSheet(p, s, QColor(90, 110, 170), QStringLiteral("?"));
        break;
    case FileIconKind::Web:
        drawSheet(p, s, QColor(40, 140, 220), QStringLiteral("e"));
        break;
    case FileIconKind::Archive: {
        p.setPen(Qt::NoPen);
        const QColor books[] = {QColor(150, 60, 160), QColor(60, 120, 200), QColor(60, 160, 90)};
        for (int i = 0; i < 3; ++i) {
            p.setBrush(books[i]);
            p.drawRoundedRect(QRectF(s * (0.14 + 0.24 * i), s * 0.14, s * 0.22, s * 0.74), s * 0.03,
                              s * 0.03);
        }
        p.setBrush(QColor(120, 90, 60));
        p.drawRect(QRectF(s * 0.10, s * 0.44, s * 0.80, s * 0.12));
        break;
    }
    case FileIconKind::Audio: {
        drawSheet(p, s, QColor(), {});
        p.setPen(QPen(QColor(60, 90, 170), qMax(1.0, s * 0.06), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.56, s * 0.30), QPointF(s * 0.56, s * 0.70));
        p.drawLine(QPointF(s * 0.56, s * 0.30), QPointF(s * 0.68, s * 0.38));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 90, 170));
        p.drawEllipse(QRectF(s * 0.38, s * 0.62, s * 0.20, s * 0.14));
        break;
    }
    case FileIconKind::Video: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 60, 70));
        p.drawRoundedRect(QRectF(s * 0.08, s * 0.18, s * 0.84, s * 0.64), s * 0.06, s * 0.06);
        p.setBrush(Qt::white);
        for (int i = 0; i < 4; ++i) {
            p.drawRect(QRectF(s * (0.14 + 0.20 * i), s * 0.22, s * 0.10, s * 0.06));
            p.drawRect(QRectF(s * (0.14 + 0.20 * i), s * 0.72, s * 0.10, s * 0.06));
        }
        p.setBrush(QColor(240, 180, 40));
        p.drawPolygon(QPolygonF(
            {QPointF(s * 0.42, s * 0.36), QPointF(s * 0.62, s * 0.50), QPointF(s * 0.42, s * 0.64)}));
        break;
    }
    case FileIconKind::Application:
        drawWindowGlyph(p, s, QColor(40, 100, 200));
        break;
    case FileIconKind::Link:
        drawSheet(p, s, QColor(), {});
        p.setPen(QPen(QColor(40, 100, 200), qMax(1.0, s * 0.07), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.34, s * 0.72), QPointF(s * 0.62, s * 0.44));
        p.drawLine(QPointF(s * 0.62, s * 0.44), QPointF(s * 0.46, s * 0.44));
        p.drawLine(QPointF(s * 0.62, s * 0.44), QPointF(s * 0.62, s * 0.60));
        break;
    case FileIconKind::Generic:
    default:
        drawSheet(p, s, QColor(), {});
        break;
    }
    return pm;
}

QPixmap ToolIcon(Tool tool, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    auto arrow = [&](const QColor& c, bool right) {
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
        p.setBrush(Qt::white);
        const qreal d = right ? 1 : -1;
        const qreal cx = s * 0.5;
        p.drawPolygon(QPolygonF({QPointF(cx + d * s * 0.24, s * 0.5), QPointF(cx - d * s * 0.02, s * 0.26),
                                 QPointF(cx - d * s * 0.02, s * 0.40), QPointF(cx - d * s * 0.24, s * 0.40),
                                 QPointF(cx - d * s * 0.24, s * 0.60), QPointF(cx - d * s * 0.02, s * 0.60),
                                 QPointF(cx - d * s * 0.02, s * 0.74)}));
    };
    switch (tool) {
    case Tool::Back:
        arrow(QColor(60, 160, 70), false);
        break;
    case Tool::Forward:
        arrow(QColor(60, 160, 70), true);
        break;
    case Tool::Up:
        drawFolder(p, s);
        p.setPen(QPen(QColor(40, 120, 50), s * 0.10, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.5, s * 0.78), QPointF(s * 0.5, s * 0.40));
        p.drawLine(QPointF(s * 0.5, s * 0.40), QPointF(s * 0.36, s * 0.54));
        p.drawLine(QPointF(s * 0.5, s * 0.40), QPointF(s * 0.64, s * 0.54));
        break;
    case Tool::Search:
        p.setPen(QPen(QColor(60, 90, 150), s * 0.10));
        p.setBrush(QColor(200, 225, 250));
        p.drawEllipse(QRectF(s * 0.12, s * 0.12, s * 0.50, s * 0.50));
        p.setPen(QPen(QColor(120, 80, 40), s * 0.14, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.58, s * 0.58), QPointF(s * 0.86, s * 0.86));
        break;
    case Tool::Folders:
        drawFolder(p, s);
        break;
    case Tool::Views:
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 4; ++i) {
            p.setBrush(i % 2 ? QColor(60, 120, 200) : QColor(250, 190, 60));
            p.drawRect(QRectF(s * (0.12 + 0.40 * (i % 2)), s * (0.12 + 0.40 * (i / 2)), s * 0.34, s * 0.34));
        }
        break;
    }
    return pm;
}

QPixmap DiskPicture(int size, bool disabled)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QColor body = disabled ? QColor(200, 200, 200) : QColor(190, 196, 206);
    p.setPen(Qt::NoPen);
    p.setBrush(body.darker(115));
    p.drawRoundedRect(QRectF(s * 0.08, s * 0.40, s * 0.84, s * 0.34), s * 0.06, s * 0.06);
    p.setBrush(body);
    p.drawRoundedRect(QRectF(s * 0.08, s * 0.30, s * 0.84, s * 0.34), s * 0.06, s * 0.06);
    p.setBrush(disabled ? QColor(170, 170, 170) : QColor(70, 180, 80));
    p.drawEllipse(QRectF(s * 0.74, s * 0.42, s * 0.08, s * 0.08));
    p.setBrush(disabled ? QColor(180, 180, 180) : QColor(120, 128, 140));
    p.drawRect(QRectF(s * 0.16, s * 0.44, s * 0.44, s * 0.05));
    return pm;
}

QPixmap TaskStrip(QSize size)
{
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(122, 160, 230));
    g.setColorAt(1, QColor(99, 117, 214));
    p.fillRect(QRect(QPoint(0, 0), size), g);
    const QStringList heads{QStringLiteral("系统任务"), QStringLiteral("其它位置"),
                            QStringLiteral("详细信息")};
    const QList<QStringList> items{
        {QStringLiteral("查看系统信息"), QStringLiteral("添加/删除程序"), QStringLiteral("更改一个设置")},
        {QStringLiteral("网上邻居"), QStringLiteral("我的文档"), QStringLiteral("共享文档"),
         QStringLiteral("控制面板")},
        {QStringLiteral("我的电脑"), QStringLiteral("系统文件夹")}};
    int y = 12;
    for (int i = 0; i < heads.size(); ++i) {
        const QRect head(12, y, size.width() - 24, 24);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(head, 4, 4);
        p.setFont(sim::SongFont(12, true));
        p.setPen(QColor(33, 93, 198));
        p.drawText(head.adjusted(8, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, heads[i]);
        const int h = 12 + 20 * int(items[i].size());
        const QRect body(12, y + 24, size.width() - 24, h);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(214, 223, 247));
        p.drawRect(body);
        p.setFont(sim::SongFont(12));
        p.setPen(QColor(33, 93, 198));
        for (int k = 0; k < items[i].size(); ++k) {
            const QRect line(body.left() + 10, body.top() + 6 + 20 * k, body.width() - 12, 20);
            p.setBrush(QColor(33, 93, 198));
            p.setPen(Qt::NoPen);
            p.drawEllipse(QRect(line.left(), line.center().y() - 3, 6, 6));
            p.setPen(QColor(33, 93, 198));
            p.drawText(line.adjusted(12, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, items[i][k]);
        }
        y += 24 + h + 14;
    }
    return pm;
}

QPixmap DrivePropertyPage(QChar drive, QSize size)
{
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    frameAndTitle(p, size);
    const bool c = drive.toUpper() == QLatin1Char('C');
    // The tabs of the sheet.
    const QStringList tabs{QStringLiteral("常规"), QStringLiteral("工具"), QStringLiteral("硬件"),
                           QStringLiteral("共享"), QStringLiteral("配额")};
    p.setFont(sim::SongFont(12));
    int x = 6;
    for (int i = 0; i < tabs.size(); ++i) {
        const QRect t(x, 6, 48, 20);
        p.setPen(QColor(150, 150, 140));
        p.setBrush(i == 0 ? QColor(252, 252, 254) : QColor(236, 234, 222));
        p.drawRect(t);
        p.setPen(Qt::black);
        p.drawText(t, Qt::AlignCenter, tabs[i]);
        x += 50;
    }
    const QRect page(6, 26, size.width() - 12, size.height() - 32);
    p.setPen(QColor(150, 150, 140));
    p.setBrush(QColor(252, 252, 254));
    p.drawRect(page);
    p.drawPixmap(page.left() + 14, page.top() + 12, DiskPicture(32));
    p.setPen(QColor(127, 157, 185));
    p.setBrush(Qt::white);
    p.drawRect(QRect(page.left() + 70, page.top() + 18, page.width() - 90, 20));
    p.setPen(Qt::black);
    p.setFont(sim::SongFont(12));
    p.drawText(QRect(page.left() + 74, page.top() + 18, 200, 20), Qt::AlignVCenter, QString());
    const QStringList labels{QStringLiteral("类型:"), QStringLiteral("文件系统:")};
    const QStringList values{QStringLiteral("本地磁盘"), QStringLiteral("NTFS")};
    int y = page.top() + 56;
    for (int i = 0; i < 2; ++i) {
        p.drawText(QRect(page.left() + 14, y, 100, 18), Qt::AlignVCenter, labels[i]);
        p.drawText(QRect(page.left() + 110, y, 160, 18), Qt::AlignVCenter, values[i]);
        y += 22;
    }
    p.setPen(QColor(200, 200, 190));
    p.drawLine(page.left() + 10, y + 4, page.right() - 10, y + 4);
    y += 14;
    const qint64 total = c ? 15676850176LL : 26413875200LL;
    const qint64 used = c ? 9663676416LL : 6871947673LL;
    const QString totalGb = c ? QStringLiteral("14.6 GB") : QStringLiteral("24.6 GB");
    const QString usedGb = c ? QStringLiteral("9.00 GB") : QStringLiteral("6.40 GB");
    const QString freeGb = c ? QStringLiteral("5.60 GB") : QStringLiteral("18.2 GB");
    const QLocale loc(QLocale::English);
    struct Row {
        QColor colour;
        QString label;
        qint64 bytes;
        QString gb;
    };
    const Row rows[] = {{QColor(40, 80, 220), QStringLiteral("已用空间:"), used, usedGb},
                        {QColor(220, 60, 200), QStringLiteral("可用空间:"), total - used, freeGb},
                        {QColor(), QStringLiteral("容量:"), total, totalGb}};
    for (const Row& r : rows) {
        if (r.colour.isValid()) {
            p.setPen(QColor(90, 90, 90));
            p.setBrush(r.colour);
            p.drawRect(QRect(page.left() + 14, y + 4, 12, 12));
        } else {
            p.setPen(QColor(200, 200, 190));
            p.drawLine(page.left() + 10, y - 2, page.right() - 10, y - 2);
        }
        p.setPen(Qt::black);
        p.drawText(QRect(page.left() + 32, y, 80, 20), Qt::AlignVCenter, r.label);
        p.drawText(QRect(page.left() + 100, y, 120, 20), Qt::AlignVCenter | Qt::AlignRight,
                   loc.toString(r.bytes) + QStringLiteral(" 字节"));
        p.drawText(QRect(page.left() + 230, y, 80, 20), Qt::AlignVCenter | Qt::AlignRight, r.gb);
        y += 24;
    }
    const QRectF pie(page.center().x() - 50, y + 4, 100, 60);
    drawPie(p, pie, qreal(used) / qreal(total));
    p.drawText(QRect(page.left(), int(pie.bottom()) + 4, page.width(), 18), Qt::AlignCenter,
               QStringLiteral("驱动器 %1").arg(drive.toUpper()));
    return pm;
}

QPixmap MyDocumentsView(QSize size)
{
    QPixmap pm(size);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QStringList names{QStringLiteral("图片文件夹"), QStringLiteral("图片收藏"),
                            QStringLiteral("我的音乐")};
    p.setFont(sim::SongFont(12));
    for (int i = 0; i < names.size(); ++i) {
        const QRect cell(20 + 110 * i, 20, 100, 90);
        p.drawPixmap(cell.center().x() - 24, cell.top(), FileIcon(win::FileIconKind::Folder, 48));
        p.setPen(Qt::black);
        p.drawText(QRect(cell.left(), cell.top() + 52, cell.width(), 20), Qt::AlignCenter, names[i]);
    }
    return pm;
}

QPixmap MyDocumentsPage(int page, QSize size)
{
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(QPoint(0, 0), size), QColor(252, 252, 254));
    p.setFont(sim::SongFont(12));
    p.setPen(Qt::black);
    p.drawPixmap(14, 14, FileIcon(win::FileIconKind::Folder, 32));
    switch (page) {
    case 0:
        p.drawText(QRect(56, 14, size.width() - 70, 32), Qt::AlignVCenter | Qt::TextWordWrap,
                   QStringLiteral("“我的文档”文件夹是用于存储文档的快捷方式。"));
        p.drawText(QRect(14, 64, 120, 20), Qt::AlignVCenter, QStringLiteral("目标文件夹位置"));
        p.drawText(QRect(14, 88, 60, 20), Qt::AlignVCenter, QStringLiteral("目标(&T):"));
        p.setPen(QColor(127, 157, 185));
        p.setBrush(Qt::white);
        p.drawRect(QRect(76, 88, size.width() - 92, 20));
        p.setPen(Qt::black);
        p.drawText(QRect(80, 88, size.width() - 96, 20), Qt::AlignVCenter,
                   QStringLiteral("D:\\Documents and Settings\\student\\My Documents"));
        break;
    case 1: {
        const QStringList labels{QStringLiteral("类型:"), QStringLiteral("位置:"), QStringLiteral("大小:"),
                                 QStringLiteral("包含:"), QStringLiteral("创建时间:")};
        const QStringList values{
            QStringLiteral("系统文件夹"), QStringLiteral("D:\\Documents and Settings\\student"),
            QStringLiteral("1.25 MB (1,318,912 字节)"), QStringLiteral("12 个文件，3 个文件夹"),
            QStringLiteral("2012年2月2日，18:04:21")};
        p.drawText(QRect(56, 14, 200, 32), Qt::AlignVCenter, QStringLiteral("我的文档"));
        for (int i = 0; i < labels.size(); ++i) {
            p.drawText(QRect(14, 64 + 24 * i, 80, 20), Qt::AlignVCenter, labels[i]);
            p.drawText(QRect(96, 64 + 24 * i, size.width() - 110, 20), Qt::AlignVCenter, values[i]);
        }
        p.drawText(QRect(14, 200, 60, 20), Qt::AlignVCenter, QStringLiteral("属性:"));
        p.drawRect(QRect(96, 204, 12, 12));
        p.drawText(QRect(114, 200, 120, 20), Qt::AlignVCenter, QStringLiteral("只读(&R)"));
        p.drawRect(QRect(96, 228, 12, 12));
        p.drawText(QRect(114, 224, 120, 20), Qt::AlignVCenter, QStringLiteral("隐藏(&H)"));
        break;
    }
    default:
        p.drawText(QRect(14, 60, size.width() - 28, 20), Qt::AlignVCenter, QStringLiteral("本地共享和安全"));
        p.drawText(QRect(14, 84, size.width() - 28, 60), Qt::AlignTop | Qt::TextWordWrap,
                   QStringLiteral("要与该计算机的其他用户共享该文件夹，请将其拖到“共享文档”文件夹。"));
        p.drawText(QRect(14, 150, size.width() - 28, 20), Qt::AlignVCenter, QStringLiteral("网络共享和安全"));
        p.drawRect(QRect(14, 178, 12, 12));
        p.drawText(QRect(32, 174, size.width() - 46, 20), Qt::AlignVCenter,
                   QStringLiteral("在网络上共享这个文件夹(&S)"));
        break;
    }
    return pm;
}

QPixmap RecycleTaskPane(QSize size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect head(0, 0, size.width(), 24);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(head, 4, 4);
    p.setFont(sim::SongFont(12, true));
    p.setPen(QColor(33, 93, 198));
    p.drawText(head.adjusted(8, 0, 0, 0), Qt::AlignVCenter, QStringLiteral("回收站任务"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 223, 247));
    p.drawRect(QRect(0, 24, size.width(), size.height() - 24));
    p.drawPixmap(8, 44, simart::DrawIcon(simart::Icon::RecycleFull, 16));
    p.drawPixmap(8, 64, FileIcon(win::FileIconKind::Folder, 16));
    return pm;
}

QPixmap RecycleDetailsPane(QSize size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QStringList heads{QStringLiteral("其它位置"), QStringLiteral("详细信息")};
    const QList<QStringList> items{{QStringLiteral("桌面"), QStringLiteral("我的文档"),
                                    QStringLiteral("我的电脑"), QStringLiteral("网上邻居")},
                                   {QStringLiteral("回收站"), QStringLiteral("系统文件夹")}};
    int y = 0;
    for (int i = 0; i < heads.size(); ++i) {
        const QRect head(0, y, size.width(), 24);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(head, 4, 4);
        p.setFont(sim::SongFont(12, true));
        p.setPen(QColor(33, 93, 198));
        p.drawText(head.adjusted(8, 0, 0, 0), Qt::AlignVCenter, heads[i]);
        const int h = 10 + 20 * int(items[i].size());
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(214, 223, 247));
        p.drawRect(QRect(0, y + 24, size.width(), h));
        p.setFont(sim::SongFont(12));
        p.setPen(QColor(33, 93, 198));
        for (int k = 0; k < items[i].size(); ++k)
            p.drawText(QRect(12, y + 29 + 20 * k, size.width() - 16, 20), Qt::AlignVCenter, items[i][k]);
        y += 24 + h + 12;
        if (y > size.height())
            break;
    }
    return pm;
}

} // namespace explorerart
