// Test support: databases to run against (an in-memory SQLite database, a fresh database
// on the Firebird test server).
#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

#include "core/db/connection.h"
#include "core/demo/demo_installation.h"
#include "support/qt_printers.h"

namespace wertalo::test {

// A private in-memory SQLite database with the whole schema applied.
std::unique_ptr<db::Connection> memoryDatabase(bool withSchema = true);

// Why the Firebird tests cannot run here, or empty when they can. The server comes from
// scripts/firebird-test-server (WERTALO_FB_* variables).
QString firebirdUnavailableReason();

class FirebirdDatabase;

// An empty database of the engine with the whole schema applied (or without it): SQLite in
// memory, or a fresh database on the Firebird test server, kept in `server`.
std::unique_ptr<db::Connection> emptyDatabase(db::Engine engine, bool withSchema,
                                              std::unique_ptr<FirebirdDatabase>& server);

// A fresh, empty Firebird database on the test server; dropped when destroyed.
class FirebirdDatabase {
 public:
  FirebirdDatabase();
  ~FirebirdDatabase();
  FirebirdDatabase(const FirebirdDatabase&) = delete;
  FirebirdDatabase& operator=(const FirebirdDatabase&) = delete;

  // "host:path" of the database.
  const QString& server() const { return server_; }
  db::ConnectionSettings settings() const;
  // A connection opened on it.
  std::unique_ptr<db::Connection> connect() const;

 private:
  QString path_;
  QString server_;
};

// The same demo installation (two budget units) on a local file and on a Firebird server.
struct DemoOnBoth {
  demo::DemoInstallation local;   // in the folder "lokalna" of the test's folder
  demo::DemoInstallation remote;  // in "serwer", its database on the server
};

// Creates both in `dir`, the remote one's database in `server`.
DemoOnBoth demoOnLocalAndServer(const QTemporaryDir& dir, const FirebirdDatabase& server);

}  // namespace wertalo::test

// Skips the current test with the reason when the Firebird server is not available; fails
// instead when WERTALO_FB_REQUIRED is set (CI).
#define WERTALO_REQUIRE_FIREBIRD()                                                   \
  do {                                                                                \
    const QString reason_ = ::wertalo::test::firebirdUnavailableReason();             \
    if (!reason_.isEmpty()) {                                                         \
      if (qEnvironmentVariableIsSet("WERTALO_FB_REQUIRED"))                           \
        FAIL() << "Firebird server required but unavailable: " << reason_.toStdString(); \
      GTEST_SKIP() << "Firebird server unavailable: " << reason_.toStdString();       \
    }                                                                                 \
  } while (0)
