#pragma once
// The simulated "鼠标属性" dialog: double-click speed, pointer scheme, pointer speed,
// trail, hiding while typing and the pointer shadow, recorded in slots 21 to 25 and 28.
// The last recorded raw values belong to the process and come back at each opening.
#include <QStringList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;

namespace mouseset {

// The six raw values in the order of slots 21, 22, 23, 24, 25, 28: the double-click
// speed position, the scheme index, the pointer speed position, the trail length
// position, and the two check boxes as "-1" (checked) or "0"; empty until recorded.
QStringList& RawValues();
// The slots of the six values, in the same order.
const int* Slots();
constexpr int ValueCount = 6;

// The slot text of a track-bar position: "-1" below `middle`, "0" at it, "1" above.
QString PositionText(int position, int middle);

// The captions of the twenty pointer schemes, index 0 first.
QStringList SchemeNames();

} // namespace mouseset

class TfrmMouseSet : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMouseSet(QWidget* parent = nullptr);

    QTabWidget* pgMouse = nullptr;
    QSlider* TrackBar1 = nullptr;
    QCheckBox* ckSwitchButtons = nullptr; // 切换主要和次要的按钮(&S), page 鼠标键
    QCheckBox* ckClickLock = nullptr; // the same caption on the group 单击锁定
    QComboBox* led_changci1 = nullptr;
    QList<QLabel*> imgSchemes; // one preview per scheme
    QLabel* imgPointer = nullptr; // the standard pointer
    QLabel* imgHand = nullptr; // the hand pointer
    QCheckBox* ckShadow = nullptr; // 启用指针阴影(&E)
    QSlider* TrackBar2 = nullptr;
    QCheckBox* ckPrecision = nullptr; // 提高指针精确度(&E)
    QCheckBox* ckTrail = nullptr; // 显示指针踪迹(&D)
    QSlider* TrackBar3 = nullptr;
    QCheckBox* ckHideTyping = nullptr; // 在打字时隐藏指针(&H)
    QCheckBox* ckCtrlShow = nullptr; // 当按 CTRL 键时显示指针的位置(&S)
    QSpinBox* seWheel = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;
    QPushButton* btApply = nullptr;

    void FormShow();
    void RestoreValues();
    void RecordValues();
    void led_changci1Change(int index);
    void btOKClick();
    void btApplyClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    QWidget* buildButtonsPage();
    QWidget* buildPointersPage();
    QWidget* buildOptionsPage();
    QWidget* buildWheelPage();
    QWidget* buildHardwarePage();
    void showScheme(int index);
    void recordAndDisableApply();
};
