#pragma once
// "本地连接 属性": the components of the connection; "属性(&R)" with
// "Internet 协议(TCP/IP)" selected opens the protocol properties. Records nothing.
// Every opening creates one more window, kept by the desktop; closing hides it.
#include <QWidget>

class QPushButton;
class QTreeWidget;

class TfrmIPProperty : public QWidget {
    Q_OBJECT
public:
    explicit TfrmIPProperty(QWidget* parent = nullptr);

    QTreeWidget* lvComponents = nullptr;
    QPushButton* btProperty = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;

    void btPropertyClick();

protected:
    void keyPressEvent(QKeyEvent* e) override;
};
