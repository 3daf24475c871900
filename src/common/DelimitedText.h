#pragma once
// Delimited text: values joined with a one-character delimiter. A value with a
// character of code 32 or less, a double quote or the delimiter is quoted with inner
// quotes doubled; an empty value is written as nothing. Reading skips leading blanks,
// takes a quoted value up to its closing quote (a doubled quote stands for one),
// otherwise reads up to the delimiter or the first character of code 32 or less, and
// starts a new value after each delimiter, so a blank outside quotes also ends a value.
#include <QString>
#include <QStringList>

namespace delimited {

QString Join(const QStringList& values, QChar delimiter = QLatin1Char(','));
QStringList Split(const QString& text, QChar delimiter = QLatin1Char(','));

} // namespace delimited
