// Rb-50: its D and W parts for each kind of task, from the plain or the JB tables, and the
// report list of a city with county rights (four elements) and of any other unit (two).
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

// Rows of report 50 (and one of report 51) in RB50 or JBRB50: every row rule of the parts,
// rows of both kinds of task and one without a kind.
void insertRb50(test::BodyFixture& m, const QString& table) {
  m.exec(QStringLiteral(
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (50, 'D', 'G', '852', '85212', '201', '0', 100, 80.5, 'd-g');\n"
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (50, 'D', 'G', '852', '85212', '', NULL, 5, 5, NULL);\n"
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (50, 'D', 'G', '852', '85212', NULL, NULL, 5, 5, NULL);\n"
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (50, 'D', 'G', '852', '85212', '2010', '0', 5, 5, NULL);\n"
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (50, 'D', 'G', NULL, '85213', '203', NULL, 0, -3, NULL);\n"
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (50, 'D', 'G', '852', '85212', '204', '0', 0, 0, 'zero');\n"
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (50, 'D', 'P', '754', '75411', '201', '1', 7, 6, 'd-p');\n"
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (50, 'D', NULL, '600', '60014', '202', '0', 1, 1, 'bez kodu');\n"
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (51, 'D', 'G', '999', '99999', '299', '0', 9, 9, 'inne');\n"
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (50, 'W', 'G', '852', '85212', '311', '0', 5, 0, '');\n"
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (50, 'W', 'P', '754', '75411', '405', '0', 10, 9.99, 'w & <p>');\n"
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (50, 'A', 'G', '852', '85212', '311', '0', 5, 0, 'bez wykonania');\n"
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (50, 'A', 'G', '852', '85212', '312', '0', 0, 4, 'a-g');\n"
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (50, 'A', 'P', '754', '75411', '405', '0', 0, 2.5, 'a-p');\n"
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (50, 'B', 'G', '750', '75011', '605', '0', 3, 1, 'b-g');\n")
             .arg(table));
}

const Fields kDG = {{"Dzial", "852"}, {"Rozdzial", "85212"}, {"Paragraf", "201"}, {"P4", "0"}, {"P", "100.00"}, {"W", "80.50"}, {"Uwagi", "d-g"}};
const Fields kDGEmptyTexts = {{"Dzial", ""}, {"Rozdzial", "85213"}, {"Paragraf", "203"}, {"P4", ""}, {"P", "0.00"}, {"W", "-3.00"}, {"Uwagi", ""}};
const Fields kDP = {{"Dzial", "754"}, {"Rozdzial", "75411"}, {"Paragraf", "201"}, {"P4", "1"}, {"P", "7.00"}, {"W", "6.00"}, {"Uwagi", "d-p"}};
const Fields kDNone = {{"Dzial", "600"}, {"Rozdzial", "60014"}, {"Paragraf", "202"}, {"P4", "0"}, {"P", "1.00"}, {"W", "1.00"}, {"Uwagi", "bez kodu"}};
const Fields kWG = {{"Dzial", "852"}, {"Rozdzial", "85212"}, {"Paragraf", "311"}, {"P4", "0"}, {"P", "5.00"}, {"W", "0.00"}, {"Uwagi", ""}};
const Fields kWP = {{"Dzial", "754"}, {"Rozdzial", "75411"}, {"Paragraf", "405"}, {"P4", "0"}, {"P", "10.00"}, {"W", "9.99"}, {"Uwagi", "w &amp; &lt;p&gt;"}};
const Fields kAG = {{"Dzial", "852"}, {"Rozdzial", "85212"}, {"Paragraf", "312"}, {"P4", "0"}, {"W", "4.00"}};
const Fields kAP = {{"Dzial", "754"}, {"Rozdzial", "75411"}, {"Paragraf", "405"}, {"P4", "0"}, {"W", "2.50"}};
const Fields kBG = {{"Dzial", "750"}, {"Rozdzial", "75011"}, {"Paragraf", "605"}, {"P4", "0"}, {"W", "1.00"}};

// The part's element with its header (disposer "85/24", the task's text when there is one).
std::string part(const char* symbol, TRodzajZad task, const std::string& lists) {
  std::string out = std::string("<") + symbol + " Id=\"" + symbol + "50\">\r\n" +
                    lines({"  <Naglowek>", "    <Wersja>1</Wersja>", "    <DataSprawozdania>2013-12-20</DataSprawozdania>",
                           "    <DysponentDotacji>85/24</DysponentDotacji>"});
  if (task == tGminna) out += "    <RodzajZadania>Gminna</RodzajZadania>\r\n";
  if (task == tPowiatowa) out += "    <RodzajZadania>Powiatowa</RodzajZadania>\r\n";
  return out + "  </Naglowek>\r\n" + lists + "</" + symbol + ">\r\n";
}

std::string expectedD(TRodzajZad task) {
  switch (task) {
    case tGminna: return part("Rb-50D", task, section("Pozycje", {kDG, kDGEmptyTexts}));
    case tPowiatowa: return part("Rb-50D", task, section("Pozycje", {kDP}));
    case tBrak: break;
  }
  return part("Rb-50D", task, section("Pozycje", {kDG, kDGEmptyTexts, kDP, kDNone}));
}

std::string expectedW(TRodzajZad task) {
  switch (task) {
    case tGminna: return part("Rb-50W", task, section("Pozycje", {kWG}) + section("WydatkiA", {kAG}) + section("WydatkiB", {kBG}));
    case tPowiatowa: return part("Rb-50W", task, section("Pozycje", {kWP}) + section("WydatkiA", {kAP}) + section("WydatkiB", {}));
    case tBrak: break;
  }
  return part("Rb-50W", task, section("Pozycje", {kWG, kWP}) + section("WydatkiA", {kAG, kAP}) + section("WydatkiB", {kBG}));
}

// The lines of `text` with two more blanks in front, for an element one level deeper.
std::string oneLevelDeeper(const std::string& text) {
  std::string out;
  for (size_t at = 0; at < text.size();) {
    const size_t end = text.find("\r\n", at) + 2;
    out += "  " + text.substr(at, end - at);
    at = end;
  }
  return out;
}

catalogue::SelectRow rb50Row(const char* part) {
  catalogue::SelectRow row = test::selectRow(50, QString::fromLatin1(part), QStringLiteral("RB50"));
  row.sCzesc = QStringLiteral("85/24");
  return row;
}

class Rb50Parts : public ::testing::TestWithParam<std::tuple<catalogue::TRodzajEksportu, TRodzajZad>> {};

TEST_P(Rb50Parts, EachPartHoldsTheRowsOfItsTaskThatHaveAParagraphAndAnAmount) {
  const auto [rodzaj, task] = GetParam();
  test::BodyFixture m;
  insertRb50(m, rodzaj == rJB ? QStringLiteral("JBRB50") : QStringLiteral("RB50"));
  // The other table set holds another report under the same id, which must not be read.
  m.exec(QStringLiteral("INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, PAR, KW1, KW2) VALUES (50, 'D', 'G', '111', 1, 1);\n"
                        "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, PAR, KW1, KW2) VALUES (50, 'W', 'G', '111', 1, 1);\n")
             .arg(rodzaj == rJB ? QStringLiteral("RB50") : QStringLiteral("JBRB50")));
  QString anchorD;
  QString anchorW;
  EXPECT_EQ(m.build(rb50Row("Rb-50D"), rodzaj, task, &anchorD), expectedD(task));
  EXPECT_EQ(m.build(rb50Row("Rb-50W"), rodzaj, task, &anchorW), expectedW(task));
  // The anchor does not depend on the kind of task: both elements of a city carry one Id.
  EXPECT_EQ(anchorD, QStringLiteral("#Rb-50D50"));
  EXPECT_EQ(anchorW, QStringLiteral("#Rb-50W50"));
}

std::string partCaseName(const ::testing::TestParamInfo<Rb50Parts::ParamType>& info) {
  const auto [rodzaj, task] = info.param;
  const char* const taskName = task == tGminna ? "Gminna" : task == tPowiatowa ? "Powiatowa" : "Brak";
  return std::string(rodzaj == rJB ? "BudgetUnit" : "Unit") + taskName;
}

INSTANTIATE_TEST_SUITE_P(Cases, Rb50Parts,
                         ::testing::Combine(::testing::Values(rJST, rJB), ::testing::Values(tBrak, tGminna, tPowiatowa)),
                         partCaseName);

TEST(Rb50, NoRowsGiveEmptyLists) {
  test::BodyFixture m;
  EXPECT_EQ(m.build(rb50Row("Rb-50W")), part("Rb-50W", tBrak, section("Pozycje", {}) + section("WydatkiA", {}) + section("WydatkiB", {})));
}

// ---- The report list: both parts, for both kinds of task in a city with county rights -------

struct ListCase {
  const char* name;
  const char* unitType;  // memMain.TYP, the type of the local government unit itself
  catalogue::TRodzajEksportu rodzaj;
  std::vector<std::pair<const char*, TRodzajZad>> parts;  // the elements written, in order
};

void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }

class Rb50InTheReportList : public ::testing::TestWithParam<ListCase> {};

TEST_P(Rb50InTheReportList, PartsInOrderWithTheKindsOfTaskOfTheUnitsType) {
  const ListCase& c = GetParam();
  test::PackageModule m;
  m.unit([&](catalogue::MemMain& u) { u.TYP = QString::fromLatin1(c.unitType); });
  m.dtm.setRodzajEksportu(c.rodzaj);
  const QString table = c.rodzaj == rJB ? QStringLiteral("JBRB50") : QStringLiteral("RB50");
  m.exec(QStringLiteral(
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (50, 'D', 'G', '852', '85212', '201', '0', 100, 80.5, 'd-g');\n"
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (50, 'D', 'P', '754', '75411', '201', '1', 7, 6, 'd-p');\n"
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (50, 'W', 'G', '852', '85212', '311', '0', 5, 0, '');\n"
             "INSERT INTO %1 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES (50, 'W', 'P', '754', '75411', '405', '0', 10, 9.99, 'w & <p>');\n")
             .arg(table));
  qint64 unitFilter = 0;
  if (c.rodzaj == rJB) {
    // A budget unit of the city: its report takes the kinds of task of the city's own type.
    m.addBudgetUnit(7, QStringLiteral("Szkola"), QStringLiteral("J"), QStringLiteral("111111111"), QString());
    m.prepare(QStringLiteral("7,"));
    unitFilter = 7;
  }
  catalogue::SelectRow row = rb50Row("Rb-50");
  row.ID_JB = unitFilter;
  m.select({row});

  std::string expected = "<Sprawozdania>\r\n";
  for (const auto& [symbol, task] : c.parts) {
    const bool d = std::string(symbol) == "Rb-50D";
    const Fields& own = d ? (task == tPowiatowa ? kDP : kDG) : (task == tPowiatowa ? kWP : kWG);
    const Fields& other = d ? kDP : kWP;
    std::string lists = task == tBrak ? section("Pozycje", {own, other}) : section("Pozycje", {own});
    if (!d) lists += section("WydatkiA", {}) + section("WydatkiB", {});
    expected += oneLevelDeeper(part(symbol, task, lists));
  }
  expected += "</Sprawozdania>\r\n";
  EXPECT_EQ(test::written(m.paczka.ElementSprawozdania(unitFilter)), expected);
  EXPECT_EQ(test::writtenIds(m.paczka.buildRecord()), (std::vector<qint64>{50}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Rb50InTheReportList,
    ::testing::Values(
        ListCase{"CityWithCountyRights", "M", rJST,
                 {{"Rb-50D", tGminna}, {"Rb-50D", tPowiatowa}, {"Rb-50W", tGminna}, {"Rb-50W", tPowiatowa}}},
        ListCase{"BudgetUnitOfACityWithCountyRights", "M", rJB,
                 {{"Rb-50D", tGminna}, {"Rb-50D", tPowiatowa}, {"Rb-50W", tGminna}, {"Rb-50W", tPowiatowa}}},
        ListCase{"Municipality", "G", rJST, {{"Rb-50D", tBrak}, {"Rb-50W", tBrak}}},
        ListCase{"BudgetUnitOfAMunicipality", "G", rJB, {{"Rb-50D", tBrak}, {"Rb-50W", tBrak}}},
        ListCase{"County", "P", rJST, {{"Rb-50D", tBrak}, {"Rb-50W", tBrak}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FirebirdRb50, PartsAreTheSameOnTheServer) {
  WERTALO_REQUIRE_FIREBIRD();
  test::FirebirdDatabase server;
  const db::ConnectionSettings settings = server.settings();
  test::BodyFixture m(&settings);
  insertRb50(m, QStringLiteral("RB50"));
  for (TRodzajZad task : {tBrak, tGminna, tPowiatowa}) {
    EXPECT_EQ(m.build(rb50Row("Rb-50D"), rJST, task), expectedD(task));
    EXPECT_EQ(m.build(rb50Row("Rb-50W"), rJST, task), expectedW(task));
  }
}

}  // namespace
}  // namespace wertalo::package
