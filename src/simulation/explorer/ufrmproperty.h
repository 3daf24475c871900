#pragma once
// The property sheet of drive C: or D: (a picture of the sheet, "确定" and "取消"
// close it, "应用(&A)" is disabled). It records nothing; its opener records the drive.
#include <QWidget>

class QLabel;
class QPushButton;

class Tfrmproperty : public QWidget {
    Q_OBJECT
public:
    explicit Tfrmproperty(QWidget* parent = nullptr);

    // Replaces any open sheet by a new stay-on-top one for drive 'C' or 'D'.
    static Tfrmproperty* ShowDrive(QChar drive);
    void SetDrive(QChar drive);
    QChar Drive() const { return m_drive; }

    QLabel* ImgDiskC = nullptr;
    QLabel* ImgDiskD = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnApply = nullptr;

private:
    QChar m_drive;
};
