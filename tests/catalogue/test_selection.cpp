// The selection table: what is offered, with which symbol and label, and the run preparation.
#include <gtest/gtest.h>

#include <stdexcept>

#include "core/base/error.h"
#include "fixture.h"

namespace wertalo::catalogue {
namespace {

using test::ReportSpec;

QStringList offered(const TdtmWertaloMain& dtm) {
  QStringList out;
  for (int i = 0; i < dtm.memSelectSpraw().recordCount(); ++i) {
    const SelectRow& r = dtm.memSelectSpraw().at(i);
    out << QStringLiteral("%1:%2").arg(r.IDSPRAW).arg(r.sTypSprBestia);
  }
  return out;
}

struct ExportableCase {
  const char* name;
  TRodzajEksportu kind;
  TTypEksportu exportKind;
  QStringList expected;
};

class ExportableTypes : public ::testing::TestWithParam<ExportableCase> {};

TEST_P(ExportableTypes, OfferedByUnitKindAndExportKind) {
  const ExportableCase& c = GetParam();
  test::Module m;
  test::insertBaseRows(m.dtm.DB());
  const char* const types[] = {"D", "F", "P", "BILB", "BILQ", "Q"};
  qint64 id = 10;
  for (const char* t : types) {
    // Balance sheets are kept for the whole year (quarter 4), reports for the month.
    const QString okres = QString::fromLatin1(t).startsWith(QLatin1String("BIL")) ? QStringLiteral("4") : QStringLiteral("K");
    test::insertReport(m.dtm.DB(), {.idspraw = id, .typspr = QString::fromLatin1(t), .datazak = QStringLiteral("2014-01-20"), .okres = okres});
    test::insertReport(m.dtm.DB(), {.idspraw = id + 100, .typspr = QString::fromLatin1(t), .datazak = QStringLiteral("2014-01-20"), .okres = okres, .idJb = 7});
    ++id;
  }
  m.start();
  m.dtm.setRodzajEksportu(c.kind);
  m.unit([&](catalogue::MemMain& u) { u.ID_JB = 7; });
  m.dtm.UstawTypEksporu(c.exportKind);
  m.dtm.SprawozdDoMemo(QString());
  EXPECT_EQ(offered(m.dtm), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportableTypes,
    ::testing::Values(
        ExportableCase{"UnitReports", rJST, teSprawozdania,
                       {QStringLiteral("10:Rb-27s"), QStringLiteral("11:Rb-NDS"), QStringLiteral("12:Rb-PDP")}},
        ExportableCase{"BudgetUnitReports", rJB, teSprawozdania, {QStringLiteral("110:Rb-27s")}},
        ExportableCase{"UnitBalanceSheets", rJST, teBilanse, {QStringLiteral("13:B-Wyk"), QStringLiteral("14:")}},
        ExportableCase{"BudgetUnitBalanceSheets", rJB, teBilanse, {QStringLiteral("113:B-Wyk"), QStringLiteral("114:")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Selection, VersionMinusOneIsNeverOfferedAndOpenReportsOnlyWhenAllowed) {
  test::Module m;
  test::insertBaseRows(m.dtm.DB());
  test::insertReport(m.dtm.DB(), {.idspraw = 1, .typspr = QStringLiteral("D"), .wersja = -1, .datazak = QStringLiteral("2014-01-20")});
  test::insertReport(m.dtm.DB(), {.idspraw = 2, .typspr = QStringLiteral("W"), .wersja = 0});
  test::insertReport(m.dtm.DB(), {.idspraw = 3, .typspr = QStringLiteral("N"), .wersja = 2, .datazak = QStringLiteral("2014-01-20")});
  test::insertReport(m.dtm.DB(), {.idspraw = 4, .typspr = QStringLiteral("Z"), .wersja = 0, .datazak = QStringLiteral("1999-01-01")});
  m.start();
  m.dtm.SprawozdDoMemo(QString());
  EXPECT_EQ(offered(m.dtm), (QStringList{QStringLiteral("3:Rb-N"), QStringLiteral("2:Rb-28s"), QStringLiteral("4:Rb-Z")}));
  const SelectRow& n = m.dtm.memSelectSpraw().at(0);
  EXPECT_EQ(n.WersjaSlownie, QStringLiteral("Korekta 2"));
  EXPECT_EQ(n.sStatus, QStringLiteral("Zatwierdzone"));
  EXPECT_EQ(n.sNazwa, QStringLiteral("Rb-N"));
  EXPECT_EQ(n.Uwagi, QStringLiteral("uwagi 3"));
  EXPECT_EQ(m.dtm.memSelectSpraw().at(1).sStatus, QStringLiteral("Otwarte"));
  EXPECT_EQ(m.dtm.memSelectSpraw().at(2).sStatus, QStringLiteral("Otwarte"));  // not later than 1 January 1999

  m.options([&](catalogue::RunOptions& o) { o.bEksportZatw = true; });
  m.dtm.SprawozdDoMemo(QString());
  EXPECT_EQ(offered(m.dtm), QStringList{QStringLiteral("3:Rb-N")});
}

TEST(Selection, AClosingDateThatIsNoDateApprovesNothing) {
  test::Module m;
  test::insertBaseRows(m.dtm.DB());
  test::insertReport(m.dtm.DB(), {.idspraw = 1, .typspr = QStringLiteral("D"), .datazak = QStringLiteral("jutro")});
  test::insertReport(m.dtm.DB(), {.idspraw = 2, .typspr = QStringLiteral("W"), .datazak = QStringLiteral("2014-01-20")});
  m.start();
  m.dtm.SprawozdDoMemo(QString());
  ASSERT_EQ(m.dtm.memSelectSpraw().recordCount(), 2);
  EXPECT_EQ(m.dtm.memSelectSpraw().at(0).sStatus, QStringLiteral("Otwarte"));
  m.options([&](catalogue::RunOptions& o) { o.bEksportZatw = true; });
  m.dtm.SprawozdDoMemo(QString());
  EXPECT_EQ(offered(m.dtm), QStringList{QStringLiteral("2:Rb-28s")});
}

TEST(Selection, SignatureFlagComesFromTheElectronicFormTable) {
  test::Module m;
  test::insertBaseRows(m.dtm.DB());
  test::insertReport(m.dtm.DB(), {.idspraw = 5, .typspr = QStringLiteral("D"), .datazak = QStringLiteral("2014-01-20"), .signedXml = true});
  test::insertReport(m.dtm.DB(), {.idspraw = 6, .typspr = QStringLiteral("W"), .datazak = QStringLiteral("2014-01-20")});
  test::exec(m.dtm.DB(), QStringLiteral("INSERT INTO SPRAWOZDXML (IDSPRAW, czy_epodpisane) VALUES (6, 2);"));
  m.start();
  m.dtm.SprawozdDoMemo(QString());
  ASSERT_EQ(m.dtm.memSelectSpraw().recordCount(), 2);
  EXPECT_TRUE(m.dtm.memSelectSpraw().at(0).podpisane);
  EXPECT_FALSE(m.dtm.memSelectSpraw().at(1).podpisane);
}

TEST(Selection, Rb34TakesThePartNumberOfTheSettingsAndBecomesRb34sForPartZero) {
  test::Module m;
  test::insertBaseRows(m.dtm.DB());
  test::insertReport(m.dtm.DB(), {.idspraw = 1, .typspr = QStringLiteral("RB34"), .datazak = QStringLiteral("2014-01-20"), .podtyp = 1});
  test::insertReport(m.dtm.DB(), {.idspraw = 2, .typspr = QStringLiteral("RB34"), .datazak = QStringLiteral("2014-01-20"), .podtyp = 2});
  test::exec(m.dtm.DB(), QStringLiteral(
      "INSERT INTO SPRAWPLAN (ID_JST, ROK, OKRES2, KWARTAL, PODTYP, VAL1, DZIAL, ROZDZIAL) VALUES (1, '13', 0, 'K', 1, '0', '801', '80101');\n"
      "INSERT INTO SPRAWPLAN (ID_JST, ROK, OKRES2, KWARTAL, PODTYP, VAL1, DZIAL, ROZDZIAL) VALUES (1, '13', 0, 'K', 2, '758', '801', '80104');\n"));
  m.options([&](catalogue::RunOptions& o) { o.edtSpecSymbl = QStringLiteral("501"); });
  m.start();
  m.dtm.SprawozdDoMemo(QString());
  ASSERT_EQ(m.dtm.memSelectSpraw().recordCount(), 2);
  EXPECT_EQ(m.dtm.memSelectSpraw().at(0).sTypSprBestia, QStringLiteral("Rb-34s"));
  EXPECT_EQ(m.dtm.memSelectSpraw().at(0).sNazwaCzesc, QStringLiteral("S-501 D-801 R-80101"));
  EXPECT_EQ(m.dtm.memSelectSpraw().at(1).sTypSprBestia, QStringLiteral("Rb-34"));
  EXPECT_EQ(m.dtm.memSelectSpraw().at(1).sCzesc, QStringLiteral("501"));
  EXPECT_EQ(m.dtm.memSelectSpraw().at(1).sNazwaCzesc, QStringLiteral("S-501 D-801 R-80104"));
}

TEST(Selection, ClassificationLabelNeverCarriesTextOfTheRowBefore) {
  test::Module m;
  test::insertBaseRows(m.dtm.DB());
  test::insertReport(m.dtm.DB(), {.idspraw = 1, .typspr = QStringLiteral("D"), .datazak = QStringLiteral("2014-01-20"), .podtyp = 1});
  test::insertReport(m.dtm.DB(), {.idspraw = 2, .typspr = QStringLiteral("N"), .datazak = QStringLiteral("2014-01-20"), .podtyp = 9});
  test::insertReport(m.dtm.DB(), {.idspraw = 3, .typspr = QStringLiteral("W"), .datazak = QStringLiteral("2014-01-20"), .podtyp = 3});
  test::exec(m.dtm.DB(), QStringLiteral(
      "INSERT INTO SPRAWPLAN (ID_JST, ROK, OKRES2, KWARTAL, PODTYP, VAL1, DZIAL, ROZDZIAL) VALUES (1, '13', 0, 'K', 1, '750', '801', '80101');\n"
      "INSERT INTO SPRAWPLAN (ID_JST, ROK, OKRES2, KWARTAL, PODTYP, VAL1, DZIAL, ROZDZIAL) VALUES (1, '13', 0, 'K', 3, '', '852', '85219');\n"));
  m.start();
  m.dtm.SprawozdDoMemo(QString());
  QStringList labels;
  for (int i = 0; i < m.dtm.memSelectSpraw().recordCount(); ++i) labels << m.dtm.memSelectSpraw().at(i).sNazwaCzesc;
  // Order of the report query: by type code.
  EXPECT_EQ(labels, (QStringList{QStringLiteral("S-750 D-801 R-80101"), QString(), QStringLiteral(" D-852 R-85219")}));
}

TEST(Selection, ChosenBudgetUnitsLimitTheBudgetUnitQueries) {
  test::Module m;
  test::insertBaseRows(m.dtm.DB());
  for (qint64 jb : {7, 9, 11}) {
    test::insertReport(m.dtm.DB(), {.idspraw = 100 + jb, .typspr = QStringLiteral("D"), .datazak = QStringLiteral("2014-01-20"), .idJb = jb, .podtyp = 1});
    test::exec(m.dtm.DB(), QStringLiteral("INSERT INTO JBSprawPlan (ID_JST, ROK, OKRES2, KWARTAL, PODTYP, VAL1, DZIAL, ROZDZIAL, ID_JB) "
                                        "VALUES (1, '13', 0, 'K', 1, '%1', '801', '80101', %1);").arg(jb));
  }
  m.start();
  m.dtm.setRodzajEksportu(rJB);
  m.dtm.SprawozdDoMemo(QStringLiteral("7,"));
  EXPECT_EQ(offered(m.dtm), QStringList{QStringLiteral("107:Rb-27s")});
  m.dtm.SprawozdDoMemo(QStringLiteral("7,9,"));
  EXPECT_EQ(offered(m.dtm), (QStringList{QStringLiteral("107:Rb-27s"), QStringLiteral("109:Rb-27s")}));
  // Each budget unit's report is labelled from its own plan row.
  EXPECT_EQ(m.dtm.memSelectSpraw().at(1).sNazwaCzesc, QStringLiteral("S-9 D-801 R-80101"));
  EXPECT_EQ(m.dtm.memSelectSpraw().at(1).ID_JB, 9);
  EXPECT_EQ(m.dtm.memSelectSpraw().at(1).cData, QDate(2013, 12, 20));
  m.unit([&](catalogue::MemMain& u) { u.ID_JB = 11; });
  m.dtm.SprawozdDoMemo(QString());
  EXPECT_EQ(offered(m.dtm), QStringList{QStringLiteral("111:Rb-27s")});
  EXPECT_THROW(m.dtm.SprawozdDoMemo(QStringLiteral("7) or (1=1")), Error);
}

TEST(Selection, BudgetUnitReportNameCarriesTheUnitName) {
  test::Module m;
  test::insertBaseRows(m.dtm.DB());
  test::exec(m.dtm.DB(), QStringLiteral(
      "INSERT INTO JBOBS (ID_JST, ID_JB, NAZWA, ROK, OKRES, OKRES2) VALUES (1, 7, 'Szkoła Podstawowa nr 1', '13', 'K', 0);"));
  test::insertReport(m.dtm.DB(), {.idspraw = 70, .typspr = QStringLiteral("D"), .datazak = QStringLiteral("2014-01-20"), .idJb = 7});
  m.start();
  m.dtm.setRodzajEksportu(rJB);
  m.dtm.SprawozdDoMemo(QStringLiteral("7,"));
  ASSERT_EQ(m.dtm.memSelectSpraw().recordCount(), 1);
  EXPECT_EQ(m.dtm.memSelectSpraw().at(0).sNazwa, QStringLiteral("Rb-27S Szkoła Podstawowa nr 1"));
}

TEST(Selection, ReportIdentifierListFillsFromBudgetUnitReports) {
  test::Module m;
  test::insertBaseRows(m.dtm.DB());
  test::insertReport(m.dtm.DB(), {.idspraw = 70, .typspr = QStringLiteral("D"), .datazak = QStringLiteral("2014-01-20"), .idJb = 7});
  test::insertReport(m.dtm.DB(), {.idspraw = 71, .typspr = QStringLiteral("W"), .datazak = QStringLiteral("2014-01-20"), .idJb = 7});
  test::insertReport(m.dtm.DB(), {.idspraw = 90, .typspr = QStringLiteral("N"), .datazak = QStringLiteral("2014-01-20"), .idJb = 9});
  m.start();
  m.dtm.setRodzajEksportu(rJB);
  m.dtm.memSelectSpraw().clear();
  m.dtm.SprawidDoMemo(QStringLiteral("71,90,"), QStringLiteral("7,9,"));
  EXPECT_EQ(offered(m.dtm), (QStringList{QStringLiteral("90:Rb-N"), QStringLiteral("71:Rb-28s")}));
  EXPECT_EQ(m.dtm.memSelectSpraw().position(), 0);
  EXPECT_EQ(m.dtm.memSelectSpraw().at(1).sStatus, QStringLiteral("Zatwierdzone"));
  EXPECT_THROW(m.dtm.SprawidDoMemo(QStringLiteral("71;drop table X,"), QStringLiteral("7,9,")), Error);
  // Without chosen budget units the plan statement would have an empty list: refused before
  // any statement line changes.
  const QStringList lines = m.dtm.queries().qrJBSprawAkt.query.lines();
  EXPECT_THROW(m.dtm.SprawidDoMemo(QStringLiteral("71,"), QString()), Error);
  EXPECT_EQ(m.dtm.queries().qrJBSprawAkt.query.lines(), lines);
}

struct PrepareCase {
  const char* opZam;
  const char* wybrane;
  TTypOkresu kind;
  const char* okres;
  const char* line2;
  const char* line5;
};

class PrepareRun : public ::testing::TestWithParam<PrepareCase> {};

TEST_P(PrepareRun, SetsThePeriodOfTheWriterAndTheBudgetUnitQueries) {
  const PrepareCase& c = GetParam();
  test::Module m;
  test::insertBaseRows(m.dtm.DB());
  m.start(QStringLiteral("13"), QString::fromLatin1(c.opZam));
  const WriterPeriod period = m.dtm.PrzygotujDane(QString::fromLatin1(c.wybrane));
  EXPECT_EQ(period.sRok, QStringLiteral("2013"));
  EXPECT_EQ(period.TypOkresu, c.kind);
  EXPECT_EQ(period.sOkres, QString::fromLatin1(c.okres));
  EXPECT_EQ(m.dtm.queries().qrJBObsAkt.query.lines().at(2), QString::fromLatin1(c.line2));
  EXPECT_EQ(m.dtm.queries().qrJBSprawPlan.query.lines().at(5), QString::fromLatin1(c.line5));
  EXPECT_TRUE(m.dtm.queries().qrJBObsAkt.active);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrepareRun,
    ::testing::Values(PrepareCase{"4100", "", toMiesiac, "11", "         (ID_JB=:ID_JB) AND", "         (ID_JB=:ID_JB) "},
                      PrepareCase{"2000", "7,", toKwartal, "2", "(ID_JB in(7)) AND", "(ID_JB in(7)) "},
                      PrepareCase{"4050", "7,9,", toMiesiac, "12", "(ID_JB in(7,9)) AND", "(ID_JB in(7,9)) "}));

TEST(Selection, SymbolFromName) {
  const struct {
    const char* name;
    const char* symbol;
  } cases[] = {{"1. Grunty", "1."}, {"ABCD", "ABC"}, {"", ""}, {"A", ""}, {"II. Należności", "II."}, {" A", ""}};
  for (const auto& c : cases) EXPECT_EQ(SymbolZNazwy(QString::fromUtf8(c.name)), QString::fromUtf8(c.symbol)) << c.name;
}

TEST(Selection, TypeCodesAreComparedExactly) {
  test::Module m;
  EXPECT_EQ(m.dtm.symbolForType(QStringLiteral("BILJ")), QStringLiteral("B-Jed"));
  EXPECT_EQ(m.dtm.symbolForType(QStringLiteral("d")), QString());
  EXPECT_EQ(m.dtm.symbolForType(QStringLiteral("D ")), QString());
  EXPECT_EQ(m.dtm.symbolForType(QStringLiteral("X")), QString());
}

}  // namespace
}  // namespace wertalo::catalogue
