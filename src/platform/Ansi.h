#pragma once
// The ANSI code page is GBK: QString in memory, GBK bytes in every exchanged file.
#include <QByteArray>
#include <QString>

namespace win {

QByteArray toAnsi(const QString& text);
// Invalid byte sequences become U+FFFD; ok (when given) tells whether all bytes were
// valid GBK.
QString fromAnsi(const QByteArray& bytes, bool* ok = nullptr);

} // namespace win
