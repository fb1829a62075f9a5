// Host function tests: an installation on disk (WIN.INI, the product's configuration file,
// dane.sqlite) with the period calendar, the unit and the rows a case adds.
#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

#include "core/db/connection.h"
#include "fixture.h"

namespace wertalo::test {

class HostInstallation {
 public:
  // The installation with the schema and the base rows of insertBaseRows (a city, type "M").
  HostInstallation();

  // The WIN.INI to find it by.
  QString winIni() const { return dir_.filePath(QStringLiteral("win.ini")); }
  // A WIN.INI whose configuration names a data folder without a database.
  QString winIniWithoutDatabase() const { return dir_.filePath(QStringLiteral("empty-win.ini")); }
  // The database, for the rows of a case.
  db::Connection& db() { return *db_; }
  // Runs statements (";"-separated at line ends) on the database.
  void exec(const QString& script) { test::exec(*db_, script); }

 private:
  QTemporaryDir dir_;
  std::unique_ptr<db::Connection> db_;
};

}  // namespace wertalo::test
