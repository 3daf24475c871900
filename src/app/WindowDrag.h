#pragma once
// Dragging a borderless window by one of its parts (the Windows way is "release the
// capture and send the move-by-caption system command"): the window manager's move
// when the platform offers one, else the window follows the mouse.
#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

class TWindowDrag : public QObject {
public:
    enum Trigger { OnPress, OnMoveWithLeftButton };
    // Makes `handle` drag `window`; the helper is a child of the handle.
    static TWindowDrag* Attach(QWidget* handle, QWidget* window, Trigger trigger);

    // Starts a move of the window at the current mouse position.
    void Begin(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TWindowDrag(QWidget* handle, QWidget* window, Trigger trigger);
    QPointer<QWidget> m_window;
    Trigger m_trigger;
    bool m_manual = false;
    QPoint m_offset;
};
