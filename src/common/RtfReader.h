#pragma once
// A small RTF-to-plain-text reader.
//
// It understands groups, control words and control symbols; "\'hh" bytes are taken in
// the ANSI code page (GBK), consecutive ones decoded together so that a two-byte
// character written as two escapes comes out whole; "\uN" gives the character N and
// skips its fallback characters (\ucN, default 1); "\par", "\line", "\sect", "\page"
// and "\row" become CR LF, "\tab" and "\cell" a tab. Groups that carry no body text
// (font, colour and style tables, document information, pictures, headers and
// footers, field instructions, "\*" destinations, ...) are skipped, binary data
// ("\binN") included. Unbalanced braces are tolerated.
//
// A text that does not start with "{\rtf" (leading blanks allowed) is not RTF and
// comes back unchanged.
#include <QString>

// The longest text RtfToText returns.
inline constexpr int RtfTextMaxLength = 65520;

QString RtfToText(const QString& rtf);

// True when the text starts with "{\rtf" after leading blanks.
bool IsRtfText(const QString& text);
