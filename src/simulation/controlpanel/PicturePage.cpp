#include "simulation/controlpanel/PicturePage.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

THotRect::THotRect(QWidget* parent, const char* name, const QRect& rect, bool handCursor) : QWidget(parent)
{
    setObjectName(QString::fromLatin1(name));
    setGeometry(rect);
    setAttribute(Qt::WA_TranslucentBackground);
    if (handCursor)
        setCursor(Qt::PointingHandCursor);
}

void THotRect::mousePressEvent(QMouseEvent* e) { m_pressed = e->button() == Qt::LeftButton; }

void THotRect::mouseReleaseEvent(QMouseEvent* e)
{
    const bool inside = rect().contains(e->position().toPoint());
    if (m_pressed && e->button() == Qt::LeftButton && inside) {
        m_pressed = false;
        emit clicked();
        return;
    }
    m_pressed = false;
}

void THotRect::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        emit doubleClicked();
}

TPictureWindow::TPictureWindow(QWidget* parent, const QSize& size, bool frameless) : QWidget(parent)
{
    setWindowFlag(Qt::Window, true);
    if (frameless)
        setWindowFlag(Qt::FramelessWindowHint, true);
    resize(size);
}

void TPictureWindow::SetPicture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

THotRect* TPictureWindow::AddHotSpot(const char* name, const QRect& rect, bool handCursor)
{
    return new THotRect(this, name, rect, handCursor);
}

void TPictureWindow::CentreOnScreen()
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void TPictureWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(236, 233, 216));
    if (!m_picture.isNull())
        p.drawPixmap(0, 0, m_picture);
}

void TPictureWindow::mousePressEvent(QMouseEvent* e)
{
    if (Draggable && e->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragOffset = e->globalPosition().toPoint() - frameGeometry().topLeft();
    }
    QWidget::mousePressEvent(e);
}

void TPictureWindow::mouseMoveEvent(QMouseEvent* e)
{
    if (m_dragging)
        move(e->globalPosition().toPoint() - m_dragOffset);
    QWidget::mouseMoveEvent(e);
}

void TPictureWindow::mouseReleaseEvent(QMouseEvent* e)
{
    m_dragging = false;
    QWidget::mouseReleaseEvent(e);
}
