#pragma once
// The modal prompt windows: TfrmTamryShowMessage (ShowPrompt, AskPrompt) and
// TfrmTamryShowMessage2 (ShowPrompt2, AskPrompt2, used when operation software is
// missing). One process-wide instance of each, created on first use and kept.
#include <QPointer>

#include "app/AppArt.h"
#include "app/ufrmBase.h"

class QLabel;
class QTextEdit;

// Modal results as the form designer numbers them.
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrIgnore = 5 };

class TfrmTamryShowMessage : public TfrmBase {
    Q_OBJECT
public:
    explicit TfrmTamryShowMessage(QWidget* parent = nullptr);

    QLabel* TntImage1;
    QLabel* lblTitle;
    QLabel* lblInfo1;
    QLabel* lblInfo2;
    QLabel* lblInfo3;
    QTextEdit* edtInfo;
    appart::TBitBtn* btnOK;
    appart::TBitBtn* btnCancel;
    appart::TBitBtn* btnExit;

    // Resets buttons, title and text for one prompt (the Cancel button only with
    // withCancel); style 1, 2, 3 pick a label, every other value the text box.
    void Prepare(const QString& text, int style, const QString& title, bool withCancel);
    // Shows the window modally and returns the modal result.
    int ShowModal();
    bool InModal() const { return m_inModal; }

    void btnOKClick();
    void btnCancelClick();
    void btnExitClick();

protected:
    // Modal result of the second button.
    virtual int CancelResult() const { return mrCancel; }
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool m_inModal = false;
};

class TfrmTamryShowMessage2 : public TfrmTamryShowMessage {
    Q_OBJECT
public:
    explicit TfrmTamryShowMessage2(QWidget* parent = nullptr);

protected:
    int CancelResult() const override { return mrIgnore; }
};

// The process-wide instances (empty until first use).
extern QPointer<TfrmTamryShowMessage> frmTamryShowMessage;
extern QPointer<TfrmTamryShowMessage2> frmTamryShowMessage2;

// The prompt routine behind ShowPrompt (withCancel false) and AskPrompt (true):
// true when the window was closed with OK.
bool TamryMsgBox(const QString& text, int style, const QString& title, bool withCancel);
// The same on the second window: OK opens the software download page and gives
// false; the second button gives true; anything else false.
bool TamryMsgBox2(const QString& text, int style, const QString& title, bool withCancel);
