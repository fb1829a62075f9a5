// Wertalo: the generic writers of reports with a fixed list of positions: positions by symbol
// from one row, positions found by the first word of their name, amounts found by code.
#pragma once

#include <QString>

#include <array>
#include <cstddef>
#include <span>

#include "core/package/bodies/row_writer.h"
#include "core/package/column_kind.h"

namespace wertalo::db {
class DataSet;
}

namespace wertalo::package {

class XmlElement;

// A column table whose element names repeat for every position: entry k of `columns` writes
// element number k modulo the number of elements, with the kind `kind`.
template <std::size_t E, std::size_t N>
constexpr std::array<ColumnEntry, N> repeatedElements(const char* const (&elements)[E], const char* const (&columns)[N],
                                                      TTypPola kind) {
  static_assert(N % E == 0, "every position has one column entry per element");
  std::array<ColumnEntry, N> table{};
  for (std::size_t k = 0; k < N; ++k) table[k] = {elements[k % E], columns[k], kind};
  return table;
}

// A fixed list of positions: their symbols in order (a null symbol writes an empty Symbol
// element) and their columns. `width` entries of the column table belong to each position
// in symbol order; with `width` 0 every position has the whole table.
struct SymbolList {
  std::span<const char* const> symbols;
  std::span<const ColumnEntry> columns;
  std::size_t width = 0;

  // The column entries of position `i`.
  std::span<const ColumnEntry> columnsOf(std::size_t i) const {
    return width == 0 ? columns : columns.subspan(i * width, width);
  }
};

// A fixed list whose column table holds, in symbol order, the same number of entries for
// every symbol.
template <std::size_t S, std::size_t N>
constexpr SymbolList slicedList(const char* const (&symbols)[S], const std::array<ColumnEntry, N>& columns) {
  static_assert(N % S == 0, "the same number of column entries for every symbol");
  return {symbols, columns, N / S};
}
template <std::size_t S, std::size_t N>
constexpr SymbolList slicedList(const char* const (&symbols)[S], const ColumnEntry (&columns)[N]) {
  static_assert(N % S == 0, "the same number of column entries for every symbol");
  return {symbols, columns, N / S};
}

// The row of a report table that holds one row per report: its first row, or null when the
// report has none.
const db::DataSet* firstRow(db::DataSet& rows);

// Appends one Pozycja per symbol: Symbol, then the position's columns read from the current
// row of `row` (null: there is no row, so every amount is "0.00"). Every position is written.
void writeSymbolPositions(XmlElement& list, const db::DataSet* row, const SymbolList& positions, EmptyText emptyText);

// A list element of a report and its fixed positions.
struct FixedList {
  const char* element;
  SymbolList positions;
};

// Appends each list element with its positions (writeSymbolPositions), all read from `row`.
void writeFixedLists(XmlElement& report, const db::DataSet* row, std::span<const FixedList> lists, EmptyText emptyText);

// Goes to the first row whose NAZWA starts with the symbol: its first word without one final
// dot ("N1.1. gotówka" and "N1.1 gotówka" give "N1.1", locateByFirstWord). False when no row
// does.
bool ZnajdzSymbol(db::DataSet& rows, const QString& symbol);

// Appends one Pozycja per symbol found by ZnajdzSymbol: Symbol, then the columns read from
// the found row. A symbol without a row writes nothing.
void writeNamedPositions(XmlElement& list, db::DataSet& rows, const SymbolList& positions, EmptyText emptyText);

// A code of the product's KOD column and the element its amount is written as.
struct CodeElement {
  const char* code;
  const char* element;
};

// Appends to `pozycja`, for each code in order whose row is found (KOD equal, with case;
// the first such row), its element with the row's amount column `column`. Codes without a
// row write nothing.
void writeCodeAmounts(XmlElement& pozycja, db::DataSet& rows, std::span<const CodeElement> codes, const char* column);

// A code of the product's KOD column and the position symbol it is reported under.
struct CodeSymbol {
  const char* code;
  const char* symbol;
};

// Appends one Pozycja per code: Symbol, then, when the code's row is found (KOD equal, with
// case; the first such row), the columns read from it. Every code gets its position.
void writeCodePositions(XmlElement& list, db::DataSet& rows, std::span<const CodeSymbol> codes,
                        std::span<const ColumnEntry> columns);

}  // namespace wertalo::package
