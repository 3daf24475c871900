#pragma once
// The simulated "显示  属性" dialog: the screen saver with its wait time, the desktop
// background and its position, recorded in slots 2 to 5 on OK, Apply and every close
// (slot 4 also when a background is clicked).
#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;

class TfrmWindowsmenu : public QWidget {
    Q_OBJECT
public:
    explicit TfrmWindowsmenu(QWidget* parent = nullptr);

    QTabWidget* pgDisplay = nullptr;
    QLabel* imgMonitor = nullptr;
    QListWidget* lvBackground = nullptr;
    QComboBox* cbx_position = nullptr;
    QComboBox* cbx_ptpro = nullptr;
    QSpinBox* txtHistoryDay = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;
    QPushButton* btApply = nullptr;

    void FormShow();
    void pgDisplayChange(int index);
    void lvBackgroundClick();
    void RecordDisplay();
    void btOKClick();
    void btApplyClick();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    QWidget* buildDesktopPage();
    QWidget* buildScreenSaverPage();
    void selectBackground(const QString& prefix);
    int m_desktopPage = 1;
};
