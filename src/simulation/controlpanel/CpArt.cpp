#include "simulation/controlpanel/CpArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "simulation/desktop/SimArt.h"
#include "simulation/desktop/SimWindows.h"

namespace cpart {

void Text(QPainter& p, const QRect& r, const QString& text, int px, bool bold, const QColor& colour,
          int flags)
{
    p.save();
    p.setFont(sim::SongFont(px, bold));
    p.setPen(colour);
    // Pictures show an access key without its "&".
    QString shown = text;
    shown.remove(QLatin1Char('&'));
    p.drawText(r, flags ? flags : (Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap), shown);
    p.restore();
}

void Button(QPainter& p, const QRect& r, const QString& caption, bool enabled)
{
    p.save();
    const QRect b = r.adjusted(3, 4, -3, -4);
    p.setPen(QColor(0, 60, 116));
    p.setBrush(QColor(250, 250, 246));
    p.drawRoundedRect(b, 3, 3);
    Text(p, b, caption, 12, false, enabled ? Qt::black : QColor(160, 160, 150), Qt::AlignCenter);
    p.restore();
}

void Link(QPainter& p, const QRect& r, const QString& caption, const QColor& colour)
{
    p.save();
    QFont f = sim::SongFont(12);
    f.setUnderline(true);
    p.setFont(f);
    p.setPen(colour);
    QString shown = caption;
    shown.remove(QLatin1Char('&'));
    p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, shown);
    p.restore();
}

void Glyph(QPainter& p, const QRect& r, const QColor& fill, const QString& glyph)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(r, r.width() / 6.0, r.height() / 6.0);
    p.setBrush(fill.lighter(135));
    p.drawRoundedRect(r.adjusted(2, 2, -2, -r.height() / 2), r.width() / 8.0, r.height() / 8.0);
    Text(p, r, glyph, qMax(9, r.height() / 3), true, Qt::white, Qt::AlignCenter);
    p.restore();
}

void Option(QPainter& p, const QPoint& at, const QString& caption, bool checked)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(28, 81, 128));
    p.setBrush(Qt::white);
    p.drawEllipse(QRect(at.x(), at.y(), 13, 13));
    if (checked) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(33, 161, 33));
        p.drawEllipse(QRect(at.x() + 4, at.y() + 4, 5, 5));
    }
    p.restore();
    Text(p, QRect(at.x() + 20, at.y() - 3, 420, 19), caption);
}

void GroupBox(QPainter& p, const QRect& r, const QString& title)
{
    p.save();
    p.setPen(QColor(208, 208, 191));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, 3, 3);
    const int w = QFontMetrics(sim::SongFont(12)).horizontalAdvance(title) + 8;
    p.fillRect(QRect(r.left() + 6, r.top() - 7, w, 14), kFace);
    Text(p, QRect(r.left() + 10, r.top() - 7, w, 14), title, 12, false, QColor(0, 70, 213));
    p.restore();
}

namespace {

QPixmap filled(const QSize& size, const QColor& colour)
{
    QPixmap pm(size);
    pm.fill(colour);
    return pm;
}

// One box of the blue task pane: its heading at `top` and its links, each in its
// own rectangle (the hot spots of the windows lie over some of them).
struct PaneLink {
    QString text;
    QRect rect;
    bool glyph = false;
};

void paneBox(QPainter& p, int top, const QString& heading, const QList<PaneLink>& links)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRect(10, top, 190, 24), 4, 4);
    Text(p, QRect(18, top, 180, 24), heading, 12, true, QColor(33, 93, 198));
    int bottom = top + 30;
    for (const PaneLink& l : links)
        bottom = qMax(bottom, l.rect.bottom() + 6);
    p.setBrush(QColor(214, 223, 247));
    p.drawRect(QRect(10, top + 24, 190, bottom - top - 24));
    for (const PaneLink& l : links) {
        int x = l.rect.left() + 8;
        if (l.glyph) {
            Glyph(p, QRect(l.rect.left() + 4, l.rect.center().y() - 11, 22, 22), QColor(60, 120, 170),
                  QStringLiteral("+"));
            x = l.rect.left() + 32;
        }
        Link(p, QRect(x, l.rect.top(), l.rect.right() - x, l.rect.height()), l.text, QColor(33, 93, 198));
    }
}

void taskPaneBackground(QPainter& p, int height)
{
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, QColor(123, 162, 231));
    g.setColorAt(1, QColor(99, 117, 214));
    p.fillRect(QRect(0, 0, 210, height), g);
}

void applet(QPainter& p, const QRect& r, const QColor& fill, const QString& glyph, const QString& caption)
{
    Glyph(p, QRect(r.left() + 8, r.top() + (r.height() - 40) / 2, 40, 40), fill, glyph);
    Text(p, QRect(r.left() + 54, r.top(), r.width() - 56, r.height()), caption, 12);
}

} // namespace

QPixmap ControlPanelCategories(const QSize& size)
{
    QPixmap pm = filled(size, Qt::white);
    QPainter p(&pm);
    taskPaneBackground(p, size.height());
    // The link at (8, 128) 201 x 49 switches to the classic view.
    paneBox(p, 94, QStringLiteral("控制面板"),
            {{QStringLiteral("切换到经典视图"), QRect(8, 128, 192, 49), true}});
    paneBox(p, 200, QStringLiteral("请参阅"),
            {{QStringLiteral("Windows Update"), QRect(10, 228, 190, 26)},
             {QStringLiteral("帮助和支持"), QRect(10, 254, 190, 26)},
             {QStringLiteral("其他控制面板选项"), QRect(10, 280, 190, 26)}});
    Text(p, QRect(240, 24, 600, 40), QStringLiteral("选择一个类别"), 22, true, QColor(33, 93, 198));
    const struct {
        const char* caption;
        QColor fill;
        const char* glyph;
    } cats[] = {{"外观和主题", QColor(80, 140, 220), "主"},
                {"网络和 Internet 连接", QColor(60, 170, 90), "网"},
                {"添加/删除程序", QColor(230, 150, 40), "程"},
                {"声音、语音和音频设备", QColor(140, 110, 200), "声"},
                {"性能和维护", QColor(120, 130, 150), "维"},
                {"打印机和其它硬件", QColor(60, 120, 170), "印"},
                {"用户帐户", QColor(200, 90, 90), "户"},
                {"日期、时间、语言和区域设置", QColor(40, 150, 170), "时"},
                {"辅助功能选项", QColor(90, 170, 60), "辅"},
                {"安全中心", QColor(200, 60, 60), "安"}};
    for (int i = 0; i < 10; ++i) {
        const QRect r(250 + (i % 2) * 380, 90 + (i / 2) * 96, 360, 70);
        applet(p, r, cats[i].fill, QString::fromUtf8(cats[i].glyph), QString::fromUtf8(cats[i].caption));
    }
    return pm;
}

QPixmap ControlPanelClassic(const QSize& size)
{
    QPixmap pm = filled(size, Qt::white);
    QPainter p(&pm);
    taskPaneBackground(p, size.height());
    // The link at (8, 104) 193 x 41 switches to the category view.
    paneBox(p, 70, QStringLiteral("控制面板"),
            {{QStringLiteral("切换到分类视图"), QRect(8, 104, 192, 41), true}});
    paneBox(p, 170, QStringLiteral("请参阅"),
            {{QStringLiteral("Windows Update"), QRect(10, 198, 190, 26)},
             {QStringLiteral("帮助和支持"), QRect(10, 224, 190, 26)}});
    const struct {
        const char* caption;
        QColor fill;
        const char* glyph;
        QRect r;
    } apps[] = {{"Internet 选项", QColor(40, 120, 210), "IE", QRect(240, 134, 180, 73)},
                {"辅助功能选项", QColor(90, 170, 60), "辅", QRect(440, 134, 180, 73)},
                {"添加或删除程序", QColor(230, 150, 40), "程", QRect(640, 134, 180, 73)},
                {"打印机和传真", QColor(60, 120, 170), "印", QRect(832, 134, 185, 73)},
                {"日期和时间", QColor(40, 150, 170), "时", QRect(240, 220, 180, 73)},
                {"显示", QColor(80, 140, 220), "显", QRect(440, 220, 180, 73)},
                {"网络连接", QColor(60, 170, 90), "网", QRect(640, 220, 180, 73)},
                {"系统", QColor(120, 130, 150), "系", QRect(840, 220, 180, 73)},
                {"用户帐户", QColor(200, 90, 90), "户", QRect(240, 304, 180, 64)},
                {"声音和音频设备", QColor(140, 110, 200), "声", QRect(440, 304, 180, 64)},
                {"字体", QColor(200, 160, 40), "字", QRect(640, 304, 180, 64)},
                {"鼠标", QColor(110, 110, 120), "鼠", QRect(848, 308, 137, 60)},
                {"任务栏和「开始」菜单", QColor(50, 110, 190), "任", QRect(240, 390, 180, 64)},
                {"区域和语言选项", QColor(40, 160, 120), "区", QRect(440, 390, 180, 64)},
                {"管理工具", QColor(130, 130, 100), "管", QRect(640, 390, 180, 64)},
                {"安全中心", QColor(200, 60, 60), "安", QRect(840, 390, 180, 64)}};
    for (const auto& a : apps)
        applet(p, a.r, a.fill, QString::fromUtf8(a.glyph), QString::fromUtf8(a.caption));
    return pm;
}

QPixmap PointerScheme(int index)
{
    QPixmap pm = filled(QSize(150, 120), Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const int big = (index % 3 == 1) ? 4 : (index % 3 == 2) ? 8 : 0;
    const QColor fill = (index >= 7 && index <= 9) ? Qt::black
        : (index >= 4 && index <= 6)               ? QColor(40, 40, 40)
                                                   : QColor::fromHsv((index * 37) % 360, 60, 255);
    for (int i = 0; i < 3; ++i) {
        QPainterPath arrow;
        const QPointF o(20 + i * 42, 30 + (i % 2) * 30);
        const qreal s = 1.0 + big / 10.0;
        arrow.moveTo(o);
        arrow.lineTo(o + QPointF(0, 24 * s));
        arrow.lineTo(o + QPointF(6 * s, 18 * s));
        arrow.lineTo(o + QPointF(11 * s, 28 * s));
        arrow.lineTo(o + QPointF(15 * s, 26 * s));
        arrow.lineTo(o + QPointF(10 * s, 16 * s));
        arrow.lineTo(o + QPointF(18 * s, 16 * s));
        arrow.closeSubpath();
        p.setPen(QPen(fill == Qt::black ? Qt::white : Qt::black, 1));
        p.setBrush(fill);
        p.drawPath(arrow);
    }
    Text(p, QRect(0, 96, 150, 22), QStringLiteral("方案 %1").arg(index), 11, false, QColor(90, 90, 90),
         Qt::AlignCenter);
    return pm;
}

QPixmap PointerPicture(bool hand)
{
    QPixmap pm = filled(QSize(32, 32), Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    if (hand) {
        p.drawRoundedRect(QRectF(9, 14, 16, 14), 4, 4);
        p.drawRoundedRect(QRectF(11, 3, 5, 14), 2, 2);
    } else {
        QPainterPath a;
        a.moveTo(10, 4);
        a.lineTo(10, 26);
        a.lineTo(15, 21);
        a.lineTo(19, 29);
        a.lineTo(22, 28);
        a.lineTo(18, 20);
        a.lineTo(25, 20);
        a.closeSubpath();
        p.drawPath(a);
    }
    return pm;
}

QPixmap MouseDevice()
{
    QPixmap pm = filled(QSize(70, 90), kFace);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(QColor(245, 245, 245));
    p.drawRoundedRect(QRectF(10, 10, 50, 74), 24, 24);
    p.drawLine(QPointF(35, 10), QPointF(35, 40));
    p.drawLine(QPointF(10, 40), QPointF(60, 40));
    p.setBrush(QColor(120, 170, 230));
    p.drawRoundedRect(QRectF(31, 18, 8, 14), 3, 3);
    return pm;
}

QPixmap Background(const QString& name)
{
    QPixmap pm(QSize(64, 48));
    const int n = name.mid(3).toInt();
    QPainter p(&pm);
    QLinearGradient g(0, 0, 64, 48);
    const QColor a = QColor::fromHsv((n * 70 + 180) % 360, 140, 230);
    g.setColorAt(0, a);
    g.setColorAt(1, a.darker(160));
    p.fillRect(pm.rect(), g);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 110));
    if (n % 2)
        p.drawEllipse(QRectF(28, 6, 22, 22));
    else
        p.drawPolygon(QPolygonF({QPointF(0, 48), QPointF(26, 18), QPointF(52, 48)}));
    return pm;
}

QPixmap Monitor(const QString& background)
{
    QPixmap pm = filled(QSize(184, 160), kFace);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 200, 196));
    p.drawRoundedRect(QRectF(8, 4, 168, 126), 8, 8);
    p.drawRect(QRectF(72, 130, 40, 14));
    p.drawRoundedRect(QRectF(46, 142, 92, 12), 4, 4);
    const QRect screen(20, 16, 144, 102);
    if (background.isEmpty())
        p.fillRect(screen, simart::kDesktopBlue);
    else
        p.drawPixmap(screen, Background(background));
    return pm;
}

QPixmap ThemePage(const QSize& size, const QString& title)
{
    QPixmap pm = filled(size, kFace);
    QPainter p(&pm);
    Text(p, QRect(12, 8, size.width() - 24, 40), title, 12);
    p.setPen(kBorder);
    p.setBrush(Qt::white);
    p.drawRect(QRect(12, 56, size.width() - 24, size.height() - 70));
    p.fillRect(QRect(24, 68, size.width() - 48, 24), kBlue);
    Text(p, QRect(30, 68, 200, 24), QStringLiteral("示例"), 12, true, Qt::white);
    Button(p, QRect(size.width() - 110, size.height() - 50, 90, 30), QStringLiteral("确定"));
    return pm;
}

QPixmap StartMenuPreview(bool classic)
{
    QPixmap pm = filled(QSize(150, 110), Qt::white);
    QPainter p(&pm);
    if (classic) {
        p.fillRect(QRect(10, 10, 20, 90), QColor(10, 36, 106));
        p.fillRect(QRect(30, 10, 100, 90), kFace);
        for (int i = 0; i < 6; ++i)
            Text(p, QRect(36, 14 + i * 14, 90, 14), QStringLiteral("项目 %1").arg(i + 1), 10);
    } else {
        p.fillRect(QRect(10, 6, 130, 16), kBlue);
        p.fillRect(QRect(10, 22, 65, 76), Qt::white);
        p.fillRect(QRect(75, 22, 65, 76), QColor(211, 229, 250));
        p.fillRect(QRect(10, 98, 130, 8), kBlue);
        p.setPen(kBorder);
        p.drawRect(QRect(10, 6, 130, 100));
    }
    return pm;
}

QPixmap ClockFace()
{
    QPixmap pm = filled(QSize(150, 150), kFace);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(10, 10, 130, 130));
    for (int i = 0; i < 12; ++i) {
        p.save();
        p.translate(75, 75);
        p.rotate(i * 30);
        p.drawLine(QPointF(0, -58), QPointF(0, -50));
        p.restore();
    }
    p.drawLine(QPointF(75, 75), QPointF(75, 38));
    p.drawLine(QPointF(75, 75), QPointF(104, 75));
    return pm;
}

QPixmap TimeZoneMap()
{
    QPixmap pm = filled(QSize(360, 200), QColor(120, 170, 230));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 170, 90));
    p.drawEllipse(QRectF(30, 40, 90, 70));
    p.drawEllipse(QRectF(150, 30, 150, 80));
    p.drawEllipse(QRectF(240, 120, 70, 50));
    p.drawEllipse(QRectF(80, 120, 40, 60));
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawRect(QRect(262, 0, 24, 200));
    return pm;
}

// ---- add-printer wizard ------------------------------------------------------------

QPixmap PrintersFolder(bool withPrinter)
{
    const QSize size(870, 640);
    QPixmap pm = filled(size, Qt::white);
    QPainter p(&pm);
    taskPaneBackground(p, size.height());
    // The task link "添加打印机" lies at (16, 120) 185 x 33.
    paneBox(p, 90, QStringLiteral("打印机任务"),
            {{QStringLiteral("添加打印机"), QRect(16, 120, 184, 33), true},
             {QStringLiteral("设置传真"), QRect(16, 153, 184, 30)}});
    paneBox(p, 210, QStringLiteral("请参阅"),
            {{QStringLiteral("打印疑难解答"), QRect(10, 238, 190, 26)},
             {QStringLiteral("从 Internet 上获得帮助"), QRect(10, 264, 190, 26)}});
    paneBox(p, 320, QStringLiteral("其它位置"),
            {{QStringLiteral("控制面板"), QRect(10, 348, 190, 26)},
             {QStringLiteral("扫描仪和照相机"), QRect(10, 374, 190, 26)},
             {QStringLiteral("我的文档"), QRect(10, 400, 190, 26)}});
    Text(p, QRect(240, 20, 600, 30), QStringLiteral("打印机和传真"), 18, true, QColor(33, 93, 198));
    applet(p, QRect(240, 70, 200, 70), QColor(150, 150, 160), QStringLiteral("传"), QStringLiteral("Fax"));
    if (withPrinter)
        applet(p, QRect(460, 70, 330, 70), QColor(60, 120, 170), QStringLiteral("印"),
               QStringLiteral("192.168.0.189 上的 Canon iP2700 series\n就绪"));
    return pm;
}

namespace {

void wizardFrame(QPainter& p, const QSize& size, bool welcome, const QString& title, const QString& subtitle,
                 bool backEnabled, const QString& next, bool nextEnabled = true)
{
    p.fillRect(QRect(QPoint(0, 0), size), kFace);
    if (welcome) {
        QLinearGradient g(0, 0, 0, size.height());
        g.setColorAt(0, QColor(90, 126, 220));
        g.setColorAt(1, QColor(40, 70, 170));
        p.fillRect(QRect(0, 0, 164, 318), g);
        Glyph(p, QRect(46, 40, 72, 72), QColor(60, 120, 170), QStringLiteral("印"));
        p.fillRect(QRect(164, 0, size.width() - 164, 318), Qt::white);
        Text(p, QRect(180, 16, 300, 60), title, 16, true);
    } else {
        p.fillRect(QRect(0, 0, size.width(), 58), Qt::white);
        Text(p, QRect(20, 8, 400, 20), title, 12, true);
        Text(p, QRect(36, 28, 400, 26), subtitle, 12);
        Glyph(p, QRect(size.width() - 60, 8, 42, 42), QColor(60, 120, 170), QStringLiteral("印"));
        p.setPen(QColor(172, 168, 153));
        p.drawLine(0, 58, size.width(), 58);
    }
    p.setPen(QColor(172, 168, 153));
    p.drawLine(0, 318, size.width(), 318);
    // back (246, 329), next (328, 328), cancel (412, 328), each 81 x 33.
    Button(p, QRect(246, 329, 81, 33), QStringLiteral("< 上一步(&B)"), backEnabled);
    Button(p, QRect(328, 328, 81, 33), next, nextEnabled);
    Button(p, QRect(412, 328, 81, 33), QStringLiteral("取消"));
}

} // namespace

QPixmap Wizard(WizardPage page)
{
    const QSize size(501, 366);
    QPixmap pm(size);
    QPainter p(&pm);
    const QString next = QStringLiteral("下一步(&N) >");
    switch (page) {
    case WizardPage::Welcome:
        wizardFrame(p, size, true, QStringLiteral("欢迎使用添加打印机向导"), {}, false, next);
        Text(p, QRect(180, 86, 300, 120),
             QStringLiteral("此向导帮助您安装打印机或建立打印机连接。\n\n如果您有即插即用打印机，"
                            "使用 USB 端口或任何其它热插拔端口连接，Windows 会自动安装它，"
                            "您不需要使用此向导。"));
        Text(p, QRect(180, 260, 300, 40), QStringLiteral("要继续，请单击“下一步”。"));
        break;
    case WizardPage::TypeLocal:
    case WizardPage::TypeNetwork: {
        const bool local = page == WizardPage::TypeLocal;
        wizardFrame(p, size, false, QStringLiteral("本地或网络打印机"),
                    QStringLiteral("向导需要知道要设置哪类打印机。"), true, next);
        Text(p, QRect(36, 76, 440, 24), QStringLiteral("选择描述您要使用的打印机的选项:"));
        // first option at (32, 112), second at (40, 144) 265 x 33.
        Option(p, QPoint(40, 118), QStringLiteral("连接到此计算机的本地打印机(&L)"), local);
        Option(p, QPoint(40, 154), QStringLiteral("网络打印机或连接到其它计算机的打印机(&E)"), !local);
        Text(p, QRect(60, 190, 400, 90),
             QStringLiteral("要设置没有连接到打印服务器的网络打印机，请使用“本地打印机”选项。"), 12, false,
             QColor(80, 80, 80));
        break;
    }
    case WizardPage::Local:
        wizardFrame(p, size, false, QStringLiteral("新打印机检测"),
                    QStringLiteral("Windows 将检测即插即用打印机。"), true, next, false);
        Text(p, QRect(40, 90, 420, 120),
             QStringLiteral("没有检测到即插即用打印机。\n\n此计算机上没有连接本地打印机。"
                            "要安装网络打印机，请单击“上一步”，选择网络打印机。"));
        break;
    case WizardPage::Specify:
        wizardFrame(p, size, false, QStringLiteral("指定打印机"),
                    QStringLiteral("如果不知道打印机的名称或地址，您可以搜索符合您的需求的打印机。"), true,
                    next);
        Text(p, QRect(30, 92, 440, 22), QStringLiteral("要连接到哪台打印机?"));
        Text(p, QRect(66, 117, 300, 20), QStringLiteral("浏览打印机(&W)"));
        Text(p, QRect(66, 143, 300, 20), QStringLiteral("连接到这台打印机(&C):"));
        Text(p, QRect(66, 166, 30, 22), QStringLiteral("名称:"));
        Text(p, QRect(100, 190, 300, 18), QStringLiteral("例如: \\\\server\\printer"), 11, false,
             QColor(90, 90, 90));
        Text(p, QRect(66, 208, 380, 20), QStringLiteral("连接到 Internet、家庭或办公网络上的打印机(&O):"));
        Text(p, QRect(66, 235, 30, 22), QStringLiteral("URL:"));
        Text(p, QRect(100, 260, 380, 36), QStringLiteral("例如: http://server/printers/myprinter/.printer"),
             11, false, QColor(90, 90, 90));
        break;
    case WizardPage::Browse:
        wizardFrame(p, size, false, QStringLiteral("浏览打印机"),
                    QStringLiteral("打印机列表出现后，选择要使用的打印机。"), true, next);
        Text(p, QRect(28, 94, 64, 22), QStringLiteral("打印机(&P):"));
        Text(p, QRect(28, 113, 200, 20), QStringLiteral("共享打印机(&S):"));
        GroupBox(p, QRect(28, 246, 445, 62), QStringLiteral("打印机信息"));
        Text(p, QRect(40, 256, 300, 20), QStringLiteral("注释:"), 11);
        Text(p, QRect(40, 278, 300, 20), QStringLiteral("状态:        等待打印的文档:"), 11);
        break;
    case WizardPage::Completing:
        wizardFrame(p, size, true, QStringLiteral("正在完成添加打印机向导"), {}, true,
                    QStringLiteral("完成"));
        Text(p, QRect(180, 86, 300, 40),
             QStringLiteral("您已成功完成添加打印机向导。\n您指定了以下打印机设置:"));
        Text(p, QRect(190, 140, 290, 100),
             QStringLiteral("名称:    192.168.0.189 上的 Canon iP2700 series\n默认:    是\n位置:\n注释:"));
        Text(p, QRect(180, 270, 300, 30), QStringLiteral("要关闭此向导，单击“完成”。"));
        break;
    }
    return pm;
}

QPixmap WizardButtonRow()
{
    QPixmap pm(QSize(501, 48));
    QPainter p(&pm);
    p.fillRect(pm.rect(), kFace);
    p.setPen(QColor(172, 168, 153));
    p.drawLine(0, 0, 501, 0);
    Button(p, QRect(246, 11, 81, 33), QStringLiteral("< 上一步(&B)"));
    Button(p, QRect(328, 10, 81, 33), QStringLiteral("下一步(&N) >"));
    Button(p, QRect(412, 10, 81, 33), QStringLiteral("取消"));
    return pm;
}

QPixmap ConnectConfirm()
{
    QPixmap pm(QSize(785, 117));
    QPainter p(&pm);
    p.fillRect(pm.rect(), kFace);
    p.fillRect(QRect(0, 0, 785, 24), kBlue);
    Text(p, QRect(8, 0, 400, 24), QStringLiteral("连接到打印机"), 12, true, Qt::white);
    Glyph(p, QRect(16, 34, 32, 32), QColor(230, 170, 30), QStringLiteral("!"));
    Text(p, QRect(60, 30, 710, 40),
         QStringLiteral("您将连接到 192.168.0.189 上的打印机 Canon iP2700 "
                        "series。这将在您的计算机上自动安装一个打印驱动程序。"
                        "打印驱动程序可能含有病毒或其它有害程序。您要继续吗?"),
         12);
    // yes (312, 77), no (395, 76), each 81 x 33.
    Button(p, QRect(312, 77, 81, 33), QStringLiteral("是(&Y)"));
    Button(p, QRect(395, 76, 81, 33), QStringLiteral("否(&N)"));
    return pm;
}

} // namespace cpart
