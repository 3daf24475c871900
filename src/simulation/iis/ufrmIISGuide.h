#pragma once
// "虚拟目录创建向导": five pages (welcome, alias, content folder, access rights,
// finish). The alias, path and rights are kept in the wizard until "完成", which
// stores them in IISSettings and adds the directory node; "取消" changes nothing.
#include "simulation/iis/PlainDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTreeWidgetItem;
class TfrmIIS;

class TfrmIISGuide : public sim::PlainDialog {
    Q_OBJECT
public:
    explicit TfrmIISGuide(QWidget* parent = nullptr);

    // The manager and node that "完成" adds the directory to.
    void SetTarget(TfrmIIS* manager, QTreeWidgetItem* parent);
    int Page() const; // 1..5

    QStackedWidget* pages = nullptr;
    QLineEdit* txtAlias = nullptr;
    QLineEdit* txtPath = nullptr;
    QWidget* chgPower = nullptr;
    QCheckBox* ckRead = nullptr;
    QCheckBox* ckWrite = nullptr;
    QCheckBox* ckBrowse = nullptr;
    QPushButton* btBack = nullptr;
    QPushButton* btNext = nullptr;
    QPushButton* btCancel = nullptr;

    void btBackClick();
    void btNextClick();
    void btCancelClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void showPage(int page);
    void updateButtons();
    TfrmIIS* m_manager = nullptr;
    QTreeWidgetItem* m_parentNode = nullptr;
};
