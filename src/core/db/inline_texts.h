// Wertalo: "select *" of one table with its short texts inline, where the engine would fetch
// every text BLOB with round trips of its own.
#pragma once

#include <QString>

#include <optional>

namespace wertalo::db {

class Connection;

// The name of the column that flags a row whose text was too long to come inline.
inline constexpr const char* kLongTextFlag = "WERTALO_LONG_TEXT";

// For "select * from <table>", alone or followed by "where …" or "order by …" (without a
// union), on an engine whose text BLOBs cost round trips per value (Firebird): the same
// statement naming the table's columns in the same order under the same names, each text BLOB
// read as a VARCHAR when it is short enough (a row the server sends stays well inside its
// limit), and last a column kLongTextFlag that is 1 where a text was too long to come so. A
// reader that meets the flag runs the statement as written. Nothing for any other statement, a
// table without text BLOBs, a column whose name needs quotes, or an engine that reads texts
// with their row. The table's columns are looked up once per transaction of the connection.
std::optional<QString> inlineTextsStatement(Connection& connection, const QString& sql);

}  // namespace wertalo::db
