#include "common/vizuri.h"

#include "common/Base64.h"

#include <QStringDecoder>
#include <QStringEncoder>

QString DeStr2(const QByteArray& ansiText)
{
    QByteArray compact;
    compact.reserve(ansiText.size());
    for (const char c : ansiText) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
            compact.append(c);
        }
    }
    if (compact.isEmpty()) {
        return {};
    }
    bool ok = false;
    const QByteArray bytes = base64::Decode(compact, &ok);
    if (!ok) {
        return {};
    }
    QStringDecoder gbk("GBK");
    const QString text = gbk(bytes);
    if (gbk.hasError()) {
        return {};
    }
    // The decoder passes over some invalid sequences silently; a text that does not
    // encode back to the same bytes was not valid GBK.
    QStringEncoder back("GBK");
    const QByteArray again = back(text);
    if (again != bytes) {
        return {};
    }
    return text;
}

QString DeStr2(const QString& text)
{
    // Base64 is plain ASCII; anything else makes the description invalid.
    for (const QChar c : text) {
        if (c.unicode() > 0x7F) {
            return {};
        }
    }
    return DeStr2(text.toLatin1());
}

QByteArray EnStr2(const QString& rtfDocument)
{
    QStringEncoder gbk("GBK");
    const QByteArray bytes = gbk(rtfDocument);
    return base64::Encode(bytes);
}
