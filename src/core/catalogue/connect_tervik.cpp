// Installation discovery: WIN.INI names the product's configuration file, whose chosen
// section names the data folder or the database server.
#include "core/catalogue/wertalo_main.h"

#include <exception>

#include "core/platform/adapter_address.h"
#include "core/platform/ini_file.h"
#include "core/platform/paths.h"
#include "core/platform/user_interface.h"

namespace wertalo::catalogue {

namespace {

const QString kInstallError = QStringLiteral(
    "BŁĄD!! Niepoprawnie zainstalowany system \"TERVIK\". Program zakończy teraz pracę!");
const QString kDefaultUser = QStringLiteral("SYSDBA");
const QString kDefaultPassword = QStringLiteral("zentrowal");

}  // namespace

bool TdtmWertaloMain::ConnectTervik() {
  using platform::readProfileString;
  // The per-workstation section is read but takes no effect: "configTervik" is read after it.
  const QString workstation = platform::MACAddress();

  QString key = QStringLiteral("TERVIK");
  if (readProfileString(winIniPath, QStringLiteral("KALMETO"), key).isEmpty()) {
    key = QStringLiteral("JSTJB");
    RodzajProg = rBudzetJB;
  } else {
    RodzajProg = rBudzetJST;
  }
  const QString configFile = platform::nativePath(readProfileString(winIniPath, QStringLiteral("KALMETO"), key));
  if (configFile.isEmpty()) {
    ui.showMessage(kInstallError);
    return false;
  }

  QString section = QStringLiteral("configTervik");
  try {
    if (!workstation.isEmpty()) readProfileString(configFile, workstation, QStringLiteral("PathData"));
    if (readProfileString(configFile, section, QStringLiteral("PathData")).isEmpty()) {
      section = QStringLiteral("configJST");
      if (readProfileString(configFile, section, QStringLiteral("PathData")).isEmpty())
        section = QStringLiteral("configJB");
    }
    if (readProfileString(configFile, section, QStringLiteral("PathData")).isEmpty()) {
      ui.showMessage(kInstallError);
      return false;
    }
  } catch (const std::exception&) {
    ui.showMessage(QStringLiteral("Błąd podczas odczytu pliku konfiguracyjnego ") + configFile);
  }

  // After a failed read the rest goes on with what can be read (an unreadable file reads empty).
  auto read = [&](const char* name) {
    try {
      return readProfileString(configFile, section, QString::fromLatin1(name));
    } catch (const std::exception&) {
      return QString();
    }
  };
  PathData = platform::nativePath(read("PathData"));
  CommunicationSrv = read("CommunicationSrv");
  const QString gdbPath = read("GDBPath").trimmed();
  PasswordInterbase = read("PasswordInterbase");
  UserInterbase = read("UserInterbase");

  DB.close();
  PathBufor = read("PathBufor");

  db::ConnectionSettings settings;
  if (gdbPath.isEmpty()) {
    settings.engine = db::Engine::Sqlite;
    settings.sqliteFile = platform::joinPath(PathData, QStringLiteral("dane.sqlite"));
    IsInterbase = false;
  } else {
    settings.engine = db::Engine::Firebird;
    settings.server = gdbPath;
    settings.user = UserInterbase.isEmpty() ? kDefaultUser : UserInterbase;
    settings.password = PasswordInterbase.isEmpty() ? kDefaultPassword : PasswordInterbase;
    IsInterbase = true;
  }
  connectionSettings = settings;
  DB.open(settings);

  PathMain = read("PathMain");
  const QString defaultFolder = PathMain + QStringLiteral("\\Bestia");
  const QString exportSection = QStringLiteral("Eksport obcy");
  // Without a main folder there is no default: nothing is written (the export asks for a folder).
  if (!PathMain.isEmpty() && readProfileString(configFile, exportSection, QStringLiteral("BestiaDir")).isEmpty())
    platform::writeProfileString(configFile, exportSection, QStringLiteral("BestiaDir"), defaultFolder);
  PathBestia = platform::nativePath(readProfileString(configFile, exportSection, QStringLiteral("BestiaDir")));
  // A folder that cannot be made is reported; the program goes on (the export reports it again).
  QString error;
  if (!PathBestia.isEmpty() && !platform::ensureFolder(PathBestia, &error))
    ui.showMessage(QStringLiteral("Nie można utworzyć folderu eksportu \"%1\": %2").arg(PathBestia, error));
  return true;
}

}  // namespace wertalo::catalogue
