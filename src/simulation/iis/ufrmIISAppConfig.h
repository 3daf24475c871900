#pragma once
// "应用程序配置": session state, buffering and parent paths (settings 12 to 14).
#include "simulation/iis/PlainDialog.h"

class QCheckBox;
class QPushButton;

class TfrmIISAppConfig : public sim::PlainDialog {
    Q_OBJECT
public:
    explicit TfrmIISAppConfig(QWidget* parent = nullptr);

    QCheckBox* ckSession = nullptr;
    QCheckBox* ckBuffer = nullptr;
    QCheckBox* ckParent = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;

    void btOKClick();
};
