// The package frame: root, period, units in every case, headers, value rules, report order.
#include <gtest/gtest.h>

#include <QVariant>

#include "core/package/package_error.h"
#include "core/package/headers.h"
#include "core/package/value_rules.h"
#include "core/package/xml_writer.h"
#include "fixture.h"
#include "support/xml_check.h"

namespace wertalo::package {
namespace {

using catalogue::rJB;
using catalogue::rJST;
using catalogue::TRodzajEksportu;
using test::lines;
using test::written;

struct PeriodCase {
  const char* name;
  catalogue::TTypOkresu kind;
  const char* okres;
  std::string expected;
};

class PeriodElement : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(PeriodElement, WritesYearKindAndNumber) {
  const PeriodCase& c = GetParam();
  test::PackageModule m;
  m.paczka.TypOkresu = c.kind;
  m.paczka.sOkres = QString::fromLatin1(c.okres);
  EXPECT_EQ(written(m.paczka.ElementOkres()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PeriodElement,
    ::testing::Values(PeriodCase{"December", catalogue::toMiesiac, "12",
                                 lines({"<Okres>", "  <Rok>2013</Rok>", "  <TypOkresu>Miesiac</TypOkresu>", "  <Okres>12</Okres>",
                                        "</Okres>"})},
                      PeriodCase{"FourthQuarter", catalogue::toKwartal, "4",
                                 lines({"<Okres>", "  <Rok>2013</Rok>", "  <TypOkresu>Kwartal</TypOkresu>", "  <Okres>4</Okres>",
                                        "</Okres>"})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PackageFrame, ReportPackageToTheByte) {
  test::PackageModule m;
  m.select({test::selectRow(57, QStringLiteral("Rb-27s"), QStringLiteral("D"))});
  m.paczka.TworzDokument_SPR();
  const QByteArray bytes = writeXml(m.paczka.DOM);
  EXPECT_EQ(bytes.toStdString(),
            test::documentHead() + lines({"<PaczkaSprawozdan Wersja=\"0.3\">",
                                          "  <Okres>",
                                          "    <Rok>2013</Rok>",
                                          "    <TypOkresu>Miesiac</TypOkresu>",
                                          "    <Okres>12</Okres>",
                                          "  </Okres>",
                                          "  <Jednostki>",
                                          "    <Jednostka>",
                                          "      <Nazwa>Miasto Testowo</Nazwa>",
                                          "      <Typ>M</Typ>",
                                          "      <Regon>631257816</Regon>",
                                          "      <WK>30</WK>",
                                          "      <PK>64</PK>",
                                          "      <GK>01</GK>",
                                          "      <GT>1</GT>",
                                          "      <PT>1</PT>",
                                          "      <Sprawozdania>",
                                          "        <Rb-27s Id=\"Rb-27s57\">",
                                          "          <Naglowek>",
                                          "            <Wersja>1</Wersja>",
                                          "            <DataSprawozdania>2013-12-20</DataSprawozdania>",
                                          "          </Naglowek>",
                                          "          <Pozycje/>",
                                          "        </Rb-27s>",
                                          "      </Sprawozdania>",
                                          "    </Jednostka>",
                                          "  </Jednostki>",
                                          "</PaczkaSprawozdan>"}));
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  EXPECT_TRUE(m.dtm.memSelectSpraw().eof());
  EXPECT_EQ(test::writtenIds(m.paczka.buildRecord()), std::vector<qint64>{57});
}

TEST(PackageFrame, EveryBuildStartsFromAnEmptyDocument) {
  test::PackageModule m;
  m.select({test::selectRow(57, QStringLiteral("Rb-27s"), QStringLiteral("D"))});
  m.paczka.TworzDokument_SPR();
  m.dtm.memSelectSpraw().first();
  m.dtm.memSelectSpraw().current().sTypSprBestia = QStringLiteral("Rb-28s");
  m.paczka.TworzDokument_SPR();
  const XmlElement* sprawozdania =
      m.paczka.DOM.root()->firstChildElement(QStringLiteral("Jednostki"))->firstChildElement(QStringLiteral("Jednostka"))->firstChildElement(QStringLiteral("Sprawozdania"));
  ASSERT_NE(sprawozdania, nullptr);
  ASSERT_EQ(sprawozdania->childElements().size(), 1u);
  EXPECT_EQ(sprawozdania->childElements()[0]->name(), QStringLiteral("Rb-28s"));
}

TEST(PackageFrame, TextsAreEscapedAndForbiddenCharactersDropped) {
  test::PackageModule m;
  m.unit([&](catalogue::MemMain& u) { u.NAZWA = QString::fromUtf8("Zakład \"A&B\" <Łąka>\x01"); });
  m.select({test::selectRow(57, QStringLiteral("Rb-34s"), QStringLiteral("RB34"))});
  const std::string text = written(m.paczka.ElementJednostkaSPR(rJST));
  EXPECT_NE(text.find("<Nazwa>Zakład \"A&amp;B\" &lt;Łąka&gt;</Nazwa>\r\n"), std::string::npos) << text;
}

// ---- Units ------------------------------------------------------------------------------

struct UnitCase {
  const char* name;
  TRodzajEksportu rodzaj;
  const char* typJb;
  bool grupoweJst;
  bool regonSpacje;
  bool perReport;
  const char* symbol;
  const char* unitRegon;  // memMain.REGON
  const char* regon;      // JBOBS.REGON
  const char* regon2;     // JBOBS.REGON_2
  std::vector<const char*> expected;  // Nazwa, Typ, Regon, WK, PK, GK, GT, PT
};

void PrintTo(const UnitCase& c, std::ostream* os) { *os << c.name; }

class UnitDescription : public ::testing::TestWithParam<UnitCase> {};

TEST_P(UnitDescription, NameTypeRegonAndCodes) {
  const UnitCase& c = GetParam();
  test::PackageModule m;
  m.unit([&](catalogue::MemMain& u) { u.REGON = QString::fromUtf8(c.unitRegon); });
  m.unit([&](catalogue::MemMain& u) { u.ID_JB = 7; });
  m.dtm.setRodzajEksportu(c.rodzaj);
  m.options([&](catalogue::RunOptions& o) { o.cbGrupoweJst = c.grupoweJst; });
  m.options([&](catalogue::RunOptions& o) { o.chkZapiszPojedynczo = c.perReport; });
  m.options([&](catalogue::RunOptions& o) { o.bRegonSpacje = c.regonSpacje; });
  m.addBudgetUnit(7, QString::fromUtf8("Szkoła nr 1"), QString::fromLatin1(c.typJb), QString::fromLatin1(c.regon),
                  QString::fromLatin1(c.regon2));
  m.prepare(QStringLiteral("7,"));
  m.select({test::selectRow(70, QString::fromLatin1(c.symbol), QStringLiteral("RB34"), c.rodzaj == rJB ? 7 : 0)});

  const char* const tags[] = {"Nazwa", "Typ", "Regon", "WK", "PK", "GK", "GT", "PT"};
  std::string expected = "<Jednostki>\r\n  <Jednostka>\r\n";
  for (size_t i = 0; i < 8; ++i) {
    expected += std::string("    <") + tags[i] + ">" + c.expected[i] + "</" + tags[i] + ">\r\n";
  }
  // The unit's report list follows its description.
  expected += std::string("    <Sprawozdania>\r\n      <") + c.symbol + " Id=\"" + c.symbol + "70\">\r\n";
  const std::string text = written(m.paczka.ElementJednostkaSPR(c.rodzaj));
  EXPECT_EQ(text.substr(0, expected.size()), expected);
}

const std::vector<const char*> kOwn(const char* regon) { return {"Miasto Testowo", "M", regon, "30", "64", "01", "1", "1"}; }
const std::vector<const char*> kSchool(const char* typ, const char* regon) {
  return {"Szkoła nr 1", typ, regon, "30", "64", "02", "2", "7"};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnitDescription,
    ::testing::Values(
        UnitCase{"UnitItself", rJST, "", true, false, false, "Rb-34s", "631257816", "", "", kOwn("631257816")},
        UnitCase{"UnitItselfRegonAsStored", rJST, "", true, true, false, "Rb-34s", "631257816     ", "", "",
                 kOwn("631257816     ")},
        UnitCase{"GroupUnit", rJB, "G", true, false, false, "Rb-34s", " 631257816 ", "999", "1", kOwn(" 631257816 ")},
        UnitCase{"GroupUnitTrimmedAndFiveBlanks", rJB, "G", true, true, false, "Rb-34s", " 631257816 ", "999", "1",
                 kOwn("631257816     ")},
        UnitCase{"GroupUnitWithoutUnitData", rJB, "G", false, false, false, "Rb-34s", "631257816", "123456789", "00018",
                 kSchool("JB", "12345678900018")},
        UnitCase{"BudgetUnit", rJB, "", true, false, false, "Rb-34s", "631257816", "123456789", "", kSchool("JB", "123456789")},
        UnitCase{"BudgetUnitPaddedTo14", rJB, "", true, true, false, "Rb-34s", "631257816", "123456789", "",
                 kSchool("JB", "123456789     ")},
        UnitCase{"BudgetUnitLongRegonNotPadded", rJB, "", true, true, false, "Rb-34s", "631257816", "12345678901234",
                 "5", kSchool("JB", "123456789012345")},
        UnitCase{"Rb34sAloneIsWrsjo", rJB, "", true, false, true, "Rb-34s", "631257816", "123456789", "",
                 kSchool("WRSJO", "123456789")},
        UnitCase{"Rb34sCombinedIsJb", rJB, "", true, false, false, "Rb-34s", "631257816", "123456789", "",
                 kSchool("JB", "123456789")},
        UnitCase{"Rb34AloneIsJb", rJB, "", true, false, true, "Rb-34", "631257816", "123456789", "",
                 kSchool("JB", "123456789")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Units, CombinedBudgetUnitsEachGetTheirConsecutiveReports) {
  test::PackageModule m;
  m.dtm.setRodzajEksportu(rJB);
  m.addBudgetUnit(7, QStringLiteral("Szkola"), QString(), QStringLiteral("111111111"), QString());
  m.addBudgetUnit(9, QStringLiteral("Przedszkole"), QString(), QStringLiteral("222222222"), QString());
  m.prepare(QStringLiteral("7,9,"));
  m.select({test::selectRow(3, QStringLiteral("Rb-28s"), QStringLiteral("W"), 9),
            test::selectRow(1, QStringLiteral("Rb-27s"), QStringLiteral("D"), 7),
            test::selectRow(2, QStringLiteral("Rb-28s"), QStringLiteral("W"), 7)});
  m.paczka.IDMemSprawozd();
  m.paczka.TworzDokument_SPR();

  const QByteArray bytes = writeXml(m.paczka.DOM);
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  QStringList seen;
  for (const XmlElement* unit : m.paczka.DOM.root()->firstChildElement(QStringLiteral("Jednostki"))->childElements()) {
    QString entry = unit->firstChildElement(QStringLiteral("Nazwa"))->text() + QLatin1Char(':');
    for (const XmlElement* report : unit->firstChildElement(QStringLiteral("Sprawozdania"))->childElements())
      entry += QLatin1Char(' ') + report->attribute(QStringLiteral("Id"));
    seen << entry;
  }
  EXPECT_EQ(seen, (QStringList{QStringLiteral("Szkola: Rb-27s1 Rb-28s2"), QStringLiteral("Przedszkole: Rb-28s3")}));
  EXPECT_EQ(test::writtenIds(m.paczka.buildRecord()), (std::vector<qint64>{1, 2, 3}));
}

TEST(Units, BudgetUnitMissingFromThePeriodIsAnError) {
  test::PackageModule m;
  m.dtm.setRodzajEksportu(rJB);
  m.addBudgetUnit(7, QStringLiteral("Szkola"), QString(), QStringLiteral("111111111"), QString());
  m.prepare(QStringLiteral("7,"));
  m.select({test::selectRow(1, QStringLiteral("Rb-27s"), QStringLiteral("D"), 8)});
  try {
    m.paczka.TworzDokument_SPR();
    FAIL() << "no error";
  } catch (const PackageError& e) {
    EXPECT_EQ(e.message(), QString::fromUtf8("Brak danych jednostki budżetowej o identyfikatorze 8 w okresie sprawozdania"));
  }
}

// ---- Headers ----------------------------------------------------------------------------

TEST(Headers, PlainHeaderWritesThePartNumberOnlyWhenAboveZeroAndTheSelectionIsOpen) {
  test::PackageModule m;
  catalogue::SelectRow row = test::selectRow(5, QStringLiteral("Rb-27s"), QStringLiteral("D"));
  row.CZAST = 2;
  const QDate date(2013, 12, 31);
  EXPECT_EQ(written(ElementNaglowek(ReportContext(m.dtm.DB(), catalogue::rJST, row), 3, date)),
            lines({"<Naglowek>", "  <Wersja>3</Wersja>", "  <DataSprawozdania>2013-12-31</DataSprawozdania>", "  <CZAST>2</CZAST>",
                   "</Naglowek>"}));
  EXPECT_EQ(written(ElementNaglowek(ReportContext(m.dtm.DB(), catalogue::rJST, row, false), 3, date)),
            lines({"<Naglowek>", "  <Wersja>3</Wersja>", "  <DataSprawozdania>2013-12-31</DataSprawozdania>", "</Naglowek>"}));
  row.CZAST = 0;
  EXPECT_EQ(written(ElementNaglowek(ReportContext(m.dtm.DB(), catalogue::rJST, row), 0, date)),
            lines({"<Naglowek>", "  <Wersja>0</Wersja>", "  <DataSprawozdania>2013-12-31</DataSprawozdania>", "</Naglowek>"}));
}

TEST(Headers, AReportWithoutItsDateIsDatedWithTheZeroDate) {
  test::PackageModule m;
  const catalogue::SelectRow row = test::selectRow(5, QStringLiteral("Rb-27s"), QStringLiteral("D"));
  const std::string undated = lines({"<Naglowek>", "  <Wersja>3</Wersja>", "  <DataSprawozdania>1899-12-30</DataSprawozdania>"});
  EXPECT_EQ(written(ElementNaglowek(ReportContext(m.dtm.DB(), catalogue::rJST, row), 3, QDate())), undated + lines({"</Naglowek>"}));
  EXPECT_EQ(written(ElementNaglowekRB50(3, QStringLiteral("85"), QString(), QDate())),
            undated + lines({"  <DysponentDotacji>85</DysponentDotacji>", "</Naglowek>"}));
  EXPECT_EQ(written(ElementNaglowekRB3X(3, QString(), QString(), QString(), true, QDate())), undated + lines({"</Naglowek>"}));
}

struct HeaderCase {
  const char* name;
  std::function<XmlFragment()> build;
  std::string expected;
};

void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.name; }

class HeaderVariants : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderVariants, ChildrenInOrder) {
  EXPECT_EQ(written(GetParam().build()), GetParam().expected);
}

const QDate kDay(2014, 1, 5);
const char* const kHeadLines = "<Naglowek>\r\n  <Wersja>2</Wersja>\r\n  <DataSprawozdania>2014-01-05</DataSprawozdania>\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, HeaderVariants,
    ::testing::Values(
        HeaderCase{"Rb50WithTask",
                   [] { return ElementNaglowekRB50(2, QStringLiteral("85"), QStringLiteral("1"), kDay); },
                   kHeadLines + lines({"  <DysponentDotacji>85</DysponentDotacji>", "  <RodzajZadania>1</RodzajZadania>", "</Naglowek>"})},
        HeaderCase{"Rb50WithoutTask",
                   [] { return ElementNaglowekRB50(2, QString(), QString(), kDay); },
                   kHeadLines + lines({"  <DysponentDotacji></DysponentDotacji>", "</Naglowek>"})},
        HeaderCase{"RbZN", [] { return ElementNaglowekRBZN(2, QStringLiteral("750"), kDay); },
                   kHeadLines + lines({"  <DysponentDotacji>750</DysponentDotacji>", "</Naglowek>"})},
        HeaderCase{"Rb27ZZ", [] { return ElementNaglowekRB27ZZ(2, QStringLiteral("85"), kDay); },
                   kHeadLines + lines({"  <DysponentDotacji>85</DysponentDotacji>", "</Naglowek>"})},
        HeaderCase{"Rb3XEmptySymbolIs500",
                   [] {
                     return ElementNaglowekRB3X(2, QString(), QStringLiteral("801"), QStringLiteral("80101"), false, kDay);
                   },
                   kHeadLines + lines({"  <SymbolPozabudzetowy>500</SymbolPozabudzetowy>", "  <Dzial>801</Dzial>",
                                       "  <Rozdzial>80101</Rozdzial>", "</Naglowek>"})},
        HeaderCase{"Rb3XWithSymbol",
                   [] {
                     return ElementNaglowekRB3X(2, QStringLiteral("510"), QString(), QString(), false, kDay);
                   },
                   kHeadLines + lines({"  <SymbolPozabudzetowy>510</SymbolPozabudzetowy>", "  <Dzial></Dzial>", "  <Rozdzial></Rozdzial>",
                                       "</Naglowek>"})},
        HeaderCase{"Rb34sOnlyVersionAndDate",
                   [] {
                     return ElementNaglowekRB3X(2, QStringLiteral("510"), QStringLiteral("801"), QStringLiteral("80101"), true, kDay);
                   },
                   kHeadLines + lines({"</Naglowek>"})}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Value rules ------------------------------------------------------------------------

struct ValueCase {
  const char* name;
  TTypPola kind;
  QVariant value;
  std::string expected;
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }

class ValueRules : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ValueRules, ByColumnKind) {
  const ValueCase& c = GetParam();
  XmlFragment parent;
  WstawPozycjeDoBestia(parent, QStringLiteral("X"), c.kind, c.value);
  EXPECT_EQ(written(parent), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValueRules,
    ::testing::Values(ValueCase{"NullTextWritesNothing", tString, QVariant(), ""},
                      ValueCase{"Text", tString, QVariant(QStringLiteral("a&b")), "<X>a&amp;b</X>\r\n"},
                      ValueCase{"EmptyText", tString, QVariant(QString(QLatin1String(""))), "<X></X>\r\n"},
                      ValueCase{"Memo", tMemo, QVariant(QStringLiteral("uwagi")), "<X>uwagi</X>\r\n"},
                      ValueCase{"NullMemoWritesNothing", tMemo, QVariant(), ""},
                      ValueCase{"NullAmountIsZero", tFloat, QVariant(), "<X>0.00</X>\r\n"},
                      ValueCase{"AmountHalf", tFloat, QVariant(1234.5), "<X>1234.50</X>\r\n"},
                      ValueCase{"AmountFromText", tFloat, QVariant(QStringLiteral("1234.565")), "<X>1234.57</X>\r\n"},
                      ValueCase{"NegativeAmount", tFloat, QVariant(-3.456), "<X>-3.46</X>\r\n"},
                      ValueCase{"Million", tFloat, QVariant(1000000), "<X>1000000.00</X>\r\n"},
                      ValueCase{"IntegerWritesNothing", tInteger, QVariant(5), ""},
                      ValueCase{"DateWritesNothing", tDate, QVariant(QDate(2013, 1, 1)), ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ValueRules, FieldMarkerAndFloat) {
  XmlFragment parent;
  XMLWstawPoleDoBestia(parent, QStringLiteral("Uwagi"), QString());
  XMLWstawZnacznik(parent, QStringLiteral("PODPIS"));
  XMLWstawFloat(parent, QStringLiteral("K"), 0.005);
  XMLWstawFloat(parent, QStringLiteral("L"), std::optional<text::Currency>());
  EXPECT_EQ(written(parent), lines({"<Uwagi></Uwagi>", "<PODPIS/>", "<K>0.01</K>", "<L>0.00</L>"}));
}

// ---- Report order, file names, dispatch -------------------------------------------------

TEST(ReportOrder, RowsAreNumberedByTheOrderTableAndSortedByUnitAndNumber) {
  test::PackageModule m;
  catalogue::SelectRow unknown = test::selectRow(4, QStringLiteral("Rb-30s"), QStringLiteral("RB30"));
  unknown.ID = 0;
  catalogue::SelectRow kept = test::selectRow(6, QStringLiteral("rb-27s"), QStringLiteral("D"));
  kept.ID = 99;
  m.select({test::selectRow(5, QStringLiteral("Rb-28nws"), QStringLiteral("NWS")), test::selectRow(3, QStringLiteral("Rb-27s"), QStringLiteral("D")),
            unknown, kept, test::selectRow(2, QStringLiteral("Rb-27ZZ"), QStringLiteral("RBZZ"), 7),
            test::selectRow(1, QStringLiteral("B-Jed"), QStringLiteral("BILJ"))});
  m.paczka.IDMemSprawozd();
  QStringList order;
  for (int i = 0; i < m.dtm.memSelectSpraw().recordCount(); ++i) {
    const catalogue::SelectRow& r = m.dtm.memSelectSpraw().at(i);
    order << QStringLiteral("%1:%2:%3").arg(r.ID_JB).arg(r.ID).arg(r.IDSPRAW);
  }
  EXPECT_EQ(order, (QStringList{QStringLiteral("0:0:4"), QStringLiteral("0:1:1"), QStringLiteral("0:7:3"), QStringLiteral("0:24:5"),
                                QStringLiteral("0:99:6"), QStringLiteral("7:8:2")}));
  EXPECT_EQ(m.dtm.memSelectSpraw().position(), 0);
  EXPECT_EQ(ReportRegistry::instance().orderOf(QStringLiteral("Rb-50")), 15);
  EXPECT_EQ(ReportRegistry::instance().orderOf(QStringLiteral("Rb-30s")), 0);
}

TEST(ReportOrder, FileNameOfTheCurrentRow) {
  test::PackageModule m;
  catalogue::SelectRow parted = test::selectRow(58, QStringLiteral("Rb-27s"), QStringLiteral("D"));
  parted.CZAST = 2;
  m.select({test::selectRow(57, QStringLiteral("Rb-27s"), QStringLiteral("D")), parted});
  EXPECT_EQ(m.paczka.NazwaPlikuXml(), QStringLiteral("Rb-27s__57.xml"));
  m.dtm.memSelectSpraw().next();
  EXPECT_EQ(m.paczka.NazwaPlikuXml(), QStringLiteral("Rb-27s_2_58.xml"));
}

}  // namespace
}  // namespace wertalo::package
