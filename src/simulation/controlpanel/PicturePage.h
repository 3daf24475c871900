#pragma once
// The building blocks of the simulated windows that are a picture with hot spots over
// it (the control panel, the add-printer wizard, the security-suite screens): a
// window that paints one picture over its whole client area, and the transparent
// rectangles that react to clicks and double-clicks where the picture shows a button.
#include <QPixmap>
#include <QRect>
#include <QWidget>

// A transparent rectangle over a picture: click and double-click with the left button.
class THotRect : public QWidget {
    Q_OBJECT
public:
    THotRect(QWidget* parent, const char* name, const QRect& rect, bool handCursor = false);
signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    bool m_pressed = false;
};

// A window showing one picture over its client area. `frameless` gives the borderless
// pages and screens; `draggable` lets a press on the picture move the window, as a
// drag on a caption would.
class TPictureWindow : public QWidget {
    Q_OBJECT
public:
    TPictureWindow(QWidget* parent, const QSize& size, bool frameless);

    void SetPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return m_picture; }
    THotRect* AddHotSpot(const char* name, const QRect& rect, bool handCursor = false);
    bool Draggable = false;

    // Centres the window on the primary screen.
    void CentreOnScreen();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QPixmap m_picture;
    bool m_dragging = false;
    QPoint m_dragOffset;
};
