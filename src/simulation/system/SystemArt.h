#pragma once
// Pictures of the system dialogs, drawn for this program in a flat style: the seven
// pages of the system properties (the hardware page with its device manager button
// where the dialog's hot spot lies) and the device manager's tool bar and content.
#include <QPixmap>
#include <QString>

namespace sysart {

// Page 0..6 of the system properties ("常规" .. "远程"), `size` the page area.
QPixmap SystemPropertyPage(int page, const QSize& size);
QPixmap DeviceManagerToolbar(int width);
QPixmap DeviceManagerContent(const QSize& size);

} // namespace sysart
