// Wertalo: the generic writer of report positions from rows and a column table.
#pragma once

#include <QString>

#include <span>

#include "core/package/column_kind.h"

namespace wertalo::db {
class DataSet;
}

namespace wertalo::package {

class XmlElement;

// Which rows make a position.
enum class RowFilter {
  ParagraphRows,  // PAR of exactly three characters and a non-zero sum of the amounts
  AmountRows,     // a non-zero sum of the amounts
};

// What an empty text column gives.
enum class EmptyText {
  Omit,   // no element
  Write,  // the element with empty text
};

// Whether the first word of a position name keeps a final dot when it is taken as a symbol.
enum class FinalDot {
  Keep,  // "E2." stays "E2."
  Drop,  // "E2." becomes "E2"
};

// How a listed symbol is written into its Pozycja.
enum class SymbolText {
  AsListed,             // "N3.1" stays "N3.1"
  WithoutLastCharacter, // "E2.1." becomes "E2.1"
};

// Appends one element per column of the table, in table order, read from the current row of
// `row` (null: there is no row, every value is Null): amounts always ("0.00" for Null), texts
// as `emptyText` says, whole numbers always ("0" for Null), dates as yyyy-mm-dd unless they
// are the zero date (so also unless Null); long texts and entries without a column name
// write nothing.
void writeColumns(XmlElement& pozycja, const db::DataSet* row, std::span<const ColumnEntry> columns, EmptyText emptyText);

// Appends one Pozycja to `list` for each kept row of `rows`, with the row's columns written
// by writeColumns. The sum is that of the amounts' absolute values.
void writePositions(XmlElement& list, db::DataSet& rows, std::span<const ColumnEntry> columns, RowFilter filter,
                    EmptyText emptyText);

// Appends one element per column of the table, in table order, from the current row of `rows`,
// each by its kind (WstawPozycjeDoBestia: texts unless Null, amounts always); with no current
// row every value counts as Null. The entry of the column `emptyColumn`, when given, is an
// empty element instead. A column missing from the result raises DbError.
void writeEntries(XmlElement& pozycja, const db::DataSet& rows, std::span<const ColumnEntry> columns,
                  const char* emptyColumn = nullptr);

// Appends one Pozycja to `list` for every row of `rows`, in their order, with every entry of
// the table (writeEntries).
void writeRows(XmlElement& list, db::DataSet& rows, std::span<const ColumnEntry> columns);

// Appends the elements of the table's columns from the current row of `rows`, as
// writePositions does for a row.
void writeColumns(XmlElement& pozycja, const db::DataSet& rows, std::span<const ColumnEntry> columns, EmptyText emptyText);

// Appends one Pozycja to `list`: its Symbol (written also when empty), then the table's
// columns from the current row of `rows`.
XmlElement& writePosition(XmlElement& list, const QString& symbol, const db::DataSet& rows,
                          std::span<const ColumnEntry> columns, EmptyText emptyText);

// Moves `rows` to the first row whose NAZWA has `symbol` as its first word: the characters
// before the first blank (the whole name when it has none), with one final dot removed when
// `dot` says so; compared exactly, with case. False when no row has it (the cursor is then
// past the last row).
bool locateByFirstWord(db::DataSet& rows, const QString& symbol, FinalDot dot);

// A fixed symbol list searched by first word: for each symbol in order whose row is found,
// one Pozycja with the symbol (as `written` says) and the table's columns from that row.
// Symbols without a row are left out.
void writeFirstWordPositions(XmlElement& list, db::DataSet& rows, std::span<const char* const> symbols, FinalDot dot,
                             SymbolText written, std::span<const ColumnEntry> columns, EmptyText emptyText);

}  // namespace wertalo::package
