// Wertalo: what differs between the local SQLite database and the Firebird server.
#pragma once

#include <QString>
#include <QVariant>

#include <memory>

namespace wertalo::db {

enum class Engine { Sqlite, Firebird };

// Statement rewrites and parameter forms of one engine. Nothing outside this class asks
// which engine it is talking to.
class Dialect {
 public:
  virtual ~Dialect() = default;

  virtual Engine engine() const = 0;
  // The statement as this engine must run it (the product's statements are written for
  // the server: "SELECT FIRST 1", parameters compared with literals).
  virtual QString adapt(const QString& sql) const = 0;
  // A parameter value in the form this engine stores and compares (dates on SQLite are ISO
  // text).
  virtual QVariant parameterValue(const QVariant& value) const = 0;
  // Whether a prepared statement may be run again outside an explicit transaction. On Firebird
  // a statement keeps the snapshot of its own transaction: a select run again would not see
  // the changes made since.
  virtual bool reusesStatements() const = 0;
  // Whether a text column's value equals a text as a statement's "=" compares them (a Null
  // equals nothing; on the server trailing spaces do not count).
  virtual bool textEquals(const QVariant& cell, QStringView text) const = 0;
  // A statement listing a table's columns in the order "select *" gives them, each with 1 when
  // it is a text BLOB (:TABLE the table's name as stored); "" where the engine reads a text
  // BLOB with its row anyway.
  virtual QString columnTypesSql() const = 0;

  static std::unique_ptr<Dialect> create(Engine engine);
};

}  // namespace wertalo::db
