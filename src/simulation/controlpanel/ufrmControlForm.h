#pragma once
// The simulated control panel: two full-size pictures (the category view pnl1 and the
// classic view pnl2 with the applet icons) with hot spots that switch between them and
// open the mouse properties and the printers.
#include "simulation/controlpanel/PicturePage.h"

class TfrmControlForm : public QWidget {
    Q_OBJECT
public:
    explicit TfrmControlForm(QWidget* parent = nullptr);

    TPictureWindow* pnl1 = nullptr;
    TPictureWindow* pnl2 = nullptr;
    THotRect* Label1 = nullptr;
    THotRect* Label2 = nullptr;
    THotRect* Label3 = nullptr;
    THotRect* Label4 = nullptr;

    void FormShow();
    void Label1Click();
    void Label2Click();
    void Label3DblClick();
    void Label4DblClick();

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
};
