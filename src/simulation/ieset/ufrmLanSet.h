#pragma once
// "局域网(LAN)设置": the proxy address and port of the Internet options (settings 3
// and 6, recorded on "确定") and "对于本地地址不使用代理服务器(&B)" (setting 12,
// recorded at once on every click, even when the dialog is then cancelled).
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QKeyEvent;
class QPushButton;

class TfrmLanSet : public QDialog {
    Q_OBJECT
public:
    explicit TfrmLanSet(QWidget* parent = nullptr);

    QLineEdit* txtIP = nullptr;
    QLineEdit* txtPort = nullptr;
    QCheckBox* ckDL = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;

    void ckDLClick();
    void btOKClick();
    void btCancelClick();

protected:
    // Escape does not close the dialog (only its buttons and the title bar do).
    void keyPressEvent(QKeyEvent* e) override;
};
