// `wertalo-cli export` on the demo installation: files as the wizard writes them, each one
// well-formed for every reader, the same on the local database and on the Firebird server.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#include "core/demo/demo_installation.h"
#include "support/databases.h"
#include "support/xml_check.h"

namespace wertalo {
namespace {

struct CliResult {
  int exitCode = -1;
  QString out;
  QString err;
};

CliResult runCli(const QString& configDir, const QStringList& args) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("WERTALO_CONFIG_DIR"), configDir);
  p.setProcessEnvironment(env);
  p.start(QStringLiteral(WERTALO_CLI_PATH), args);
  p.waitForFinished(120000);
  return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

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

class DemoExport : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    install = demo::createDemoInstallation({dir.filePath(QStringLiteral("demo")), 3});
  }
  QString out(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  CliResult exportTo(const char* folder, QStringList extra) {
    return runCli(dir.filePath(QStringLiteral("config")),
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
    EXPECT_EQ(count(bytes, "<Naglowek>") + count(bytes, "<WYEKSPORTOWANY_XML/>"), 1)
        << name.toStdString();
  }
  EXPECT_TRUE(r.out.startsWith(QStringLiteral("EKSPORT ZAKOŃCZONO POMYŚLNIE\n")));
}

TEST_F(DemoExport, BudgetUnitsAndTheSingleFilePackage) {
  const CliResult units = exportTo("jednostki", {QStringLiteral("--jb"), QStringLiteral("1,2,3")});
  ASSERT_EQ(units.exitCode, 0) << units.err.toStdString();
  const auto files = xmlFiles(out("jednostki"));
  ASSERT_FALSE(files.empty());
  expectWellFormed(out("jednostki"), files);

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
  EXPECT_EQ(count(bytes, "<Naglowek>") + count(bytes, "<WYEKSPORTOWANY_XML/>"), static_cast<int>(files.size()));
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
  const auto local = demo::createDemoInstallation({dir.filePath(QStringLiteral("lokalna")), 2});
  const auto remote = demo::createDemoInstallation({dir.filePath(QStringLiteral("serwer")), 2, server.server(),
                                                    server.settings().user, server.settings().password});
  for (const QStringList& kind : {QStringList{}, QStringList{QStringLiteral("--jb"), QStringLiteral("1,2")},
                                  QStringList{QStringLiteral("--kind"), QStringLiteral("balances")},
                                  QStringList{QStringLiteral("--kind"), QStringLiteral("balances"), QStringLiteral("--jb"), QStringLiteral("1,2")}}) {
    for (const auto& [install, folder] : {std::pair{local, QStringLiteral("a")}, std::pair{remote, QStringLiteral("b")}}) {
      const CliResult r = runCli(dir.filePath(QStringLiteral("config")),
                                 QStringList{QStringLiteral("export"), QStringLiteral("--win-ini"), install.winIni,
                                             QStringLiteral("--out"), dir.filePath(folder)} + kind);
      ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
  }
  const auto a = xmlFiles(dir.filePath(QStringLiteral("a")));
  const auto b = xmlFiles(dir.filePath(QStringLiteral("b")));
  ASSERT_FALSE(a.empty());
  ASSERT_EQ(a.size(), b.size());
  for (const auto& [name, bytes] : a) {
    ASSERT_TRUE(b.count(name)) << name.toStdString();
    EXPECT_EQ(bytes.toStdString(), b.at(name).toStdString()) << name.toStdString();
  }
  // The comparison covers the reports of the city and of both units.
  const auto counts = filesBySymbol(a);
  for (const char* symbol : kFixedListReports) {
    const QString s = QString::fromLatin1(symbol);
    EXPECT_EQ(counts.count(s) ? counts.at(s) : 0, filedByBudgetUnits(s) ? 3 : 1) << symbol;
  }
}

}  // namespace
}  // namespace wertalo
