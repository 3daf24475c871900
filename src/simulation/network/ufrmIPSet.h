#pragma once
// "Internet 协议 (TCP/IP) 属性": the five addresses of the connection. On show it
// puts "0.0.0.0" in every field when the desktop mode is 1 and then the five values
// of an IP question's answer text (only when there are exactly five); "确定" records
// the five dotted texts, comma-delimited, as that answer text.
#include <QWidget>

class QPushButton;
class QRadioButton;
class TIPAddressEdit;

class TfrmIPSet : public QWidget {
    Q_OBJECT
public:
    explicit TfrmIPSet(QWidget* parent = nullptr);

    // The five fields in answer order: IP, mask, gateway, preferred and alternate DNS.
    TIPAddressEdit* Field(int index) const { return m_fields[index]; }
    QString AnswerText() const;

    TIPAddressEdit* edtIP = nullptr;
    TIPAddressEdit* edtMask = nullptr;
    TIPAddressEdit* edtGateway = nullptr;
    TIPAddressEdit* edtDNS = nullptr;
    TIPAddressEdit* edtDNS2 = nullptr;
    QRadioButton* rbAutoIP = nullptr;
    QRadioButton* rbManualIP = nullptr;
    QRadioButton* rbAutoDNS = nullptr;
    QRadioButton* rbManualDNS = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;

    void FormShow();
    void rbAutoIPClick();
    void rbManualIPClick();
    void rbAutoDNSClick();
    void rbManualDNSClick();
    void btOKClick();

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void setFieldsEnabled(int first, int last, bool enabled, bool clear);
    TIPAddressEdit* m_fields[5] = {};
};
