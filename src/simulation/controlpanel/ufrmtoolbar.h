#pragma once
// The simulated "任务栏和「开始」菜单属性" dialog: auto-hide of the taskbar (slot 0)
// and the kind of Start menu (slot 13), each recorded only while its page is active.
#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

class Tfrmtoolbar : public QWidget {
    Q_OBJECT
public:
    explicit Tfrmtoolbar(QWidget* parent = nullptr);

    QTabWidget* pgToolbar = nullptr;
    QWidget* tsTaskbar = nullptr;
    QWidget* tsStartMenu = nullptr;
    QCheckBox* ck_hideToolbar = nullptr;
    QRadioButton* rbStartMenu = nullptr;
    QRadioButton* rbClassicMenu = nullptr;
    QPushButton* btCustomStart = nullptr;
    QPushButton* btCustomClassic = nullptr;
    QLabel* imgStartMenu = nullptr;
    QLabel* imgClassicMenu = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;
    QPushButton* btApply = nullptr;

    void rbStartMenuClick();
    void rbClassicMenuClick();
    void RecordActivePage();
    void btOKClick();
    void btApplyClick();

private:
    QWidget* buildTaskbarPage();
    QWidget* buildStartMenuPage();
    void chooseMenu(bool classic);
};
