#pragma once
#include <QByteArray>
#include <QString>

namespace base64 {
QByteArray Encode(const QByteArray& data);
// Invalid input gives an empty result and ok=false.
QByteArray Decode(const QByteArray& text, bool* ok = nullptr);
} // namespace base64
