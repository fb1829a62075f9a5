// One report for a host: its selection row (with the derived fields of its own plan row), the
// dispatch by symbol, the Rb-50 kind of task, the compact element, and the errors.
#include <gtest/gtest.h>

#include <optional>

#include "core/base/error.h"
#include "core/operations/single_report.h"
#include "core/package/registry.h"
#include "core/platform/user_interface.h"
#include "host_fixture.h"
#include "support/xml_check.h"

namespace wertalo::operations {
namespace {

using test::HostInstallation;
using test::insertReport;

const package::ReportRegistry& registry() { return package::ReportRegistry::instance(); }

// A plan row of the unit itself (idJb 0) or of a budget unit.
QString planRow(qint64 idJb, const char* rok, int podtyp, const char* val1, const char* dzial, const char* rozdzial) {
  return idJb == 0 ? QStringLiteral("INSERT INTO SPRAWPLAN (ID_JST, ROK, OKRES2, KWARTAL, PODTYP, VAL1, DZIAL, ROZDZIAL) "
                                    "VALUES (1, '%1', 0, 'K', %2, '%3', '%4', '%5');\n")
                         .arg(QLatin1String(rok))
                         .arg(podtyp)
                         .arg(QLatin1String(val1), QLatin1String(dzial), QLatin1String(rozdzial))
                   : QStringLiteral("INSERT INTO JBSPRAWPLAN (ID_JST, ROK, OKRES2, KWARTAL, PODTYP, VAL1, DZIAL, ROZDZIAL, ID_JB) "
                                    "VALUES (1, '%1', 0, 'K', %2, '%3', '%4', '%5', %6);\n")
                         .arg(QLatin1String(rok))
                         .arg(podtyp)
                         .arg(QLatin1String(val1), QLatin1String(dzial), QLatin1String(rozdzial))
                         .arg(idJb);
}

// The unit itself and a budget unit read the same way, from their own tables.
class SelectionRowOf : public ::testing::TestWithParam<qint64> {
 protected:
  qint64 idJb() const { return GetParam(); }
  bool bJST() const { return GetParam() == 0; }
  HostInstallation installation;
};

TEST_P(SelectionRowOf, ReportRowWithTheClassificationOfItsOwnPlanRow) {
  // Plan rows of the same sub-type for another year and (for budget units) another unit come
  // first; the report is labelled with its own.
  QString script = planRow(idJb(), "12", 5, "11", "700", "70001");
  if (idJb() != 0) script += planRow(idJb() + 1, "13", 5, "33", "900", "90001");
  script += planRow(idJb(), "13", 5, "22", "750", "75023");
  installation.exec(script);
  insertReport(installation.db(), {.idspraw = 101, .typspr = QStringLiteral("RB30"), .wersja = 2, .idJb = idJb(), .podtyp = 5, .czast = 3});

  const catalogue::SelectRow row = hostSelectionRow(installation.db(), registry(), 101, bJST());
  EXPECT_TRUE(row.SELEKCJA);
  EXPECT_EQ(row.IDSPRAW, 101);
  EXPECT_EQ(row.ROK, QStringLiteral("13"));
  EXPECT_EQ(row.TYPSPR, QStringLiteral("RB30"));
  EXPECT_EQ(row.Data, QDate(2013, 12, 20));
  EXPECT_EQ(row.Wersja, 2);
  EXPECT_EQ(row.CZAST, 3);
  EXPECT_EQ(row.PODTYP, 5);
  EXPECT_EQ(row.sTypSprBestia, QStringLiteral("Rb-30s"));
  EXPECT_EQ(row.sCzesc, QStringLiteral("22"));
  EXPECT_EQ(row.sDzial, QStringLiteral("750"));
  EXPECT_EQ(row.sRozdzial, QStringLiteral("75023"));
}

TEST_P(SelectionRowOf, WithoutPlanRowTheLabelsStayEmpty) {
  insertReport(installation.db(), {.idspraw = 102, .typspr = QStringLiteral("D"), .idJb = idJb(), .podtyp = 8});
  const catalogue::SelectRow row = hostSelectionRow(installation.db(), registry(), 102, bJST());
  EXPECT_EQ(row.sTypSprBestia, QStringLiteral("Rb-27s"));
  EXPECT_EQ(row.sCzesc, QString());
  EXPECT_EQ(row.sDzial, QString());
  EXPECT_EQ(row.sRozdzial, QString());
}

TEST_P(SelectionRowOf, ReportOfTheOtherTablesIsUnknown) {
  // A report is looked for only in the tables of the unit kind asked for.
  insertReport(installation.db(), {.idspraw = 103, .typspr = QStringLiteral("D"), .idJb = idJb() == 0 ? 7 : 0});
  const catalogue::SelectRow row = hostSelectionRow(installation.db(), registry(), 103, bJST());
  EXPECT_EQ(row.IDSPRAW, 0);
  EXPECT_EQ(row.TYPSPR, QString());
  EXPECT_EQ(row.sTypSprBestia, QString());
}

INSTANTIATE_TEST_SUITE_P(UnitAndBudgetUnit, SelectionRowOf, ::testing::Values(0, 7));

TEST(HostSymbol, Rb34IsAlwaysRb34s) {
  // The selection makes an RB34 report "Rb-34" unless its plan row's VAL1 is "0"; a host call
  // always "Rb-34s".
  HostInstallation installation;
  installation.exec(planRow(0, "13", 4, "3", "750", "75023"));
  insertReport(installation.db(), {.idspraw = 104, .typspr = QStringLiteral("RB34"), .podtyp = 4});
  EXPECT_EQ(hostSelectionRow(installation.db(), registry(), 104, true).sTypSprBestia, QStringLiteral("Rb-34s"));
}

// An Rb-50 report of the unit with two grant rows, one of municipal and one of county tasks.
class Rb50ForHost : public ::testing::Test {
 protected:
  void SetUp() override {
    installation.exec(planRow(0, "13", 6, "85", "852", "85212") +
                      QStringLiteral("INSERT INTO RB50 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES "
                                     "(200, 'W', 'G', '852', '85212', '201', '0', 100, 50, 'gminne');\n"
                                     "INSERT INTO RB50 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES "
                                     "(200, 'W', 'P', '853', '85321', '211', '0', 200, 150.5, 'powiatowe');\n"));
    insertReport(installation.db(), {.idspraw = 200, .typspr = QStringLiteral("RB50"), .podtyp = 6});
  }

  SingleReport run(const QString& typ) {
    SingleReportRequest request;
    request.idspraw = 200;
    request.typ = typ;
    request.winIni = installation.winIni();
    return exportSingleReport(request, ui);
  }

  HostInstallation installation;
  platform::RecordingUserInterface ui;
};

const char kGminneRow[] =
    "<Pozycja><Dzial>852</Dzial><Rozdzial>85212</Rozdzial><Paragraf>201</Paragraf><P4>0</P4><P>100.00</P><W>50.00</W>"
    "<Uwagi>gminne</Uwagi></Pozycja>";
const char kPowiatoweRow[] =
    "<Pozycja><Dzial>853</Dzial><Rozdzial>85321</Rozdzial><Paragraf>211</Paragraf><P4>0</P4><P>200.00</P><W>150.50</W>"
    "<Uwagi>powiatowe</Uwagi></Pozycja>";

TEST_F(Rb50ForHost, CityWithCountyRightsGetsTheCountyTasks) {
  const SingleReport report = run(QStringLiteral("W"));
  EXPECT_EQ(report.symbol, QStringLiteral("Rb-50W"));
  EXPECT_EQ(report.anchor, QStringLiteral("#Rb-50W200"));
  EXPECT_EQ(report.xml.toStdString(),
            std::string("<Rb-50W Id=\"Rb-50W200\"><Naglowek><Wersja>0</Wersja><DataSprawozdania>2013-12-20</DataSprawozdania>"
                        "<DysponentDotacji>85</DysponentDotacji><RodzajZadania>Powiatowa</RodzajZadania></Naglowek><Pozycje>") +
                kPowiatoweRow + "</Pozycje><WydatkiA/><WydatkiB/></Rb-50W>");
  EXPECT_TRUE(test::isWellFormedXml(report.xml.toUtf8()));
}

TEST_F(Rb50ForHost, OtherUnitGetsEveryRowWithoutKindOfTask) {
  installation.exec(QStringLiteral("UPDATE S_JstWyk SET TYPJST='G';"));
  const SingleReport report = run(QStringLiteral("W"));
  EXPECT_EQ(report.xml.toStdString(),
            std::string("<Rb-50W Id=\"Rb-50W200\"><Naglowek><Wersja>0</Wersja><DataSprawozdania>2013-12-20</DataSprawozdania>"
                        "<DysponentDotacji>85</DysponentDotacji></Naglowek><Pozycje>") +
                kGminneRow + kPowiatoweRow + "</Pozycje><WydatkiA/><WydatkiB/></Rb-50W>");
  EXPECT_TRUE(test::isWellFormedXml(report.xml.toUtf8()));
}

TEST_F(Rb50ForHost, WithoutItsPartNothingIsBuilt) {
  for (const char* typ : {"", "X", "d"}) {
    const SingleReport report = run(QString::fromLatin1(typ));
    EXPECT_EQ(report.symbol, QStringLiteral("Rb-50") + QString::fromLatin1(typ));
    EXPECT_TRUE(report.xml.isEmpty()) << typ;
    EXPECT_TRUE(report.anchor.isEmpty()) << typ;
  }
}

TEST(SingleReport, PartNumberIsWrittenInTheHeader) {
  // The host's selection table is open: a report split into parts writes its part number.
  HostInstallation installation;
  insertReport(installation.db(), {.idspraw = 57, .typspr = QStringLiteral("D"), .wersja = 1, .czast = 2});
  installation.exec(QStringLiteral("INSERT INTO D2 (IDSPRAW, DZIAL, ROZDZIAL, PAR, Par4, R1) VALUES (57, '756', '75615', '031', '0', 100);"));
  platform::RecordingUserInterface ui;
  SingleReportRequest request;
  request.idspraw = 57;
  request.winIni = installation.winIni();
  const SingleReport report = exportSingleReport(request, ui);
  EXPECT_EQ(report.anchor, QStringLiteral("#Rb-27s57"));
  EXPECT_TRUE(report.xml.startsWith(QStringLiteral(
      "<Rb-27s Id=\"Rb-27s57\"><Naglowek><Wersja>1</Wersja><DataSprawozdania>2013-12-20</DataSprawozdania>"
      "<CZAST>2</CZAST></Naglowek><Pozycje><Pozycja><Dzial>756</Dzial>")))
      << report.xml.toStdString();
  EXPECT_TRUE(test::isWellFormedXml(report.xml.toUtf8()));
}

// The error a request raises, or none.
std::optional<Error> errorOf(const SingleReportRequest& request) {
  platform::RecordingUserInterface ui;
  try {
    exportSingleReport(request, ui);
  } catch (const Error& e) {
    return e;
  }
  return std::nullopt;
}

TEST(SingleReport, ErrorsOfInstallationAndDatabase) {
  HostInstallation installation;
  SingleReportRequest request;
  request.idspraw = 57;
  request.winIni = installation.winIni() + QStringLiteral(".none");
  std::optional<Error> error = errorOf(request);
  ASSERT_TRUE(error.has_value()) << "no installation, no error";
  EXPECT_EQ(error->kind(), ErrorKind::Installation);

  request.winIni = installation.winIniWithoutDatabase();
  error = errorOf(request);
  ASSERT_TRUE(error.has_value()) << "no database, no error";
  EXPECT_EQ(error->kind(), ErrorKind::Database);
  EXPECT_TRUE(error->message().contains(QStringLiteral("dane.sqlite"))) << error->message().toStdString();

  // A table the product's database lacks.
  installation.exec(QStringLiteral("DROP TABLE SPRAWPLAN;"));
  request.winIni = installation.winIni();
  error = errorOf(request);
  ASSERT_TRUE(error.has_value()) << "no plan table, no error";
  EXPECT_EQ(error->kind(), ErrorKind::Database);
  EXPECT_TRUE(error->message().contains(QStringLiteral("SPRAWPLAN"), Qt::CaseInsensitive)) << error->message().toStdString();
}

}  // namespace
}  // namespace wertalo::operations
