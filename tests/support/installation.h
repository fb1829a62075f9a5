// Test support: an installation of the product in a temporary folder (WIN.INI, the product's
// configuration, a local database with the whole schema) and sessions opened on it.
#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

#include "core/db/connection.h"
#include "core/platform/user_interface.h"

namespace wertalo::operations {
class Session;
}

namespace wertalo::test {

class TempInstallation {
 public:
  // Creates the folder, its files and the empty database.
  TempInstallation();
  ~TempInstallation();

  // A connection to the database, for the rows a test needs (before or beside a session).
  std::unique_ptr<db::Connection> connect() const;
  // Opens a session as the program does at start (the stored settings in `settingsFile()`);
  // `ui` receives its messages.
  std::unique_ptr<operations::Session> open(platform::UserInterface& ui) const;

  const QString& winIni() const { return winIni_; }
  // The settings file ("Wertalo.xml" in the installation's folder; not created here).
  QString settingsFile() const;
  // The product's export folder (PathBestia) as the session reports it.
  QString pathBestia() const;

 private:
  QTemporaryDir dir_;
  QString winIni_;
  QString database_;
};

}  // namespace wertalo::test
