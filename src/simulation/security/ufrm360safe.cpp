#include "simulation/security/ufrm360safe.h"

#include <QHideEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

#include "simulation/desktop/SimWindows.h"
#include "simulation/desktop/ufrmOperationMain.h"
#include "simulation/security/SecurityArt.h"

SIM_REGISTER_WINDOW(Tfrm360safe1)
SIM_REGISTER_WINDOW(Tfrm360safe2)
SIM_REGISTER_WINDOW(Tfrm360safe3)
SIM_REGISTER_WINDOW(Tfrm360safe4)
SIM_REGISTER_WINDOW(Tfrm360safe5)
SIM_REGISTER_WINDOW(Tfrm360safe6)
SIM_REGISTER_WINDOW(Tfrm360safe7)
SIM_REGISTER_WINDOW(Tfrm360sd1)
SIM_REGISTER_WINDOW(Tfrm360sd2)
SIM_REGISTER_WINDOW(Tfrm360sd3)

namespace secsuite {

QPointer<QWidget>& RememberedSafe()
{
    static QPointer<QWidget> w;
    return w;
}

QPointer<QWidget>& RememberedSd()
{
    static QPointer<QWidget> w;
    return w;
}

namespace {
int g_scanInterval = 5000;
} // namespace

int ScanInterval() { return g_scanInterval; }
void SetScanInterval(int ms) { g_scanInterval = ms; }

} // namespace secsuite

namespace {

const QRect kSafeClose(862, 0, 33, 25);
const QRect kSdMin(550, 0, 37, 21);
const QRect kSdClose(587, 0, 47, 21);
const QSize kSdSize(642, 479);

// The screen of class T, created (not shown) when it does not exist yet.
template <class T> T* ensure()
{
    if (T* w = sim::Ref<T>().data())
        return w;
    return sim::Recreate<T>();
}

// A fresh screen of class T in place of an existing one, not shown.
template <class T> void replaceIfExists()
{
    if (sim::Ref<T>())
        sim::Recreate<T>();
}

void hideTaskButton(bool safe)
{
    if (TfrmOperationMain* desk = sim::Ref<TfrmOperationMain>().data())
        desk->SetTaskButtonVisible(safe ? desk->btn1 : desk->btn360sd, false);
}

// "switch on its timer, show it, remember it" of the next screen of the check.
template <class T> void takeOver()
{
    T* next = ensure<T>();
    next->SwitchTimer(true);
    next->show();
    next->raise();
    secsuite::RememberedSafe() = next;
}

// The close hot spot of a "360安全卫士" screen.
THotRect* safeClose(Tfrm360salfBase* screen, const QRect& rect)
{
    THotRect* spot = screen->AddHotSpot("lblClose", rect);
    QObject::connect(spot, &THotRect::clicked, screen, [screen] {
        screen->close();
        hideTaskButton(true);
    });
    return spot;
}

// The minimise and close hot spots of a "360杀毒" screen.
void sdCaption(Tfrm360salfBase* screen, const QRect& minRect, const QRect& closeRect, THotRect*& min,
               THotRect*& close)
{
    min = screen->AddHotSpot("lblMin", minRect);
    close = screen->AddHotSpot("lblClose", closeRect);
    QObject::connect(min, &THotRect::clicked, screen, [screen] {
        secsuite::RememberedSd() = screen;
        screen->close();
    });
    QObject::connect(close, &THotRect::clicked, screen, [screen] {
        screen->close();
        hideTaskButton(false);
    });
}

} // namespace

// ---- base ----------------------------------------------------------------------------

Tfrm360salfBase::Tfrm360salfBase(QWidget* parent, const QSize& size) : TPictureWindow(parent, size, true) { }

void Tfrm360salfBase::addScanTimer()
{
    tmrScan = new QTimer(this);
    tmrScan->setObjectName(QStringLiteral("tmrScan"));
}

void Tfrm360salfBase::SwitchTimer(bool on)
{
    if (!tmrScan)
        return;
    if (on)
        tmrScan->start(secsuite::ScanInterval());
    else
        tmrScan->stop();
}

void Tfrm360salfBase::hideEvent(QHideEvent* e)
{
    TPictureWindow::hideEvent(e);
    if (!e->spontaneous())
        SwitchTimer(false);
}

// ---- 360安全卫士 ---------------------------------------------------------------------

Tfrm360safe1::Tfrm360safe1(QWidget* parent) : Tfrm360salfBase(parent)
{
    setObjectName(QStringLiteral("frm360safe1"));
    setWindowTitle(QStringLiteral("360安全卫士"));
    SetPicture(secart::SafeScreen(1));
    Draggable = true;
    lblStart = AddHotSpot("lblStart", QRect(208, 304, 297, 121), true);
    connect(lblStart, &THotRect::clicked, this, &Tfrm360safe1::lblStartClick);
    lblClose = safeClose(this, QRect(864, 0, 33, 25));
}

void Tfrm360safe1::showEvent(QShowEvent* e)
{
    Tfrm360salfBase::showEvent(e);
    if (e->spontaneous())
        return;
    ensure<Tfrm360safe2>();
    ensure<Tfrm360safe3>();
    ensure<Tfrm360safe4>();
    ensure<Tfrm360safe5>();
    ensure<Tfrm360safe6>();
    ensure<Tfrm360safe7>();
}

void Tfrm360safe1::lblStartClick()
{
    takeOver<Tfrm360safe2>();
    close();
}

Tfrm360safe2::Tfrm360safe2(QWidget* parent) : Tfrm360salfBase(parent)
{
    setObjectName(QStringLiteral("frm360safe2"));
    setWindowTitle(QStringLiteral("360安全卫士"));
    SetPicture(secart::SafeScreen(2));
    addScanTimer();
    connect(tmrScan, &QTimer::timeout, this, &Tfrm360safe2::tmrScanTimer);
    lblClose = safeClose(this, kSafeClose);
}

void Tfrm360safe2::tmrScanTimer()
{
    takeOver<Tfrm360safe3>();
    SwitchTimer(false);
    close();
}

Tfrm360safe3::Tfrm360safe3(QWidget* parent) : Tfrm360salfBase(parent)
{
    setObjectName(QStringLiteral("frm360safe3"));
    setWindowTitle(QStringLiteral("360安全卫士"));
    SetPicture(secart::SafeScreen(3));
    addScanTimer();
    connect(tmrScan, &QTimer::timeout, this, &Tfrm360safe3::tmrScanTimer);
    lblClose = safeClose(this, kSafeClose);
}

void Tfrm360safe3::tmrScanTimer()
{
    secsuite::RememberedSafe() = sim::Open<Tfrm360safe4>();
    SwitchTimer(false);
    close();
}

Tfrm360safe4::Tfrm360safe4(QWidget* parent) : Tfrm360salfBase(parent)
{
    setObjectName(QStringLiteral("frm360safe4"));
    setWindowTitle(QStringLiteral("360安全卫士"));
    SetPicture(secart::SafeScreen(4));
    Draggable = true;
    lblRepair = AddHotSpot("lblRepair", QRect(528, 128, 113, 73), true);
    lblClean = AddHotSpot("lblClean", QRect(528, 256, 113, 73), true);
    connect(lblRepair, &THotRect::clicked, this, &Tfrm360safe4::lblActionClick);
    connect(lblClean, &THotRect::clicked, this, &Tfrm360safe4::lblActionClick);
    lblClose = safeClose(this, kSafeClose);
}

void Tfrm360safe4::lblActionClick()
{
    takeOver<Tfrm360safe5>();
    close();
}

Tfrm360safe5::Tfrm360safe5(QWidget* parent) : Tfrm360salfBase(parent)
{
    setObjectName(QStringLiteral("frm360safe5"));
    setWindowTitle(QStringLiteral("360安全卫士"));
    SetPicture(secart::SafeScreen(5));
    addScanTimer();
    connect(tmrScan, &QTimer::timeout, this, &Tfrm360safe5::tmrScanTimer);
    lblClose = safeClose(this, kSafeClose);
}

void Tfrm360safe5::tmrScanTimer()
{
    takeOver<Tfrm360safe6>();
    SwitchTimer(false);
    close();
}

Tfrm360safe6::Tfrm360safe6(QWidget* parent) : Tfrm360salfBase(parent)
{
    setObjectName(QStringLiteral("frm360safe6"));
    setWindowTitle(QStringLiteral("360安全卫士"));
    SetPicture(secart::SafeScreen(6));
    addScanTimer();
    connect(tmrScan, &QTimer::timeout, this, &Tfrm360safe6::tmrScanTimer);
    lblClose = safeClose(this, kSafeClose);
}

void Tfrm360safe6::tmrScanTimer()
{
    secsuite::RememberedSafe() = sim::Open<Tfrm360safe7>();
    SwitchTimer(false);
    close();
}

Tfrm360safe7::Tfrm360safe7(QWidget* parent) : Tfrm360salfBase(parent)
{
    setObjectName(QStringLiteral("frm360safe7"));
    setWindowTitle(QStringLiteral("360安全卫士"));
    SetPicture(secart::SafeScreen(7));
    lblClose = safeClose(this, kSafeClose);
}

void Tfrm360safe7::showEvent(QShowEvent* e)
{
    Tfrm360salfBase::showEvent(e);
    if (!e->spontaneous())
        sim::SetSlot(20, QStringLiteral("1"));
}

// ---- 360杀毒 -------------------------------------------------------------------------

Tfrm360sd1::Tfrm360sd1(QWidget* parent) : Tfrm360salfBase(parent, QSize(500, 374))
{
    setObjectName(QStringLiteral("frm360sd1"));
    setWindowTitle(QStringLiteral("360杀毒"));
    SetPicture(secart::SdScreen(1));
    lblStart = AddHotSpot("lblStart", QRect(40, 128, 137, 129), true);
    sdCaption(this, QRect(419, 0, 37, 21), QRect(456, 0, 41, 21), lblMin, lblClose);
    connect(lblStart, &THotRect::clicked, this, [this] {
        secsuite::RememberedSd() = sim::Open<Tfrm360sd2>();
        close();
    });
}

void Tfrm360sd1::showEvent(QShowEvent* e)
{
    Tfrm360salfBase::showEvent(e);
    if (e->spontaneous())
        return;
    replaceIfExists<Tfrm360sd2>();
    replaceIfExists<Tfrm360sd3>();
}

Tfrm360sd2::Tfrm360sd2(QWidget* parent) : Tfrm360salfBase(parent, kSdSize)
{
    setObjectName(QStringLiteral("frm360sd2"));
    setWindowTitle(QStringLiteral("360杀毒"));
    SetPicture(secart::SdScreen(2));
    lblProcess = AddHotSpot("lblProcess", QRect(424, 432, 89, 27));
    lblLater = AddHotSpot("lblLater", QRect(526, 432, 89, 27));
    sdCaption(this, kSdMin, kSdClose, lblMin, lblClose);
    connect(lblProcess, &THotRect::clicked, this, [this] {
        secsuite::RememberedSd() = sim::Open<Tfrm360sd3>();
        close();
    });
}

Tfrm360sd3::Tfrm360sd3(QWidget* parent) : Tfrm360salfBase(parent, kSdSize)
{
    setObjectName(QStringLiteral("frm360sd3"));
    setWindowTitle(QStringLiteral("360杀毒"));
    SetPicture(secart::SdScreen(3));
    sdCaption(this, kSdMin, kSdClose, lblMin, lblClose);
}

void Tfrm360sd3::showEvent(QShowEvent* e)
{
    Tfrm360salfBase::showEvent(e);
    if (!e->spontaneous())
        sim::SetSlot(27, QStringLiteral("1"));
}
