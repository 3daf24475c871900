#include "simulation/security/SecurityArt.h"

#include <QLinearGradient>
#include <QPainter>

#include "simulation/controlpanel/CpArt.h"

namespace secart {

namespace {

using cpart::Text;

const QColor kGreen(46, 160, 67);
const QColor kDarkGreen(24, 110, 44);

void titleBar(QPainter& p, int width, int height, const QString& title, bool minimise, const QRect& minRect,
              const QRect& closeRect)
{
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, kGreen.lighter(115));
    g.setColorAt(1, kDarkGreen);
    p.fillRect(QRect(0, 0, width, height), g);
    Text(p, QRect(10, 0, 400, height), title, 13, true, Qt::white);
    if (minimise) {
        p.setPen(QPen(Qt::white, 2));
        const QPoint c = minRect.center();
        p.drawLine(c.x() - 6, c.y() + 4, c.x() + 6, c.y() + 4);
    }
    p.setPen(QPen(Qt::white, 2));
    const QPoint c = closeRect.center();
    p.drawLine(c.x() - 5, c.y() - 5, c.x() + 5, c.y() + 5);
    p.drawLine(c.x() - 5, c.y() + 5, c.x() + 5, c.y() - 5);
}

void bigButton(QPainter& p, const QRect& r, const QString& caption, const QColor& fill)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(r, 10, 10);
    Text(p, r, caption, qMin(26, r.height() / 3), true, Qt::white, Qt::AlignCenter);
    p.restore();
}

void progress(QPainter& p, const QRect& r, int percent)
{
    p.fillRect(r, QColor(225, 232, 225));
    p.fillRect(QRect(r.left(), r.top(), r.width() * percent / 100, r.height()), kGreen);
}

void rows(QPainter& p, int x, int y, const QStringList& items, const QString& state)
{
    for (int i = 0; i < items.size(); ++i) {
        const QRect r(x, y + i * 34, 560, 30);
        p.fillRect(r, i % 2 ? QColor(246, 249, 246) : Qt::white);
        Text(p, r.adjusted(12, 0, 0, 0), items[i], 13);
        Text(p, r.adjusted(380, 0, 0, 0), state, 13, false, kDarkGreen);
    }
}

} // namespace

QPixmap SafeScreen(int screen)
{
    QPixmap pm(895, 604);
    pm.fill(QColor(248, 251, 248));
    QPainter p(&pm);
    // close (864, 0) 33 x 25 on screen 1, (862, 0) on the others.
    titleBar(p, 895, 25, QStringLiteral("360安全卫士"), false, {}, QRect(screen == 1 ? 864 : 862, 0, 33, 25));
    p.fillRect(QRect(0, 25, 895, 70), QColor(230, 244, 232));
    const char* tabs[] = {"电脑体检", "查杀木马", "清理插件", "修复漏洞", "清理垃圾", "系统修复", "软件管家"};
    for (int i = 0; i < 7; ++i)
        Text(p, QRect(20 + i * 120, 25, 110, 70), QString::fromUtf8(tabs[i]), 14, i == 0, kDarkGreen,
             Qt::AlignCenter);
    const QStringList checks{QStringLiteral("系统漏洞"), QStringLiteral("木马病毒"),
                             QStringLiteral("恶评插件"), QStringLiteral("系统垃圾"),
                             QStringLiteral("启动项")};
    switch (screen) {
    case 1:
        Text(p, QRect(60, 130, 780, 50), QStringLiteral("建议您立即进行电脑体检，全面了解电脑的安全状况。"),
             18, true);
        // start (208, 304) 297 x 121.
        bigButton(p, QRect(208, 304, 297, 121), QStringLiteral("立即体检"), kGreen);
        Text(p, QRect(540, 330, 300, 60), QStringLiteral("上次体检: 从未体检"), 13, false,
             QColor(100, 100, 100));
        break;
    case 2:
    case 3:
        Text(p, QRect(60, 120, 780, 40),
             screen == 2 ? QStringLiteral("正在进行电脑体检，请稍候……")
                         : QStringLiteral("正在检查系统中的安全项目……"),
             18, true);
        progress(p, QRect(60, 170, 775, 18), screen == 2 ? 35 : 80);
        rows(p, 60, 220, checks, screen == 2 ? QStringLiteral("检查中") : QStringLiteral("已完成"));
        break;
    case 4:
        Text(p, QRect(60, 98, 580, 28), QStringLiteral("体检完成，发现 2 项需要处理的问题"), 15, true,
             QColor(200, 80, 30));
        // action hot spots (528, 128) and (528, 256), 113 x 73.
        p.fillRect(QRect(60, 128, 450, 73), Qt::white);
        Text(p, QRect(72, 128, 440, 73), QStringLiteral("发现系统漏洞 3 个，建议立即修复"), 14);
        bigButton(p, QRect(528, 128, 113, 73), QStringLiteral("立即修复"), QColor(230, 120, 30));
        p.fillRect(QRect(60, 256, 450, 73), Qt::white);
        Text(p, QRect(72, 256, 440, 73), QStringLiteral("发现系统垃圾 512 MB，建议立即清理"), 14);
        bigButton(p, QRect(528, 256, 113, 73), QStringLiteral("一键清理"), QColor(230, 120, 30));
        break;
    case 5:
    case 6:
        Text(p, QRect(60, 120, 780, 40),
             screen == 5 ? QStringLiteral("正在修复问题，请稍候……") : QStringLiteral("正在清理系统垃圾……"),
             18, true);
        progress(p, QRect(60, 170, 775, 18), screen == 5 ? 40 : 85);
        rows(p, 60, 220, {QStringLiteral("系统漏洞"), QStringLiteral("系统垃圾")},
             screen == 5 ? QStringLiteral("处理中") : QStringLiteral("已处理"));
        break;
    default:
        bigButton(p, QRect(60, 130, 120, 120), QStringLiteral("100"), kGreen);
        Text(p, QRect(210, 140, 620, 50), QStringLiteral("您的电脑很安全，所有问题都已处理完毕。"), 20, true,
             kDarkGreen);
        Text(p, QRect(210, 200, 620, 40), QStringLiteral("体检得分: 100 分"), 14);
        rows(p, 60, 300, checks, QStringLiteral("安全"));
        break;
    }
    Text(p, QRect(20, 574, 500, 24), QStringLiteral("360安全卫士  程序版本 7.0"), 11, false,
         QColor(120, 120, 120));
    return pm;
}

QPixmap SdScreen(int screen)
{
    const bool small = screen == 1;
    const QSize size = small ? QSize(500, 374) : QSize(642, 479);
    QPixmap pm(size);
    pm.fill(QColor(246, 250, 255));
    QPainter p(&pm);
    // minimise (419, 0) 37 x 21 and close (456, 0) 41 x 21 on screen 1;
    // minimise (550, 0) 37 x 21 and close (587, 0) 47 x 21 on screens 2 and 3.
    const QRect minRect = small ? QRect(419, 0, 37, 21) : QRect(550, 0, 37, 21);
    const QRect closeRect = small ? QRect(456, 0, 41, 21) : QRect(587, 0, 47, 21);
    titleBar(p, size.width(), 21, QStringLiteral("360杀毒"), true, minRect, closeRect);
    switch (screen) {
    case 1:
        Text(p, QRect(20, 40, 460, 60), QStringLiteral("病毒查杀"), 20, true, QColor(30, 100, 170));
        // start (40, 128) 137 x 129.
        bigButton(p, QRect(40, 128, 137, 129), QStringLiteral("快速扫描"), QColor(40, 130, 210));
        bigButton(p, QRect(200, 128, 120, 129), QStringLiteral("全盘扫描"), QColor(140, 170, 200));
        bigButton(p, QRect(340, 128, 120, 129), QStringLiteral("指定位置"), QColor(140, 170, 200));
        Text(p, QRect(20, 300, 460, 40), QStringLiteral("病毒库日期: 2012-03-05"), 12, false,
             QColor(100, 100, 100));
        break;
    case 2:
        Text(p, QRect(20, 36, 600, 40), QStringLiteral("扫描完成，发现 2 个安全威胁，请立即处理。"), 16, true,
             QColor(200, 60, 40));
        p.fillRect(QRect(20, 90, 602, 320), Qt::white);
        Text(p, QRect(30, 96, 580, 30), QStringLiteral("Trojan.Generic   C:\\WINDOWS\\temp\\setup.exe"), 13);
        Text(p, QRect(30, 130, 580, 30), QStringLiteral("Worm.Autorun    D:\\autorun.inf"), 13);
        // 开始处理 (424, 432) and 暂不处理 (526, 432), 89 x 27.
        bigButton(p, QRect(424, 432, 89, 27), QStringLiteral("开始处理"), QColor(40, 130, 210));
        bigButton(p, QRect(526, 432, 89, 27), QStringLiteral("暂不处理"), QColor(150, 160, 170));
        break;
    default:
        Text(p, QRect(20, 60, 600, 50), QStringLiteral("处理完成，您的电脑已安全。"), 20, true,
             QColor(30, 140, 60));
        p.fillRect(QRect(20, 130, 602, 260), Qt::white);
        Text(p, QRect(30, 140, 580, 30), QStringLiteral("Trojan.Generic   已删除"), 13);
        Text(p, QRect(30, 174, 580, 30), QStringLiteral("Worm.Autorun    已删除"), 13);
        break;
    }
    return pm;
}

} // namespace secart
