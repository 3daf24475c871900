#pragma once
// The simulated "系统属性" dialog with its device manager: which of the seven pages
// and the device manager the student visited, recorded in slot 18 as eight entries
// "name=0|1" joined by "," (empty entries give empty fields). The entries belong to
// the process: a page once visited stays visited.
#include <QStringList>
#include <QWidget>

class QPushButton;
class QTabWidget;
class THotRect;

namespace sysprop {

// The eight entries, index 0 to 7 ("常规" .. "远程", "设备管理器").
QStringList& Entries();
QStringList EntryNames();
constexpr int DeviceManagerEntry = 7;
// Slot 18: the entries joined by ",".
QString SlotText();

} // namespace sysprop

class TfrmSystemProperty : public QWidget {
    Q_OBJECT
public:
    explicit TfrmSystemProperty(QWidget* parent = nullptr);

    QTabWidget* pgSystem = nullptr;
    THotRect* lblDeviceManager = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;
    QPushButton* btApply = nullptr;

    void FormShow();
    void pgSystemChange(int index);
    void lblDeviceManagerClick();
    void btOKClick(); // 确定 and 取消

protected:
    void showEvent(QShowEvent* e) override;
};

// The device manager: a tool bar picture, a content picture and a main menu.
class TfrmManagementConsole : public QWidget {
    Q_OBJECT
public:
    explicit TfrmManagementConsole(QWidget* parent = nullptr);
};
