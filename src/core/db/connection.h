// Wertalo: the connection to the product's database (local SQLite file or Firebird server).
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <memory>

#include "core/db/dialect.h"

namespace wertalo::db {

struct ConnectionSettings {
  Engine engine = Engine::Sqlite;
  // SQLite: the database file (":memory:" for a private in-memory database).
  QString sqliteFile;
  // SQLite: create the file when it does not exist (only the demo does; the product's
  // database must be there).
  bool createIfMissing = false;
  // Firebird: "host:path" or "host/port:path", user and password.
  QString server;
  QString user;
  QString password;
};

// One open connection. Every query of the system runs on one of these.
class Connection {
 public:
  Connection();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Opens (closing first when open). Failure raises DbError with the engine's text.
  void open(const ConnectionSettings& settings);
  void close();
  bool isOpen() const;

  Engine engine() const { return dialect_->engine(); }
  const Dialect& dialect() const { return *dialect_; }
  QSqlDatabase database() const;

  // Runs a script of statements, each ending with ";" at the end of a line; "--" lines are
  // comments. Stops at the first failure (DbError).
  void executeScript(const QString& script);
  // Whether a table of this name exists (names without regard to case).
  bool hasTable(const QString& name) const;
  QStringList tableNames() const;

  void beginTransaction();
  void commit();
  void rollback();
  // Whether an explicit transaction is open, and a number that changes whenever one begins or
  // ends (a statement prepared in one transaction is prepared again for the next).
  bool inTransaction() const { return inTransaction_; }
  int transactionSerial() const { return transactionSerial_; }

 private:
  bool inTransaction_ = false;
  int transactionSerial_ = 0;
  QString name_;
  std::unique_ptr<Dialect> dialect_;
};

// Splits a script into statements (see Connection::executeScript).
QStringList splitScript(const QString& script);

}  // namespace wertalo::db
