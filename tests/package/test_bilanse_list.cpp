// The balance-sheet list: body choice by the product's type, kept XML, the list of a unit,
// and the description of its units.
#include <gtest/gtest.h>

#include "bilanse_data.h"
#include "core/db/db_error.h"
#include "fixture.h"
#include "support/xml_check.h"

namespace wertalo::package {
namespace {

using catalogue::rJB;
using catalogue::rJST;
using test::lines;
using test::sheet;
using test::written;

// The list element with what Bilanse appended to it, written.
std::string appended(TXMLPaczkaSprawozdan& paczka) {
  XmlFragment fragment;
  XmlElement& sprawozdania = fragment.appendElement(QStringLiteral("Sprawozdania"));
  paczka.Bilanse(sprawozdania);
  return written(fragment);
}

// ---- Body choice by the product's type ----------------------------------------------------

struct ChoiceCase {
  const char* typspr;
  const char* element;  // null: nothing is written
  size_t aktywa;        // positions under Aktywa
};

void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.typspr; }

class BodyChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(BodyChoice, ByTheExactType) {
  const ChoiceCase& c = GetParam();
  test::PackageModule m;
  test::insertPositionTree(m);
  test::insertSheetRows(m, QStringLiteral("BILB"), 80);
  test::insertSheetRows(m, QStringLiteral("BILS"), 80);
  test::insertSheetRows(m, QStringLiteral("JBBILJ"), 80);
  m.select({sheet(80, "B-Wyk", c.typspr)});
  XmlFragment fragment;
  XmlElement& sprawozdania = fragment.appendElement(QStringLiteral("Sprawozdania"));
  m.paczka.Bilanse(sprawozdania);
  written(fragment);
  const std::vector<const XmlElement*> reports = sprawozdania.childElements();
  if (c.element == nullptr) {
    EXPECT_TRUE(reports.empty());
    return;
  }
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0]->name(), QString::fromLatin1(c.element));
  EXPECT_EQ(reports[0]->attribute(QStringLiteral("Id")), QString::fromLatin1(c.element) + QStringLiteral("80"));
  ASSERT_NE(reports[0]->firstChildElement(QStringLiteral("Aktywa")), nullptr);
  EXPECT_EQ(reports[0]->firstChildElement(QStringLiteral("Aktywa"))->childElements().size(), c.aktywa);
}

INSTANTIATE_TEST_SUITE_P(Types, BodyChoice,
                         ::testing::Values(ChoiceCase{"BILB", "B-Wyk", 8}, ChoiceCase{"BILS", "B-Skon", 4},
                                           ChoiceCase{"BILJ", "B-Jed", 8}, ChoiceCase{"BILL", "B-Jed", 4},
                                           ChoiceCase{"bilb", nullptr, 0}, ChoiceCase{"BIL", nullptr, 0},
                                           ChoiceCase{"D", nullptr, 0}),
                         [](const auto& info) { return std::string(info.param.typspr); });

// ---- Kept XML -----------------------------------------------------------------------------

struct KeptCase {
  const char* typspr;
  catalogue::TRodzajEksportu rodzaj;
};

void PrintTo(const KeptCase& c, std::ostream* os) { *os << c.typspr; }

class KeptXml : public ::testing::TestWithParam<KeptCase> {};

TEST_P(KeptXml, SignedSheetRunsNoPositionStatement) {
  const KeptCase& c = GetParam();
  test::PackageModule m;
  m.dtm.setRodzajEksportu(c.rodzaj);
  const QString prefix = c.rodzaj == rJB ? QStringLiteral("JB") : QString();
  // Without the balance-sheet tables any position or remark statement would fail.
  m.exec(QStringLiteral("DROP TABLE BILB;\nDROP TABLE BILS;\nDROP TABLE JBBILJ;\nDROP TABLE BILPOZ;\nDROP TABLE JBBILPOZ;\n"
                        "DROP TABLE UWAGI;\nDROP TABLE JBUWAGI;\n"
                        "INSERT INTO %1SPRAWOZDXML (IDSPRAW, czy_epodpisane, WYEKSPORTOWANY_XML) VALUES (80, 1, '<B-Wyk/>');\n")
             .arg(prefix));
  catalogue::SelectRow row = sheet(80, "B-Wyk", c.typspr, c.rodzaj == rJB ? 7 : 0);
  row.podpisane = true;
  m.select({row});
  EXPECT_EQ(appended(m.paczka), lines({"<Sprawozdania>", "  <WYEKSPORTOWANY_XML/>", "</Sprawozdania>"}));
  ASSERT_EQ(m.paczka.buildRecord().keptXml.size(), 1u);
  EXPECT_EQ(m.paczka.buildRecord().keptXml[0].idspraw, 80);
  EXPECT_EQ(m.paczka.buildRecord().keptXml[0].text, QStringLiteral("<B-Wyk/>"));

  // With an empty kept text the sheet is built fresh, and then its tables are needed.
  m.exec(QStringLiteral("UPDATE %1SPRAWOZDXML SET WYEKSPORTOWANY_XML='' WHERE IDSPRAW=80;\n").arg(prefix));
  EXPECT_THROW(appended(m.paczka), db::DbError);
}

INSTANTIATE_TEST_SUITE_P(Types, KeptXml,
                         ::testing::Values(KeptCase{"BILB", rJST}, KeptCase{"BILS", rJST}, KeptCase{"BILJ", rJB},
                                           KeptCase{"BILL", rJB}),
                         [](const auto& info) { return std::string(info.param.typspr); });

TEST(KeptXmlOfOthers, UnsignedSheetOrTheTwinsTextIsBuiltFresh) {
  test::PackageModule m;
  m.exec(QStringLiteral("INSERT INTO SPRAWOZDXML (IDSPRAW, czy_epodpisane, WYEKSPORTOWANY_XML) VALUES (80, 1, '<B-Wyk/>');\n"
                        "INSERT INTO JBSPRAWOZDXML (IDSPRAW, czy_epodpisane, WYEKSPORTOWANY_XML) VALUES (81, 1, '<B-Jed/>');\n"));
  catalogue::SelectRow signedOfTheUnit = sheet(81, "B-Wyk", "BILB");
  signedOfTheUnit.podpisane = true;
  m.select({sheet(80, "B-Wyk", "BILB"), signedOfTheUnit});
  const std::string fresh80 = lines({"<Sprawozdania>", "  <B-Wyk Id=\"B-Wyk80\">", "    <Naglowek>", "      <Wersja>1</Wersja>",
                                     "      <DataSprawozdania>2013-12-20</DataSprawozdania>", "    </Naglowek>",
                                     "    <Aktywa/>", "    <Pasywa/>", "  </B-Wyk>", "</Sprawozdania>"});
  EXPECT_EQ(appended(m.paczka), fresh80);
  m.dtm.memSelectSpraw().next();
  // The unit's own sheet 81 has its kept text in JBSPRAWOZDXML only: not the unit's table.
  EXPECT_NE(appended(m.paczka).find("<B-Wyk Id=\"B-Wyk81\">"), std::string::npos);
  EXPECT_TRUE(m.paczka.buildRecord().keptXml.empty());
}

// ---- The list of a unit -------------------------------------------------------------------

TEST(BalanceSheetList, TickedSheetsOfTheUnitWithExtendedInformationAndPlaceholder) {
  test::PackageModule m;
  m.dtm.setRodzajEksportu(rJB);
  m.options([&](catalogue::RunOptions& o) { o.bDodajInfo = true; });
  m.exec(QStringLiteral("INSERT INTO JBSPRAWOZD (IDSPRAW, STAMP, UWAGI, DATAZAK, ID_JB) VALUES (90, 'pieczęć', 'bez uwag', '2014-03-31', 7);\n"));
  catalogue::SelectRow signedRow = sheet(90, "B-Jed", "BILJ", 7);
  signedRow.podpisane = true;
  catalogue::SelectRow unticked = sheet(91, "B-Jed", "BILL", 7);
  unticked.SELEKCJA = false;
  m.select({signedRow, unticked, sheet(92, "B-Jed", "BILJ", 9)});
  EXPECT_EQ(written(m.paczka.ElementBilanse(7)),
            lines({"<Sprawozdania>",
                   "  <B-Jed Id=\"B-Jed90\">",
                   "    <Naglowek>",
                   "      <Wersja>1</Wersja>",
                   "      <DataSprawozdania>2013-12-20</DataSprawozdania>",
                   "    </Naglowek>",
                   "    <Aktywa/>",
                   "    <Pasywa/>",
                   "  </B-Jed>",
                   "</Sprawozdania>",
                   "<SprawozdaniaRozwiniecie>",
                   "  <SprawozdanieRozwiniecie Sprawozdanie=\"#B-Jed90\">",
                   "    <STAMP>pieczęć</STAMP>",
                   "    <UWAGI>bez uwag</UWAGI>",
                   "    <DATAZAK>2014-03-31</DATAZAK>",
                   "  </SprawozdanieRozwiniecie>",
                   "  <SprawozdanieRozwiniecie Sprawozdanie=\"#B-Jed91\">",
                   "    <STAMP></STAMP>",
                   "    <UWAGI></UWAGI>",
                   "    <DATAZAK></DATAZAK>",
                   "  </SprawozdanieRozwiniecie>",
                   "</SprawozdaniaRozwiniecie>",
                   "<PODPIS/>"}));
  // The list stops at the next unit's row.
  EXPECT_EQ(m.dtm.memSelectSpraw().position(), 2);
  EXPECT_EQ(test::writtenIds(m.paczka.buildRecord()), std::vector<qint64>{90});
  ASSERT_EQ(m.paczka.buildRecord().signatures.size(), 1u);
  ASSERT_EQ(m.paczka.buildRecord().signatures[0].reports.size(), 1u);
  EXPECT_EQ(m.paczka.buildRecord().signatures[0].reports[0].anchor, QStringLiteral("#B-Jed90"));
}

TEST(BalanceSheetList, OnePerReportTakesOneRow) {
  test::PackageModule m;
  m.options([&](catalogue::RunOptions& o) { o.chkZapiszPojedynczo = true; });
  m.select({sheet(80, "B-Wyk", "BILB"), sheet(82, "B-Skon", "BILS")});
  EXPECT_EQ(written(m.paczka.ElementBilanse(0)),
            lines({"<Sprawozdania>", "  <B-Wyk Id=\"B-Wyk80\">", "    <Naglowek>", "      <Wersja>1</Wersja>",
                   "      <DataSprawozdania>2013-12-20</DataSprawozdania>", "    </Naglowek>", "    <Aktywa/>", "    <Pasywa/>",
                   "  </B-Wyk>", "</Sprawozdania>"}));
  EXPECT_EQ(m.dtm.memSelectSpraw().position(), 1);
}

// ---- Units of a balance-sheet package -----------------------------------------------------

struct UnitCase {
  const char* name;
  catalogue::TRodzajEksportu rodzaj;
  const char* typJb;
  bool grupoweJst;
  const char* unitRegon;  // memMain.REGON
  const char* regon;      // JBOBS.REGON
  const char* regon2;     // JBOBS.REGON_2
  std::vector<const char*> expected;  // Nazwa, Typ, Regon, WK, PK, GK, GT, PT
};

void PrintTo(const UnitCase& c, std::ostream* os) { *os << c.name; }

class BalanceUnit : public ::testing::TestWithParam<UnitCase> {};

TEST_P(BalanceUnit, JBFirstThenTheUnitsOwnDescription) {
  const UnitCase& c = GetParam();
  test::PackageModule m;
  m.dtm.setRodzajEksportu(c.rodzaj);
  m.options([&](catalogue::RunOptions& o) { o.bRegonSpacje = true; });
  m.options([&](catalogue::RunOptions& o) { o.cbGrupoweJst = c.grupoweJst; });
  m.unit([&](catalogue::MemMain& u) { u.REGON = QString::fromLatin1(c.unitRegon); });
  m.addBudgetUnit(7, QString::fromUtf8("Szkoła nr 1"), QString::fromLatin1(c.typJb), QString::fromLatin1(c.regon),
                  QString::fromLatin1(c.regon2));
  m.prepare(QStringLiteral("7,"));
  // A type without a body: the unit is described, its list stays empty.
  m.select({sheet(90, "B-Jed", "XXXX", c.rodzaj == rJB ? 7 : 0)});
  const char* const tags[] = {"Nazwa", "Typ", "Regon", "WK", "PK", "GK", "GT", "PT"};
  std::string expected = "<Jednostki>\r\n  <Jednostka>\r\n    <Typ>JB</Typ>\r\n";
  for (size_t i = 0; i < 8; ++i) expected += std::string("    <") + tags[i] + ">" + c.expected[i] + "</" + tags[i] + ">\r\n";
  expected += "    <Sprawozdania/>\r\n  </Jednostka>\r\n</Jednostki>\r\n";
  EXPECT_EQ(written(m.paczka.ElementJednostka()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BalanceUnit,
    ::testing::Values(
        // The wizard has already trimmed the unit's REGON and appended the blanks.
        UnitCase{"UnitItselfRegonAsItStands", rJST, "J", true, " 631257816 ", "", "",
                 {"Miasto Testowo", "M", " 631257816 ", "30", "64", "01", "1", "1"}},
        UnitCase{"GroupUnitTrimmedThenFiveBlanks", rJB, "G", true, " 631257816 ", "999", "",
                 {"Miasto Testowo", "M", "631257816     ", "30", "64", "01", "1", "1"}},
        UnitCase{"GroupUnitWithoutTheBoxIsABudgetUnit", rJB, "G", false, "631257816", "12345678", "00011",
                 {"Szkoła nr 1", "JB", "1234567800011", "30", "64", "02", "2", "7"}},
        UnitCase{"BudgetUnitRegonNeverPadded", rJB, "J", true, "631257816", "1234567", "",
                 {"Szkoła nr 1", "JB", "1234567", "30", "64", "02", "2", "7"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wertalo::package
