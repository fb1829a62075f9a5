// Balance-sheet bodies over small databases: positions of both sides, parent symbols, amounts,
// and the supplements of each builder.
#include <gtest/gtest.h>

#include <array>

#include "bilanse_data.h"
#include "core/db/data_set.h"
#include "core/package/bodies/bilanse.h"
#include "fixture.h"
#include "support/xml_check.h"

namespace wertalo::package {
namespace {

using catalogue::rJB;
using catalogue::rJST;
using test::lines;
using Builder = BodyBuilder;

// The written fragment, also checked as a document of its own.
std::string checked(const XmlFragment& fragment) {
  const std::string text = test::written(fragment);
  EXPECT_TRUE(test::isWellFormedXml(QByteArray::fromStdString(text)));
  return text;
}

// The four builders: product type, builder, rows table, unit kind, report element.
struct BuilderCase {
  const char* name;
  const char* typspr;
  Builder builder;
  const char* rowsTable;
  catalogue::TRodzajEksportu rodzaj;
  const char* element;
};

void PrintTo(const BuilderCase& c, std::ostream* os) { *os << c.name; }

const BuilderCase kBWyk{"BWyk", "BILB", BilanseBILB, "BILB", rJST, "B-Wyk"};
const BuilderCase kBSkon{"BSkon", "BILS", BilanseBILS, "BILS", rJST, "B-Skon"};
const BuilderCase kBJedSingle{"BJedSingle", "BILJ", BilanseBILJ, "JBBILJ", rJB, "B-Jed"};
const BuilderCase kBJedCombined{"BJedCombined", "BILL", BilanseBILL, "JBBILJ", rJB, "B-Jed"};

// A module with the position tree and the selection row of balance sheet 80 of the case.
struct SheetModule {
  explicit SheetModule(const BuilderCase& c) : c(c) {
    m.dtm.setRodzajEksportu(c.rodzaj);
    test::insertPositionTree(m);
    m.select({test::selectRow(80, QString::fromLatin1(c.element), QString::fromLatin1(c.typspr), c.rodzaj == rJB ? 7 : 0)});
  }
  XmlFragment build(QString* id = nullptr) {
    return c.builder(ReportContext(m.dtm.DB(), c.rodzaj, m.dtm.memSelectSpraw().current()), id);
  }
  // The report element around its children.
  std::string report(const std::string& children) const {
    return std::string("<") + c.element + " Id=\"" + c.element + "80\">\r\n" + test::header() + children + "</" + c.element +
           ">\r\n";
  }

  const BuilderCase& c;
  test::PackageModule m;
};

// ---- Positions ----------------------------------------------------------------------------

struct PositionsCase {
  BuilderCase builder;
  bool everyPosition;  // listed whether linked or not
};

void PrintTo(const PositionsCase& c, std::ostream* os) { *os << c.builder.name; }

class Positions : public ::testing::TestWithParam<PositionsCase> {};

TEST_P(Positions, BothSidesInDisplayOrderWithParentSymbolsAndAmounts) {
  const PositionsCase& c = GetParam();
  SheetModule s(c.builder);
  test::insertSheetRows(s.m, QString::fromLatin1(c.builder.rowsTable), 80);
  // A remark row of another balance sheet: no supplement may come of it.
  s.m.exec(QStringLiteral("INSERT INTO UWAGI (IDSPRAW, UwagiA1, UWAGIM1) VALUES (1080, 'obca', 'obca');\n"
                          "INSERT INTO JBUWAGI (IDSPRAW, UwagiA1, UWAGIM1) VALUES (1080, 'obca', 'obca');\n"));
  QString anchor;
  EXPECT_EQ(checked(s.build(&anchor)), s.report(c.everyPosition ? test::everyPosition() : test::linkedPositions()));
  EXPECT_EQ(anchor, QStringLiteral("#") + QString::fromLatin1(c.builder.element) + QStringLiteral("80"));
}

INSTANTIATE_TEST_SUITE_P(Builders, Positions,
                         ::testing::Values(PositionsCase{kBWyk, true}, PositionsCase{kBSkon, false},
                                           PositionsCase{kBJedSingle, true}, PositionsCase{kBJedCombined, false}),
                         [](const auto& info) { return std::string(info.param.builder.name); });

class EmptySheet : public ::testing::TestWithParam<BuilderCase> {};

TEST_P(EmptySheet, HeaderAndEmptySidesWithoutSupplements) {
  SheetModule s(GetParam());
  EXPECT_EQ(checked(s.build()), s.report(lines({"  <Aktywa/>", "  <Pasywa/>"})));
}

INSTANTIATE_TEST_SUITE_P(Builders, EmptySheet, ::testing::Values(kBWyk, kBSkon, kBJedSingle, kBJedCombined),
                         [](const auto& info) { return std::string(info.param.name); });

// An empty Besti@ symbol on the linked-only statements: the parent's symbol (none here) and
// the product's own name of the position, not the Besti@ name.
class EmptyBestiaSymbol : public ::testing::TestWithParam<BuilderCase> {};

TEST_P(EmptyBestiaSymbol, GivesTheProductsOwnName) {
  SheetModule s(GetParam());
  s.m.exec(QStringLiteral("INSERT INTO %1 (IDSPRAW, ID_BILPOZ, SPOCZ, SKON) VALUES (80, 6, 1, 2);\n")
               .arg(QString::fromLatin1(GetParam().rowsTable)));
  EXPECT_EQ(checked(s.build()), s.report(lines({"  <Aktywa>", "    <Pozycja>", "      <Symbol></Symbol>",
                                                "      <Nazwa>Pozostałe aktywa</Nazwa>", "      <P>1.00</P>", "      <K>2.00</K>",
                                                "    </Pozycja>", "  </Aktywa>", "  <Pasywa/>"})));
}

INSTANTIATE_TEST_SUITE_P(LinkedOnly, EmptyBestiaSymbol, ::testing::Values(kBSkon, kBJedCombined),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Parent symbol ------------------------------------------------------------------------

struct ParentCase {
  const char* name;
  int row;
  const char* expected;
};

void PrintTo(const ParentCase& c, std::ostream* os) { *os << c.name; }

class ParentSymbol : public ::testing::TestWithParam<ParentCase> {};

TEST_P(ParentSymbol, OneLevelAmongTheRowsAndTheCursorStays) {
  const ParentCase& c = GetParam();
  const auto id = [](qint64 v) { return QVariant(v); };
  db::DataSet qr({QStringLiteral("ID_BILPOZ"), QStringLiteral("PARENT"), QStringLiteral("SYMBOL")},
                 {{id(1), id(0), QVariant(QStringLiteral("A"))},
                  {id(2), id(1), QVariant(QString())},
                  {id(3), id(2), QVariant(QString())},
                  {id(4), id(99), QVariant(QString())},
                  {id(5), QVariant(), QVariant(QString())},
                  {id(6), id(1), QVariant(QStringLiteral("A.II"))}});
  qr.first();
  for (int i = 0; i < c.row; ++i) qr.next();
  EXPECT_EQ(ZnajdzSymbolNadrzednejPozycji(qr), QString::fromLatin1(c.expected));
  EXPECT_EQ(qr.recNo(), c.row);
}

INSTANTIATE_TEST_SUITE_P(Cases, ParentSymbol,
                         ::testing::Values(ParentCase{"NoParent", 0, ""}, ParentCase{"ParentWithSymbol", 1, "A"},
                                           ParentCase{"ParentWithoutSymbolIsNotClimbed", 2, ""},
                                           ParentCase{"ParentNotAmongTheRows", 3, ""}, ParentCase{"NullParent", 4, ""},
                                           ParentCase{"RowWithItsOwnSymbol", 5, "A"}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Supplements --------------------------------------------------------------------------

// A remark row: UwagiA1..7, UwagiF1..7 and UWAGIM1 as SQL literals ("NULL", "'text'", "0").
struct RemarkRow {
  std::array<const char*, 7> a;
  std::array<const char*, 7> f;
  const char* m1;
};

const RemarkRow kNullRow{{"NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL"},
                         {"NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL"},
                         "NULL"};

void insertRemarkRow(test::PackageModule& m, const QString& table, qint64 idspraw, const RemarkRow& r) {
  QString columns = QStringLiteral("IDSPRAW");
  QString values = QString::number(idspraw);
  for (int k = 0; k < 7; ++k) {
    columns += QStringLiteral(", UwagiA%1, UwagiF%1").arg(k + 1);
    values += QStringLiteral(", %1, %2").arg(QString::fromUtf8(r.a[static_cast<size_t>(k)]),
                                            QString::fromUtf8(r.f[static_cast<size_t>(k)]));
  }
  m.exec(QStringLiteral("INSERT INTO %1 (%2, UWAGIM1) VALUES (%3, %4);\n").arg(table, columns, values, QString::fromUtf8(r.m1)));
}

struct SupplementCase {
  const char* name;
  BuilderCase builder;
  RemarkRow row;
  std::string expected;  // what follows Pasywa
};

void PrintTo(const SupplementCase& c, std::ostream* os) { *os << c.name; }

class Supplements : public ::testing::TestWithParam<SupplementCase> {};

TEST_P(Supplements, FromTheRemarkRow) {
  const SupplementCase& c = GetParam();
  SheetModule s(c.builder);
  insertRemarkRow(s.m, c.builder.rodzaj == rJB ? QStringLiteral("JBUWAGI") : QStringLiteral("UWAGI"), 80, c.row);
  EXPECT_EQ(checked(s.build()), s.report(lines({"  <Aktywa/>", "  <Pasywa/>"}) + c.expected));
}

// A described Pozycja (Symbol, Opis) inside Uzupelnienie.
std::string described(const char* symbol, const char* opis) {
  return lines({"    <Pozycja>"}) + "      <Symbol>" + symbol + "</Symbol>\r\n      <Opis>" + opis + "</Opis>\r\n" +
         lines({"    </Pozycja>"});
}

// A standing Pozycja (Symbol, Wartosc, Uwagi) inside UzupelnienieStale.
std::string standing(const char* symbol, const char* wartosc, const char* uwagi) {
  return lines({"    <Pozycja>"}) + "      <Symbol>" + symbol + "</Symbol>\r\n      <Wartosc>" + wartosc +
         "</Wartosc>\r\n      <Uwagi>" + uwagi + "</Uwagi>\r\n" + lines({"    </Pozycja>"});
}

// A fixed Pozycja of the combined B-Jed (Symbol, Opis, Wartosc).
std::string fixed(const char* symbol, const char* opis, const char* wartosc) {
  return lines({"    <Pozycja>"}) + "      <Symbol>" + symbol + "</Symbol>\r\n      <Opis>" + opis + "</Opis>\r\n      <Wartosc>" +
         wartosc + "</Wartosc>\r\n" + lines({"    </Pozycja>"});
}

std::string uzupelnienie(const std::string& entries) { return lines({"  <Uzupelnienie>"}) + entries + lines({"  </Uzupelnienie>"}); }

RemarkRow row(std::array<const char*, 7> a, std::array<const char*, 7> f, const char* m1) { return RemarkRow{a, f, m1}; }

INSTANTIATE_TEST_SUITE_P(
    Builders, Supplements,
    ::testing::Values(
        SupplementCase{"BWykGuaranteeGivenAndRemark", kBWyk,
                       row({"'Bank PKO'", "NULL", "'x'", "NULL", "NULL", "NULL", "NULL"},
                           {"5", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL"}, "'Uwaga końcowa'"),
                       uzupelnienie(described("1", "Udzielone gwarancje i poręczenia - Bank PKO") +
                                    described("3", "Uwaga końcowa"))},
        SupplementCase{"BWykGuaranteeReceived", kBWyk,
                       row({"''", "'Gmina & Powiat'", "NULL", "NULL", "NULL", "NULL", "NULL"},
                           {"NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL"}, "''"),
                       uzupelnienie(described("2", "Otrzymane gwarancje i poręczenia - Gmina &amp; Powiat"))},
        SupplementCase{"BWykEmptyRemarksGiveNoSupplement", kBWyk,
                       row({"''", "''", "'x'", "'x'", "'x'", "'x'", "'x'"}, {"1", "2", "3", "4", "5", "6", "7"}, "''"), ""},
        SupplementCase{"BSkonAllThree", kBSkon,
                       row({"'10 lat'", "'wątpliwe'", "NULL", "NULL", "NULL", "NULL", "NULL"},
                           {"NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL"}, "'Żadnych'"),
                       uzupelnienie(described("1", "Umorzenie wartości niematerialnych i prawnych - 10 lat") +
                                    described("2", "Odpisy aktualizujące należności - wątpliwe") + described("3", "Żadnych"))},
        SupplementCase{"BSkonNullRowGivesNoSupplement", kBSkon, kNullRow, ""},
        SupplementCase{"BJedSingleEntriesByK", kBJedSingle,
                       row({"'a1'", "''", "''", "'tylko opis'", "NULL", "NULL", "'x & y'"},
                           {"10.5", "NULL", "0", "NULL", "1234.565", "NULL", "-3.456"}, "'Informacja'"),
                       lines({"  <UzupelnienieStale>"}) + standing("1", "10.50", "a1") + standing("3", "0.00", "") +
                           standing("4", "0.00", "tylko opis") + standing("5", "1234.57", "") + standing("7", "-3.46", "x &amp; y") +
                           lines({"  </UzupelnienieStale>"}) + uzupelnienie(described("8", "Informacja"))},
        SupplementCase{"BJedSingleNullRowGivesEmptyStandingSupplement", kBJedSingle, kNullRow,
                       lines({"  <UzupelnienieStale/>"})},
        SupplementCase{"BJedCombinedFourFixedEntriesFromANullRow", kBJedCombined, kNullRow,
                       uzupelnienie(fixed("1", "Umorzenie wartości niematerialnych i prawnych", "0.00") +
                                    fixed("2", "Umorzenie środków trwałych", "0.00") +
                                    fixed("3", "Umorzenie pozostałych środków trwałych i wyposażenia", "0.00") +
                                    fixed("4", "Odpisy aktualizujące należności", "0.00"))},
        SupplementCase{"BJedCombinedRemarksAmountsAndTheFifth", kBJedCombined,
                       row({"'wg planu'", "NULL", "''", "'część'", "'nieużywane'", "NULL", "NULL"},
                           {"1234.5", "0", "NULL", "0.005", "9", "NULL", "NULL"}, "'Dodatkowa <uwaga>'"),
                       uzupelnienie(fixed("1", "Umorzenie wartości niematerialnych i prawnych - wg planu", "1234.50") +
                                    fixed("2", "Umorzenie środków trwałych", "0.00") +
                                    fixed("3", "Umorzenie pozostałych środków trwałych i wyposażenia", "0.00") +
                                    fixed("4", "Odpisy aktualizujące należności - część", "0.01") +
                                    described("5", "Dodatkowa &lt;uwaga&gt;"))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SupplementsRemarkRows, OnlyTheFirstRowIsRead) {
  SheetModule s(kBWyk);
  insertRemarkRow(s.m, QStringLiteral("UWAGI"), 80,
                  row({"'pierwszy'", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL"},
                      {"NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL"}, "NULL"));
  insertRemarkRow(s.m, QStringLiteral("UWAGI"), 80,
                  row({"NULL", "'drugi'", "NULL", "NULL", "NULL", "NULL", "NULL"},
                      {"NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL"}, "'drugi'"));
  EXPECT_EQ(checked(s.build()), s.report(lines({"  <Aktywa/>", "  <Pasywa/>"}) +
                                         uzupelnienie(described("1", "Udzielone gwarancje i poręczenia - pierwszy"))));
}

TEST(SupplementsRemarkRows, TheTwinTableIsNotRead) {
  // A budget unit's remark row under the same id does not belong to the unit's B-Wyk.
  SheetModule s(kBWyk);
  insertRemarkRow(s.m, QStringLiteral("JBUWAGI"), 80, kNullRow);
  EXPECT_EQ(checked(s.build()), s.report(lines({"  <Aktywa/>", "  <Pasywa/>"})));
  SheetModule j(kBJedCombined);
  insertRemarkRow(j.m, QStringLiteral("UWAGI"), 80, kNullRow);
  EXPECT_EQ(checked(j.build()), j.report(lines({"  <Aktywa/>", "  <Pasywa/>"})));
}

}  // namespace
}  // namespace wertalo::package
