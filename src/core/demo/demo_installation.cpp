#include "core/demo/demo_installation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/db/connection.h"
#include "core/db/db_error.h"
#include "core/db/firebird_create.h"
#include "core/db/schema.h"
#include "core/platform/file_write.h"
#include "core/platform/platform_error.h"

namespace wertalo::demo {

using namespace Qt::StringLiterals;

namespace {

// The sending program: records the descriptor path it is started with.
const char kSenderScript[] =
    "#!/bin/sh\n"
    "# Program wysyłający instalacji demonstracyjnej: zapisuje otrzymany argument\n"
    "# (ścieżkę opisu przesyłki eksport.xml) w pliku wyslane.txt obok siebie.\n"
    "printf '%s\\n' \"$1\" >> \"$(dirname \"$0\")/wyslane.txt\"\n";

void writeFile(const QString& path, const QByteArray& bytes, platform::NewFileAccess access, QStringList& created) {
  try {
    platform::writeFileWhole(path, bytes, access);
  } catch (const platform::PlatformError& e) {
    throw DemoError(e.message());
  }
  created.append(path);
}

void makeFolder(const QString& path, QStringList& created) {
  if (QFileInfo(path).isDir()) return;
  if (!QDir().mkpath(path)) throw DemoError(u"Nie można utworzyć katalogu %1"_s.arg(path));
  created.append(path);
}

QByteArray iniText(const std::vector<std::pair<QString, std::vector<std::pair<QString, QString>>>>& sections) {
  QString text;
  for (const auto& [section, keys] : sections) {
    if (!text.isEmpty()) text += u'\n';
    text += u'[' + section + u"]\n"_s;
    for (const auto& [key, value] : keys) text += key + u'=' + value + u'\n';
  }
  return text.toUtf8();
}

// Fills the database through a connection; the SQLite file is written under a temporary
// name first, so that a failure leaves no half-filled database behind.
DemoContent loadDatabase(const DemoOptions& options, const QString& sqliteFile, bool& created) {
  db::Connection connection;
  db::ConnectionSettings settings;
  QString temporary;
  if (options.firebirdServer.isEmpty()) {
    temporary = sqliteFile + u".tmp"_s;
    QFile::remove(temporary);
    settings.engine = db::Engine::Sqlite;
    settings.sqliteFile = temporary;
    settings.createIfMissing = true;
    created = true;
  } else {
    settings.engine = db::Engine::Firebird;
    settings.server = options.firebirdServer;
    settings.user = options.user.isEmpty() ? QString::fromLatin1(kDefaultFirebirdUser) : options.user;
    settings.password = options.password.isEmpty() ? QString::fromLatin1(kDefaultFirebirdPassword) : options.password;
    created = db::ensureFirebirdDatabase(settings.server, settings.user, settings.password);
  }
  try {
    connection.open(settings);
    if (!connection.tableNames().isEmpty())
      throw DemoError(u"Baza danych %1 nie jest pusta; instalację demonstracyjną wczytuje się do pustej bazy."_s.arg(settings.server));
    // The indexes come after the rows: building them once is quicker than keeping them up to
    // date row by row.
    db::applySchemaTables(connection);
    const DemoContent content = fillDemoDatabase(connection, options.units);
    db::applySchemaIndexes(connection);
    connection.close();
    if (!temporary.isEmpty() && !QFile::rename(temporary, sqliteFile))
      throw DemoError(u"Nie można zapisać pliku %1"_s.arg(sqliteFile));
    return content;
  } catch (...) {
    connection.close();
    if (!temporary.isEmpty()) QFile::remove(temporary);
    // A server database made here goes again; one that existed keeps what it had.
    if (temporary.isEmpty() && created) {
      try {
        db::dropFirebirdDatabase(settings.server, settings.user, settings.password);
      } catch (const db::DbError&) {
        // The first error is the one worth reporting.
      }
    }
    throw;
  }
}

void build(const DemoOptions& options, const QString& folder, DemoInstallation& result);

}  // namespace

DemoInstallation createDemoInstallation(const DemoOptions& options) {
  if (options.folder.isEmpty()) throw DemoError(u"Nie podano katalogu instalacji demonstracyjnej."_s);
  if (options.units < 1) throw DemoError(u"Liczba jednostek budżetowych musi być dodatnia."_s);
  const QString folder = QDir::cleanPath(QDir(options.folder).absolutePath());
  const QFileInfo info(folder);
  if (info.exists() && !info.isDir()) throw DemoError(u"%1 nie jest katalogiem."_s.arg(folder));
  if (info.exists() && !QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
    throw DemoError(u"Katalog %1 nie jest pusty; instalacja demonstracyjna powstaje w pustym katalogu."_s.arg(folder));

  DemoInstallation result;
  try {
    build(options, folder, result);
  } catch (...) {
    // Whatever was created goes again, newest first.
    for (qsizetype i = result.created.size() - 1; i >= 0; --i) {
      const QString& path = result.created.at(i);
      if (QFileInfo(path).isDir()) QDir().rmdir(path);
      else QFile::remove(path);
    }
    throw;
  }
  return result;
}

namespace {

void build(const DemoOptions& options, const QString& folder, DemoInstallation& result) {
  makeFolder(folder, result.created);
  const QString pathMain = folder + u"/Tervik"_s;
  const QString pathData = pathMain + u"/Dane"_s;
  makeFolder(pathMain, result.created);
  const bool local = options.firebirdServer.isEmpty();
  if (local) makeFolder(pathData, result.created);

  // The database first: it is what most likely fails.
  result.database = local ? pathData + u"/dane.sqlite"_s : options.firebirdServer;
  result.content = loadDatabase(options, result.database, result.databaseCreated);
  if (local) result.created.append(result.database);

  result.sender = pathMain + u"/wyslij.sh"_s;
  writeFile(result.sender, QByteArray(kSenderScript), platform::NewFileAccess::Default, result.created);
  QFile::setPermissions(result.sender, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                           QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);

  std::vector<std::pair<QString, QString>> keys = {{u"PathData"_s, pathData},
                                                   {u"PathMain"_s, pathMain},
                                                   {u"PathBufor"_s, pathMain + u"/Bufor/"_s},
                                                   {u"CommunicationSrv"_s, u"wyslij.sh"_s},
                                                   {u"GDBPath"_s, options.firebirdServer}};
  if (!options.user.isEmpty()) keys.push_back({u"UserInterbase"_s, options.user});
  if (!options.password.isEmpty()) keys.push_back({u"PasswordInterbase"_s, options.password});
  result.configFile = pathMain + u"/Tervik.ini"_s;
  // A configuration holding a password is readable by its owner only.
  writeFile(result.configFile, iniText({{u"configTervik"_s, keys}, {u"Eksport obcy"_s, {}}}),
            options.password.isEmpty() ? platform::NewFileAccess::Default : platform::NewFileAccess::OwnerOnly, result.created);

  result.winIni = folder + u"/win.ini"_s;
  writeFile(result.winIni, iniText({{u"KALMETO"_s, {{u"TERVIK"_s, result.configFile}}}}), platform::NewFileAccess::Default,
            result.created);
}

}  // namespace

}  // namespace wertalo::demo
