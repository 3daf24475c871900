#pragma once
// A four-field IP address edit: four parts of at most three digits separated by ".".
// Only digits can be typed; a part above 255 becomes "255" with a beep; typing a
// third digit or "." moves to the next part. Text() is the dotted text with empty
// parts left empty ("..." when all are empty); SetText takes the parts of a dotted
// text in turn, shows a part longer than three characters as "0", a part above 255 as
// "255" and anything but digits as empty.
#include <QColor>
#include <QFrame>
#include <QString>

class QLineEdit;

class TIPAddressEdit : public QFrame {
    Q_OBJECT
public:
    explicit TIPAddressEdit(QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& dotted);
    void SetColor(const QColor& colour);
    QLineEdit* Part(int index) const { return m_parts[index]; }

    // The beep of an out-of-range part; tests count it.
    static void (*Beep)();

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    void partEdited(int index);
    QLineEdit* m_parts[4] = {};
};
