// Wertalo: where the configuration lives on Linux, and paths read from configuration.
#pragma once

#include <QString>

namespace wertalo::platform {

// The file that stands for WIN.INI: $WERTALO_WIN_INI, else $XDG_CONFIG_HOME/wertalo/win.ini,
// else ~/.config/wertalo/win.ini.
QString winIniPath();

// The folder of the files kept beside the program ("Wertalo.xml", "FtpHost.ini"):
// $WERTALO_CONFIG_DIR, else $XDG_CONFIG_HOME/wertalo, else ~/.config/wertalo (no trailing "/").
QString configDir();

// A path read from configuration made native: every backslash is a folder separator.
QString nativePath(const QString& configuredPath);

// Joins a folder and a name with exactly one "/" between them; an empty part gives the other.
QString joinPath(const QString& folder, const QString& name);

// Makes sure the folder exists, creating it with all missing parents. On failure returns false
// and, when `errorText` is given, puts the system's text there.
bool ensureFolder(const QString& folder, QString* errorText = nullptr);

}  // namespace wertalo::platform
