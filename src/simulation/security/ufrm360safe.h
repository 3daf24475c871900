#pragma once
// The two security-suite programs of the simulated desktop, each a chain of borderless
// screens with hot spots: "360安全卫士" (Tfrm360safe1 to 7, a system check whose scan
// screens advance by themselves) records slot 20 "1" when its last screen shows,
// "360杀毒" (Tfrm360sd1 to 3, a virus scan) records slot 27 "1". The screen that took
// over last is remembered for the desktop's taskbar buttons.
#include <QPointer>

#include "simulation/controlpanel/PicturePage.h"

class QTimer;

namespace secsuite {

// The screens that the taskbar buttons btn1 ("360安全卫士") and btn360sd ("360杀毒")
// show again (process-wide; empty while none is remembered).
QPointer<QWidget>& RememberedSafe();
QPointer<QWidget>& RememberedSd();

// The time a scan screen runs before the next one takes over: 5000 ms; tests shorten it.
int ScanInterval();
void SetScanInterval(int ms);

} // namespace secsuite

// The base of every screen: borderless, 895 x 604 unless a screen says otherwise.
class Tfrm360salfBase : public TPictureWindow {
    Q_OBJECT
public:
    Tfrm360salfBase(QWidget* parent, const QSize& size = QSize(895, 604));

    // The scan timer of the screens that advance by themselves (else nullptr), off at
    // creation. Hiding the screen stops it, so a closed screen never takes the chain on.
    QTimer* tmrScan = nullptr;
    void SwitchTimer(bool on);

protected:
    void addScanTimer();
    void hideEvent(QHideEvent* e) override;
};

// "360安全卫士": screens 1 to 7.
class Tfrm360safe1 : public Tfrm360salfBase {
    Q_OBJECT
public:
    explicit Tfrm360safe1(QWidget* parent = nullptr);
    THotRect* lblStart = nullptr;
    THotRect* lblClose = nullptr;
    void lblStartClick();

protected:
    void showEvent(QShowEvent* e) override;
};

class Tfrm360safe2 : public Tfrm360salfBase {
    Q_OBJECT
public:
    explicit Tfrm360safe2(QWidget* parent = nullptr);
    THotRect* lblClose = nullptr;
    void tmrScanTimer();
};

class Tfrm360safe3 : public Tfrm360salfBase {
    Q_OBJECT
public:
    explicit Tfrm360safe3(QWidget* parent = nullptr);
    THotRect* lblClose = nullptr;
    void tmrScanTimer();
};

class Tfrm360safe4 : public Tfrm360salfBase {
    Q_OBJECT
public:
    explicit Tfrm360safe4(QWidget* parent = nullptr);
    THotRect* lblRepair = nullptr;
    THotRect* lblClean = nullptr;
    THotRect* lblClose = nullptr;
    void lblActionClick();
};

class Tfrm360safe5 : public Tfrm360salfBase {
    Q_OBJECT
public:
    explicit Tfrm360safe5(QWidget* parent = nullptr);
    THotRect* lblClose = nullptr;
    void tmrScanTimer();
};

class Tfrm360safe6 : public Tfrm360salfBase {
    Q_OBJECT
public:
    explicit Tfrm360safe6(QWidget* parent = nullptr);
    THotRect* lblClose = nullptr;
    void tmrScanTimer();
};

class Tfrm360safe7 : public Tfrm360salfBase {
    Q_OBJECT
public:
    explicit Tfrm360safe7(QWidget* parent = nullptr);
    THotRect* lblClose = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
};

// "360杀毒": screens 1 to 3.
class Tfrm360sd1 : public Tfrm360salfBase {
    Q_OBJECT
public:
    explicit Tfrm360sd1(QWidget* parent = nullptr);
    THotRect* lblStart = nullptr;
    THotRect* lblMin = nullptr;
    THotRect* lblClose = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
};

class Tfrm360sd2 : public Tfrm360salfBase {
    Q_OBJECT
public:
    explicit Tfrm360sd2(QWidget* parent = nullptr);
    THotRect* lblProcess = nullptr; // 开始处理
    THotRect* lblLater = nullptr; // 暂不处理
    THotRect* lblMin = nullptr;
    THotRect* lblClose = nullptr;
};

class Tfrm360sd3 : public Tfrm360salfBase {
    Q_OBJECT
public:
    explicit Tfrm360sd3(QWidget* parent = nullptr);
    THotRect* lblMin = nullptr;
    THotRect* lblClose = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
};
