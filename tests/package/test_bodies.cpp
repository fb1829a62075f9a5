// Bodies of Rb-27s, Rb-28s, Rb-28nws and Rb-27ZZ over small databases.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "core/db/db_error.h"
#include "core/package/body_reads.h"
#include "core/package/xml_writer.h"
#include "fixture.h"
#include "body_fixture.h"
#include "support/databases.h"
#include "support/xml_check.h"

namespace wertalo::package {
namespace {

using catalogue::rJB;
using catalogue::rJST;
using test::Fields;
using test::lines;
using test::pozycja;

const char* const kHeader57 =
    "  <Naglowek>\r\n    <Wersja>1</Wersja>\r\n    <DataSprawozdania>2013-12-20</DataSprawozdania>\r\n  </Naglowek>\r\n";

// Rows of Rb-27s report 57 (and one of report 58) that test every row rule.
void insertRb27sRows(test::BodyFixture& m) {
  m.exec(QStringLiteral(
      "INSERT INTO D2 (IDSPRAW, DZIAL, ROZDZIAL, PAR, Par4, R1, R2) VALUES (57, '801', '80101', '4010', NULL, 5, 0);\n"
      "INSERT INTO D2 (IDSPRAW, DZIAL, ROZDZIAL, PAR, Par4, R1) VALUES (57, '801', '80101', '', NULL, 5);\n"
      "INSERT INTO D2 (IDSPRAW, DZIAL, ROZDZIAL, PAR, Par4, R1) VALUES (57, '801', '80101', NULL, NULL, 5);\n"
      "INSERT INTO D2 (IDSPRAW, DZIAL, ROZDZIAL, PAR, Par4, R1) VALUES (57, '801', '80101', '40', NULL, 5);\n"
      "INSERT INTO D2 (IDSPRAW, DZIAL, ROZDZIAL, PAR) VALUES (57, '801', '80101', '401');\n"
      "INSERT INTO D2 (IDSPRAW, DZIAL, ROZDZIAL, PAR, R1, R2, R11R) VALUES (57, '801', '80101', '402', 0, 0, 0);\n"
      "INSERT INTO D2 (IDSPRAW, DZIAL, ROZDZIAL, PAR, Par4, R1, R2, UWAGI) VALUES (57, '801', '80101', '403', '', 100, -100, '');\n"
      "INSERT INTO D2 (IDSPRAW, DZIAL, ROZDZIAL, PAR, Par4, R3, R4, UWAGI) VALUES (57, '801', '80101', '404', '1', 1234.5, 1000000, 'a & <b>');\n"
      "INSERT INTO D2 (IDSPRAW, DZIAL, ROZDZIAL, PAR, R1) VALUES (58, '801', '80101', '405', 1);\n"));
}

std::string rb27sExpected() {
  return "<Rb-27s Id=\"Rb-27s57\">\r\n" + std::string(kHeader57) + "  <Pozycje>\r\n" +
         pozycja(2, {{"Dzial", "801"}, {"Rozdzial", "80101"}, {"Paragraf", "403"}, {"PL", "100.00"}, {"NA", "-100.00"},
                     {"PO", "0.00"}, {"DW", "0.00"}, {"DO", "0.00"}, {"NO", "0.00"}, {"NZ", "0.00"}, {"NP", "0.00"},
                     {"SO", "0.00"}, {"SU", "0.00"}, {"UZ", "0.00"}, {"OT", "0.00"}}) +
         pozycja(2, {{"Dzial", "801"}, {"Rozdzial", "80101"}, {"Paragraf", "404"}, {"P4", "1"}, {"PL", "0.00"}, {"NA", "0.00"},
                     {"PO", "1234.50"}, {"DW", "1000000.00"}, {"DO", "0.00"}, {"NO", "0.00"}, {"NZ", "0.00"}, {"NP", "0.00"},
                     {"SO", "0.00"}, {"SU", "0.00"}, {"UZ", "0.00"}, {"OT", "0.00"}, {"Uwagi", "a &amp; &lt;b&gt;"}}) +
         "  </Pozycje>\r\n</Rb-27s>\r\n";
}

TEST(Rb27s, OnlyParagraphRowsWithAmountsAreWrittenAndEmptyTextsAreLeftOut) {
  test::BodyFixture m;
  insertRb27sRows(m);
  QString anchor;
  EXPECT_EQ(m.build(test::selectRow(57, QStringLiteral("Rb-27s"), QStringLiteral("D")), rJST, tBrak, &anchor), rb27sExpected());
  EXPECT_EQ(anchor, QStringLiteral("#Rb-27s57"));
}

TEST(Rb27s, NoRowsGiveTheHeaderAndAnEmptyPositionListWithThePartNumber) {
  test::BodyFixture m;
  catalogue::SelectRow row = test::selectRow(57, QStringLiteral("Rb-27s"), QStringLiteral("D"));
  row.CZAST = 3;
  row.Wersja = 2;
  EXPECT_EQ(m.build(row), lines({"<Rb-27s Id=\"Rb-27s57\">", "  <Naglowek>", "    <Wersja>2</Wersja>",
                                             "    <DataSprawozdania>2013-12-20</DataSprawozdania>", "    <CZAST>3</CZAST>",
                                             "  </Naglowek>", "  <Pozycje/>", "</Rb-27s>"}));
}

TEST(Rb27s, AMissingTableIsRaised) {
  test::BodyFixture m;
  m.exec(QStringLiteral("DROP TABLE D2;\n"));
  EXPECT_THROW(m.build(test::selectRow(57, QStringLiteral("Rb-27s"), QStringLiteral("D"))), db::DbError);
}

// Every amount column of a table with its own value: the element order and the mapping of
// each column, read from the plain or the JB table.
struct MappingCase {
  const char* name;
  catalogue::TRodzajEksportu rodzaj;
  const char* symbol;
  const char* table;   // the table read
  const char* decoy;   // its twin, which must not be read
  const char* columns;
  const char* values;
  Fields expected;
};

void PrintTo(const MappingCase& c, std::ostream* os) { *os << c.name; }

class SingleTableMapping : public ::testing::TestWithParam<MappingCase> {};

TEST_P(SingleTableMapping, ColumnsGoToTheirElements) {
  const MappingCase& c = GetParam();
  test::BodyFixture m;
  m.exec(QStringLiteral("INSERT INTO %1 (IDSPRAW, DZIAL, ROZDZIAL, PAR, Par4, UWAGI, %2) VALUES (57, '750', '75023', '401', '2', 'U', %3);\n"
                        "INSERT INTO %4 (IDSPRAW, DZIAL, ROZDZIAL, PAR, R1) VALUES (57, '999', '99999', '999', 1);\n")
             .arg(QLatin1String(c.table), QLatin1String(c.columns), QLatin1String(c.values), QLatin1String(c.decoy)));
  const std::string open = std::string("<") + c.symbol + " Id=\"" + c.symbol + "57\">\r\n";
  EXPECT_EQ(m.build(test::selectRow(57, QString::fromLatin1(c.symbol), QString()), c.rodzaj),
            open + kHeader57 + "  <Pozycje>\r\n" + pozycja(2, c.expected) + "  </Pozycje>\r\n</" + c.symbol + ">\r\n");
}

const Fields kRb27sAll = {{"Dzial", "750"}, {"Rozdzial", "75023"}, {"Paragraf", "401"}, {"P4", "2"},   {"PL", "1.00"},
                          {"NA", "2.00"},   {"PO", "3.00"},        {"DW", "4.00"},      {"DO", "5.00"}, {"NO", "6.00"},
                          {"NZ", "7.00"},   {"NP", "8.00"},        {"SO", "9.00"},      {"SU", "10.00"}, {"UZ", "11.00"},
                          {"OT", "12.00"},  {"Uwagi", "U"}};
const Fields kRb28sAll = {{"Dzial", "750"}, {"Rozdzial", "75023"}, {"Paragraf", "401"}, {"P4", "2"},   {"PL", "1.00"},
                          {"ZA", "2.00"},   {"WW", "3.00"},        {"ZO", "4.00"},      {"WN", "5.00"}, {"LU", "6.00"},
                          {"RB", "7.00"},   {"WFS", "8.00"},       {"Uwagi", "U"}};
const Fields kRb28nwsAll = {{"Dzial", "750"}, {"Rozdzial", "75023"}, {"Paragraf", "401"}, {"P4", "2"},
                            {"P", "1.00"},    {"W", "2.00"},         {"Uwagi", "U"}};
const char* const kD2Columns = "R1, R2, R3, R4, R9, R10, R5, R6, R7, R8, R11Z, R11R";
const char* const kD2Values = "1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12";
const char* const kW2Columns = "R1, R10, R4, R11, R9, R12U, R12B, R14";
const char* const kW2Values = "1, 2, 3, 4, 5, 6, 7, 8";

INSTANTIATE_TEST_SUITE_P(
    Cases, SingleTableMapping,
    ::testing::Values(
        MappingCase{"Rb27sUnit", rJST, "Rb-27s", "D2", "JBD2", kD2Columns, kD2Values, kRb27sAll},
        MappingCase{"Rb27sBudgetUnit", rJB, "Rb-27s", "JBD2", "D2", kD2Columns, kD2Values, kRb27sAll},
        MappingCase{"Rb28sUnit", rJST, "Rb-28s", "W2", "JBW2", kW2Columns, kW2Values, kRb28sAll},
        MappingCase{"Rb28sBudgetUnit", rJB, "Rb-28s", "JBW2", "W2", kW2Columns, kW2Values, kRb28sAll},
        MappingCase{"Rb28nwsUnit", rJST, "Rb-28nws", "NWS", "JBNWS", "R1, R4", "1, 2", kRb28nwsAll},
        MappingCase{"Rb28nwsBudgetUnit", rJB, "Rb-28nws", "JBNWS", "NWS", "R1, R4", "1, 2",
                    kRb28nwsAll}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Rb-27ZZ ----------------------------------------------------------------------------

// Rows of one Rb-27ZZ report (60, sub-type 3) in the plain or the JB tables.
void insertRb27zz(test::BodyFixture& m, const QString& prefix, bool withPlan) {
  const QString jbColumn = prefix.isEmpty() ? QString() : QStringLiteral(", ID_JB");
  const QString jbValue = prefix.isEmpty() ? QString() : QStringLiteral(", 7");
  QString script = QStringLiteral("INSERT INTO %1SPRAWOZD (IDSPRAW, PODTYP, TYPSPR%2) VALUES (60, 3, 'RBZZ'%3);\n"
                                  "INSERT INTO %1SPRAWOZD (IDSPRAW, PODTYP, TYPSPR%2) VALUES (61, 4, 'RBZZ'%3);\n"
                                  "INSERT INTO %1SPRAWPLAN (PODTYP, VAL1%2) VALUES (4, '12'%3);\n")
                       .arg(prefix, jbColumn, jbValue);
  if (withPlan) script += QStringLiteral("INSERT INTO %1SPRAWPLAN (PODTYP, VAL1%2) VALUES (3, '85'%3);\n").arg(prefix, jbColumn, jbValue);
  script += QStringLiteral(
                "INSERT INTO %1RBZZ (IDSPRAW, STATUS, DZIAL, ROZDZIAL, PAR, PAR4, R1, UWAGI) VALUES (60, '0', '851', '85195', '201', NULL, 10, NULL);\n"
                "INSERT INTO %1RBZZ (IDSPRAW, STATUS, DZIAL, ROZDZIAL, PAR, PAR4, R1) VALUES (60, '1', '851', '85195', '202', '', 5);\n"
                "INSERT INTO %1RBZZ (IDSPRAW, STATUS, DZIAL, ROZDZIAL, PAR, PAR4, R1) VALUES (60, '0', '851', '85195', '2010', '', 5);\n"
                "INSERT INTO %1RBZZ (IDSPRAW, STATUS, DZIAL, ROZDZIAL, PAR, R1, R2) VALUES (60, '0', '851', '85195', '203', 0, 0);\n"
                "INSERT INTO %1RBZZ (IDSPRAW, STATUS, DZIAL, ROZDZIAL, PAR, PAR4, R2, R4, R11, R12, R10, R5, R6, UWAGI) "
                "VALUES (60, '0', '851', '85195', '204', '1', 1, 2, 3, 4, 5, 6, -7, 'u');\n"
                "INSERT INTO %1RBZZ (IDSPRAW, STATUS, DZIAL, ROZDZIAL, PAR, R1) VALUES (61, '0', '851', '85195', '205', 9);\n"
                "INSERT INTO %1RBZZDU (IDSPRAW, DU, STATUS, ROZDZIAL, R2, R5, R6) VALUES (60, 'A', '0', '85195', 1.5, 2, NULL);\n"
                "INSERT INTO %1RBZZDU (IDSPRAW, DU, STATUS, ROZDZIAL, R2, R5, R6) VALUES (60, 'A', '0', '85195', 1, -2, 3);\n"
                "INSERT INTO %1RBZZDU (IDSPRAW, DU, STATUS, ROZDZIAL, R2, R5, R6) VALUES (60, 'A', '1', '85195', 100, 100, 100);\n"
                "INSERT INTO %1RBZZDU (IDSPRAW, DU, STATUS, ROZDZIAL, R2, R5, R6) VALUES (60, 'A', '0', '85196', 5, -5, 0);\n"
                "INSERT INTO %1RBZZDU (IDSPRAW, DU, STATUS, ROZDZIAL, R2) VALUES (60, 'A', '0', '85197', 5);\n"
                "INSERT INTO %1RBZZDU (IDSPRAW, DU, STATUS, ROZDZIAL, R2) VALUES (60, 'A', '0', '85197', -5);\n"
                "INSERT INTO %1RBZZDU (IDSPRAW, DU, STATUS, ROZDZIAL, R6) VALUES (60, 'B', '0', '85195', 7);\n"
                "INSERT INTO %1RBZZDU (IDSPRAW, DU, STATUS, ROZDZIAL, R6) VALUES (61, 'B', '0', '85195', 70);\n")
                .arg(prefix);
  m.exec(script);
}

std::string rb27zzExpected(const char* dysponent) {
  return "<Rb-27ZZ Id=\"Rb-27ZZ60\">\r\n" +
         lines({"  <Naglowek>", "    <Wersja>1</Wersja>", "    <DataSprawozdania>2013-12-20</DataSprawozdania>"}) +
         "    <DysponentDotacji>" + dysponent + "</DysponentDotacji>\r\n  </Naglowek>\r\n  <Pozycje>\r\n" +
         pozycja(2, {{"Dzial", "851"}, {"Rozdzial", "85195"}, {"Paragraf", "201"}, {"P4", ""}, {"PL", "10.00"}, {"NA", "0.00"},
                     {"DW", "0.00"}, {"DJ", "0.00"}, {"DP", "0.00"}, {"NO", "0.00"}, {"NZ", "0.00"}, {"NP", "0.00"}, {"Uwagi", ""}}) +
         pozycja(2, {{"Dzial", "851"}, {"Rozdzial", "85195"}, {"Paragraf", "204"}, {"P4", "1"}, {"PL", "0.00"}, {"NA", "1.00"},
                     {"DW", "2.00"}, {"DJ", "3.00"}, {"DP", "4.00"}, {"NO", "5.00"}, {"NZ", "6.00"}, {"NP", "-7.00"}, {"Uwagi", "u"}}) +
         "  </Pozycje>\r\n  <NaleznosciA>\r\n" +
         pozycja(2, {{"Rozdzial", "85195"}, {"NA", "2.50"}, {"NZ", "0.00"}, {"NP", "3.00"}}) +
         pozycja(2, {{"Rozdzial", "85196"}, {"NA", "5.00"}, {"NZ", "-5.00"}, {"NP", "0.00"}}) +
         "  </NaleznosciA>\r\n  <NaleznosciB>\r\n" +
         pozycja(2, {{"Rozdzial", "85195"}, {"NA", "0.00"}, {"NZ", "0.00"}, {"NP", "7.00"}}) + "  </NaleznosciB>\r\n</Rb-27ZZ>\r\n";
}

struct Rb27zzCase {
  const char* name;
  catalogue::TRodzajEksportu rodzaj;
  const char* prefix;
  bool withPlan;
  const char* dysponent;
};

void PrintTo(const Rb27zzCase& c, std::ostream* os) { *os << c.name; }

class Rb27zz : public ::testing::TestWithParam<Rb27zzCase> {};

TEST_P(Rb27zz, PositionsAndReceivablesSummedByChapter) {
  const Rb27zzCase& c = GetParam();
  test::BodyFixture m;
  insertRb27zz(m, QString::fromLatin1(c.prefix), c.withPlan);
  // The twin tables hold another report under the same id, which must not be read.
  if (c.rodzaj == rJB) {
    m.exec(QStringLiteral("INSERT INTO RBZZ (IDSPRAW, STATUS, PAR, R1) VALUES (60, '0', '999', 1);\n"
                          "INSERT INTO RBZZDU (IDSPRAW, DU, STATUS, ROZDZIAL, R2) VALUES (60, 'A', '0', '99999', 1);\n"));
  }
  QString anchor;
  const catalogue::SelectRow row = test::selectRow(60, QStringLiteral("Rb-27ZZ"), QStringLiteral("RBZZ"), c.rodzaj == rJB ? 7 : 0);
  EXPECT_EQ(m.build(row, c.rodzaj, tBrak, &anchor), rb27zzExpected(c.dysponent));
  EXPECT_EQ(anchor, QStringLiteral("#Rb-27ZZ60"));
  // In a run the rows come from reads made for several reports at once: the same body.
  BodyReads reads(m.db(), {61, 60});
  EXPECT_EQ(m.build(row, c.rodzaj, tBrak, nullptr, &reads), rb27zzExpected(c.dysponent)) << "in a run";
}

INSTANTIATE_TEST_SUITE_P(Cases, Rb27zz,
                         ::testing::Values(Rb27zzCase{"Unit", rJST, "", true, "85"},
                                           Rb27zzCase{"UnitWithoutPlanRow", rJST, "", false, ""},
                                           Rb27zzCase{"BudgetUnit", rJB, "JB", true, "85"},
                                           Rb27zzCase{"BudgetUnitWithoutPlanRow", rJB, "JB", false, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Rb27zzEmpty, NoRowsGiveEmptyLists) {
  test::BodyFixture m;
  EXPECT_EQ(m.build(test::selectRow(60, QStringLiteral("Rb-27ZZ"), QStringLiteral("RBZZ"))),
            lines({"<Rb-27ZZ Id=\"Rb-27ZZ60\">", "  <Naglowek>", "    <Wersja>1</Wersja>",
                   "    <DataSprawozdania>2013-12-20</DataSprawozdania>", "    <DysponentDotacji></DysponentDotacji>", "  </Naglowek>",
                   "  <Pozycje/>", "  <NaleznosciA/>", "  <NaleznosciB/>", "</Rb-27ZZ>"}));
}

TEST(Firebird, BodiesAreTheSameOnTheServer) {
  WERTALO_REQUIRE_FIREBIRD();
  test::FirebirdDatabase server;
  const db::ConnectionSettings settings = server.settings();
  test::BodyFixture m(&settings);
  insertRb27sRows(m);
  insertRb27zz(m, QString(), true);
  EXPECT_EQ(m.build(test::selectRow(57, QStringLiteral("Rb-27s"), QStringLiteral("D"))), rb27sExpected());
  EXPECT_EQ(m.build(test::selectRow(60, QStringLiteral("Rb-27ZZ"), QStringLiteral("RBZZ"))), rb27zzExpected("85"));
  BodyReads reads(m.db(), {61, 60});
  EXPECT_EQ(m.build(test::selectRow(60, QStringLiteral("Rb-27ZZ"), QStringLiteral("RBZZ")), rJST, tBrak, nullptr, &reads),
            rb27zzExpected("85"))
      << "in a run";
}

}  // namespace
}  // namespace wertalo::package
