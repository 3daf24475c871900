#include "app/WindowDrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

TWindowDrag* TWindowDrag::Attach(QWidget* handle, QWidget* window, Trigger trigger)
{
    return new TWindowDrag(handle, window, trigger);
}

TWindowDrag::TWindowDrag(QWidget* handle, QWidget* window, Trigger trigger)
    : QObject(handle), m_window(window), m_trigger(trigger)
{
    handle->installEventFilter(this);
    if (trigger == OnMoveWithLeftButton)
        handle->setMouseTracking(true);
}

void TWindowDrag::Begin(const QPoint& globalPos)
{
    if (!m_window)
        return;
    QWindow* w = m_window->windowHandle();
    if (w && w->startSystemMove()) {
        m_manual = false;
        return;
    }
    m_manual = true;
    m_offset = globalPos - m_window->pos();
}

bool TWindowDrag::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::LeftButton && m_trigger == OnPress) {
            Begin(me->globalPosition().toPoint());
            return true;
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (!(me->buttons() & Qt::LeftButton))
            break;
        if (m_manual && m_window) {
            m_window->move(me->globalPosition().toPoint() - m_offset);
            return true;
        }
        if (m_trigger == OnMoveWithLeftButton) {
            Begin(me->globalPosition().toPoint());
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        m_manual = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
