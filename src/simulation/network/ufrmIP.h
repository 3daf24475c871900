#pragma once
// "网络连接": the network connections folder (a picture) with a hot spot over
// "本地连接" whose double-click or context menu "属性" opens the connection's
// properties. Opened by the desktop, which destroys the previous one; closing hides it.
#include <QWidget>

class QComboBox;
class QMenu;
class THotSpot;

class TfrmIP : public QWidget {
    Q_OBJECT
public:
    explicit TfrmIP(QWidget* parent = nullptr);

    THotSpot* lblLocalConnection = nullptr;
    QMenu* ppConnection = nullptr;
    QComboBox* cbAddress = nullptr;

    void lblLocalConnectionDblClick();
};
