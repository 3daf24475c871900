#include "typing/TypeWordModel.h"

#include "common/RtfReader.h"
#include "typing/TypeWordTexts.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

namespace typeword {

QByteArray ToGbk(const QString& text)
{
    QStringEncoder gbk("GBK");
    return gbk(text);
}

QString FromGbk(const QByteArray& bytes)
{
    QStringDecoder gbk("GBK");
    return gbk(bytes);
}

QByteArray AnsiTrim(const QByteArray& bytes)
{
    int b = 0;
    int e = int(bytes.size());
    while (b < e && quint8(bytes.at(b)) <= 32) {
        ++b;
    }
    while (e > b && quint8(bytes.at(e - 1)) <= 32) {
        --e;
    }
    return bytes.mid(b, e - b);
}

int CharBytesAt(const QByteArray& text, int i)
{
    const int n = int(text.size());
    if (i < 0 || i >= n) {
        return 0;
    }
    if (quint8(text.at(i)) >= 0x80) {
        return qMin(2, n - i);
    }
    return 1;
}

int CountChars(const QByteArray& text)
{
    int count = 0;
    for (int i = 0; i < text.size(); i += CharBytesAt(text, i)) {
        ++count;
    }
    return count;
}

QByteArray PrepareReferenceText(const QString& typingText)
{
    QString plain = RtfToText(typingText);
    plain.replace(QStringLiteral("\r\r\n"), QString());
    plain.replace(QStringLiteral("\r\n"), QString());
    return ToGbk(plain);
}

QList<QByteArray> SplitTypeLines(const QByteArray& text, int width)
{
    QList<QByteArray> lines;
    if (width < 2) {
        width = 2;
    }
    // Positions count from 1. marker: -1 before the first low byte, 0 after a low
    // byte, else the position where the current run of high bytes began.
    const int len = int(text.size());
    int lineStart = 1;
    int marker = -1;
    for (int pos = 1; pos <= len; ++pos) {
        const quint8 b = quint8(text.at(pos - 1));
        if (b >= 0x81) {
            if (marker == 0) {
                marker = pos;
            }
        } else {
            marker = 0;
        }
        if (pos - lineStart != width - 1) {
            continue;
        }
        int end = pos;
        int nextMarker = 0;
        if (marker != 0 && (pos - marker) % 2 == 0) {
            // This byte is the first of a two-byte character: it begins the next
            // line, and with it the run of high bytes there.
            end = pos - 1;
            nextMarker = pos;
        }
        lines.append(text.mid(lineStart - 1, end - lineStart + 1));
        marker = nextMarker;
        lineStart = end + 1;
    }
    if (lineStart <= len) {
        lines.append(text.mid(lineStart - 1));
    }
    return lines;
}

QList<QByteArray> RestoreInputLines(const QString& answerText, int lineCount)
{
    QByteArray joined;
    const QByteArray answer = ToGbk(answerText);
    if (!answer.isEmpty()) {
        // The joined input is everything after the fourth field separator, so that
        // a separator the student typed stays part of the input.
        const QByteArray trimmed = AnsiTrim(answer);
        const QByteArray sep = ToGbk(texts::kFieldSep);
        int from = 0;
        int found = 0;
        while (found < 4) {
            const int at = int(trimmed.indexOf(sep, from));
            if (at < 0) {
                break;
            }
            from = at + int(sep.size());
            ++found;
        }
        if (found == 4) {
            joined = trimmed.mid(from);
        }
    }
    QList<QByteArray> pieces;
    const QByteArray lineSep = ToGbk(texts::kLineSep);
    int from = 0;
    for (;;) {
        const int at = int(joined.indexOf(lineSep, from));
        if (at < 0) {
            pieces.append(joined.mid(from));
            break;
        }
        pieces.append(joined.mid(from, at - from));
        from = at + int(lineSep.size());
    }
    if (lineCount < 0) {
        lineCount = 0;
    }
    while (pieces.size() > lineCount) {
        pieces.removeLast();
    }
    while (pieces.size() < lineCount) {
        pieces.append(QByteArray());
    }
    return pieces;
}

namespace {
// Width of the character at i for comparing: taken from the reference; beyond the end
// of the reference from the typed text itself.
int compareWidth(const QByteArray& reference, const QByteArray& typed, int i)
{
    const int w = CharBytesAt(reference, i);
    return w > 0 ? w : qMax(1, CharBytesAt(typed, i));
}
} // namespace

void CountLine(const QByteArray& reference, const QByteArray& typed, TypeCounts& counts)
{
    if (AnsiTrim(reference).isEmpty()) {
        return;
    }
    for (int i = 0; i < typed.size();) {
        const int w = compareWidth(reference, typed, i);
        if (reference.mid(i, w) == typed.mid(i, w)) {
            ++counts.correct;
        } else {
            ++counts.wrong;
        }
        i += w;
    }
}

QList<bool> MarkLine(const QByteArray& reference, const QByteArray& typed)
{
    QList<bool> marks;
    for (int i = 0; i < typed.size() && i < reference.size();) {
        const int w = CharBytesAt(reference, i);
        marks.append(reference.mid(i, w) == typed.mid(i, w));
        i += w;
    }
    return marks;
}

QStringList SplitChars(const QByteArray& reference)
{
    QStringList chars;
    for (int i = 0; i < reference.size();) {
        const int w = CharBytesAt(reference, i);
        chars.append(FromGbk(reference.mid(i, w)));
        i += w;
    }
    return chars;
}

QString BuildTypeResult(int total, const TypeCounts& counts, const QList<QByteArray>& inputLines)
{
    QByteArray joined;
    const QByteArray lineSep = ToGbk(texts::kLineSep);
    for (const QByteArray& line : inputLines) {
        joined += line;
        joined += lineSep;
    }
    const QString sep = texts::kFieldSep;
    return QString::number(total) + sep + QString::number(counts.correct + counts.wrong) + sep
        + QString::number(counts.correct) + sep + QString::number(counts.wrong) + sep + FromGbk(joined);
}

} // namespace typeword
