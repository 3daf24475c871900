#include "simulation/network/TIPAddressEdit.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStringList>

namespace {

void systemBeep() { QApplication::beep(); }

// A part as shown: digits only, at most three characters, at most 255.
QString shownPart(const QString& part, bool* clamped = nullptr)
{
    if (clamped)
        *clamped = false;
    if (part.size() > 3)
        return QStringLiteral("0");
    for (QChar c : part)
        if (!c.isDigit() || c.unicode() > 127)
            return QString();
    if (!part.isEmpty() && part.toInt() > 255) {
        if (clamped)
            *clamped = true;
        return QStringLiteral("255");
    }
    return part;
}

} // namespace

void (*TIPAddressEdit::Beep)() = systemBeep;

TIPAddressEdit::TIPAddressEdit(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    SetColor(palette().color(QPalette::Base));
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(2, 1, 2, 1);
    h->setSpacing(0);
    auto* validator = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this);
    for (int i = 0; i < 4; ++i) {
        auto* e = new QLineEdit;
        e->setObjectName(QStringLiteral("part%1").arg(i + 1));
        e->setFrame(false);
        e->setAlignment(Qt::AlignCenter);
        e->setMaxLength(3);
        e->setValidator(validator);
        e->setFixedWidth(28);
        e->installEventFilter(this);
        connect(e, &QLineEdit::textEdited, this, [this, i] { partEdited(i); });
        m_parts[i] = e;
        h->addWidget(e);
        if (i < 3)
            h->addWidget(new QLabel(QStringLiteral(".")));
    }
    h->addStretch();
    setFixedHeight(21);
}

QString TIPAddressEdit::Text() const
{
    QStringList parts;
    for (QLineEdit* e : m_parts)
        parts << e->text();
    return parts.join(QLatin1Char('.'));
}

void TIPAddressEdit::SetText(const QString& dotted)
{
    const QStringList parts = dotted.split(QLatin1Char('.'));
    for (int i = 0; i < 4; ++i)
        m_parts[i]->setText(shownPart(parts.value(i)));
}

void TIPAddressEdit::SetColor(const QColor& colour)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    pal.setColor(QPalette::Base, colour);
    setPalette(pal);
    for (QLineEdit* e : m_parts)
        if (e)
            e->setPalette(pal);
}

void TIPAddressEdit::partEdited(int index)
{
    QLineEdit* e = m_parts[index];
    bool clamped = false;
    const QString shown = shownPart(e->text(), &clamped);
    if (shown != e->text())
        e->setText(shown);
    if (clamped)
        Beep();
    if (e->text().size() == 3 && index < 3) {
        m_parts[index + 1]->setFocus();
        m_parts[index + 1]->selectAll();
    }
}

bool TIPAddressEdit::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        for (int i = 0; i < 4; ++i) {
            if (obj != m_parts[i])
                continue;
            if ((ke->text() == QLatin1String(".") || ke->key() == Qt::Key_Period) && i < 3) {
                if (!m_parts[i]->text().isEmpty()) {
                    m_parts[i + 1]->setFocus();
                    m_parts[i + 1]->selectAll();
                }
                return true;
            }
            if (ke->key() == Qt::Key_Backspace && i > 0 && m_parts[i]->cursorPosition() == 0
                && !m_parts[i]->hasSelectedText()) {
                m_parts[i - 1]->setFocus();
                m_parts[i - 1]->end(false);
                return true;
            }
        }
    }
    return QFrame::eventFilter(obj, e);
}
