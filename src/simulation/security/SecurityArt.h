#pragma once
// Pictures of the two security-suite programs' screens, drawn for this program in a
// flat style: the system-check chain of "360安全卫士" (screens 1 to 7) and the virus
// scan chain of "360杀毒" (screens 1 to 3). The hot spots of the screens lie over the
// buttons drawn here.
#include <QPixmap>

namespace secart {

QPixmap SafeScreen(int screen); // 1..7, 895 x 604
QPixmap SdScreen(int screen); // 1 is 500 x 374, 2 and 3 are 642 x 479

} // namespace secart
