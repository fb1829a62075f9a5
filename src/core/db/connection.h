// Wertalo: the connection to the product's database (local SQLite file or Firebird server).
#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <memory>

#include "core/db/dialect.h"
#include "core/db/field_index.h"

namespace wertalo::db {

struct TableColumns;

// A statement prepared on a connection, with what every run of it needs: the names of its
// parameters and the fields of its result (known after its first run).
struct PreparedStatement {
  QSqlQuery query;
  QString sql;
  QStringList parameterNames;
  std::shared_ptr<const FieldIndex> fields;
};

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

  // The statement (as the engine runs it) prepared on this connection. A statement with
  // parameters is kept and handed out again while the engine lets it be run again (see
  // Dialect::reusesStatements): every report of a run prepares its statements once. The
  // statement is the caller's until it has run and finished (one statement runs at a time);
  // failure raises DbError.
  std::shared_ptr<PreparedStatement> prepare(const QString& sql);
  // How many statements were prepared on the engine so far (kept ones are not counted again).
  int preparedCount() const { return preparedCount_; }

  // The columns of a table as a reader described them (see spelledOutSelectAll; null: not
  // describable), kept until the next transaction begins or ends, or a statement that may
  // change tables runs.
  const std::shared_ptr<const TableColumns>* knownTableColumns(const QString& table) const;
  std::shared_ptr<const TableColumns> rememberTableColumns(const QString& table, std::shared_ptr<const TableColumns> columns);
  void forgetTableColumns() { tableColumns_.clear(); }

 private:
  // Drops the kept statements (before a close, and when a transaction begins or ends on an
  // engine whose statements belong to their transaction).
  void forgetStatements();

  bool inTransaction_ = false;
  int transactionSerial_ = 0;
  QString name_;
  std::unique_ptr<Dialect> dialect_;
  QHash<QString, std::shared_ptr<PreparedStatement>> statements_;
  int preparedCount_ = 0;
  QHash<QString, std::shared_ptr<const TableColumns>> tableColumns_;
};

// One read transaction over a stretch of work: every statement reads the same state of the
// database, and the engine's lock is taken once (SQLite: a deferred transaction; Firebird: a
// snapshot). Nothing is written in it; it ends with a rollback. Inside a transaction that is
// already open it does nothing.
class ReadTransaction {
 public:
  explicit ReadTransaction(Connection& connection);
  ~ReadTransaction();
  ReadTransaction(const ReadTransaction&) = delete;
  ReadTransaction& operator=(const ReadTransaction&) = delete;

  // Ends the transaction before the end of the scope.
  void end();

 private:
  Connection* connection_ = nullptr;
};

// Splits a script into statements (see Connection::executeScript).
QStringList splitScript(const QString& script);

}  // namespace wertalo::db
