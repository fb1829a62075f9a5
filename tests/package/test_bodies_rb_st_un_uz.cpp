// Bodies of Rb-ST, Rb-UN and Rb-UZ over small databases: the layout of the year, amounts
// found by code, codes without a row or outside the report; plain and budget-unit tables.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "body_fixture.h"
#include "body_text.h"
#include "support/databases.h"

namespace wertalo::package {
namespace {

using catalogue::rJB;
using catalogue::rJST;
using test::amount;
using test::decoyPrefix;
using test::Entries;
using test::kCaseName;
using test::kTableSets;
using test::list;
using test::positionText;
using test::readPrefix;
using test::reportText;
using test::TablesCase;

// ---- Rb-ST -------------------------------------------------------------------------------

// Funds of the unit (1.50), of the districts (2), the deposits (3), the reserve (4) and the
// information amount (5).
std::string fourPositions(bool filled) {
  auto a = [filled](const char* text) { return std::string(filled ? text : "0.00"); };
  return list("Stan", positionText({{"Symbol", "I"}, {"K", a("1.50")}}) + positionText({{"Symbol", "1"}, {"K", a("2.00")}}) +
                          positionText({{"Symbol", "2"}, {"K", a("3.00")}}) + positionText({{"Symbol", "3"}, {"K", a("4.00")}})) +
         list("Informacje", positionText({{"Symbol", "1"}, {"K", a("5.00")}}));
}
std::string threePositions() {
  return list("Stan", positionText({{"Symbol", {}}, {"K", "1.50"}}) + positionText({{"Symbol", "1."}, {"K", "2.00"}}) +
                          positionText({{"Symbol", "2."}, {"K", "3.00"}})) +
         list("Informacje", positionText({{"Symbol", "1."}, {"K", "5.00"}}));
}

struct StCase {
  const char* name;
  catalogue::TRodzajEksportu kind;
  const char* rok;  // the ROK of the row, as SQL
  std::string expected;
};

void PrintTo(const StCase& c, std::ostream* os) { *os << c.name; }

class RbST : public ::testing::TestWithParam<StCase> {};

TEST_P(RbST, LayoutOfTheYear) {
  const StCase& c = GetParam();
  test::BodyFixture m;
  m.exec(QStringLiteral("INSERT INTO %1RBST (IDSPRAW, ROK, RJST, RN, RD, RR, RFP) VALUES (70, %2, 1.5, 2, 3, 4, 5);\n"
                        // A second row of the report and the twin table are not read.
                        "INSERT INTO %1RBST (IDSPRAW, ROK, RJST) VALUES (70, '99', 999);\n"
                        "INSERT INTO %3RBST (IDSPRAW, ROK, RJST) VALUES (70, '99', 888);\n")
             .arg(readPrefix(c.kind), QLatin1String(c.rok), decoyPrefix(c.kind)));
  test::expectReport(m, "Rb-ST", "ST", c.kind, reportText("Rb-ST", 70, c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RbST,
    ::testing::Values(StCase{"Year13", rJST, "'13'", fourPositions(true)},
                      StCase{"Year13BudgetUnit", rJB, "'13'", fourPositions(true)},
                      StCase{"Year09", rJST, "'09'", fourPositions(true)},
                      StCase{"WithoutYear", rJST, "NULL", fourPositions(true)},
                      StCase{"Year14", rJST, "'14'", threePositions()},
                      StCase{"Year15BudgetUnit", rJB, "'15'", threePositions()}),
    kCaseName);

TEST(RbSTWithoutRow, FourPositionsWithZeros) {
  test::BodyFixture m;
  m.exec(QStringLiteral("INSERT INTO RBST (IDSPRAW, ROK, RJST) VALUES (71, '14', 999);\n"
                        "INSERT INTO JBRBST (IDSPRAW, ROK, RJST) VALUES (70, '14', 888);\n"));
  EXPECT_EQ(m.build(test::reportRow("Rb-ST", "ST", rJST), rJST), reportText("Rb-ST", 70, fourPositions(false)));
}

// ---- Rb-UN -------------------------------------------------------------------------------

class RbUN : public ::testing::TestWithParam<TablesCase> {};

TEST_P(RbUN, AmountsOfTheCodesFoundOthersLeftOut) {
  const TablesCase& c = GetParam();
  test::BodyFixture m;
  m.exec(QStringLiteral("INSERT INTO %1UN (IDSPRAW, KOD, KWOTA1, KWOTA2) VALUES (70, 'A02', 100, 7);\n"
                        "INSERT INTO %1UN (IDSPRAW, KOD, KWOTA1) VALUES (70, 'A03', 3.5);\n"
                        "INSERT INTO %1UN (IDSPRAW, KOD, KWOTA1) VALUES (70, 'A03', 999);\n"
                        "INSERT INTO %1UN (IDSPRAW, KOD, KWOTA1) VALUES (70, 'A04', NULL);\n"
                        "INSERT INTO %1UN (IDSPRAW, KOD, KWOTA1) VALUES (70, 'a06', 6);\n"
                        "INSERT INTO %1UN (IDSPRAW, KOD, KWOTA1) VALUES (70, 'A01', 1);\n"
                        "INSERT INTO %1UN (IDSPRAW, KOD, KWOTA1) VALUES (70, 'X99', 9);\n"
                        "INSERT INTO %1UN (IDSPRAW, KOD, KWOTA1) VALUES (70, NULL, 8);\n"
                        "INSERT INTO %1UN (IDSPRAW, KOD, KWOTA1) VALUES (70, 'A17', -17);\n"
                        "INSERT INTO %1UN (IDSPRAW, KOD, KWOTA1) VALUES (71, 'A05', 5);\n"
                        "INSERT INTO %2UN (IDSPRAW, KOD, KWOTA1) VALUES (70, 'A05', 5);\n")
             .arg(readPrefix(c.kind), decoyPrefix(c.kind)));
  test::expectReport(
      m, "Rb-UN", "UN", c.kind,
      reportText("Rb-UN", 70, list("Naleznosci", positionText({{"Symbol", {}}, {"N", "100.00"}, {"KO", "3.50"}, {"KFP", "0.00"}, {"ZPZ", "-17.00"}}))));
}

TEST_P(RbUN, WithoutRowsThePositionHasItsEmptySymbolAlone) {
  const TablesCase& c = GetParam();
  test::BodyFixture m;
  EXPECT_EQ(m.build(test::reportRow("Rb-UN", "UN", c.kind), c.kind), reportText("Rb-UN", 70, list("Naleznosci", positionText({{"Symbol", {}}}))));
}

INSTANTIATE_TEST_SUITE_P(Tables, RbUN, ::testing::ValuesIn(kTableSets), kCaseName);

// ---- Rb-UZ -------------------------------------------------------------------------------

// The structures: every code gets its position; a code with a row also its amounts.
std::string structures(const std::map<std::string, Entries>& found) {
  static const char* const kCurrencies[][2] = {{"B02", "B"}, {"B03", "B1"}, {"B04", "B2"}, {"B05", "B3"}, {"B06", "B4"}};
  auto position = [&found](const std::string& code, const std::string& symbol) {
    Entries fields = {{"Symbol", symbol}};
    if (const auto it = found.find(code); it != found.end()) fields.insert(fields.end(), it->second.begin(), it->second.end());
    return positionText(fields);
  };
  std::string currency;
  for (const auto& [code, symbol] : kCurrencies) currency += position(code, symbol);
  std::string out = list("StrukturaWalutowa", currency);
  for (int section = 1; section <= 4; ++section) {
    std::string lines;
    for (int line = 1; line <= 13; ++line) {
      // Code C101 is line 1 of section 1, C413 line 13 of section 4.
      const std::string code = QStringLiteral("C%1%2").arg(section).arg(line, 2, 10, QLatin1Char('0')).toStdString();
      lines += position(code, std::to_string(line));
    }
    out += list("StrukturaTerminowaC" + std::to_string(section), lines);
  }
  return out;
}

// Liabilities of report 70 in the tables of `kind`, with codes outside the report and decoys.
void insertRbUZRows(test::BodyFixture& m, catalogue::TRodzajEksportu kind) {
  m.exec(QStringLiteral(
             "INSERT INTO %1UZ (IDSPRAW, KOD, KWOTA1) VALUES (70, 'A02', 1000);\n"
             "INSERT INTO %1UZ (IDSPRAW, KOD, KWOTA1) VALUES (70, 'A16', 16);\n"
             "INSERT INTO %1UZ (IDSPRAW, KOD, KWOTA1, KWOTA2, KWOTA3, KWOTA4, KWOTA5, KWOTA6, KWOTA7) VALUES (70, 'B02', 1, 2, 3, 4, 5, 6, 7);\n"
             "INSERT INTO %1UZ (IDSPRAW, KOD, KWOTA1) VALUES (70, 'B04', 40);\n"
             "INSERT INTO %1UZ (IDSPRAW, KOD, KWOTA1, KWOTA2, KWOTA3, KWOTA4, KWOTA5) VALUES (70, 'C101', 11, 12, 13, 14, 15);\n"
             "INSERT INTO %1UZ (IDSPRAW, KOD, KWOTA1, KWOTA4) VALUES (70, 'C113', 1131, 1134);\n"
             "INSERT INTO %1UZ (IDSPRAW, KOD, KWOTA1) VALUES (70, 'C205', 25);\n"
             "INSERT INTO %1UZ (IDSPRAW, KOD, KWOTA2) VALUES (70, 'C413', 4132);\n"
             "INSERT INTO %1UZ (IDSPRAW, KOD, KWOTA1) VALUES (70, 'C114', 114);\n"
             "INSERT INTO %1UZ (IDSPRAW, KOD, KWOTA1) VALUES (70, 'B07', 7);\n"
             "INSERT INTO %1UZ (IDSPRAW, KOD, KWOTA1) VALUES (71, 'B03', 3);\n"
             "INSERT INTO %2UZ (IDSPRAW, KOD, KWOTA1) VALUES (70, 'C301', 301);\n")
             .arg(readPrefix(kind), decoyPrefix(kind)));
}

std::string rbUZExpected() {
  const std::map<std::string, Entries> found = {
      {"B02", {{"O", "1.00"}, {"PLZ", "2.00"}, {"EUR", "3.00"}, {"USD", "4.00"}, {"CHF", "5.00"}, {"PWA", "6.00"}, {"PWASA", "7.00"}}},
      {"B04", {{"O", "40.00"}, {"PLZ", "0.00"}, {"EUR", "0.00"}, {"USD", "0.00"}, {"CHF", "0.00"}, {"PWA", "0.00"}, {"PWASA", "0.00"}}},
      {"C101", {{"KWL", "11.00"}, {"K01", "12.00"}, {"K15", "13.00"}, {"KP5", "14.00"}}},
      {"C113", {{"KWL", "1131.00"}, {"K01", "0.00"}, {"K15", "0.00"}, {"KP5", "1134.00"}}},
      {"C205", {{"KWL", "25.00"}, {"K01", "0.00"}, {"K15", "0.00"}, {"KP5", "0.00"}}},
      {"C413", {{"KWL", "0.00"}, {"K01", "4132.00"}, {"K15", "0.00"}, {"KP5", "0.00"}}},
  };
  return reportText("Rb-UZ", 70, list("TytulyDluzne", positionText({{"Symbol", {}}, {"Z", "1000.00"}, {"ZSE", "16.00"}})) + structures(found));
}

class RbUZ : public ::testing::TestWithParam<TablesCase> {};

TEST_P(RbUZ, TitlesAndStructuresByCode) {
  const TablesCase& c = GetParam();
  test::BodyFixture m;
  insertRbUZRows(m, c.kind);
  test::expectReport(m, "Rb-UZ", "UZ", c.kind, rbUZExpected());
}

TEST_P(RbUZ, WithoutRowsEveryStructurePositionHasItsSymbolAlone) {
  const TablesCase& c = GetParam();
  test::BodyFixture m;
  EXPECT_EQ(m.build(test::reportRow("Rb-UZ", "UZ", c.kind), c.kind),
            reportText("Rb-UZ", 70, list("TytulyDluzne", positionText({{"Symbol", {}}})) + structures({})));
}

INSTANTIATE_TEST_SUITE_P(Tables, RbUZ, ::testing::ValuesIn(kTableSets), kCaseName);

TEST(Firebird, RbSTAndRbUZAreTheSameOnTheServer) {
  WERTALO_REQUIRE_FIREBIRD();
  test::FirebirdDatabase server;
  const db::ConnectionSettings settings = server.settings();
  test::BodyFixture m(&settings);
  m.exec(QStringLiteral("INSERT INTO JBRBST (IDSPRAW, ROK, RJST, RN, RD, RR, RFP) VALUES (70, '14', 1.5, 2, 3, 4, 5);\n"
                        "INSERT INTO RBST (IDSPRAW, ROK, RJST, RN, RD, RR, RFP) VALUES (70, '13', 1.5, 2, 3, 4, 5);\n"));
  insertRbUZRows(m, rJB);
  EXPECT_EQ(m.build(test::reportRow("Rb-ST", "ST", rJB), rJB), reportText("Rb-ST", 70, threePositions()));
  EXPECT_EQ(m.build(test::reportRow("Rb-ST", "ST", rJST), rJST), reportText("Rb-ST", 70, fourPositions(true)));
  EXPECT_EQ(m.build(test::reportRow("Rb-UZ", "UZ", rJB), rJB), rbUZExpected());
}

}  // namespace
}  // namespace wertalo::package
