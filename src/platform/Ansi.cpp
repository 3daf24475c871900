#include "platform/Ansi.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace win {

QByteArray toAnsi(const QString& text)
{
    QStringEncoder encoder("GBK");
    if (!encoder.isValid())
        return text.toLocal8Bit();
    return encoder.encode(text);
}

QString fromAnsi(const QByteArray& bytes, bool* ok)
{
    // Stateless: the bytes are one complete text, so a lead byte cut off at the
    // end is an error too.
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) {
        if (ok)
            *ok = false;
        return QString::fromLocal8Bit(bytes);
    }
    QString text = decoder.decode(bytes);
    const bool valid = !decoder.hasError();
    if (!valid) {
        // A lead byte cut off at the end is dropped silently by the converter;
        // it stands for one replacement character too.
        QStringDecoder stateful("GBK");
        const QString head = stateful.decode(bytes);
        if (!stateful.hasError())
            text = head + QChar(QChar::ReplacementCharacter);
    }
    if (ok)
        *ok = valid;
    return text;
}

} // namespace win
