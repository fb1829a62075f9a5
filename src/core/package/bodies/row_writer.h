// Wertalo: the generic writer of report positions from rows and a column table.
#pragma once

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

// Appends one Pozycja to `list` for each kept row of `rows`, with one element per column of
// the table in table order: amounts always ("0.00" for Null), texts as `emptyText` says;
// other kinds write nothing. The sum is that of the amounts' absolute values.
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

}  // namespace wertalo::package
