// Wertalo: the product's tables, as this system knows them.
#pragma once

#include <QString>
#include <QStringList>

namespace wertalo::db {

class Connection;

// The text of db/schema.sql: every table and column the system reads or writes.
QString schemaSql();

// Creates every table of the schema and its indexes on an empty database of either engine.
void applySchema(Connection& connection);
// The two halves of applySchema: the tables, then the indexes (a database filled in bulk gets
// its indexes after its rows, which is quicker than keeping them up to date row by row).
void applySchemaTables(Connection& connection);
void applySchemaIndexes(Connection& connection);

// Names of the tables the schema creates, in the order of the file.
QStringList schemaTableNames();

}  // namespace wertalo::db
