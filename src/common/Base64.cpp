#include "common/Base64.h"

namespace base64 {

QByteArray Encode(const QByteArray& data) { return data.toBase64(); }

QByteArray Decode(const QByteArray& text, bool* ok)
{
    auto r = QByteArray::fromBase64Encoding(text.trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    if (ok)
        *ok = bool(r);
    return r ? *r : QByteArray();
}

} // namespace base64
