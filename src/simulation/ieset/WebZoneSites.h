#pragma once
// The common body of the two site dialogs of the Internet options ("可信站点" and
// "受限站点"): an address edit, "添加", the list lbWebList, "删除", "确定" (records
// the list joined by "#" into its setting) and "取消".
#include <QDialog>

class QLineEdit;
class QListWidget;
class QKeyEvent;
class QPushButton;

class TWebZoneSites : public QDialog {
    Q_OBJECT
public:
    // setting: 4 (trusted sites) or 5 (restricted sites).
    TWebZoneSites(int setting, QWidget* parent);

    QLineEdit* txtWeb = nullptr;
    QPushButton* btAdd = nullptr;
    QListWidget* lbWebList = nullptr;
    QPushButton* btDel = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;

    void btAddClick();
    void btDelClick();
    void btOKClick();

protected:
    // Escape does not close the dialog (only its buttons and the title bar do).
    void keyPressEvent(QKeyEvent* e) override;
    int m_setting;
};
