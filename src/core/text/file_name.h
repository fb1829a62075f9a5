// Wertalo: texts made safe for use in a file name.
#pragma once

#include <QString>

namespace wertalo::text {

// At most MaxLength Windows-1250 bytes of the text, one character each: characters a file
// name cannot hold become "_", Polish letters lose their diacritics, the rest stays.
QString TextToFileName(const QString& Text, int MaxLength);

}  // namespace wertalo::text
