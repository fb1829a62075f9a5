// Wertalo: the Windows-1250 codec (the product's 8-bit text).
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace wertalo::text {

// Unicode to Windows-1250; a character that has no Windows-1250 byte becomes "?".
QByteArray toCp1250(QStringView text);
// Windows-1250 to Unicode; the five unassigned bytes become U+FFFD.
QString fromCp1250(QByteArrayView bytes);
// Whether the bytes are valid UTF-8 (used to tell the encoding of configuration files).
bool isValidUtf8(QByteArrayView bytes);

}  // namespace wertalo::text
