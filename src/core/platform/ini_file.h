// Wertalo: Windows-style private-profile reads and writes of single keys in INI files.
#pragma once

#include <QString>

#include "core/platform/file_write.h"

namespace wertalo::platform {

// The longest value a read returns (the product reads through a 256-byte buffer).
inline constexpr int kProfileValueMaxLength = 255;

// Reads one key. An empty file, section or key name gives "" without touching any file; a
// missing file, section or key gives `def`. Section and key names match without regard to
// case; the value is trimmed of surrounding blanks, loses one pair of enclosing quotes and is
// cut to 255 characters. The file is read as UTF-8 when its bytes are valid UTF-8, else as
// Windows-1250. A file that exists but cannot be read raises PlatformError.
QString readProfileString(const QString& file, const QString& section, const QString& key,
                          const QString& def = {});

// Writes one key, keeping every other line of the file byte for byte and the file's encoding
// and line ends. A missing key is added after the last non-blank line of its section; a
// missing section is appended at the end; a missing file is created (UTF-8). The file is
// replaced whole through a temporary file. Raises PlatformError (path and system text) when
// the file cannot be read or written, and for empty names or line breaks in names or value.
void writeProfileString(const QString& file, const QString& section, const QString& key,
                        const QString& value, NewFileAccess access = NewFileAccess::Default);

}  // namespace wertalo::platform
