#pragma once
// The decoder of the typing text (in place of vizuri.dll's DeStr2).
//
// Encoding of a typing question's text in the paper's question description:
//   description = Base64( GBK bytes of the RTF document )
// with the standard Base64 alphabet ("A-Z a-z 0-9 + /", "=" padding). Line breaks and
// blanks inside the Base64 text are allowed and ignored (a paper file may wrap it).
// Decoding reverses it: drop the blanks, decode the Base64, read the bytes as GBK.
//
// Input that is not valid Base64, or whose bytes are not valid GBK, decodes to an
// empty text. An empty description decodes to an empty text.
#include <QByteArray>
#include <QString>

// ansiText: the question description as the ANSI (GBK) bytes of the paper.
QString DeStr2(const QByteArray& ansiText);
// The same for a description already held as text.
QString DeStr2(const QString& text);

// The encoder that makes such a description (for sample questions and tests).
QByteArray EnStr2(const QString& rtfDocument);
