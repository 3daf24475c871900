#pragma once
// "回收站 属性": the global page and the pages of drives C: and D:, each with a
// track bar of the bin's share of the drive. Slot 12 holds the three positions as
// TB_all#TB_C#TB_D, written on "确定", "应用(&A)" and every close.
#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace recycle {
// The three positions of a slot 12 text; false (and nothing set) unless it holds
// exactly three integers from 0 to 100 separated by "#".
bool ParseBinSizes(const QString& slot, int& all, int& c, int& d);
} // namespace recycle

class TfrmRecy : public QWidget {
    Q_OBJECT
public:
    explicit TfrmRecy(QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QRadioButton* rbSeparate = nullptr;
    QRadioButton* rbSame = nullptr;
    QCheckBox* ckAllDelete = nullptr;
    QCheckBox* ckCDelete = nullptr;
    QCheckBox* ckDDelete = nullptr;
    QCheckBox* ckConfirm = nullptr;
    QSlider* TB_all = nullptr;
    QSlider* TB_C = nullptr;
    QSlider* TB_D = nullptr;
    QLabel* lblAll = nullptr;
    QLabel* lblC = nullptr;
    QLabel* lblD = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnApply = nullptr;

    void FormShow();
    void RadioClick();
    void btnOKClick();
    void btnApplyClick();
    void Record();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // A stored slot 12 that is not three positions is kept unless the student sets
    // the bars (moves one, "确定" or "应用(&A)").
    bool m_keepStored = false;
};
