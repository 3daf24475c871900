#pragma once
// Helpers of the typing tests: an RTF document for a plain text, GBK bytes.
#include <QByteArray>
#include <QString>

#include "typing/TypeWordModel.h"

namespace typetest {

inline QByteArray gbk(const QString& s) { return typeword::ToGbk(s); }
inline QByteArray gbk(const char* utf8) { return typeword::ToGbk(QString::fromUtf8(utf8)); }

// The text as a word processor would store it: a font table, \'hh escapes for every
// byte of 0x80 and above, "\par" for every "\n".
inline QString rtfOf(const QString& plain)
{
    QString body;
    const QByteArray bytes = typeword::ToGbk(plain);
    for (const char c : bytes) {
        const auto b = quint8(c);
        if (b >= 0x80) {
            body += QStringLiteral("\\'%1").arg(b, 2, 16, QLatin1Char('0'));
        } else if (c == '\n') {
            body += QStringLiteral("\\par\r\n");
        } else if (c == '\\' || c == '{' || c == '}') {
            body += u'\\';
            body += QLatin1Char(c);
        } else {
            body += QLatin1Char(c);
        }
    }
    return QStringLiteral("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 "
                          "\\'cb\\'ce\\'cc\\'e5;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs24 ")
        + body + QStringLiteral("\\par\r\n}\r\n");
}

} // namespace typetest
