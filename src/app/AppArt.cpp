#include "app/AppArt.h"

#include <QEnterEvent>
#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace appart {

QFont Font(const QString& family, int pixelSize, bool bold)
{
    QFont f;
    f.setFamilies({family, QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

namespace {

void titleBand(QPainter& p, const QRect& r)
{
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, kTeal);
    g.setColorAt(1, kBlue);
    p.fillRect(r, g);
    // A light sheen over the upper half.
    QLinearGradient s(r.topLeft(), r.bottomLeft());
    s.setColorAt(0, QColor(255, 255, 255, 40));
    s.setColorAt(0.5, QColor(255, 255, 255, 8));
    s.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(r, s);
}

// The soft vertical gradient behind a window.
void body(QPainter& p, const QSize& size, const QColor& top, const QColor& bottom = QColor(0xe6, 0xf0, 0xf4))
{
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(QRect(QPoint(0, 0), size), g);
}

// The teal-to-blue line along the bottom edge.
void accentBar(QPainter& p, const QSize& size)
{
    QLinearGradient acc(0, 0, size.width(), 0);
    acc.setColorAt(0, kTeal);
    acc.setColorAt(1, kBlue);
    p.fillRect(QRect(0, size.height() - 4, size.width(), 4), acc);
}

void frame(QPainter& p, const QSize& size)
{
    p.setPen(QPen(kDeepBlue, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(0, 0, size.width() - 1, size.height() - 1));
}

// A small round mark drawn next to titles: a ring with a tick.
void mark(QPainter& p, const QPointF& c, qreal r, const QColor& color)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    QPainterPath tick;
    tick.moveTo(c.x() - r * 0.45, c.y() + r * 0.02);
    tick.lineTo(c.x() - r * 0.1, c.y() + r * 0.38);
    tick.lineTo(c.x() + r * 0.5, c.y() - r * 0.35);
    p.drawPath(tick);
    p.restore();
}

void card(QPainter& p, const QRectF& r, qreal radius)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Soft shadow.
    for (int i = 3; i >= 1; --i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(23, 79, 134, 10 * (4 - i)));
        p.drawRoundedRect(r.adjusted(-i, -i + 1, i, i + 1), radius + i, radius + i);
    }
    p.setPen(QPen(kLine, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r, radius, radius);
    p.restore();
}

} // namespace

QPixmap ToolBackground(const QSize& size)
{
    QPixmap pm(size);
    QPainter p(&pm);
    body(p, size, QColor(0xf7, 0xfb, 0xfc));
    // Title band with the word mark (the window starts 2 pixels above the client).
    titleBand(p, QRect(0, 0, size.width(), 38));
    mark(p, QPointF(22, 20), 8, Qt::white);
    p.setPen(Qt::white);
    p.setFont(Font(QStringLiteral("微软雅黑"), 15, true));
    p.drawText(QRect(38, 2, 200, 36), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Pravik 练习助手"));
    // Path strip under the title.
    p.fillRect(QRect(0, 38, size.width(), 44), QColor(0xee, 0xf5, 0xf8));
    p.setPen(kLine);
    p.drawLine(0, 82, size.width(), 82);
    // Card around the question picture (the scroll box sits at 11, 90 of the client,
    // which is 11, 92 of this picture).
    card(p, QRectF(8.5, 88.5, 359, 364), 6);
    // Button shelf.
    p.setPen(kLine);
    p.drawLine(16, 468, size.width() - 16, 468);
    // Accent line at the bottom.
    accentBar(p, size);
    frame(p, size);
    return pm;
}

QPixmap PromptBackground(const QSize& size)
{
    QPixmap pm(size);
    QPainter p(&pm);
    body(p, size, QColor(0xf6, 0xfa, 0xfc), QColor(0xe4, 0xef, 0xf4));
    titleBand(p, QRect(0, 0, size.width(), 40));
    // Text panel behind the message rectangle (25, 56, 457 x 161).
    card(p, QRectF(19.5, 50.5, 468, 172), 6);
    // Foot band behind the buttons.
    p.setPen(kLine);
    p.drawLine(20, 269, size.width() - 20, 269);
    accentBar(p, size);
    frame(p, size);
    return pm;
}

QPixmap NoticeBackground(const QSize& size)
{
    QPixmap pm(size);
    QPainter p(&pm);
    body(p, size, QColor(0xf8, 0xfb, 0xfc));
    titleBand(p, QRect(0, 0, size.width(), 40));
    // A bell-like info badge and the word "消息" on the band.
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(24, 20), 10, 10);
    p.setPen(QPen(kBlue, 2.4));
    p.drawLine(QPointF(24, 18), QPointF(24, 25));
    p.drawPoint(QPointF(24, 14.5));
    p.restore();
    p.setPen(Qt::white);
    p.setFont(Font(QStringLiteral("微软雅黑"), 15, true));
    p.drawText(QRect(42, 0, 200, 40), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("消息提示"));
    card(p, QRectF(18.5, 56.5, 272, 100), 6);
    frame(p, size);
    return pm;
}

// ---------------------------------------------------------------------------

TBitBtn::TBitBtn(Face face, QWidget* parent, const QString& faceLabel)
    : QAbstractButton(parent), m_face(face), m_label(faceLabel)
{
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
}

void TBitBtn::setFace(Face face, const QString& faceLabel)
{
    m_face = face;
    m_label = faceLabel;
    update();
}

void TBitBtn::enterEvent(QEnterEvent* e)
{
    m_hover = true;
    update();
    QAbstractButton::enterEvent(e);
}

void TBitBtn::leaveEvent(QEvent* e)
{
    m_hover = false;
    update();
    QAbstractButton::leaveEvent(e);
}

void TBitBtn::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool down = isDown();
    const bool enabled = isEnabled();

    switch (m_face) {
    case Face::Close:
    case Face::Minimize: {
        if (down || m_hover) {
            p.setPen(Qt::NoPen);
            p.setBrush(m_face == Face::Close ? QColor(0xd9, 0x4a, 0x4a, down ? 230 : 200)
                                             : QColor(255, 255, 255, down ? 80 : 50));
            p.drawRoundedRect(r, 3, 3);
        }
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
        const QPointF c = r.center();
        if (m_face == Face::Close) {
            p.drawLine(c + QPointF(-4.5, -4.5), c + QPointF(4.5, 4.5));
            p.drawLine(c + QPointF(-4.5, 4.5), c + QPointF(4.5, -4.5));
        } else {
            p.drawLine(c + QPointF(-5, 3.5), c + QPointF(5, 3.5));
        }
        return;
    }
    case Face::Primary: {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        QColor a = kTeal, b = kBlue;
        if (m_hover && !down) {
            a = a.lighter(112);
            b = b.lighter(112);
        }
        if (down) {
            a = a.darker(115);
            b = b.darker(115);
        }
        if (!enabled) {
            a = QColor(0xb4, 0xc4, 0xca);
            b = QColor(0xa2, 0xb3, 0xba);
        }
        g.setColorAt(0, a);
        g.setColorAt(1, b);
        p.setPen(QPen(kDeepBlue.darker(105), 1));
        p.setBrush(g);
        p.drawRoundedRect(r, 5, 5);
        p.setPen(Qt::white);
        p.setFont(Font(QStringLiteral("微软雅黑"), 16, true));
        p.drawText(rect().translated(0, down ? 1 : 0), Qt::AlignCenter, m_label);
        return;
    }
    case Face::Secondary:
    case Face::Light:
    case Face::Small: {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, down ? QColor(0xe2, 0xec, 0xf0) : Qt::white);
        g.setColorAt(1, down ? QColor(0xd5, 0xe3, 0xea) : QColor(0xea, 0xf2, 0xf5));
        p.setPen(QPen(m_hover && enabled ? kTeal : QColor(0xaf, 0xc6, 0xd0), 1));
        p.setBrush(g);
        p.drawRoundedRect(r, m_face == Face::Small ? 3 : 5, m_face == Face::Small ? 3 : 5);
        const QString caption = m_face == Face::Secondary ? m_label : text();
        QColor tc = m_face == Face::Secondary ? kDeepBlue : m_textColor;
        if (!enabled)
            tc = QColor(0xb0, 0xb0, 0xb0);
        if (m_hover && enabled && m_face != Face::Secondary)
            tc = kTeal.darker(110);
        p.setPen(tc);
        if (m_face == Face::Secondary)
            p.setFont(Font(QStringLiteral("微软雅黑"), 16, true));
        else
            p.setFont(font());
        p.drawText(rect().translated(0, down ? 1 : 0), Qt::AlignCenter, caption);
        return;
    }
    }
}

} // namespace appart
