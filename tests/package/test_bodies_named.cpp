// Rb-ZN, Rb-WS, F-Zzf and F-Rzs: positions found by the first word, the whole name or the
// full symbol of their name, from the plain or the JB tables.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "body_fixture.h"
#include "fixture.h"
#include "support/databases.h"

namespace wertalo::package {
namespace {

using catalogue::rJB;
using catalogue::rJST;
using test::Fields;
using test::lines;
using test::section;

// The report element's start and its plain header (report 70, version 1).
std::string opening(const char* symbol) {
  return std::string("<") + symbol + " Id=\"" + symbol + "70\">\r\n" +
         lines({"  <Naglowek>", "    <Wersja>1</Wersja>", "    <DataSprawozdania>2013-12-20</DataSprawozdania>", "  </Naglowek>"});
}

// ---- Rb-ZN ------------------------------------------------------------------------------

// Rows of report 70 named by their first word: positions with and without the dots the lists
// look for, a duplicate, a name that is only its symbol, and one row with every column set.
const char* const kZnRows =
    "INSERT INTO %1 (IDSPRAW, NAZWA, K_0) VALUES (70, 'N3. Pożyczki z kropką', 1);\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, K_0) VALUES (70, 'N3 Pożyczki', 2);\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, K_0, UWAGI) VALUES (70, 'E2.1. krótkoterminowe', 3, 'krótkie');\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, K_0) VALUES (70, 'E2 Kredyty bez kropki', 4);\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, K_0) VALUES (70, 'E2. Kredyty i pożyczki', 5);\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, K_0) VALUES (70, 'E4.', 6);\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, K_0) VALUES (70, 'E4.2. pozostałe', -7.5);\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, K_0) VALUES (70, 'N4 pierwsza', 8);\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, K_0) VALUES (70, 'N4 druga', 9);\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, K_0, KO, KF, KR, KP, KS, KU, KC, KK, KI, KB, KG, KD, ZO, ZZ, ZF, UWAGI) "
    "VALUES (70, 'N5.3 pozostałe', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 'a & b');\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, K_0) VALUES (71, 'N5.1 innego sprawozdania', 1);\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, K_0) VALUES (70, 'Ogółem zobowiązania i należności', 0);\n";

// A Rb-ZN position with only its first amount and its remark.
Fields znPosition(const char* symbol, const char* first, const char* amount, const char* uwagi = "") {
  Fields fields = {{"Symbol", symbol}, {first, amount}};
  for (const char* element : {"KO", "KFP", "KG1", "KG2", "KG3", "KG4", "KBC", "KBK", "KIF", "KPN", "KGD", "KIN", "ZO", "ZSE", "ZPZ"})
    fields.emplace_back(element, "0.00");
  fields.emplace_back("Uwagi", uwagi);
  return fields;
}

std::string znExpected() {
  return "<Rb-ZN Id=\"Rb-ZN70\">\r\n" +
         lines({"  <Naglowek>", "    <Wersja>1</Wersja>", "    <DataSprawozdania>2013-12-20</DataSprawozdania>",
                "    <DysponentDotacji>85/24</DysponentDotacji>", "  </Naglowek>"}) +
         // A name that is only its symbol ("E4.") is found as that position.
         section("TytulyDluzne", {znPosition("E2", "Z", "5.00"), znPosition("E2.1", "Z", "3.00", "krótkie"),
                                  znPosition("E4", "Z", "6.00"), znPosition("E4.2", "Z", "-7.50")}) +
         section("Naleznosci", {znPosition("N3", "N", "2.00"), znPosition("N4", "N", "8.00"),
                                {{"Symbol", "N5.3"}, {"N", "1.00"},   {"KO", "2.00"},   {"KFP", "3.00"},  {"KG1", "4.00"},
                                 {"KG2", "5.00"},    {"KG3", "6.00"}, {"KG4", "7.00"},  {"KBC", "8.00"},  {"KBK", "9.00"},
                                 {"KIF", "10.00"},   {"KPN", "11.00"}, {"KGD", "12.00"}, {"KIN", "13.00"}, {"ZO", "14.00"},
                                 {"ZSE", "15.00"},   {"ZPZ", "16.00"}, {"Uwagi", "a &amp; b"}}}) +
         "</Rb-ZN>\r\n";
}

// ---- Rb-WS ------------------------------------------------------------------------------

// Every row is a position, in query order; the symbol is what stands before the first blank.
const char* const kWsRows =
    "INSERT INTO %1 (IDSPRAW, NAZWA, PREV, CURR, UWAGI) VALUES (70, '13 Edukacja – szkoły', -3.456, 1234.5, 'u');\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, PREV, CURR, UWAGI) VALUES (70, 'Razem', NULL, NULL, NULL);\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, PREV, CURR, UWAGI) VALUES (70, ' 01 z odstępem na początku', 1, 2, '');\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, PREV, CURR, UWAGI) VALUES (71, '99 innego sprawozdania', 1, 1, '');\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, PREV, CURR, UWAGI) VALUES (70, '04. Transport', 0, 0, 'zero');\n";

std::string wsExpected() {
  return opening("Rb-WS") +
         section("Pozycje", {{{"Symbol", "13"}, {"P", "-3.46"}, {"B", "1234.50"}, {"Uwagi", "u"}},
                             {{"Symbol", ""}, {"P", "0.00"}, {"B", "0.00"}, {"Uwagi", ""}},
                             {{"Symbol", ""}, {"P", "1.00"}, {"B", "2.00"}, {"Uwagi", ""}},
                             {{"Symbol", "04."}, {"P", "0.00"}, {"B", "0.00"}, {"Uwagi", "zero"}}}) +
         "</Rb-WS>\r\n";
}

// ---- F-Zzf ------------------------------------------------------------------------------

// Positions found only by a name equal to the listed one, whatever their order: near misses
// (a trailing blank, another case, other spacing), the net loss, a duplicate.
const char* const kFjRows =
    "INSERT INTO %1 (IDSPRAW, NAZWA, PREV, CURR, UWAGI) VALUES (70, 'V. Fundusz (II+,-III-IV)', 1, 1, 'bez odstępu');\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, PREV, CURR, UWAGI) VALUES (70, 'V. Fundusz ( II+,-III-IV)', 10, 11, NULL);\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, PREV, CURR, UWAGI) VALUES (70, '2. strata netto (-)', 150, -20, 'strata');\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, PREV, CURR, UWAGI) VALUES (70, '1. zysk netto (+)', -5, 7, '');\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, PREV, CURR, UWAGI) VALUES (70, '2.6. Wartość sprzedanych i nieodpłatnie przekazanych "
    "środków trwałych i środków trwałych w budowie oraz wartości niematerialnych i prawnych', 3, 4, '');\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, PREV, CURR, UWAGI) VALUES (70, '1.10. Inne zwiększenia', NULL, NULL, NULL);\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, PREV, CURR, UWAGI) VALUES (70, 'II. Fundusz jednostki na koniec okresu (BZ)', 5, 6, 'pierwszy');\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, PREV, CURR, UWAGI) VALUES (70, 'II. Fundusz jednostki na koniec okresu (BZ)', 7, 8, 'drugi');\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, PREV, CURR, UWAGI) VALUES (70, 'I. Fundusz jednostki na początek okresu (BO) ', 1, 1, '');\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, PREV, CURR, UWAGI) VALUES (70, 'i. fundusz jednostki na początek okresu (bo)', 1, 1, '');\n"
    "INSERT INTO %1 (IDSPRAW, NAZWA, PREV, CURR, UWAGI) VALUES (71, '2.1. Strata za rok ubiegły', 1, 1, '');\n";

std::string fjExpected() {
  return opening("F-Zzf") +
         section("Pozycje", {{{"Symbol", "I.1.10"}, {"P", "0.00"}, {"B", "0.00"}, {"Uwagi", ""}},
                             {{"Symbol", "I.2.6"}, {"P", "3.00"}, {"B", "4.00"}, {"Uwagi", ""}},
                             {{"Symbol", "II"}, {"P", "5.00"}, {"B", "6.00"}, {"Uwagi", "pierwszy"}},
                             {{"Symbol", "III.1"}, {"P", "-5.00"}, {"B", "7.00"}, {"Uwagi", ""}},
                             {{"Symbol", "III.2"}, {"P", "-150.00"}, {"B", "-20.00"}, {"Uwagi", "strata"}},
                             {{"Symbol", "V"}, {"P", "10.00"}, {"B", "11.00"}, {"Uwagi", ""}}}) +
         "</F-Zzf>\r\n";
}

// ---- F-Rzs ------------------------------------------------------------------------------

// A position tree (IDD, PARENT = the parent's ID_S_SPRPO): a child under its top position, a
// row whose parent is missing, a detail below a listed position, a duplicate full symbol, a
// position that is its own parent, and rows of another report.
const char* const kZsRows =
    "INSERT INTO %1 (IDSPRAW, IDD, PARENT, ID_S_SPRPO, Nazwa, PREV, CURR, UWAGI) VALUES (70, 5, 0, 105, 'N. Zysk (strata) netto', -5, NULL, 'n');\n"
    "INSERT INTO %1 (IDSPRAW, IDD, PARENT, ID_S_SPRPO, Nazwa, PREV, CURR, UWAGI) VALUES (70, 2, 101, 102, 'II. Zmiana stanu produktów', 20, 21, NULL);\n"
    "INSERT INTO %1 (IDSPRAW, IDD, PARENT, ID_S_SPRPO, Nazwa, PREV, CURR, UWAGI) VALUES (70, 1, 0, 101, 'A. Przychody netto', 10, 11, 'a');\n"
    "INSERT INTO %1 (IDSPRAW, IDD, PARENT, ID_S_SPRPO, Nazwa, PREV, CURR, UWAGI) VALUES (70, 3, 999, 103, 'III. Bez nadrzędnej', 30, 31, '');\n"
    "INSERT INTO %1 (IDSPRAW, IDD, PARENT, ID_S_SPRPO, Nazwa, PREV, CURR, UWAGI) VALUES (70, 4, 102, 104, '1. Szczegół', 1, 1, '');\n"
    "INSERT INTO %1 (IDSPRAW, IDD, PARENT, ID_S_SPRPO, Nazwa, PREV, CURR, UWAGI) VALUES (70, 6, 0, 106, 'A. Drugie A', 60, 61, '');\n"
    "INSERT INTO %1 (IDSPRAW, IDD, PARENT, ID_S_SPRPO, Nazwa, PREV, CURR, UWAGI) VALUES (70, 7, 0, 107, 'B. Koszty', 0, 0, '');\n"
    "INSERT INTO %1 (IDSPRAW, IDD, PARENT, ID_S_SPRPO, Nazwa, PREV, CURR, UWAGI) VALUES (70, 8, 107, 108, 'X. Pozostałe obciążenia', 80, 81, '');\n"
    "INSERT INTO %1 (IDSPRAW, IDD, PARENT, ID_S_SPRPO, Nazwa, PREV, CURR, UWAGI) VALUES (70, 9, 109, 109, 'K. Zysk brutto', 90, 91, 'k');\n"
    "INSERT INTO %1 (IDSPRAW, IDD, PARENT, ID_S_SPRPO, Nazwa, PREV, CURR, UWAGI) VALUES (71, 10, 0, 110, 'C. Innego sprawozdania', 1, 1, '');\n";

std::string zsExpected() {
  return opening("F-Rzs") +
         section("Pozycje", {{{"Symbol", "A"}, {"P", "10.00"}, {"B", "11.00"}, {"Uwagi", "a"}},
                             {{"Symbol", "A.II"}, {"P", "20.00"}, {"B", "21.00"}, {"Uwagi", ""}},
                             {{"Symbol", "B"}, {"P", "0.00"}, {"B", "0.00"}, {"Uwagi", ""}},
                             {{"Symbol", "B.X"}, {"P", "80.00"}, {"B", "81.00"}, {"Uwagi", ""}},
                             {{"Symbol", "K"}, {"P", "90.00"}, {"B", "91.00"}, {"Uwagi", "k"}},
                             {{"Symbol", "N"}, {"P", "-5.00"}, {"B", "0.00"}, {"Uwagi", "n"}}}) +
         "</F-Rzs>\r\n";
}

// ---- Each body from the plain and from the JB table ---------------------------------------

struct NamedCase {
  const char* name;
  const char* symbol;
  const char* table;  // plain name
  const char* rows;   // statements with %1 for the table
  const char* decoy;  // a row that would be written if the twin table were read
  std::string (*expected)();
};

void PrintTo(const NamedCase& c, std::ostream* os) { *os << c.name; }

const NamedCase kNamedCases[] = {
    {"RbZN", "Rb-ZN", "ZN2", kZnRows, "INSERT INTO %1 (IDSPRAW, NAZWA, K_0) VALUES (70, 'N5.1 obcy', 1);\n", znExpected},
    {"RbWS", "Rb-WS", "WS", kWsRows, "INSERT INTO %1 (IDSPRAW, NAZWA, PREV) VALUES (70, '77 obcy', 1);\n", wsExpected},
    {"FZzf", "F-Zzf", "FJ", kFjRows,
     "INSERT INTO %1 (IDSPRAW, NAZWA, PREV) VALUES (70, 'III. Wynik finansowy netto za rok bieżący (+,-)', 1);\n", fjExpected},
    {"FRzs", "F-Rzs", "ZS", kZsRows,
     "INSERT INTO %1 (IDSPRAW, IDD, PARENT, ID_S_SPRPO, Nazwa, PREV) VALUES (70, 1, 0, 101, 'C. obcy', 1);\n", zsExpected},
};

class NamedPositions : public ::testing::TestWithParam<std::tuple<NamedCase, catalogue::TRodzajEksportu>> {};

TEST_P(NamedPositions, ListedPositionsFoundByName) {
  const auto& [c, rodzaj] = GetParam();
  const QString plain = QString::fromLatin1(c.table);
  const QString jb = QStringLiteral("JB") + plain;
  test::BodyFixture m;
  m.exec(QString::fromUtf8(c.rows).arg(rodzaj == rJB ? jb : plain));
  m.exec(QString::fromUtf8(c.decoy).arg(rodzaj == rJB ? plain : jb));
  catalogue::SelectRow row = test::selectRow(70, QString::fromLatin1(c.symbol), QString());
  row.sCzesc = QStringLiteral("85/24");
  QString anchor;
  EXPECT_EQ(m.build(row, rodzaj, tBrak, &anchor), c.expected());
  EXPECT_EQ(anchor, QStringLiteral("#") + QString::fromLatin1(c.symbol) + QStringLiteral("70"));
}

std::string namedCaseName(const ::testing::TestParamInfo<NamedPositions::ParamType>& info) {
  return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) == rJB ? "BudgetUnit" : "Unit");
}

INSTANTIATE_TEST_SUITE_P(Cases, NamedPositions, ::testing::Combine(::testing::ValuesIn(kNamedCases), ::testing::Values(rJST, rJB)),
                         namedCaseName);

TEST(NamedPositionsEmpty, NoRowsGiveEmptySections) {
  test::BodyFixture m;
  catalogue::SelectRow row = test::selectRow(70, QStringLiteral("Rb-ZN"), QStringLiteral("ZN"));
  EXPECT_EQ(m.build(row), "<Rb-ZN Id=\"Rb-ZN70\">\r\n" +
                              lines({"  <Naglowek>", "    <Wersja>1</Wersja>", "    <DataSprawozdania>2013-12-20</DataSprawozdania>",
                                     "    <DysponentDotacji></DysponentDotacji>", "  </Naglowek>", "  <TytulyDluzne/>",
                                     "  <Naleznosci/>", "</Rb-ZN>"}));
  for (const char* symbol : {"Rb-WS", "F-Zzf", "F-Rzs"}) {
    row.sTypSprBestia = QString::fromLatin1(symbol);
    EXPECT_EQ(m.build(row), opening(symbol) + "  <Pozycje/>\r\n</" + symbol + ">\r\n");
  }
}

TEST(FRzs, ACircleOfParentsEndsTheClimb) {
  // Two positions that are each other's parent: each full symbol ends where the circle closes.
  test::BodyFixture m;
  m.exec(QStringLiteral(
      "INSERT INTO ZS (IDSPRAW, IDD, PARENT, ID_S_SPRPO, Nazwa, PREV, CURR) VALUES (70, 1, 102, 101, 'I. Pierwsza', 1, 2);\n"
      "INSERT INTO ZS (IDSPRAW, IDD, PARENT, ID_S_SPRPO, Nazwa, PREV, CURR) VALUES (70, 2, 101, 102, 'D. Druga', 3, 4);\n"));
  EXPECT_EQ(m.build(test::selectRow(70, QStringLiteral("F-Rzs"), QStringLiteral("ZS"))),
            opening("F-Rzs") + section("Pozycje", {{{"Symbol", "D.I"}, {"P", "1.00"}, {"B", "2.00"}, {"Uwagi", ""}}}) + "</F-Rzs>\r\n");
}

TEST(FirebirdNamedPositions, BodiesAreTheSameOnTheServer) {
  WERTALO_REQUIRE_FIREBIRD();
  test::FirebirdDatabase server;
  const db::ConnectionSettings settings = server.settings();
  test::BodyFixture m(&settings);
  for (const NamedCase& c : kNamedCases) {
    m.exec(QString::fromUtf8(c.rows).arg(QString::fromLatin1(c.table)));
    catalogue::SelectRow row = test::selectRow(70, QString::fromLatin1(c.symbol), QString());
    row.sCzesc = QStringLiteral("85/24");
    EXPECT_EQ(m.build(row), c.expected()) << c.name;
  }
}

}  // namespace
}  // namespace wertalo::package
