// Body tests: the expected text of a report element as the writer writes it at nesting
// level 0 (the report element, its header and lists at level 1, positions at level 2).
#pragma once

#include <QString>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/catalogue/enums.h"
#include "core/catalogue/select_table.h"

namespace wertalo::test {

class BodyFixture;

// A case that reads the unit's own tables (rJST) or the budget units' twins (rJB); the
// other set holds decoys that must not be read.
struct TablesCase {
  const char* name;
  catalogue::TRodzajEksportu kind;
};
inline void PrintTo(const TablesCase& c, std::ostream* os) { *os << c.name; }
// Both table sets.
inline constexpr TablesCase kTableSets[] = {{"Unit", catalogue::rJST}, {"BudgetUnit", catalogue::rJB}};
// The name of a parameterised case, for INSTANTIATE_TEST_SUITE_P.
inline const auto kCaseName = [](const auto& info) { return std::string(info.param.name); };
// The prefix of the tables a kind reads ("" or "JB"), and of their twins.
QString readPrefix(catalogue::TRodzajEksportu kind);
QString decoyPrefix(catalogue::TRodzajEksportu kind);
// The selection row of report 70 (test::selectRow), of budget unit 7 for rJB.
catalogue::SelectRow reportRow(const char* symbol, const char* typspr, catalogue::TRodzajEksportu kind);

// A child of a position: its element and text; without a text, the empty element ("<Symbol/>").
struct Entry {
  std::string element;
  std::optional<std::string> text;
};
using Entries = std::vector<Entry>;

// A Pozycja at level 2 with its children.
std::string positionText(const Entries& fields);
// A list element at level 1 around its positions; "<Name/>" without any.
std::string list(const std::string& name, const std::string& positions);
// The report element `symbol` with the Id of report `id`, the header of version 1 dated
// 2013-12-20 (test::selectRow), then the lists.
std::string reportText(const std::string& symbol, qint64 id, const std::string& lists);
// Builds report 70 (reportRow) of `symbol` from the tables of `kind` with the fixture's
// database and checks its text and its anchor.
void expectReport(BodyFixture& m, const char* symbol, const char* typspr, catalogue::TRodzajEksportu kind, const std::string& expected);
// An amount text of a whole number ("12.00").
std::string amount(long long value);

}  // namespace wertalo::test
