// Body tests: the expected text of a report element as the writer writes it at nesting
// level 0 (the report element, its header and lists at level 1, positions at level 2).
#pragma once

#include <QtGlobal>

#include <optional>
#include <string>
#include <vector>

namespace wertalo::test {

// A child of a position: its element and text; without a text, the empty element ("<Symbol/>").
struct Field {
  std::string element;
  std::optional<std::string> text;
};
using Fields = std::vector<Field>;

// A Pozycja at level 2 with its children.
std::string pozycja(const Fields& fields);
// A list element at level 1 around its positions; "<Name/>" without any.
std::string list(const std::string& name, const std::string& positions);
// The report element `symbol` with the Id of report `id`, the header of version 1 dated
// 2013-12-20 (test::selectRow), then the lists.
std::string reportText(const std::string& symbol, qint64 id, const std::string& lists);
// An amount text of a whole number ("12.00").
std::string amount(long long value);

}  // namespace wertalo::test
