#pragma once
// The self-closing notice of ShowNotice: a small stay-on-top window that closes
// itself after count x 500 ms, or at once on "关闭" or Enter.
#include <QPointer>

#include "app/AppArt.h"
#include "app/ufrmBase.h"

class QLabel;
class QTimer;

class TfrmMessage : public TfrmBase {
    Q_OBJECT
public:
    explicit TfrmMessage(QWidget* parent = nullptr);

    QLabel* TntImage1;
    QLabel* lblMsg;
    appart::TBitBtn* btnClose;
    QTimer* Timer1;
    int Count = 0; // the countdown in ticks of Timer1

    // Sets the text and the countdown and shows the window (not modal).
    void ShowMsg(const QString& text, int count);

    void Timer1Timer();
    void btnCloseClick();

private:
    void AlignText();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
};

// The process-wide instance (empty until first use).
extern QPointer<TfrmMessage> frmMessage;

void TamryShowNotice(const QString& text, int count);
