#pragma once
// Pictures of the control-panel windows and the add-printer wizard, drawn for this
// program in a flat style. The rectangles where the windows put their hot spots are
// drawn as the buttons, links and icons they stand for. The drawing helpers are
// shared with the security-suite screens and the system dialogs.
#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QStringList>

class QPainter;

namespace cpart {

// ---- drawing helpers -----------------------------------------------------------

inline const QColor kFace(236, 233, 216); // dialog face
inline const QColor kBlue(49, 106, 197); // headings and links
inline const QColor kBorder(127, 157, 185);

void Text(QPainter& p, const QRect& r, const QString& text, int px = 12, bool bold = false,
          const QColor& colour = Qt::black, int flags = 0);
void Button(QPainter& p, const QRect& r, const QString& caption, bool enabled = true);
void Link(QPainter& p, const QRect& r, const QString& caption, const QColor& colour = kBlue);
// A square applet or folder icon of `size` with a glyph of two letters at most.
void Glyph(QPainter& p, const QRect& r, const QColor& fill, const QString& glyph);
// An option circle, checked or not, with its caption.
void Option(QPainter& p, const QPoint& at, const QString& caption, bool checked);
void GroupBox(QPainter& p, const QRect& r, const QString& title);

// ---- control panel ---------------------------------------------------------------

// The category view (pnl1) and the classic view with the applet icons (pnl2).
QPixmap ControlPanelCategories(const QSize& size);
QPixmap ControlPanelClassic(const QSize& size);

// ---- small pictures of the property dialogs ------------------------------------------

QPixmap PointerScheme(int index); // preview of a pointer scheme, 0..19
QPixmap PointerPicture(bool hand); // the standard or the hand pointer
QPixmap MouseDevice(); // the mouse on the buttons page
QPixmap Monitor(const QString& background); // the monitor with a background preview
QPixmap Background(const QString& name); // a thumbnail of "Pic1" .. "Pic4"
QPixmap ThemePage(const QSize& size, const QString& title);
QPixmap StartMenuPreview(bool classic);
QPixmap ClockFace();
QPixmap TimeZoneMap();

// ---- add-printer wizard ------------------------------------------------------------

// The printers folder, before (no printer) and after the network printer was added.
QPixmap PrintersFolder(bool withPrinter);

enum class WizardPage { Welcome, TypeLocal, TypeNetwork, Local, Specify, Browse, Completing };
QPixmap Wizard(WizardPage page);
QPixmap WizardButtonRow(); // the bottom row of the type page, drawn over its options
QPixmap ConnectConfirm(); // the confirmation box, 785 x 117

} // namespace cpart
