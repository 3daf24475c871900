#pragma once
// The byte model of the typing exercise. Texts are GBK bytes: a byte of 0x80 or above
// starts a two-byte character, any other byte is a one-byte character. The reference
// text is cut into lines of at most 80 bytes; what the student typed is compared with
// it character by character.
#include <QByteArray>
#include <QList>
#include <QString>

namespace typeword {

inline constexpr int LineWidth = 80;

QByteArray ToGbk(const QString& text);
QString FromGbk(const QByteArray& bytes);

// The text without the bytes of code 32 or less at both ends.
QByteArray AnsiTrim(const QByteArray& bytes);

// Byte count of the character that starts at index i (0-based): 2 for a byte of 0x80
// or above, else 1; never beyond the end of the text; 0 at or after the end.
int CharBytesAt(const QByteArray& text, int i);

// The number of characters of a text (a byte of 0x80 or above and the byte after it
// are one character).
int CountChars(const QByteArray& text);

// The reference text of a typing question: its typing text read as RTF, with every
// "\r\r\n" and then every "\r\n" removed, in GBK bytes.
QByteArray PrepareReferenceText(const QString& typingText);

// Cuts the reference text into lines of at most `width` bytes without splitting a
// two-byte character (bytes of 0x81 and above are the high bytes of two-byte
// characters). An empty text gives no lines.
QList<QByteArray> SplitTypeLines(const QByteArray& text, int width = LineWidth);

// The input lines kept in an earlier typing result (the question's answer text):
// exactly lineCount lines, extra pieces dropped, missing ones empty.
QList<QByteArray> RestoreInputLines(const QString& answerText, int lineCount);

struct TypeCounts {
    int correct = 0;
    int wrong = 0;
};

// Adds the correct and wrong characters of one typed line to counts. A reference
// line that is blank (only bytes of code 32 or less) counts nothing.
void CountLine(const QByteArray& reference, const QByteArray& typed, TypeCounts& counts);

// The colour marks of one line: one entry per reference character that has typed
// bytes at its place, true when the typed bytes equal the reference character.
QList<bool> MarkLine(const QByteArray& reference, const QByteArray& typed);

// The reference characters of a line, one text per character of the byte model.
QStringList SplitChars(const QByteArray& reference);

// The typing result: total, typed, correct, wrong and the joined input, separated by
// "$#$"; every input line is followed by "!@#$%^&*".
QString BuildTypeResult(int total, const TypeCounts& counts, const QList<QByteArray>& inputLines);

} // namespace typeword
