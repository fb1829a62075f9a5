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

}  // namespace wertalo::package
