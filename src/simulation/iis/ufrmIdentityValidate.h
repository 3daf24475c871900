#pragma once
// "身份验证方法": anonymous access and integrated Windows authentication (settings
// 10 and 11).
#include "simulation/iis/PlainDialog.h"

class QCheckBox;
class QPushButton;

class TfrmIdentityValidate : public sim::PlainDialog {
    Q_OBJECT
public:
    explicit TfrmIdentityValidate(QWidget* parent = nullptr);

    QCheckBox* ckAnonymous = nullptr;
    QCheckBox* ckIntegrated = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;

    void btOKClick();
};
