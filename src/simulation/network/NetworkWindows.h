#pragma once
// What the network and FTP windows share: the operation types whose answer text they
// record, and the opener of a window class whose every opening creates one more window
// that the desktop keeps (OwnedWindows) and destroys when it closes.
#include <QWidget>

#include "simulation/desktop/SimWindows.h"

namespace net {

constexpr int IPOperationType = 19;
constexpr int FTPOperationType = 22;

// Hands `w` to the desktop's OwnedWindows (when a desktop exists).
void AddToDesktop(QWidget* w);

// Creates a new window of class T (older ones stay), makes it the class's current
// window, hands it to the desktop and shows it centred as `options` ask.
template <class T> T* OpenOwned(const sim::OpenOptions& options)
{
    T* w = new T(sim::WindowParent());
    w->setWindowFlag(Qt::Window, true);
    sim::Ref<T>() = w;
    AddToDesktop(w);
    sim::ShowWindow(w, options, true);
    return w;
}

// The Explorer chrome of the network and FTP windows: the menu bar with its six
// menus and the flat tool bar ("后退" and "前进" with drop-down arrows, "搜索",
// "文件夹"); `upButton` adds the caption-less up button after "前进" and the
// caption-less views button at the end (the FTP window's bar).
QWidget* ExplorerMenuBar(QWidget* parent);
QWidget* ExplorerToolBar(QWidget* parent, bool backEnabled, QWidget** backButton = nullptr,
                         QWidget** upButton = nullptr);

} // namespace net
