// Installation discovery: WIN.INI names the product's configuration file, whose chosen
// section names the data folder or the database server.
#include "core/catalogue/wertalo_main.h"

#include <QFileInfo>

#include <exception>

#include "core/base/error.h"
#include "core/db/db_error.h"

#include "core/platform/adapter_address.h"
#include "core/platform/ini_file.h"
#include "core/platform/paths.h"
#include "core/platform/user_interface.h"

namespace wertalo::catalogue {

namespace {

const QString kInstallError = QStringLiteral(
    "BŁĄD!! Niepoprawnie zainstalowany system \"TERVIK\". Program zakończy teraz pracę!");
// The installation error, then what was read and what was missing there.
Error installError(const QString& detail) { return Error(ErrorKind::Installation, kInstallError + QLatin1Char('\n') + detail); }

// "nie istnieje" for a file that is not there, else what the read missed.
QString missingIn(const QString& file, const QString& whatIsMissing) {
  return QFileInfo::exists(file) ? whatIsMissing : QStringLiteral("plik nie istnieje");
}

const QString kDefaultUser = QStringLiteral("SYSDBA");
const QString kDefaultPassword = QStringLiteral("zentrowal");

}  // namespace

void TdtmWertaloMain::ConnectTervik() {
  using platform::readProfileString;
  // The per-workstation section is read but takes no effect: "configTervik" is read after it.
  const QString workstation = platform::MACAddress();

  QString key = QStringLiteral("TERVIK");
  QString configName = readProfileString(installation_.winIni, QStringLiteral("KALMETO"), key);
  if (configName.isEmpty()) {
    key = QStringLiteral("JSTJB");
    RodzajProg_ = rBudzetJB;
    configName = readProfileString(installation_.winIni, QStringLiteral("KALMETO"), key);
  } else {
    RodzajProg_ = rBudzetJST;
  }
  const QString configFile = platform::nativePath(configName);
  if (configFile.isEmpty()) {
    throw installError(QStringLiteral("WIN.INI: \"%1\": %2").arg(
        installation_.winIni, missingIn(installation_.winIni, QStringLiteral("brak klucza TERVIK ani JSTJB w sekcji KALMETO"))));
  }
  installation_.configFile = configFile;

  QString section = QStringLiteral("configTervik");
  bool noDataFolder = false;
  try {
    if (!workstation.isEmpty()) readProfileString(configFile, workstation, QStringLiteral("PathData"));
    if (readProfileString(configFile, section, QStringLiteral("PathData")).isEmpty()) {
      section = QStringLiteral("configJST");
      if (readProfileString(configFile, section, QStringLiteral("PathData")).isEmpty())
        section = QStringLiteral("configJB");
    }
    noDataFolder = readProfileString(configFile, section, QStringLiteral("PathData")).isEmpty();
  } catch (const std::exception&) {
    ui_.showMessage(QStringLiteral("Błąd podczas odczytu pliku konfiguracyjnego ") + configFile);
  }
  if (noDataFolder) {
    throw installError(QStringLiteral("WIN.INI: \"%1\" (klucz %2 w sekcji KALMETO)\nPlik konfiguracyjny: \"%3\": %4")
                           .arg(installation_.winIni, key, configFile,
                                missingIn(configFile, QStringLiteral("brak klucza PathData w sekcjach configTervik, configJST i configJB"))));
  }

  // After a failed read the rest goes on with what can be read (an unreadable file reads empty).
  auto read = [&](const char* name) {
    try {
      return readProfileString(configFile, section, QString::fromLatin1(name));
    } catch (const std::exception&) {
      return QString();
    }
  };
  installation_.PathData = platform::nativePath(read("PathData"));
  installation_.CommunicationSrv = read("CommunicationSrv");
  const QString gdbPath = read("GDBPath").trimmed();
  installation_.PasswordInterbase = read("PasswordInterbase");
  installation_.UserInterbase = read("UserInterbase");

  db_.close();
  installation_.PathBufor = read("PathBufor");

  db::ConnectionSettings settings;
  if (gdbPath.isEmpty()) {
    settings.engine = db::Engine::Sqlite;
    settings.sqliteFile = platform::joinPath(installation_.PathData, QStringLiteral("dane.sqlite"));
    installation_.IsInterbase = false;
  } else {
    settings.engine = db::Engine::Firebird;
    settings.server = gdbPath;
    settings.user = installation_.UserInterbase.isEmpty() ? kDefaultUser : installation_.UserInterbase;
    settings.password = installation_.PasswordInterbase.isEmpty() ? kDefaultPassword : installation_.PasswordInterbase;
    installation_.IsInterbase = true;
  }
  installation_.connection = settings;
  try {
    db_.open(settings);
  } catch (const db::DbError& e) {
    throw e.withLead(QStringLiteral("Nie można otworzyć bazy danych \"%1\" (plik konfiguracyjny \"%2\", sekcja %3).")
                         .arg(settings.engine == db::Engine::Sqlite ? settings.sqliteFile : settings.server, configFile, section));
  }

  installation_.PathMain = read("PathMain");
  const QString defaultFolder = installation_.PathMain + QStringLiteral("\\Bestia");
  const QString exportSection = QStringLiteral("Eksport obcy");
  // Without a main folder there is no default: nothing is written (the export asks for a folder).
  if (!installation_.PathMain.isEmpty() && readProfileString(configFile, exportSection, QStringLiteral("BestiaDir")).isEmpty())
    platform::writeProfileString(configFile, exportSection, QStringLiteral("BestiaDir"), defaultFolder);
  installation_.PathBestia = platform::nativePath(readProfileString(configFile, exportSection, QStringLiteral("BestiaDir")));
  // A folder that cannot be made is reported; the program goes on (the export reports it again).
  QString error;
  if (!installation_.PathBestia.isEmpty() && !platform::ensureFolder(installation_.PathBestia, &error))
    ui_.showMessage(QStringLiteral("Nie można utworzyć folderu eksportu \"%1\": %2").arg(installation_.PathBestia, error));
}

}  // namespace wertalo::catalogue
