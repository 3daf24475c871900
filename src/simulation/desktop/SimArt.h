#pragma once
// Pictures of the simulated desktop and dialogs, drawn for this program in a flat
// style: the icon column of the desktop, the full recycle bin, the taskbar and menu
// icons, and the zone picture of the Internet options.
#include <QColor>
#include <QPixmap>
#include <QRect>

namespace simart {

inline const QColor kDesktopBlue(0, 78, 152);

enum class Icon {
    Computer,
    Network,
    RecycleEmpty,
    RecycleFull,
    Browser,
    Server,
    StartFlag,
    Tray,
    Drive,
    Folder,
    Settings,
    Document,
    Search,
    Help,
    Run,
    Power,
    Logoff,
    Shield,
    Update,
    Internet,
    Intranet,
    Trusted,
    Restricted
};

// One icon of the given size (square).
QPixmap DrawIcon(Icon icon, int size = 32);

// The icon column: 97 pixels wide, `height` high, desktop blue, with 我的电脑,
// 网上邻居, 回收站 (empty), Internet Explorer and IIS under the hot spots.
QPixmap IconColumn(int height);

// The full recycle bin drawn over the column at (0, 148), 60 x 64.
QPixmap FullRecycleBin();

// The zones picture of the security page, and the rectangles of its four zones
// (Internet, local intranet, trusted sites, restricted sites) in it.
QSize ZonesPictureSize();
QRect ZoneRect(int zone);
QPixmap ZonesPicture(int selectedZone);

} // namespace simart
