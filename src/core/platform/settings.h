// Wertalo: the user's lasting choices (export folder, special symbol, switches) and their file.
#pragma once

#include <QString>

#include <span>

#include "core/platform/user_interface.h"

namespace wertalo::platform {

// The stored values of the settings form, named like its controls.
class Settings {
 public:
  // Defaults, stored in "Wertalo.xml" in configDir().
  Settings();
  // Defaults, stored in the given file.
  explicit Settings(const QString& file);

  QString dirKatalog;         // export folder
  QString edtSpecSymbl;       // special off-budget symbol (part number of Rb-34 reports)
  bool chkDodajSpacje;        // spaces in the REGON
  bool chkEksportujZatw;      // approved reports only
  bool cbSpakuj;              // pack the files
  bool cbStandardowe;         // export without the additional fields
  bool cbWsylijPopolaczeniu;  // send automatically
  bool cbPolaczZserweremFTP;  // connect to the FTP server automatically
  bool cbInterfejsftp;        // FTP interface
  bool cbUsun;                // remove the packed files
  bool cbGrupoweJst;          // group reports with the unit's data

  // The file the values are stored in.
  const QString& file() const { return file_; }
  // Puts every value back to its default.
  void setDefaults();

  // Loads the stored values (a missing entry, or a Boolean that is no known word, gives the
  // default); then, when the export folder is empty, puts `pathBestia` into it. A missing file
  // gives the defaults silently; an unreadable or malformed one keeps the values as they were
  // and reports "Błąd odczytu ustawień".
  void Odczyt(const QString& pathBestia, UserInterface& ui);
  // Puts `pathBestia` into an empty export folder, then stores all values (the file's folder is
  // created when missing). Raises PlatformError when the file cannot be written.
  void Zapis(const QString& pathBestia);

 private:
  QString file_;
};

// One stored value: its entry name, the field it fills and its default.
struct SettingDefinition {
  enum class Type { Text, Boolean };
  SettingDefinition(const char* key, QString Settings::*field, const char* def);
  SettingDefinition(const char* key, bool Settings::*field, bool def);

  const char* key;  // "dirKatalog.Text", ...
  Type type;
  QString Settings::*text = nullptr;
  bool Settings::*flag = nullptr;
  const char* textDefault = "";
  bool flagDefault = false;
};

// The stored values in file order.
std::span<const SettingDefinition> settingDefinitions();

// "Wertalo.xml" in configDir().
QString settingsFilePath();

// An entry name made a valid XML name: each character that cannot stand in it becomes "_".
QString settingEntryName(const QString& key);

// The message shown when the settings cannot be read.
inline const QString kSettingsReadError = QStringLiteral("Błąd odczytu ustawień");

}  // namespace wertalo::platform
