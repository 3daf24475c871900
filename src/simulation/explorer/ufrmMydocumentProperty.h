#pragma once
// "我的文档 属性": three pages shown as pictures ("目标文件夹" first, "常规", "共享").
// Every page change records slot 16: "1" for "常规" (after which this window records
// nothing more), "0" for another page.
#include <QWidget>

class QPushButton;
class QTabWidget;

class TfrmMydocumentProperty : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMydocumentProperty(QWidget* parent = nullptr);

    // Replaces any open sheet by a new one and shows it.
    static TfrmMydocumentProperty* ShowProperties();

    QTabWidget* PageControl1 = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnApply = nullptr;

    void PageControl1Change(int index);

private:
    bool m_generalChosen = false;
};
