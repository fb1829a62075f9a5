// Wertalo: "select *" of one table spelled out column by column, where the engine's driver
// would otherwise look up every column of the result and fetch every text BLOB with round
// trips of their own.
#pragma once

#include <QString>

#include <memory>
#include <optional>

#include "core/db/field_index.h"

namespace wertalo::db {

class Connection;

// The columns of one table as "select *" gives them.
struct TableColumns {
  // The select list: the columns by name, each text BLOB read as a VARCHAR when it is short
  // enough (a row the server sends stays well inside its limit), and, when the table has text
  // BLOBs, last a column that is 1 where a text was too long to come so.
  QString selectList;
  // The names of the columns, as "select *" gives them (the flag is none of them).
  std::shared_ptr<const FieldIndex> fields;
  bool longTextFlag = false;
};

// A statement "select * from <table>" spelled out.
struct SpelledSelect {
  QString sql;  // the statement with the table's select list
  std::shared_ptr<const TableColumns> columns;
};

// For "select * from <table>", alone or followed by "where …" or "order by …" (without a
// union), on an engine whose driver reads a result's columns and text BLOBs with round trips
// of their own (Firebird): the same statement naming the table's columns (see TableColumns).
// A reader that meets the long-text flag set runs the statement as written; the columns are the
// same. Nothing for any other statement, a table the engine cannot describe, a column whose
// name needs quotes, or an engine whose driver reads all of a row at once. The table's columns
// are looked up once per transaction of the connection.
std::optional<SpelledSelect> spelledOutSelectAll(Connection& connection, const QString& sql);

}  // namespace wertalo::db
