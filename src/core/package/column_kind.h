// Wertalo: column kinds of the report bodies' column tables.
#pragma once

#include <cstdint>

namespace wertalo::package {

// How a column's value is written: text, integer, amount, date or long text.
enum TTypPola : std::uint8_t { tString = 0, tInteger = 1, tFloat = 2, tDate = 3, tMemo = 4 };

// One entry of a column table: the Besti@ element, the source column and its kind.
struct ColumnEntry {
  const char* element;
  const char* column;
  TTypPola kind;
};

}  // namespace wertalo::package
