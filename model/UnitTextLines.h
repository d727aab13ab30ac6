#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text helpers shared by the catalogue and model definition readers.

// Decodes by byte-order mark (UTF-8, UTF-16 LE/BE); without one the bytes are taken as the
// local 8-bit text: UTF-8 when they are valid UTF-8, Latin-1 otherwise.
QString DecodeText(const QByteArray &bytes);

// Splits at CR LF, CR or LF. A terminator after the last line does not start another line.
QStringList SplitLines(const QString &text);

// Removes every character up to and including U+0020 from both ends (control characters too,
// unlike QString::trimmed, which knows only white space).
QString TrimBlanks(const QString &s);

// Decodes and splits in one step.
QStringList TextToLines(const QByteArray &bytes);

// Value syntaxes of the catalogue and model definition texts. Each returns false on anything
// but the plain notation: an optionally signed decimal integer that fits in 32 bits; a decimal
// number with "." and no grouping; "True"/"False" in any letter case or a number (0 is false).
bool ParseInt32(const QString &text, qint32 &value);
bool ParseNumber(const QString &text, double &value);
bool ParseBoolean(const QString &text, bool &value);
