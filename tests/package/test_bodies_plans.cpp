// Bodies of the financial plan reports Rb-30s (Rb-30), Rb-31, Rb-33, Rb-34 and Rb-34s over
// small databases: row lists, summary lines, Rb-33's split by PAR, the two forms of Rb-34.
#include <gtest/gtest.h>

#include <QStringList>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "body_fixture.h"
#include "core/db/db_error.h"
#include "fixture.h"
#include "support/databases.h"
#include "support/xml_check.h"

namespace wertalo::package {
namespace {

using catalogue::rJB;
using catalogue::rJST;

// ---- Expected text ------------------------------------------------------------------------

// Children of a Pozycja: name and text; a null text stands for an empty element ("<Symbol/>").
using Fields = std::vector<std::pair<const char*, const char*>>;

// A Pozycja inside a section list (two levels below the report element).
std::string pozycja(const Fields& fields) {
  std::string out = "    <Pozycja>\r\n";
  for (const auto& [name, value] : fields) {
    out += value == nullptr ? std::string("      <") + name + "/>\r\n"
                            : std::string("      <") + name + ">" + value + "</" + name + ">\r\n";
  }
  return out + "    </Pozycja>\r\n";
}

// A summary line without rows: its amounts "0.00", and an empty Symbol when `emptySymbol`.
std::string zeroLine(std::initializer_list<const char*> amounts, bool emptySymbol = false) {
  Fields fields;
  if (emptySymbol) fields.push_back({"Symbol", nullptr});
  for (const char* amount : amounts) fields.push_back({amount, "0.00"});
  return pozycja(fields);
}

// A section list (one level below the report element) with its Pozycja items.
std::string section(const char* name, const std::vector<std::string>& items = {}) {
  if (items.empty()) return std::string("  <") + name + "/>\r\n";
  std::string out = std::string("  <") + name + ">\r\n";
  for (const std::string& item : items) out += item;
  return out + "  </" + name + ">\r\n";
}

// The header: the version and date, then (full form) the part, section and chapter.
std::string header(const char* czesc, const char* dzial, const char* rozdzial) {
  std::string out = "  <Naglowek>\r\n    <Wersja>1</Wersja>\r\n    <DataSprawozdania>2013-12-20</DataSprawozdania>\r\n";
  if (czesc != nullptr) {
    out += std::string("    <SymbolPozabudzetowy>") + czesc + "</SymbolPozabudzetowy>\r\n    <Dzial>" + dzial +
           "</Dzial>\r\n    <Rozdzial>" + rozdzial + "</Rozdzial>\r\n";
  }
  return out + "  </Naglowek>\r\n";
}
const char* const kShortHeader = nullptr;

// The report element with its Id around its children.
std::string report(const char* name, const char* id, const std::string& children) {
  return std::string("<") + name + " Id=\"" + id + "\">\r\n" + children + "</" + name + ">\r\n";
}

// ---- Rows ---------------------------------------------------------------------------------

// Inserts rows of report `idspraw` into `table`: the column list and one value tuple per row.
void insertRows(test::BodyFixture& m, const QString& table, qint64 idspraw, const char* columns,
                std::initializer_list<const char*> rows) {
  QString script;
  for (const char* values : rows) {
    script += QStringLiteral("INSERT INTO %1 (IDSPRAW, %2) VALUES (%3, %4);\n")
                  .arg(table, QLatin1String(columns), QString::number(idspraw), QLatin1String(values));
  }
  m.exec(script);
}

const char* const kColumns = "KOD, PAR, PAR4, R1, R4, R5, UWAGI";
const char* const kRb34Columns = "KOD, PAR, PAR4, DZIAL, ROZDZIAL, R1, R4, UWAGI";

catalogue::SelectRow planRow(qint64 idspraw, const char* symbol, const char* typspr, const char* czesc, const char* dzial,
                             const char* rozdzial) {
  catalogue::SelectRow row = test::selectRow(idspraw, QString::fromLatin1(symbol), QString::fromLatin1(typspr));
  row.sCzesc = QString::fromLatin1(czesc);
  row.sDzial = QString::fromLatin1(dzial);
  row.sRozdzial = QString::fromLatin1(rozdzial);
  return row;
}

// Rb-30s 30: positions whatever their amounts, the H line from its first row, cost lines
// without rows left out (T 140 among them, although a T row of another paragraph exists).
void insertRb30(test::BodyFixture& m, const QString& table) {
  insertRows(m, table, 30, kColumns,
             {"'G', '083', '0', 100, 90.5, 10, NULL", "'G', '097', NULL, 0, 0, NULL, ''",
              "'G', NULL, NULL, NULL, NULL, NULL, 'a & <b>'", "'M', '401', '1', 200, 150, 5, 'u'",
              "'I', '110', NULL, 1, 2, 3, NULL", "'H', '150', NULL, 5, 6, 7, 'h1'", "'H', '0', NULL, 50, 60, 70, 'h2'",
              "'K', '110', NULL, 8, 9, NULL, NULL", "'J', '100', NULL, 11, 12, 13, NULL", "'I', '100', NULL, 14, 15, 16, NULL",
              "'N', '300', NULL, 17, 18, 19, NULL", "'N', '0', NULL, 1, 1, 1, NULL", "'P', '110', NULL, 20, 21, 22, NULL",
              "'T', '150', NULL, 1, 1, 1, NULL", "'W', '100', NULL, 23, 24, NULL, 's'",
              "'W', '110', NULL, NULL, NULL, NULL, NULL", "'U', '100', NULL, 25, 26, 27, NULL"});
}

std::string rb30Children() {
  return header("3", "900", "90017") +
         section("PrzychodyPozycje",
                 {pozycja({{"Paragraf", "083"}, {"P4", "0"}, {"P", "100.00"}, {"W", "90.50"}, {"N", "10.00"}}),
                  pozycja({{"Paragraf", "097"}, {"P", "0.00"}, {"W", "0.00"}, {"N", "0.00"}, {"Uwagi", ""}}),
                  pozycja({{"P", "0.00"}, {"W", "0.00"}, {"N", "0.00"}, {"Uwagi", "a &amp; &lt;b&gt;"}})}) +
         section("PrzychodyPodsumowanie",
                 {pozycja({{"Kod", "I"}, {"Symbol", "110"}, {"P", "1.00"}, {"W", "2.00"}, {"N", "3.00"}}), zeroLine({"P", "W", "N"}),
                  pozycja({{"Kod", "H"}, {"Symbol", nullptr}, {"P", "5.00"}, {"W", "6.00"}, {"N", "7.00"}, {"Uwagi", "h1"}}),
                  pozycja({{"Kod", "K"}, {"Symbol", "110"}, {"P", "8.00"}, {"W", "9.00"}, {"N", "0.00"}}), zeroLine({"P", "W", "N"})}) +
         section("KosztyPozycje",
                 {pozycja({{"Paragraf", "401"}, {"P4", "1"}, {"P", "200.00"}, {"W", "150.00"}, {"Z", "5.00"}, {"Uwagi", "u"}})}) +
         section("KosztyPodsumowanie", {pozycja({{"Kod", "J"}, {"Symbol", "100"}, {"P", "11.00"}, {"W", "12.00"}, {"Z", "13.00"}}),
                                        pozycja({{"Kod", "I"}, {"Symbol", "100"}, {"P", "14.00"}, {"W", "15.00"}, {"Z", "16.00"}}),
                                        pozycja({{"Kod", "N"}, {"Symbol", "300"}, {"P", "17.00"}, {"W", "18.00"}, {"Z", "19.00"}}),
                                        pozycja({{"Kod", "P"}, {"Symbol", "110"}, {"P", "20.00"}, {"W", "21.00"}, {"Z", "22.00"}})}) +
         section("Stan", {pozycja({{"Kod", "W"}, {"Symbol", "100"}, {"P", "23.00"}, {"K", "24.00"}, {"Uwagi", "s"}}),
                          pozycja({{"Kod", "W"}, {"Symbol", "110"}, {"P", "0.00"}, {"K", "0.00"}})}) +
         section("Finansowanie", {pozycja({{"Kod", "U"}, {"Symbol", "100"}, {"P", "25.00"}, {"W", "26.00"}})}) +
         section("RozliczenieKasowe");
}

// Rb-31 31: the eight result lines from the first row of each (code, paragraph), the cost
// line N without rows still written.
void insertRb31(test::BodyFixture& m, const QString& table) {
  insertRows(m, table, 31, kColumns,
             {"'G', '083', NULL, 1, 2, 3, NULL", "'I', '110', NULL, 4, 5, 6, NULL", "'H', NULL, NULL, 7, 8, 9, NULL",
              "'P', '100', NULL, 10, 11, 12, NULL", "'S', '100', NULL, 13, 14, NULL, 'wynik'", "'Q', '111', NULL, 15, 16, NULL, NULL",
              "'Q', '111', NULL, 99, 99, NULL, NULL", "'R', '100', NULL, 17, 18, NULL, NULL", "'R', '999', NULL, 1, 1, NULL, NULL",
              "'T', '100', NULL, 19, 20, NULL, NULL", "'W', '100', NULL, 21, 22, NULL, NULL", "'Z', '200', NULL, 23, 24, NULL, 'k'"});
}

std::string rb31Children() {
  return header("4", "750", "75023") +
         section("PrzychodyPozycje", {pozycja({{"Paragraf", "083"}, {"P", "1.00"}, {"W", "2.00"}, {"N", "3.00"}})}) +
         section("PrzychodyPodsumowanie", {pozycja({{"Kod", "I"}, {"Symbol", "110"}, {"P", "4.00"}, {"W", "5.00"}, {"N", "6.00"}}),
                                           zeroLine({"P", "W", "N"}),
                                           pozycja({{"Kod", "H"}, {"Symbol", nullptr}, {"P", "7.00"}, {"W", "8.00"}, {"N", "9.00"}})}) +
         section("KosztyPozycje") +
         section("KosztyPodsumowanie", {zeroLine({"P", "W", "Z"}),
                                        pozycja({{"Kod", "P"}, {"Symbol", "100"}, {"P", "10.00"}, {"W", "11.00"}, {"Z", "12.00"}}),
                                        zeroLine({"P", "W", "Z"})}) +
         section("RozliczenieWyniku",
                 {pozycja({{"Kod", "S"}, {"Symbol", "100"}, {"P", "13.00"}, {"W", "14.00"}, {"Uwagi", "wynik"}}), zeroLine({"P", "W"}),
                  pozycja({{"Kod", "Q"}, {"Symbol", "111"}, {"P", "15.00"}, {"W", "16.00"}}), zeroLine({"P", "W"}),
                  zeroLine({"P", "W"}), zeroLine({"P", "W"}), pozycja({{"Kod", "R"}, {"Symbol", "100"}, {"P", "17.00"}, {"W", "18.00"}}),
                  zeroLine({"P", "W"})}) +
         section("PodzialZysku", {pozycja({{"Kod", "T"}, {"Symbol", "100"}, {"P", "19.00"}, {"W", "20.00"}})}) +
         section("Stan", {pozycja({{"Kod", "W"}, {"Symbol", "100"}, {"P", "21.00"}, {"O", "22.00"}})}) +
         section("RozliczenieKasowe", {pozycja({{"Kod", "Z"}, {"Symbol", "200"}, {"P", "23.00"}, {"O", "24.00"}, {"Uwagi", "k"}})});
}

// Rb-33 33: receivables split by PAR ("100" and under two characters to the summary, three
// characters or more to the positions, "21" nowhere); a cost N row with a long PAR.
void insertRb33(test::BodyFixture& m, const QString& table) {
  insertRows(m, table, 33, kColumns,
             {"'M', '401', NULL, 1, 2, 3, NULL", "'L', '190', NULL, 4, 5, 6, NULL", "'N', '3000', NULL, 7, 8, 9, NULL",
              "'X', '100', NULL, 1, 2, NULL, 'stan'", "'X', '210', '0', 3, 4, NULL, NULL", "'X', '2', NULL, 5, 6, NULL, NULL",
              "'X', '21', NULL, 7, 8, NULL, NULL", "'X', NULL, NULL, 9, 10, NULL, NULL", "'X', '1000', NULL, 11, 12, NULL, 'p'",
              "'Y', '220', NULL, 13, 14, NULL, NULL"});
}

std::string rb33Children() {
  return header("500", "900", "90011") + section("PrzychodyPozycje") +
         section("PrzychodyPodsumowanie", {zeroLine({"P", "W", "N"}), zeroLine({"P", "W", "N"}), zeroLine({"P", "W", "N"}, true),
                                           zeroLine({"P", "W", "N"}),
                                           pozycja({{"Kod", "L"}, {"Symbol", "190"}, {"P", "4.00"}, {"W", "5.00"}, {"N", "6.00"}})}) +
         section("KosztyPozycje", {pozycja({{"Paragraf", "401"}, {"P", "1.00"}, {"W", "2.00"}, {"Z", "3.00"}})}) +
         section("KosztyPodsumowanie", {zeroLine({"P", "W", "Z"}), zeroLine({"P", "W", "Z"}),
                                        pozycja({{"Kod", "N"}, {"Symbol", nullptr}, {"P", "7.00"}, {"W", "8.00"}, {"Z", "9.00"}}),
                                        zeroLine({"P", "W", "Z"}), zeroLine({"P", "W", "Z"})}) +
         section("Stan") +
         section("NaleznosciPozycje", {pozycja({{"Paragraf", "210"}, {"P4", "0"}, {"P", "3.00"}, {"K", "4.00"}}),
                                       pozycja({{"Paragraf", "1000"}, {"P", "11.00"}, {"K", "12.00"}, {"Uwagi", "p"}})}) +
         section("NaleznosciPodsumowanie", {pozycja({{"Kod", "X"}, {"Symbol", "100"}, {"P", "1.00"}, {"K", "2.00"}, {"Uwagi", "stan"}}),
                                            pozycja({{"Kod", "X"}, {"Symbol", nullptr}, {"P", "5.00"}, {"K", "6.00"}}),
                                            pozycja({{"Kod", "X"}, {"Symbol", nullptr}, {"P", "9.00"}, {"K", "10.00"}})}) +
         section("ZobowiazaniaPozycje", {pozycja({{"Paragraf", "220"}, {"P", "13.00"}, {"K", "14.00"}})}) +
         section("ZobowiazaniaPodsumowanie");
}

// RB34 report 34, written as Rb-34 or Rb-34s: the H line shows an empty Symbol although its
// row has PAR "150"; the N line's first row has PAR "0".
void insertRb34(test::BodyFixture& m, const QString& table) {
  insertRows(m, table, 34, kRb34Columns,
             {"'G', '083', '0', '801', '80101', 100, 50, NULL", "'M', '401', NULL, '801', '80101', 10, 5, 'x'",
              "'H', '150', NULL, NULL, NULL, 1, 2, NULL", "'K', '150', NULL, NULL, NULL, 3, 4, NULL",
              "'N', '0', NULL, NULL, NULL, 5, 6, NULL", "'N', '300', NULL, NULL, NULL, 50, 60, NULL",
              "'S', '190', NULL, NULL, NULL, 7, 8, NULL", "'W', '100', NULL, NULL, NULL, 9, 10, NULL"});
}

// The sections of report 34; `dochody` gives the Rb-34s names and its positions' Dzial and Rozdzial.
std::string rb34Sections(bool dochody) {
  Fields revenue = {{"Paragraf", "083"}, {"P4", "0"}, {"P", "100.00"}, {"W", "50.00"}};
  Fields cost = {{"Paragraf", "401"}, {"P", "10.00"}, {"W", "5.00"}, {"Uwagi", "x"}};
  if (dochody) {
    for (Fields* fields : {&revenue, &cost}) fields->insert(fields->begin(), {{"Dzial", "801"}, {"Rozdzial", "80101"}});
  }
  return section(dochody ? "DochodyPozycje" : "PrzychodyPozycje", {pozycja(revenue)}) +
         section(dochody ? "DochodyPodsumowanie" : "PrzychodyPodsumowanie",
                 {pozycja({{"Kod", "H"}, {"Symbol", nullptr}, {"P", "1.00"}, {"W", "2.00"}}),
                  pozycja({{"Kod", "K"}, {"Symbol", "150"}, {"P", "3.00"}, {"W", "4.00"}}), zeroLine({"P", "W"})}) +
         section(dochody ? "WydatkiPozycje" : "KosztyPozycje", {pozycja(cost)}) +
         section(dochody ? "WydatkiPodsumowanie" : "KosztyPodsumowanie",
                 {pozycja({{"Kod", "N"}, {"Symbol", nullptr}, {"P", "5.00"}, {"W", "6.00"}}), zeroLine({"P", "W"}),
                  pozycja({{"Kod", "S"}, {"Symbol", "190"}, {"P", "7.00"}, {"W", "8.00"}})}) +
         section("Stan", {pozycja({{"Kod", "W"}, {"Symbol", "100"}, {"P", "9.00"}, {"K", "10.00"}})});
}

// ---- Whole reports from the plain or the JB tables -------------------------------------------

struct PlanCase {
  std::string name;
  catalogue::TRodzajEksportu rodzaj;
  const char* symbol;
  const char* table;  // plain name of the table read
  void (*insert)(test::BodyFixture&, const QString&);
  catalogue::SelectRow row;
  const char* anchor;
  std::function<std::string()> expected;
};

void PrintTo(const PlanCase& c, std::ostream* os) { *os << c.name; }

class PlanReports : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanReports, SectionsInOrderFromTheirTable) {
  const PlanCase& c = GetParam();
  test::BodyFixture m;
  const QString plain = QString::fromLatin1(c.table);
  const QString jb = QStringLiteral("JB") + plain;
  const QString read = c.rodzaj == rJB ? jb : plain;
  c.insert(m, read);
  // The twin table holds the same report id, and the table read holds another report: neither
  // may be read.
  insertRows(m, c.rodzaj == rJB ? plain : jb, c.row.IDSPRAW, "KOD, PAR, R1", {"'G', '999', 1", "'W', '999', 1", "'X', '999', 1"});
  insertRows(m, read, c.row.IDSPRAW + 1000, "KOD, PAR, R1", {"'G', '998', 1", "'H', '998', 1", "'N', '998', 1"});
  QString anchor;
  EXPECT_EQ(m.build(c.row, c.rodzaj, tBrak, &anchor), report(c.symbol, c.anchor + 1, c.expected()));
  EXPECT_EQ(anchor, QString::fromLatin1(c.anchor));
}

std::vector<PlanCase> planCases() {
  const std::vector<PlanCase> reports = {
      {"Rb30s", rJST, "Rb-30s", "RB30", insertRb30, planRow(30, "Rb-30s", "RB30", "3", "900", "90017"), "#Rb-30s30", rb30Children},
      {"Rb31", rJST, "Rb-31", "RB31", insertRb31, planRow(31, "Rb-31", "RB31", "4", "750", "75023"), "#Rb-3131", rb31Children},
      {"Rb33", rJST, "Rb-33", "RB33", insertRb33, planRow(33, "Rb-33", "RB33", "", "900", "90011"), "#Rb-3333", rb33Children},
      {"Rb34", rJST, "Rb-34", "RB34", insertRb34, planRow(34, "Rb-34", "RB34", "500", "801", "80101"), "#Rb-3434",
       [] { return header("500", "801", "80101") + rb34Sections(false); }},
      // The same plan row, but the short header: no part, section or chapter.
      {"Rb34s", rJST, "Rb-34s", "RB34", insertRb34, planRow(34, "Rb-34s", "RB34", "500", "801", "80101"), "#Rb-34s34",
       [] { return header(kShortHeader, "", "") + rb34Sections(true); }},
  };
  std::vector<PlanCase> cases;
  for (const PlanCase& c : reports) {
    cases.push_back(c);
    cases.back().name += "Unit";
    cases.push_back(c);
    cases.back().name += "BudgetUnit";
    cases.back().rodzaj = rJB;
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Cases, PlanReports, ::testing::ValuesIn(planCases()),
                         [](const auto& info) { return info.param.name; });

// ---- Reports without rows -------------------------------------------------------------------

struct EmptyCase {
  const char* name;
  const char* symbol;
  const char* anchor;
  std::string children;
};

void PrintTo(const EmptyCase& c, std::ostream* os) { *os << c.name; }

class EmptyPlanReports : public ::testing::TestWithParam<EmptyCase> {};

// Every summary line is written with "0.00" amounts, except Rb-30's cost lines; Rb-31's result
// settlement keeps its eight lines; an empty part number is written "500".
TEST_P(EmptyPlanReports, SummaryLinesWithoutRows) {
  const EmptyCase& c = GetParam();
  test::BodyFixture m;
  const catalogue::SelectRow row = test::selectRow(9, QString::fromLatin1(c.symbol), QString());
  EXPECT_EQ(m.build(row), report(c.symbol, c.anchor, c.children));
}

const std::string kEmptyRevenue5 = section("PrzychodyPozycje") +
                                   section("PrzychodyPodsumowanie", {zeroLine({"P", "W", "N"}), zeroLine({"P", "W", "N"}),
                                                                     zeroLine({"P", "W", "N"}, true), zeroLine({"P", "W", "N"}),
                                                                     zeroLine({"P", "W", "N"})});

INSTANTIATE_TEST_SUITE_P(
    Cases, EmptyPlanReports,
    ::testing::Values(
        EmptyCase{"Rb30s", "Rb-30s", "Rb-30s9",
                  header("500", "", "") + kEmptyRevenue5 + section("KosztyPozycje") + section("KosztyPodsumowanie") + section("Stan") +
                      section("Finansowanie") + section("RozliczenieKasowe")},
        EmptyCase{"Rb31", "Rb-31", "Rb-319",
                  header("500", "", "") + section("PrzychodyPozycje") +
                      section("PrzychodyPodsumowanie", {zeroLine({"P", "W", "N"}), zeroLine({"P", "W", "N"}), zeroLine({"P", "W", "N"}, true)}) +
                      section("KosztyPozycje") +
                      section("KosztyPodsumowanie", {zeroLine({"P", "W", "Z"}), zeroLine({"P", "W", "Z"}), zeroLine({"P", "W", "Z"})}) +
                      section("RozliczenieWyniku", std::vector<std::string>(8, zeroLine({"P", "W"}))) + section("PodzialZysku") +
                      section("Stan") + section("RozliczenieKasowe")},
        EmptyCase{"Rb33", "Rb-33", "Rb-339",
                  header("500", "", "") + kEmptyRevenue5 + section("KosztyPozycje") +
                      section("KosztyPodsumowanie", std::vector<std::string>(5, zeroLine({"P", "W", "Z"}))) + section("Stan") +
                      section("NaleznosciPozycje") + section("NaleznosciPodsumowanie") + section("ZobowiazaniaPozycje") +
                      section("ZobowiazaniaPodsumowanie")},
        EmptyCase{"Rb34", "Rb-34", "Rb-349",
                  header("500", "", "") + section("PrzychodyPozycje") +
                      section("PrzychodyPodsumowanie", {zeroLine({"P", "W"}, true), zeroLine({"P", "W"}), zeroLine({"P", "W"})}) +
                      section("KosztyPozycje") + section("KosztyPodsumowanie", std::vector<std::string>(3, zeroLine({"P", "W"}))) +
                      section("Stan")},
        EmptyCase{"Rb34s", "Rb-34s", "Rb-34s9",
                  header(kShortHeader, "", "") + section("DochodyPozycje") +
                      section("DochodyPodsumowanie", {zeroLine({"P", "W"}, true), zeroLine({"P", "W"}), zeroLine({"P", "W"})}) +
                      section("WydatkiPozycje") + section("WydatkiPodsumowanie", std::vector<std::string>(3, zeroLine({"P", "W"}))) +
                      section("Stan")}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Rb-30, failures --------------------------------------------------------------------------

TEST(Rb30, AReportCalledRb30IsNamedAndAnchoredSo) {
  test::BodyFixture m;
  insertRb30(m, QStringLiteral("RB30"));
  QString anchor;
  const std::string text = m.build(planRow(30, "Rb-30", "RB30", "3", "900", "90017"), rJST, tBrak, &anchor);
  EXPECT_EQ(text, report("Rb-30", "Rb-3030", rb30Children()));
  EXPECT_EQ(anchor, QStringLiteral("#Rb-3030"));
}

// A summary line reads its columns also when it has no row.
TEST(PlanFailures, AMissingTableOrSummaryColumnIsRaisedAlsoWithoutRows) {
  test::BodyFixture m;
  m.exec(QStringLiteral("DROP TABLE RB31;\nALTER TABLE RB33 DROP COLUMN R5;\nALTER TABLE JBRB34 DROP COLUMN UWAGI;\n"));
  EXPECT_THROW(m.build(test::selectRow(1, QStringLiteral("Rb-31"), QString())), db::DbError);
  EXPECT_THROW(m.build(test::selectRow(1, QStringLiteral("Rb-33"), QString())), db::DbError);
  EXPECT_THROW(m.build(test::selectRow(1, QStringLiteral("Rb-34s"), QString()), rJB), db::DbError);
  EXPECT_NO_THROW(m.build(test::selectRow(1, QStringLiteral("Rb-34s"), QString()), rJST));
}

// ---- In a package ---------------------------------------------------------------------------

// Reports of one unit follow the package order; Rb-30s, outside the order, comes first.
TEST(PlanPackage, OneFileFollowsTheReportOrder) {
  test::PackageModule m;
  m.select({test::selectRow(1, QStringLiteral("Rb-34"), QStringLiteral("RB34")),
            test::selectRow(2, QStringLiteral("Rb-28s"), QStringLiteral("W")),
            test::selectRow(3, QStringLiteral("Rb-33"), QStringLiteral("RB33")),
            test::selectRow(4, QStringLiteral("Rb-27s"), QStringLiteral("D")),
            test::selectRow(5, QStringLiteral("Rb-30s"), QStringLiteral("RB30")),
            test::selectRow(6, QStringLiteral("Rb-34s"), QStringLiteral("RB34")),
            test::selectRow(7, QStringLiteral("Rb-31"), QStringLiteral("RB31"))});
  m.paczka.IDMemSprawozd();
  m.paczka.TworzDokument_SPR();
  EXPECT_TRUE(test::isWellFormedXml(m.paczka.packageText()));
  const XmlElement* units = m.paczka.DOM.root()->firstChildElement(QStringLiteral("Jednostki"));
  ASSERT_EQ(units->childElements().size(), 1u);
  QStringList ids;
  for (const XmlElement* r : units->childElements()[0]->firstChildElement(QStringLiteral("Sprawozdania"))->childElements())
    ids << r->attribute(QStringLiteral("Id"));
  EXPECT_EQ(ids, (QStringList{QStringLiteral("Rb-30s5"), QStringLiteral("Rb-27s4"), QStringLiteral("Rb-28s2"), QStringLiteral("Rb-317"),
                              QStringLiteral("Rb-333"), QStringLiteral("Rb-34s6"), QStringLiteral("Rb-341")}));
}

TEST(Firebird, PlanReportsAreTheSameOnTheServer) {
  WERTALO_REQUIRE_FIREBIRD();
  test::FirebirdDatabase server;
  const db::ConnectionSettings settings = server.settings();
  test::BodyFixture m(&settings);
  insertRb30(m, QStringLiteral("RB30"));
  insertRb31(m, QStringLiteral("JBRB31"));
  insertRb33(m, QStringLiteral("RB33"));
  insertRb34(m, QStringLiteral("RB34"));
  EXPECT_EQ(m.build(planRow(30, "Rb-30s", "RB30", "3", "900", "90017")), report("Rb-30s", "Rb-30s30", rb30Children()));
  EXPECT_EQ(m.build(planRow(31, "Rb-31", "RB31", "4", "750", "75023"), rJB), report("Rb-31", "Rb-3131", rb31Children()));
  EXPECT_EQ(m.build(planRow(33, "Rb-33", "RB33", "", "900", "90011")), report("Rb-33", "Rb-3333", rb33Children()));
  EXPECT_EQ(m.build(planRow(34, "Rb-34s", "RB34", "500", "801", "80101")),
            report("Rb-34s", "Rb-34s34", header(kShortHeader, "", "") + rb34Sections(true)));
}

}  // namespace
}  // namespace wertalo::package
