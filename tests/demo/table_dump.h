// Test support for the demo: every table of a database as normalised text, so that two
// databases (SQLite and Firebird, or two runs) can be compared line by line.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace wertalo::db {
class Connection;
}

namespace wertalo::test {

// Column kinds of the schema, by which values are normalised.
enum class ColumnKind { Text, Integer, Amount, Date, Timestamp };

struct SchemaColumn {
  QString name;
  ColumnKind kind;
};

// Table name (as in the schema) to its columns, read from db/schema.sql.
QMap<QString, QList<SchemaColumn>> schemaColumns();

// One line per row: the table name, then every column's value, normalised (Null "∅",
// dates yyyy-MM-dd, amounts as exact currency), separated by "|"; rows sorted.
QStringList dumpTable(db::Connection& connection, const QString& table);

// Every table of the schema, in the order of the schema.
QStringList dumpDatabase(db::Connection& connection);

}  // namespace wertalo::test
