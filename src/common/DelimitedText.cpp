#include "common/DelimitedText.h"

namespace delimited {

namespace {
constexpr QChar kQuote = QLatin1Char('"');

bool isBlank(QChar c) { return c.unicode() >= 1 && c.unicode() <= 32; }
} // namespace

QString Join(const QStringList& values, QChar delimiter)
{
    QString out;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QString& v = values.at(i);
        bool quote = false;
        for (QChar c : v) {
            if (c.unicode() <= 32 || c == kQuote || c == delimiter) {
                quote = true;
                break;
            }
        }
        if (i > 0)
            out += delimiter;
        if (quote) {
            QString q = v;
            q.replace(kQuote, QStringLiteral("\"\""));
            out += kQuote + q + kQuote;
        } else {
            out += v; // an empty value is written as nothing
        }
    }
    return out;
}

QStringList Split(const QString& text, QChar delimiter)
{
    QStringList out;
    // A NUL ends the text, as it ends a zero-terminated string.
    const qsizetype n = text.indexOf(QChar(0)) >= 0 ? text.indexOf(QChar(0)) : text.size();
    qsizetype p = 0;
    auto at = [&](qsizetype i) { return i < n ? text.at(i) : QChar(0); };

    while (p < n && isBlank(at(p)))
        ++p;
    while (p < n) {
        QString value;
        if (at(p) == kQuote) {
            ++p;
            while (p < n) {
                if (at(p) == kQuote) {
                    if (at(p + 1) == kQuote) { // a doubled quote stands for one
                        value += kQuote;
                        p += 2;
                        continue;
                    }
                    ++p; // the closing quote
                    break;
                }
                value += at(p++);
            }
        } else {
            const qsizetype start = p;
            while (p < n && at(p).unicode() > 32 && at(p) != delimiter)
                ++p;
            value = text.mid(start, p - start);
        }
        out.append(value);
        while (p < n && isBlank(at(p)))
            ++p;
        if (p < n && at(p) == delimiter) {
            if (p + 1 >= n) // a delimiter at the very end starts one more (empty) value
                out.append(QString());
            do {
                ++p;
            } while (p < n && isBlank(at(p)));
        }
    }
    return out;
}

} // namespace delimited
