// Bodies of Rb-NDS and Rb-PDP over small databases: positions read from columns of another
// number, positions found by name, slots without a column; the unit's own tables always.
#include <gtest/gtest.h>

#include <QStringList>

#include <string>
#include <utility>
#include <vector>

#include "body_fixture.h"
#include "body_text.h"

namespace wertalo::package {
namespace {

using test::amount;
using test::Entries;
using test::kCaseName;
using test::kTableSets;
using test::list;
using test::positionText;
using test::reportText;
using test::TablesCase;

// ---- Rb-NDS ------------------------------------------------------------------------------

// A position with its plan P and execution W.
std::string planned(const char* symbol, const std::string& p, const std::string& w) {
  return positionText({{"Symbol", symbol}, {"P", p}, {"W", w}});
}

// Each pair of F2 columns holds a number that spells its own name (A = 1, B = 2, C = 3,
// D = 4, then the digits): the plan that number, the execution a quarter more.
const std::pair<const char*, int> kF2Stems[] = {
    {"A", 1},       {"A1", 11},     {"A2", 12},     {"B", 2},       {"B3", 23},     {"B1", 21},     {"C", 3},
    {"D1", 41},     {"D11", 411},   {"D111", 4111}, {"D12", 412},   {"D13", 413},   {"D131", 4131}, {"D14", 414},
    {"D141", 4141}, {"D16", 416},   {"D15", 415},   {"D151", 4151}, {"D17", 417},   {"D2", 42},     {"D21", 421},
    {"D211", 4211}, {"D22", 422},   {"D24", 424},   {"D241", 4241}, {"D26", 426},
};

// The positions and the columns they are read from (B1 from B3P and B3W, ...), by that number.
const std::pair<const char*, int> kNdsPositions[] = {
    {"A", 1},      {"A1", 11},    {"A2", 12},    {"B", 2},      {"B1", 23},    {"B2", 21},    {"C", 3},
    {"D1", 41},    {"D11", 411},  {"D111", 4111}, {"D12", 412}, {"D13", 413},  {"D131", 4131}, {"D14", 414},
    {"D141", 4141}, {"D15", 416}, {"D16", 415},  {"D161", 4151}, {"D17", 417}, {"D2", 42},     {"D21", 421},
    {"D211", 4211}, {"D22", 422}, {"D23", 424},  {"D231", 4241}, {"D24", 426},
};

std::string ndsPositions(bool filled) {
  std::string positions;
  for (const auto& [symbol, number] : kNdsPositions)
    positions += filled ? planned(symbol, amount(number), std::to_string(number) + ".25") : planned(symbol, "0.00", "0.00");
  return list("Pozycje", positions);
}

void insertF2(test::BodyFixture& m) {
  QStringList columns{QStringLiteral("IDSPRAW")}, values{QStringLiteral("70")};
  for (const auto& [stem, number] : kF2Stems) {
    columns << QString::fromLatin1(stem) + QLatin1Char('P') << QString::fromLatin1(stem) + QLatin1Char('W');
    values << QString::number(number) << QString::number(number) + QStringLiteral(".25");
  }
  m.exec(QStringLiteral("INSERT INTO F2 (%1) VALUES (%2);\n").arg(columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", "))));
}

class RbNDS : public ::testing::TestWithParam<TablesCase> {};

TEST_P(RbNDS, PositionsFromTheirColumnsAndSupplementaryRowsFoundByName) {
  test::BodyFixture m;
  insertF2(m);
  // Names with and without the symbol's final dot, one that is only its symbol (E3), one
  // starting with a blank, a second row of a symbol, symbols outside the report.
  m.exec(QStringLiteral(
      "INSERT INTO F2 (IDSPRAW, AP) VALUES (70, 999);\n"
      "INSERT INTO F2UZUPELNIENIE (IDSPRAW, NAZWA, R1, R4) VALUES (70, 'F11. odsetki od kredytów i pożyczek', 11, 10.5);\n"
      "INSERT INTO F2UZUPELNIENIE (IDSPRAW, NAZWA, R1, R4) VALUES (70, 'E. Źródła finansowania deficytu', 100, 90);\n"
      "INSERT INTO F2UZUPELNIENIE (IDSPRAW, NAZWA, R1, R4) VALUES (70, 'E1 kredyty i pożyczki', 10, 9);\n"
      "INSERT INTO F2UZUPELNIENIE (IDSPRAW, NAZWA, R1, R4) VALUES (70, 'E3', 30, 29);\n"
      "INSERT INTO F2UZUPELNIENIE (IDSPRAW, NAZWA, R1, R4) VALUES (70, 'E2.', 20, NULL);\n"
      "INSERT INTO F2UZUPELNIENIE (IDSPRAW, NAZWA, R1, R4) VALUES (70, ' E4. nazwa zaczęta odstępem', 40, 40);\n"
      "INSERT INTO F2UZUPELNIENIE (IDSPRAW, NAZWA, R1, R4) VALUES (70, 'E5. inne źródła', NULL, NULL);\n"
      "INSERT INTO F2UZUPELNIENIE (IDSPRAW, NAZWA, R1, R4) VALUES (70, 'F1 Wydatki na obsługę długu', 1, 1);\n"
      "INSERT INTO F2UZUPELNIENIE (IDSPRAW, NAZWA, R1, R4) VALUES (70, 'F1. druga pozycja o tym symbolu', 999, 999);\n"
      "INSERT INTO F2UZUPELNIENIE (IDSPRAW, NAZWA, R1, R4) VALUES (70, 'F4 Zobowiązania na programy UE', 4, 4);\n"
      "INSERT INTO F2UZUPELNIENIE (IDSPRAW, NAZWA, R1, R4) VALUES (70, 'G1. pozycja spoza sprawozdania', 7, 7);\n"
      "INSERT INTO F2UZUPELNIENIE (IDSPRAW, NAZWA, R1, R4) VALUES (71, 'E4. inne sprawozdanie', 8, 8);\n"));
  const TablesCase& c = GetParam();
  const std::string financing = planned("E", "100.00", "90.00") + planned("E1", "10.00", "9.00") + planned("E2", "20.00", "0.00") +
                                planned("E3", "30.00", "29.00") + planned("E5", "0.00", "0.00");
  const std::string supplementary = planned("F1", "1.00", "1.00") + planned("F11", "11.00", "10.50") + planned("F4", "4.00", "4.00");
  test::expectReport(m, "Rb-NDS", "F", c.kind,
                     reportText("Rb-NDS", 70,
                                ndsPositions(true) + list("FinansowanieDeficytu", financing) + list("DaneUzupelniajace", supplementary)));
}

TEST_P(RbNDS, WithoutRowsEveryPositionIsThereWithZeros) {
  test::BodyFixture m;
  const TablesCase& c = GetParam();
  EXPECT_EQ(m.build(test::reportRow("Rb-NDS", "F", c.kind), c.kind),
            reportText("Rb-NDS", 70, ndsPositions(false) + list("FinansowanieDeficytu", "") + list("DaneUzupelniajace", "")));
}

// Budget units' reports of this kind are read from the same tables.
INSTANTIATE_TEST_SUITE_P(Tables, RbNDS, ::testing::ValuesIn(kTableSets), kCaseName);

// ---- Rb-PDP ------------------------------------------------------------------------------

// P2's columns hold 1, 2, 3, ... in the order of the table.
const char* const kP2Columns =
    "A1WP, U1, UU1P, UUU1PZ, UUU1PR, A2W, A3W, A4W, U4, UU4, UUU4Z, UUU4R, A5W, U5, UU5, UUU5Z, UUU5R, A6W, U6, UU6, UUU6Z, UUU6R, "
    "A7W, U7, UU7, UUU7Z, UUU7R, A8W, UU8, UUU8Z, UUU8R, A9W, UU9, UUU9Z, UUU9R, A10W, UU10, UUU10Z, UUU10R, A11W, UU11, UUU11Z, "
    "UUU11R, A111W, UU111, UUU111Z, UUU111R";

// A tax position: its symbol and its amounts by element; the empty ones are not written.
struct TaxPosition {
  const char* symbol;
  std::vector<std::pair<const char*, int>> amounts;
};
const TaxPosition kTaxPositions[] = {
    {"A1", {{"W", 1}, {"O", 2}, {"U", 3}, {"P", 4}, {"R", 5}}},
    {"A2", {{"W", 6}}},
    {"A3", {{"W", 7}}},
    {"A4", {{"W", 8}, {"O", 9}, {"U", 10}, {"P", 11}, {"R", 12}}},
    {"A5", {{"W", 13}, {"O", 14}, {"U", 15}, {"P", 16}, {"R", 17}}},
    {"A6", {{"W", 18}, {"O", 19}, {"U", 20}, {"P", 21}, {"R", 22}}},
    {"A7", {{"W", 23}, {"O", 24}, {"U", 25}, {"P", 26}, {"R", 27}}},
    {"A8", {{"W", 28}, {"U", 29}, {"P", 30}, {"R", 31}}},
    {"A9", {{"W", 32}, {"U", 33}, {"P", 34}, {"R", 35}}},
    {"A10", {{"W", 36}, {"U", 37}, {"P", 38}, {"R", 39}}},
    {"A11", {{"W", 40}, {"U", 41}, {"P", 42}, {"R", 43}}},
    {"A12", {{"W", 44}, {"U", 45}, {"P", 46}, {"R", 47}}},
};

std::string taxPositions(bool filled) {
  std::string positions;
  for (const TaxPosition& position : kTaxPositions) {
    Entries fields = {{"Symbol", position.symbol}};
    for (const auto& [element, value] : position.amounts) fields.push_back({element, amount(filled ? value : 0)});
    positions += positionText(fields);
  }
  return list("Pozycje", positions);
}

TEST(RbPDP, SlotsWithoutAColumnAreLeftOut) {
  test::BodyFixture m;
  QStringList values{QStringLiteral("70")};
  for (int i = 1; i <= 47; ++i) values << QString::number(i);
  m.exec(QStringLiteral("INSERT INTO P2 (IDSPRAW, %1) VALUES (%2);\n").arg(QLatin1String(kP2Columns), values.join(QStringLiteral(", "))));
  m.exec(QStringLiteral("INSERT INTO P2 (IDSPRAW, A1WP) VALUES (71, 999);\n"));
  test::expectReport(m, "Rb-PDP", "P", catalogue::rJST, reportText("Rb-PDP", 70, taxPositions(true)));
}

TEST(RbPDP, WithoutItsRowEveryPositionIsThereWithZeros) {
  test::BodyFixture m;
  EXPECT_EQ(m.build(test::reportRow("Rb-PDP", "P", catalogue::rJB), catalogue::rJB), reportText("Rb-PDP", 70, taxPositions(false)));
}

}  // namespace
}  // namespace wertalo::package
