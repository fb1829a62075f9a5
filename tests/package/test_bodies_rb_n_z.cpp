// Bodies of Rb-N and Rb-Z over small databases: positions found by name, fixed positions
// from one row, agreements, interest and units row by row; plain and budget-unit tables.
#include <gtest/gtest.h>

#include <QStringList>

#include <string>
#include <vector>

#include "body_fixture.h"
#include "body_text.h"
#include "fixture.h"
#include "support/databases.h"

namespace wertalo::package {
namespace {

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

// ---- Rb-N --------------------------------------------------------------------------------

// A receivables position: Symbol, the sixteen amounts, Uwagi.
std::string receivable(const char* symbol, const std::vector<long long>& amounts, const std::string& uwagi) {
  static const char* const kElements[] = {"N",   "KO",  "KFP", "KG1", "KG2", "KG3", "KG4", "KBC",
                                          "KBK", "KIF", "KPN", "KGD", "KIN", "ZO",  "ZSE", "ZPZ"};
  Entries fields = {{"Symbol", symbol}};
  for (size_t k = 0; k < std::size(kElements); ++k) fields.push_back({kElements[k], amount(k < amounts.size() ? amounts[k] : 0)});
  fields.push_back({"Uwagi", uwagi});
  return positionText(fields);
}

// A surety position: Symbol, the seven amounts, Uwagi.
std::string surety(const char* symbol, const std::vector<long long>& amounts, const std::string& uwagi) {
  static const char* const kElements[] = {"O", "FP", "G1", "G2", "G3", "G4", "PP"};
  Entries fields = {{"Symbol", symbol}};
  for (size_t k = 0; k < std::size(kElements); ++k) fields.push_back({kElements[k], amount(k < amounts.size() ? amounts[k] : 0)});
  fields.push_back({"Uwagi", uwagi});
  return positionText(fields);
}

// Receivables and sureties of report 70 in the tables of `kind`, with decoys elsewhere.
void insertRbNRows(test::BodyFixture& m, catalogue::TRodzajEksportu kind) {
  m.exec(QStringLiteral(
             "INSERT INTO %1N21 (IDSPRAW, NAZWA, K_0, UWAGI) VALUES (70, 'N4.1 z tytułu dostaw towarów i usług', 41, 'bez kropki');\n"
             "INSERT INTO %1N21 (IDSPRAW, NAZWA, K_0, KO, KF, KR, KP, KS, KU, KC, KK, KI, KB, KG, KD, ZO, ZZ, ZF, UWAGI) "
             "VALUES (70, 'N1. Gotówka i depozyty', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 'a & <b>');\n"
             "INSERT INTO %1N21 (IDSPRAW, NAZWA, K_0) VALUES (70, 'N1.1', 11);\n"
             "INSERT INTO %1N21 (IDSPRAW, NAZWA, K_0) VALUES (70, 'N1. druga pozycja o tym symbolu', 999);\n"
             "INSERT INTO %1N21 (IDSPRAW, NAZWA, K_0) VALUES (70, ' N2. nazwa zaczęta odstępem', 2);\n"
             "INSERT INTO %1N21 (IDSPRAW, NAZWA) VALUES (70, 'N.5. Pozostałe należności');\n"
             "INSERT INTO %1N21 (IDSPRAW, NAZWA, K_0) VALUES (70, 'N5 pozycja spoza sprawozdania', 5);\n"
             "INSERT INTO %1N21 (IDSPRAW, NAZWA, K_0) VALUES (70, 'N3.3.', 33);\n"
             "INSERT INTO %1N21 (IDSPRAW, NAZWA, K_0) VALUES (70, NULL, 7);\n"
             "INSERT INTO %1N21 (IDSPRAW, NAZWA, K_0) VALUES (71, 'N2. inne sprawozdanie', 222);\n"
             "INSERT INTO %2N21 (IDSPRAW, NAZWA, K_0) VALUES (70, 'N2. tabela drugiego rodzaju jednostek', 333);\n"
             "INSERT INTO %1N21B (IDSPRAW, NAZWA, K_0, F, R, P, S, U, Z, UWAGI) "
             "VALUES (70, 'B2. Poręczenia udzielone przedsiębiorstwom', 20, 21, 22, 23, 24, 25, 26, '„MPK” sp. z o.o.');\n"
             "INSERT INTO %1N21B (IDSPRAW, NAZWA, K_0) VALUES (70, 'B1 Poręczenia udzielone jednostkom sektora', 10);\n"
             "INSERT INTO %1N21B (IDSPRAW, NAZWA, K_0) VALUES (70, 'B5. pozycja spoza sprawozdania', 50);\n"
             "INSERT INTO %2N21B (IDSPRAW, NAZWA, K_0) VALUES (70, 'B3. tabela drugiego rodzaju jednostek', 30);\n")
             .arg(readPrefix(kind), decoyPrefix(kind)));
}

// Found in symbol order: N1 (every column), N1.1 (a name that is only the symbol), N3.3 (the
// symbol with its dot, no description), N4.1 (no final dot), N.5 (all Null); B1 and B2.
std::string rbNExpected() {
  return reportText("Rb-N", 70,
                    list("Naleznosci", receivable("N1", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, "a &amp; &lt;b&gt;") +
                                           receivable("N1.1", {11}, "") + receivable("N3.3", {33}, "") +
                                           receivable("N4.1", {41}, "bez kropki") + receivable("N.5", {}, "")) +
                        list("PoreczeniaGwarancje", surety("B1", {10}, "") + surety("B2", {20, 21, 22, 23, 24, 25, 26}, "„MPK” sp. z o.o.")));
}

class RbN : public ::testing::TestWithParam<TablesCase> {};

TEST_P(RbN, PositionsAreFoundByTheFirstWordOfTheirNameAndWrittenInSymbolOrder) {
  const TablesCase& c = GetParam();
  test::BodyFixture m;
  insertRbNRows(m, c.kind);
  test::expectReport(m, "Rb-N", "N", c.kind, rbNExpected());
}

TEST_P(RbN, WithoutRowsBothListsAreEmpty) {
  const TablesCase& c = GetParam();
  test::BodyFixture m;
  m.exec(QStringLiteral("INSERT INTO %1N21 (IDSPRAW, NAZWA, K_0) VALUES (70, 'N1. Gotówka', 1);\n").arg(decoyPrefix(c.kind)));
  EXPECT_EQ(m.build(test::reportRow("Rb-N", "N", c.kind), c.kind), reportText("Rb-N", 70, list("Naleznosci", "") + list("PoreczeniaGwarancje", "")));
}

INSTANTIATE_TEST_SUITE_P(Tables, RbN, ::testing::ValuesIn(kTableSets), kCaseName);

// ---- Rb-Z --------------------------------------------------------------------------------

const char* const kTitleSymbols[] = {"E", "E1", "E1.1", "E1.2", "E2", "E2.1", "E2.2", "E3", "E4", "E4.1", "E4.2"};
const char* const kTitleStems[] = {"E", "E1", "E11", "E12", "E2", "E21", "E22", "E3", "E4", "E41", "E42"};
const char* const kTitleSuffixes[] = {"", "KO", "KF", "KR", "KP", "KS", "KU", "KC", "KK", "KI", "KB", "KG", "KD", "ZO", "ZZ", "ZF"};
const char* const kTitleElements[] = {"Z", "KO", "KFP", "KG1", "KG2", "KG3", "KG4", "KBC", "KBK", "KIF", "KPN", "KGD", "KIN", "ZO", "ZSE", "ZPZ"};
const char* const kSuretySymbols[] = {"F1", "F2", "F3"};
const char* const kSuretyStems[] = {"F2", "F8", "F12"};
const char* const kSuretySuffixes[] = {"", "F", "R", "P", "S", "U", "I"};
const char* const kSuretyElements[] = {"O", "FP", "G1", "G2", "G3", "G4", "PP"};

// The debt titles and sureties; with `filled`, amount k of title i is 100·(i+1)+k and amount
// k of surety j is 5000+10·j+k (the values the Z2 row of insertZ2 holds), otherwise all 0.
std::string titlesAndSureties(bool filled) {
  std::string titles, sureties;
  for (size_t i = 0; i < std::size(kTitleSymbols); ++i) {
    Entries fields = {{"Symbol", kTitleSymbols[i]}};
    for (size_t k = 0; k < std::size(kTitleElements); ++k)
      fields.push_back({kTitleElements[k], amount(filled ? 100 * static_cast<long long>(i + 1) + static_cast<long long>(k) : 0)});
    titles += positionText(fields);
  }
  for (size_t j = 0; j < std::size(kSuretySymbols); ++j) {
    Entries fields = {{"Symbol", kSuretySymbols[j]}};
    for (size_t k = 0; k < std::size(kSuretyElements); ++k)
      fields.push_back({kSuretyElements[k], amount(filled ? 5000 + 10 * static_cast<long long>(j) + static_cast<long long>(k) : 0)});
    sureties += positionText(fields);
  }
  return list("TytulyDluzne", titles) + list("PoreczeniaGwarancje", sureties);
}

void insertZ2(test::BodyFixture& m, const QString& prefix) {
  QStringList columns{QStringLiteral("IDSPRAW")};
  QStringList values{QStringLiteral("70")};
  for (size_t i = 0; i < std::size(kTitleStems); ++i) {
    for (size_t k = 0; k < std::size(kTitleSuffixes); ++k) {
      columns << QString::fromLatin1(kTitleStems[i]) + QString::fromLatin1(kTitleSuffixes[k]);
      values << QString::number(100 * (i + 1) + k);
    }
  }
  for (size_t j = 0; j < std::size(kSuretyStems); ++j) {
    for (size_t k = 0; k < std::size(kSuretySuffixes); ++k) {
      columns << QString::fromLatin1(kSuretyStems[j]) + QString::fromLatin1(kSuretySuffixes[k]);
      values << QString::number(5000 + 10 * j + k);
    }
  }
  m.exec(QStringLiteral("INSERT INTO %1Z2 (%2) VALUES (%3);\n").arg(prefix, columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", "))));
}

// Credits, supplementary data and short-term liabilities from the first z2KP row, whose
// columns KPB to KP_D2 hold 1 to 15 (or nothing).
std::string creditLists(bool filled) {
  auto a = [filled](long long v) { return amount(filled ? v : 0); };
  return list("KredytyPozyczki", positionText({{"Symbol", "1"}, {"BPO", a(1)}, {"BPD", a(2)}, {"IZO", a(3)}, {"IZD", a(4)}}) +
                                     positionText({{"Symbol", "2"}, {"IZO", a(5)}, {"IZD", a(6)}})) +
         list("DaneUzupelniajace", positionText({{"Symbol", "1"}, {"P", a(7)}, {"W", a(8)}}) + positionText({{"Symbol", "2"}, {"W", a(9)}}) +
                                       positionText({{"Symbol", "3"}, {"P", a(10)}, {"W", a(11)}}) +
                                       positionText({{"Symbol", "4"}, {"P", a(12)}, {"W", a(13)}})) +
         list("ZobowiazaniaKrotkoterminowe", positionText({{"Symbol", "A"}, {"O", a(14)}}) + positionText({{"Symbol", "B"}, {"O", a(15)}}));
}

// Every list of report 70 in the tables of `kind`, with decoys elsewhere.
void insertRbZRows(test::BodyFixture& m, catalogue::TRodzajEksportu kind) {
  const QString p = readPrefix(kind);
  insertZ2(m, p);
  // A second Z2 row and the twin tables are not read.
  m.exec(QStringLiteral("INSERT INTO %1Z2 (IDSPRAW, E) VALUES (70, 999);\n"
                        "INSERT INTO %2Z2 (IDSPRAW, E) VALUES (70, 888);\n"
                        "INSERT INTO %2z2KP (IDSPRAW, KPB, KPB2) VALUES (70, 888, 888);\n"
                        "INSERT INTO %2z2ZB (IDSPRAW, LP, ZBAN) VALUES (70, 8, 888);\n"
                        "INSERT INTO %2Z2JEDNOSTKI (IDSPRAW, LP, JBREGON) VALUES (70, 8, '888888888');\n")
             .arg(p, decoyPrefix(kind)));
  m.exec(QStringLiteral(
             "INSERT INTO %1z2KP (IDSPRAW, KPB, KPBD, KPI, KPID, KPI1, KPI1D, KP_C1, KP_C2, KP_C3, KP_C4, KP_C5, KP_C6, KP_C7, KP_D1, "
             "KP_D2, KPB2, KPB2D, KPI2) VALUES (70, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18);\n"
             "INSERT INTO %1z2KP (IDSPRAW, KPB2D) VALUES (70, -0.5);\n"
             "INSERT INTO %1z2KP (IDSPRAW, KPB, KPB2, KPB2D, KPI2) VALUES (70, 99, 0, 0, NULL);\n"
             // Agreements: amounts without dates, dates without amounts (left out), an
             // unnumbered one, and the zero date, which counts as no date.
             "INSERT INTO %1z2ZB (IDSPRAW, LP, ZBAN) VALUES (70, 1, 5);\n"
             "INSERT INTO %1z2ZB (IDSPRAW, LP, ZBAN, ZBAP, ZBAS, ZBAZ, ZBBN, ZBBP) VALUES (70, 2, 0, '2014-01-02', '2015-01-02', "
             "'2024-01-02', 0, '2014-01-02');\n"
             "INSERT INTO %1z2ZB (IDSPRAW, LP, ZBAN, ZBBN, ZBBP, ZBBS, ZBBZ) VALUES (70, NULL, NULL, 7.5, '2014-03-05', '2015-03-05', "
             "'2020-12-31');\n"
             "INSERT INTO %1z2ZB (IDSPRAW, LP, ZBAN, ZBAP, ZBAS, ZBAZ, ZBBN) VALUES (70, 4, -100, '2014-02-01', '1899-12-30', "
             "'2024-02-01', 100);\n"
             // Units: REGON and its local part padded to 14 characters, never cut.
             "INSERT INTO %1Z2JEDNOSTKI (IDSPRAW, LP, JBREGON, JBREGON_2, URZAD) VALUES (70, 1, '241158384', '', 'Szkoła & <Przedszkole>');\n"
             "INSERT INTO %1Z2JEDNOSTKI (IDSPRAW, LP, JBREGON, JBREGON_2, URZAD) VALUES (70, 2, '241316765', '01234', 'Urząd');\n"
             "INSERT INTO %1Z2JEDNOSTKI (IDSPRAW, LP, JBREGON, JBREGON_2, URZAD) VALUES (70, NULL, '24131676501234567', NULL, NULL);\n"
             "INSERT INTO %1Z2JEDNOSTKI (IDSPRAW, LP, JBREGON, JBREGON_2, URZAD) VALUES (70, 4, NULL, NULL, 'Żłobek → „Tęcza” 😀');\n")
             .arg(p));
}

std::string rbZExpected() {
  const std::string agreements =
      positionText({{"LP", "1"}, {"BWN", "5.00"}, {"IWN", "0.00"}}) +
      positionText({{"LP", "0"}, {"BWN", "0.00"}, {"IWN", "7.50"}, {"IDZ", "2014-03-05"}, {"IDP", "2015-03-05"}, {"IDK", "2020-12-31"}}) +
      positionText({{"LP", "4"}, {"BWN", "-100.00"}, {"BDZ", "2014-02-01"}, {"BDK", "2024-02-01"}, {"IWN", "100.00"}});
  const std::string interest = positionText({{"ZO", "16.00"}, {"ZN", "17.00"}, {"ZW", "18.00"}}) +
                               positionText({{"ZO", "0.00"}, {"ZN", "-0.50"}, {"ZW", "0.00"}});
  const std::string units = positionText({{"LP", "1"}, {"REGON", "241158384     "}, {"UWAGI", "Szkoła &amp; &lt;Przedszkole&gt;"}}) +
                            positionText({{"LP", "2"}, {"REGON", "24131676501234"}, {"UWAGI", "Urząd"}}) +
                            positionText({{"LP", ""}, {"REGON", "24131676501234567"}, {"UWAGI", ""}}) +
                            positionText({{"LP", "4"}, {"REGON", "              "}, {"UWAGI", "Żłobek → „Tęcza” 😀"}});
  return reportText("Rb-Z", 70,
                    titlesAndSureties(true) + creditLists(true) + list("ZawarteUmowy", agreements) + list("Odsetki", interest) +
                        list("Jednostki", units));
}

class RbZ : public ::testing::TestWithParam<TablesCase> {};

TEST_P(RbZ, EveryListFromItsRows) {
  const TablesCase& c = GetParam();
  test::BodyFixture m;
  insertRbZRows(m, c.kind);
  test::expectReport(m, "Rb-Z", "Z", c.kind, rbZExpected());
}

TEST_P(RbZ, WithoutItsZ2AndZ2kpRowsEveryFixedPositionIsThereWithZeros) {
  const TablesCase& c = GetParam();
  test::BodyFixture m;
  insertZ2(m, decoyPrefix(c.kind));
  EXPECT_EQ(m.build(test::reportRow("Rb-Z", "Z", c.kind), c.kind),
            reportText("Rb-Z", 70,
                       titlesAndSureties(false) + creditLists(false) + list("ZawarteUmowy", "") + list("Odsetki", "") +
                           list("Jednostki", "")));
}

INSTANTIATE_TEST_SUITE_P(Tables, RbZ, ::testing::ValuesIn(kTableSets), kCaseName);

TEST(Firebird, RbNAndRbZAreTheSameOnTheServer) {
  WERTALO_REQUIRE_FIREBIRD();
  test::FirebirdDatabase server;
  const db::ConnectionSettings settings = server.settings();
  test::BodyFixture m(&settings);
  insertRbNRows(m, catalogue::rJST);
  insertRbZRows(m, catalogue::rJB);
  EXPECT_EQ(m.build(test::reportRow("Rb-N", "N", catalogue::rJST), catalogue::rJST), rbNExpected());
  EXPECT_EQ(m.build(test::reportRow("Rb-Z", "Z", catalogue::rJB), catalogue::rJB), rbZExpected());
}

}  // namespace
}  // namespace wertalo::package
