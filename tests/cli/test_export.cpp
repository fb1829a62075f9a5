// `wertalo-cli export` on the demo installation: files as the wizard writes them, each one
// well-formed for every reader, the same on the local database and on the Firebird server.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMultiMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#include "cli_run.h"
#include "core/demo/demo_installation.h"
#include "support/databases.h"
#include "support/xml_check.h"

namespace wertalo {
namespace {

using test::CliResult;
using test::runWertaloCli;

// The XML files in a folder, by name, with their bytes.
std::map<QString, QByteArray> xmlFiles(const QString& folder) {
  std::map<QString, QByteArray> files;
  QDirIterator it(folder, {QStringLiteral("*.xml")}, QDir::Files);
  while (it.hasNext()) {
    QFile f(it.next());
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    files[QFileInfo(f).fileName()] = f.readAll();
  }
  return files;
}

// Every file is well-formed for Qt's reader and for xmllint.
void expectWellFormed(const QString& folder, const std::map<QString, QByteArray>& files) {
  for (const auto& [name, bytes] : files) {
    EXPECT_TRUE(test::isWellFormedXml(bytes)) << name.toStdString();
    QProcess lint;
    lint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), folder + QLatin1Char('/') + name});
    lint.waitForFinished(30000);
    EXPECT_EQ(lint.exitCode(), 0) << name.toStdString() << ": " << lint.readAllStandardError().toStdString();
  }
}

int count(const QByteArray& bytes, const char* text) { return static_cast<int>(bytes.count(text)); }

// The report elements in a file: each has its header, or stands in for a kept one.
int reportElements(const QByteArray& bytes) { return count(bytes, "<Naglowek>") + count(bytes, "<WYEKSPORTOWANY_XML/>"); }

// A file of one report holds its element; an Rb-50 file its D and W parts, each once per kind
// of task (twice, municipal and county, when built fresh for the demo's city with county rights).
void expectOneReport(const QString& name, const QByteArray& bytes) {
  if (!name.startsWith(QStringLiteral("Rb-50_"))) {
    EXPECT_EQ(reportElements(bytes), 1) << name.toStdString();
    return;
  }
  const int d = count(bytes, "<Rb-50D ");
  EXPECT_GE(d, 1) << name.toStdString();
  EXPECT_EQ(count(bytes, "<Rb-50W "), d) << name.toStdString();
  EXPECT_EQ(reportElements(bytes), 2 * d) << name.toStdString();
}

// The file of the export whose name starts with the symbol and "_".
QByteArray fileOf(const std::map<QString, QByteArray>& files, const char* symbol) {
  for (const auto& [name, bytes] : files)
    if (name.startsWith(QString::fromLatin1(symbol) + QLatin1Char('_'))) return bytes;
  ADD_FAILURE() << "no file of " << symbol;
  return QByteArray();
}

class DemoExport : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    install = demo::createDemoInstallation({dir.filePath(QStringLiteral("demo")), 3});
  }
  QString out(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  CliResult exportTo(const char* folder, QStringList extra) {
    return runWertaloCli(dir.filePath(QStringLiteral("config")),
                  QStringList{QStringLiteral("export"), QStringLiteral("--win-ini"), install.winIni, QStringLiteral("--out"), out(folder)} +
                      extra);
  }

  QTemporaryDir dir;
  demo::DemoInstallation install;
};

TEST_F(DemoExport, OneWellFormedFilePerReportOfTheCity) {
  const CliResult r = exportTo("miasto", {});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const auto files = xmlFiles(out("miasto"));
  ASSERT_GE(files.size(), 4u);
  expectWellFormed(out("miasto"), files);
  for (const auto& [name, bytes] : files) {
    // Each file lists the file's report in the completion text and holds that one report.
    EXPECT_TRUE(r.out.contains(out("miasto") + QLatin1Char('/') + name)) << name.toStdString();
    EXPECT_EQ(count(bytes, "<Jednostka>"), 1) << name.toStdString();
    expectOneReport(name, bytes);
  }
  EXPECT_TRUE(r.out.startsWith(QStringLiteral("EKSPORT ZAKOŃCZONO POMYŚLNIE\n")));
}

TEST_F(DemoExport, BudgetUnitsAndTheSingleFilePackage) {
  const CliResult units = exportTo("jednostki", {QStringLiteral("--jb"), QStringLiteral("1,2,3")});
  ASSERT_EQ(units.exitCode, 0) << units.err.toStdString();
  const auto files = xmlFiles(out("jednostki"));
  ASSERT_FALSE(files.empty());
  expectWellFormed(out("jednostki"), files);
  int elements = 0;
  for (const auto& [name, bytes] : files) {
    expectOneReport(name, bytes);
    elements += reportElements(bytes);
  }

  const QString single = out("jeden/Sprawozdania.xml");
  QDir().mkpath(out("jeden"));
  const CliResult one = exportTo("jeden", {QStringLiteral("--jb"), QStringLiteral("1,2,3"), QStringLiteral("--single-file"), single});
  ASSERT_EQ(one.exitCode, 0) << one.err.toStdString();
  const auto package = xmlFiles(out("jeden"));
  ASSERT_EQ(package.size(), 1u);
  expectWellFormed(out("jeden"), package);
  const QByteArray& bytes = package.begin()->second;
  EXPECT_EQ(count(bytes, "<PaczkaSprawozdan Wersja=\"0.3\">"), 1);
  // Each budget unit is one Jednostka, holding the reports the per-report run wrote.
  EXPECT_LE(count(bytes, "<Jednostka>"), 3);
  EXPECT_EQ(reportElements(bytes), elements);
}

TEST_F(DemoExport, ReportsOfABudgetUnitOfACityWithCountyRights) {
  // The year-end statements of the latest period are still open, so every status is taken.
  const CliResult r = exportTo("urzad", {QStringLiteral("--jb"), QStringLiteral("1"), QStringLiteral("--all-statuses")});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const auto files = xmlFiles(out("urzad"));
  expectWellFormed(out("urzad"), files);
  // Rb-50 takes the kinds of task of the city's own type: municipal and county, each part twice.
  const QByteArray rb50 = fileOf(files, "Rb-50");
  EXPECT_EQ(count(rb50, "<RodzajZadania>Gminna</RodzajZadania>"), 2);
  EXPECT_EQ(count(rb50, "<RodzajZadania>Powiatowa</RodzajZadania>"), 2);
  // The demo's statements hold every listed position, each found by its name.
  EXPECT_EQ(count(fileOf(files, "F-Zzf"), "<Pozycja>"), 28);
  EXPECT_EQ(count(fileOf(files, "F-Rzs"), "<Pozycja>"), 42);
  EXPECT_EQ(count(fileOf(files, "Rb-ZN"), "<Pozycja>"), 17);
  EXPECT_GE(count(fileOf(files, "Rb-WS"), "<Pozycja>"), 1);
}

TEST_F(DemoExport, BalanceSheetsOfTheCityAndOfBudgetUnits) {
  const CliResult city = exportTo("bilanse", {QStringLiteral("--kind"), QStringLiteral("balances"), QStringLiteral("--all-statuses")});
  ASSERT_EQ(city.exitCode, 0) << city.err.toStdString();
  const CliResult units = exportTo("bilanse", {QStringLiteral("--kind"), QStringLiteral("balances"), QStringLiteral("--jb"), QStringLiteral("1,2,3")});
  ASSERT_EQ(units.exitCode, 0) << units.err.toStdString();
  const auto files = xmlFiles(out("bilanse"));
  expectWellFormed(out("bilanse"), files);
  QStringList symbols;
  for (const auto& [name, bytes] : files) symbols << name.section(QLatin1Char('_'), 0, 0);
  EXPECT_TRUE(symbols.contains(QStringLiteral("B-Wyk")));
  EXPECT_TRUE(symbols.contains(QStringLiteral("B-Skon")));
  EXPECT_TRUE(symbols.contains(QStringLiteral("B-Jed")));
  for (const auto& [name, bytes] : files) EXPECT_EQ(count(bytes, "<PaczkaSprawozdan Wersja=\"0.1\">"), 1);

  // In one file every budget unit is one Jednostka, whatever the order of its sheets.
  QDir().mkpath(out("bilanse-jeden"));
  const CliResult one = exportTo("bilanse-jeden", {QStringLiteral("--kind"), QStringLiteral("balances"), QStringLiteral("--jb"),
                                                   QStringLiteral("1,2,3"), QStringLiteral("--single-file"), out("bilanse-jeden/Bilanse.xml")});
  ASSERT_EQ(one.exitCode, 0) << one.err.toStdString();
  const QByteArray bytes = xmlFiles(out("bilanse-jeden")).at(QStringLiteral("Bilanse.xml"));
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  QStringList names;
  const QRegularExpression unitName(QStringLiteral("<Jednostka>\\r\\n\\s*<Typ>JB</Typ>\\r\\n\\s*<Nazwa>([^<]*)</Nazwa>"));
  for (auto it = unitName.globalMatch(QString::fromUtf8(bytes)); it.hasNext();) names << it.next().captured(1);
  ASSERT_FALSE(names.isEmpty());
  EXPECT_EQ(names.size(), QSet<QString>(names.begin(), names.end()).size()) << names.join(QStringLiteral(" | ")).toStdString();
}

// The plan reports of the city and of its budget units; the budget unit whose own-revenue plan
// has no part number (VAL1 "0") sends Rb-34s, alone in its file as a separate account (WRSJO).
TEST_F(DemoExport, PlanReportsOfTheCityAndOfBudgetUnits) {
  const CliResult city = exportTo("plany", {});
  ASSERT_EQ(city.exitCode, 0) << city.err.toStdString();
  const CliResult units = exportTo("plany", {QStringLiteral("--jb"), QStringLiteral("1,2,3")});
  ASSERT_EQ(units.exitCode, 0) << units.err.toStdString();
  const auto files = xmlFiles(out("plany"));
  expectWellFormed(out("plany"), files);
  QMultiMap<QString, QByteArray> bySymbol;
  for (const auto& [name, bytes] : files) bySymbol.insert(name.section(QLatin1Char('_'), 0, 0), bytes);
  for (const char* symbol : {"Rb-30s", "Rb-31", "Rb-33", "Rb-34", "Rb-34s"})
    EXPECT_TRUE(bySymbol.contains(QString::fromLatin1(symbol))) << symbol;
  const QByteArray rb34s = bySymbol.value(QStringLiteral("Rb-34s"));
  EXPECT_TRUE(rb34s.contains("<Typ>WRSJO</Typ>"));
  EXPECT_TRUE(rb34s.contains("<DochodyPozycje>"));
  EXPECT_FALSE(rb34s.contains("<SymbolPozabudzetowy>"));
  for (const QByteArray& bytes : bySymbol.values(QStringLiteral("Rb-34"))) {
    EXPECT_TRUE(bytes.contains("<SymbolPozabudzetowy>500</SymbolPozabudzetowy>"));
    EXPECT_TRUE(bytes.contains("<PrzychodyPozycje>"));
  }
}

// The reports of debt, the budget result, taxes and funds, each with its own body.
const char* const kFixedListReports[] = {"Rb-N", "Rb-Z", "Rb-NDS", "Rb-PDP", "Rb-ST", "Rb-UN", "Rb-UZ"};
// Those that budget units file too.
bool filedByBudgetUnits(const QString& symbol) { return symbol != QLatin1String("Rb-NDS") && symbol != QLatin1String("Rb-PDP"); }

// How many files of each symbol a folder holds (the symbol is the file name's first part).
std::map<QString, int> filesBySymbol(const std::map<QString, QByteArray>& files) {
  std::map<QString, int> counts;
  for (const auto& [name, bytes] : files) ++counts[name.section(QLatin1Char('_'), 0, 0)];
  return counts;
}

TEST_F(DemoExport, DebtAndFundReportsOfTheCityAndItsUnitsAreAllWritten) {
  const CliResult city = exportTo("raporty", {});
  ASSERT_EQ(city.exitCode, 0) << city.err.toStdString();
  const CliResult units = exportTo("raporty", {QStringLiteral("--jb"), QStringLiteral("1,2,3")});
  ASSERT_EQ(units.exitCode, 0) << units.err.toStdString();
  const auto files = xmlFiles(out("raporty"));
  expectWellFormed(out("raporty"), files);
  const auto counts = filesBySymbol(files);
  for (const char* symbol : kFixedListReports) {
    const QString s = QString::fromLatin1(symbol);
    // The city and each of the three units in the latest period.
    EXPECT_EQ(counts.count(s) ? counts.at(s) : 0, filedByBudgetUnits(s) ? 4 : 1) << symbol;
    EXPECT_FALSE(city.err.contains(s + QStringLiteral(" ("))) << city.err.toStdString();
    EXPECT_FALSE(units.err.contains(s + QStringLiteral(" ("))) << units.err.toStdString();
  }
}

TEST_F(DemoExport, RefusesReportsThatAreNotOffered) {
  const CliResult r = exportTo("nic", {QStringLiteral("--ids"), QStringLiteral("999999")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains(QStringLiteral("999999"))) << r.err.toStdString();
  EXPECT_FALSE(QDir(out("nic")).exists() && !QDir(out("nic")).isEmpty());
}

TEST(DemoExportOnServer, SameFilesAsOnTheLocalDatabase) {
  WERTALO_REQUIRE_FIREBIRD();
  QTemporaryDir dir;
  test::FirebirdDatabase server;
  const auto [local, remote] = test::demoOnLocalAndServer(dir, server);
  for (const QStringList& kind : {QStringList{}, QStringList{QStringLiteral("--jb"), QStringLiteral("1,2"), QStringLiteral("--all-statuses")},
                                  QStringList{QStringLiteral("--kind"), QStringLiteral("balances")},
                                  QStringList{QStringLiteral("--kind"), QStringLiteral("balances"), QStringLiteral("--jb"), QStringLiteral("1,2")}}) {
    for (const auto& [install, folder] : {std::pair{local, QStringLiteral("a")}, std::pair{remote, QStringLiteral("b")}}) {
      const CliResult r = runWertaloCli(dir.filePath(QStringLiteral("config")),
                                 QStringList{QStringLiteral("export"), QStringLiteral("--win-ini"), install.winIni,
                                             QStringLiteral("--out"), dir.filePath(folder)} + kind);
      ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
  }
  const auto a = xmlFiles(dir.filePath(QStringLiteral("a")));
  const auto b = xmlFiles(dir.filePath(QStringLiteral("b")));
  ASSERT_FALSE(a.empty());
  ASSERT_EQ(a.size(), b.size());
  // Among them the plan reports of the city and of the budget units.
  QSet<QString> symbols;
  for (const auto& [name, bytes] : a) symbols.insert(name.section(QLatin1Char('_'), 0, 0));
  for (const char* symbol : {"Rb-30s", "Rb-31", "Rb-33", "Rb-34", "Rb-34s"})
    EXPECT_TRUE(symbols.contains(QString::fromLatin1(symbol))) << symbol;
  // The reports found by their position names and Rb-50 of both kinds of task too.
  for (const char* symbol : {"Rb-50", "Rb-WS", "Rb-ZN", "F-Zzf", "F-Rzs"}) EXPECT_FALSE(fileOf(a, symbol).isEmpty()) << symbol;
  // And the reports of debt, taxes and funds of the city and of both units.
  const auto counts = filesBySymbol(a);
  for (const char* symbol : kFixedListReports) {
    const QString s = QString::fromLatin1(symbol);
    EXPECT_EQ(counts.count(s) ? counts.at(s) : 0, filedByBudgetUnits(s) ? 3 : 1) << symbol;
  }
  for (const auto& [name, bytes] : a) {
    ASSERT_TRUE(b.count(name)) << name.toStdString();
    EXPECT_EQ(bytes.toStdString(), b.at(name).toStdString()) << name.toStdString();
  }
}

}  // namespace
}  // namespace wertalo
