// Wertalo demo: a whole installation of the product in one folder: WIN.INI, the product's
// configuration file, its sending program and its database (local file or Firebird server).
#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

#include "core/base/error.h"
#include "core/demo/demo_data.h"

namespace wertalo::demo {

// What to create.
struct DemoOptions {
  QString folder;                 // created when missing; must be empty when it exists
  int units = kDefaultUnits;      // budget units
  QString firebirdServer;         // "host:path" of a Firebird database; empty for dane.sqlite
  QString user;                   // Firebird user and password; written into the configuration
  QString password;               // when given (the product's defaults apply otherwise)
};

// What was created.
struct DemoInstallation {
  QString winIni;           // the file that stands for WIN.INI
  QString configFile;       // the product's configuration file
  QString sender;           // the sending program
  QString database;         // dane.sqlite, or the Firebird server path
  bool databaseCreated = false;  // false when an existing empty Firebird database was filled
  QStringList created;      // files and folders created, in order
  DemoContent content;
};

// A demo installation that cannot be created; the message is for the user (Polish).
class DemoError : public Error {
 public:
  explicit DemoError(const QString& message) : Error(ErrorKind::Installation, message) {}
};

// The user and password the product uses on a server when its configuration names none.
inline constexpr const char* kDefaultFirebirdUser = "SYSDBA";
inline constexpr const char* kDefaultFirebirdPassword = "zentrowal";

// Creates the installation. The same options always give the same bytes. Raises DemoError
// (and db::DbError for the database engine); the database file is then not left behind.
DemoInstallation createDemoInstallation(const DemoOptions& options);

}  // namespace wertalo::demo
