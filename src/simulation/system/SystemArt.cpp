#include "simulation/system/SystemArt.h"

#include <QPainter>

#include "simulation/controlpanel/CpArt.h"

namespace sysart {

namespace {

using cpart::Button;
using cpart::Glyph;
using cpart::GroupBox;
using cpart::Text;

void checkBox(QPainter& p, const QPoint& at, const QString& caption, bool checked)
{
    p.save();
    p.setPen(QColor(28, 81, 128));
    p.setBrush(Qt::white);
    p.drawRect(QRect(at, QSize(12, 12)));
    if (checked) {
        p.setPen(QPen(QColor(33, 161, 33), 2));
        p.drawLine(at + QPoint(2, 6), at + QPoint(5, 9));
        p.drawLine(at + QPoint(5, 9), at + QPoint(10, 3));
    }
    p.restore();
    Text(p, QRect(at.x() + 18, at.y() - 4, 340, 20), caption);
}

} // namespace

QPixmap SystemPropertyPage(int page, const QSize& size)
{
    QPixmap pm(size);
    pm.fill(cpart::kFace);
    QPainter p(&pm);
    const int w = size.width();
    switch (page) {
    case 0:
        Glyph(p, QRect(20, 20, 120, 100), QColor(46, 134, 222), QStringLiteral("XP"));
        Text(p, QRect(170, 14, w - 180, 120),
             QStringLiteral(
                 "系统:\n    Microsoft Windows XP\n    Professional\n    版本 2002\n    Service Pack 3"));
        Text(p, QRect(170, 140, w - 180, 60), QStringLiteral("注册到:\n    student"));
        Text(p, QRect(170, 210, w - 180, 100),
             QStringLiteral("计算机:\n    Intel(R) Core(TM)2 CPU\n    2.00 GHz\n    2.00 GB 的内存"));
        break;
    case 1:
        Text(p, QRect(16, 14, w - 32, 40), QStringLiteral("Windows 使用以下信息在网络中标识这台计算机。"));
        Text(p, QRect(16, 70, 120, 22), QStringLiteral("计算机描述(&D):"));
        p.fillRect(QRect(140, 70, w - 160, 22), Qt::white);
        Text(p, QRect(16, 110, 120, 22), QStringLiteral("完整的计算机名称:"));
        Text(p, QRect(140, 110, 200, 22), QStringLiteral("STUDENT-PC."));
        Text(p, QRect(16, 140, 120, 22), QStringLiteral("工作组:"));
        Text(p, QRect(140, 140, 200, 22), QStringLiteral("WORKGROUP"));
        Button(p, QRect(w - 100, 190, 88, 30), QStringLiteral("网络 ID(&N)"));
        Button(p, QRect(w - 100, 240, 88, 30), QStringLiteral("更改(&C)..."));
        break;
    case 2:
        GroupBox(p, QRect(8, 10, w - 16, 100), QStringLiteral("设备管理器"));
        Glyph(p, QRect(20, 30, 36, 36), QColor(120, 130, 150), QStringLiteral("设"));
        Text(
            p, QRect(64, 24, w - 80, 50),
            QStringLiteral("设备管理器列出所有安装在计算机上的硬件设备。请使用设备管理器来更改设备的属性。"));
        // the device manager button at (223, 79) 147 x 21.
        Button(p, QRect(223, 75, 147, 29), QStringLiteral("设备管理器(&D)"));
        GroupBox(p, QRect(8, 125, w - 16, 100), QStringLiteral("驱动程序"));
        Text(p, QRect(64, 138, w - 80, 50),
             QStringLiteral("驱动程序签名能够确保安装的驱动程序与 Windows 兼容。"));
        Button(p, QRect(60, 190, 150, 29), QStringLiteral("驱动程序签名(&S)"));
        Button(p, QRect(223, 190, 147, 29), QStringLiteral("Windows Update(&W)"));
        GroupBox(p, QRect(8, 240, w - 16, 80), QStringLiteral("硬件配置文件"));
        Text(p, QRect(64, 252, w - 80, 30),
             QStringLiteral("硬件配置文件向您提供建立和保存不同硬件配置的方法。"));
        Button(p, QRect(223, 284, 147, 29), QStringLiteral("硬件配置文件(&P)"));
        break;
    case 3:
        Text(p, QRect(16, 8, w - 32, 22), QStringLiteral("要进行大多数改动，您必须作为管理员登录。"));
        for (int i = 0; i < 3; ++i) {
            const char* titles[] = {"性能", "用户配置文件", "启动和故障恢复"};
            const char* texts[] = {"视觉效果，处理器计划，内存使用，以及虚拟内存", "与您登录有关的桌面设置",
                                   "系统启动、系统失败和调试信息"};
            GroupBox(p, QRect(8, 40 + i * 90, w - 16, 78), QString::fromUtf8(titles[i]));
            Text(p, QRect(20, 50 + i * 90, w - 40, 24), QString::fromUtf8(texts[i]));
            Button(p, QRect(w - 110, 82 + i * 90, 90, 30), QStringLiteral("设置(&S)"));
        }
        break;
    case 4:
        Text(p, QRect(16, 10, w - 32, 50), QStringLiteral("系统还原可以跟踪并更正对计算机进行的有害更改。"));
        checkBox(p, QPoint(16, 74), QStringLiteral("在所有驱动器上关闭系统还原(&T)"), false);
        GroupBox(p, QRect(8, 110, w - 16, 150), QStringLiteral("可用的驱动器"));
        Text(p, QRect(20, 130, w - 40, 22), QStringLiteral("驱动器                    状态"));
        Text(p, QRect(20, 154, w - 40, 22), QStringLiteral("(C:)                      监视"));
        Button(p, QRect(w - 100, 224, 88, 30), QStringLiteral("设置(&S)..."));
        break;
    case 5:
        Glyph(p, QRect(16, 12, 36, 36), QColor(220, 160, 30), QStringLiteral("更"));
        Text(p, QRect(60, 10, w - 70, 50),
             QStringLiteral("帮助保护您的电脑\nWindows 可以定期检查重要的更新并安装它们。"));
        for (int i = 0; i < 4; ++i) {
            const char* opts[] = {"自动(建议)(&U)", "下载更新，但是由我来决定什么时候安装(&D)",
                                  "有可用下载时通知我，但是不要自动下载或安装更新(&N)", "关闭自动更新(&T)"};
            cpart::Option(p, QPoint(20, 80 + i * 40), QString::fromUtf8(opts[i]), i == 0);
        }
        break;
    default:
        GroupBox(p, QRect(8, 12, w - 16, 110), QStringLiteral("远程协助"));
        checkBox(p, QPoint(20, 32), QStringLiteral("允许从这台计算机发送远程协助邀请(&R)"), true);
        Button(p, QRect(w - 100, 80, 88, 30), QStringLiteral("高级(&V)..."));
        GroupBox(p, QRect(8, 140, w - 16, 150), QStringLiteral("远程桌面"));
        checkBox(p, QPoint(20, 162), QStringLiteral("允许用户远程连接到此计算机(&C)"), false);
        Text(p, QRect(20, 186, w - 40, 22), QStringLiteral("完整的计算机名称:  STUDENT-PC"));
        Button(p, QRect(w - 140, 240, 128, 30), QStringLiteral("选择远程用户(&S)..."), false);
        break;
    }
    return pm;
}

QPixmap DeviceManagerToolbar(int width)
{
    QPixmap pm(QSize(width, 26));
    pm.fill(cpart::kFace);
    QPainter p(&pm);
    const char* glyphs[] = {"←", "→", "□", "?", "↻"};
    for (int i = 0; i < 5; ++i)
        Glyph(p, QRect(6 + i * 26, 3, 20, 20), QColor(110, 140, 190), QString::fromUtf8(glyphs[i]));
    return pm;
}

QPixmap DeviceManagerContent(const QSize& size)
{
    QPixmap pm(size);
    pm.fill(Qt::white);
    QPainter p(&pm);
    const char* nodes[] = {"STUDENT-PC",
                           "  DVD/CD-ROM 驱动器",
                           "  IDE ATA/ATAPI 控制器",
                           "  处理器",
                           "  磁盘驱动器",
                           "  端口 (COM 和 LPT)",
                           "  计算机",
                           "  监视器",
                           "  键盘",
                           "  人体学输入设备",
                           "  声音、视频和游戏控制器",
                           "  鼠标和其它指针设备",
                           "  通用串行总线控制器",
                           "  网络适配器",
                           "  系统设备",
                           "  显示卡"};
    for (int i = 0; i < 16; ++i) {
        Glyph(p, QRect(i ? 26 : 8, 6 + i * 22, 16, 16), QColor(90, 120, 170), QString());
        Text(p, QRect(i ? 46 : 28, 4 + i * 22, 400, 20), QString::fromUtf8(nodes[i]));
    }
    return pm;
}

} // namespace sysart
