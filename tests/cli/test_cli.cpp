// The command line run as a user runs it, on a small installation.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/db/query.h"
#include "core/db/schema.h"
#include "fixture.h"

namespace wertalo {
namespace {

struct CliRun {
  int exitCode = -1;
  QString out;
  QString err;
};

class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkpath(QStringLiteral("Dane"));
    QDir(dir.path()).mkpath(QStringLiteral("config"));
    db::Connection c;
    db::ConnectionSettings s;
    s.sqliteFile = dir.filePath(QStringLiteral("Dane/dane.sqlite"));
    s.createIfMissing = true;
    c.open(s);
    db::applySchema(c);
    test::insertBaseRows(c);
    test::insertReport(c, {.idspraw = 57, .typspr = QStringLiteral("D"), .datazak = QStringLiteral("2014-01-20"), .rok = QStringLiteral("14"), .okres = QStringLiteral("4")});
    test::insertReport(c, {.idspraw = 58, .typspr = QStringLiteral("W"), .rok = QStringLiteral("14"), .okres = QStringLiteral("4")});
    test::insertReport(c, {.idspraw = 59, .typspr = QStringLiteral("N"), .datazak = QStringLiteral("2014-01-20"), .rok = QStringLiteral("13"), .okres = QStringLiteral("2")});
    test::exec(c, QStringLiteral("INSERT INTO JBOBS (ID_JST, ID_JB, NAZWA, ROK, OKRES, OKRES2) VALUES (1, 7, 'Przedszkole nr 3', '14', '4', 0);"));
    write(QStringLiteral("win.ini"), QStringLiteral("[KALMETO]\nTERVIK=%1/tervik.ini\n").arg(dir.path()));
    write(QStringLiteral("tervik.ini"),
          QStringLiteral("[configTervik]\nPathData=%1\\Dane\nPathMain=%1\\Tervik\nPathBufor=%1\\Bufor\\\n[Eksport obcy]\n").arg(dir.path()));
  }

  void write(const QString& name, const QString& text) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
  }

  QByteArray read(const QString& name) const {
    QFile f(dir.filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  // Runs statements on the installation's database.
  void exec(const QString& sql) {
    db::Connection c;
    db::ConnectionSettings s;
    s.sqliteFile = dir.filePath(QStringLiteral("Dane/dane.sqlite"));
    c.open(s);
    test::exec(c, sql);
  }

  // The reports that have a sending date.
  QStringList sendingDates() {
    db::Connection c;
    db::ConnectionSettings s;
    s.sqliteFile = dir.filePath(QStringLiteral("Dane/dane.sqlite"));
    c.open(s);
    QStringList ids;
    db::DataSet ds = db::openSql(c, QStringLiteral("SELECT IDSPRAW FROM SPRAWOZD WHERE DATAWYSLANIA IS NOT NULL"));
    for (ds.first(); !ds.eof(); ds.next()) ids << ds.text(u"IDSPRAW");
    return ids;
  }

  CliRun run(QStringList args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WERTALO_CONFIG_DIR"), dir.filePath(QStringLiteral("config")));
    p.setProcessEnvironment(env);
    args << QStringLiteral("--win-ini") << dir.filePath(QStringLiteral("win.ini"));
    p.start(QStringLiteral(WERTALO_CLI_PATH), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
  }

  QTemporaryDir dir;
};

TEST_F(CommandLine, ListTakesTheLatestYearAndItsWholeYearPeriod) {
  const CliRun r = run({QStringLiteral("list")});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.contains(QStringLiteral("Jednostka: Miasto Poznań"))) << r.out.toStdString();
  EXPECT_TRUE(r.out.contains(QStringLiteral("Lata:      2013, 2014 (wybrany: 2014)")));
  EXPECT_TRUE(r.out.contains(QStringLiteral("*  4    kwart. 4"))) << r.out.toStdString();
  EXPECT_TRUE(r.out.contains(QStringLiteral("Przedszkole nr 3")));
  EXPECT_TRUE(r.out.contains(QStringLiteral("Rb-27S")));
  EXPECT_FALSE(r.out.contains(QStringLiteral("Rb-28S")));  // open report: approved only by default
}

TEST_F(CommandLine, ListAsJsonWithYearPeriodAndAllStatuses) {
  const CliRun r = run({QStringLiteral("list"), QStringLiteral("--json"), QStringLiteral("--year"), QStringLiteral("2013"),
                     QStringLiteral("--period"), QStringLiteral("2")});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
  EXPECT_EQ(o[QStringLiteral("year")].toString(), QStringLiteral("2013"));
  EXPECT_EQ(o[QStringLiteral("period")].toString(), QStringLiteral("2"));
  const QJsonArray reports = o[QStringLiteral("reports")].toArray();
  ASSERT_EQ(reports.size(), 1);
  EXPECT_EQ(reports[0].toObject()[QStringLiteral("symbol")].toString(), QStringLiteral("Rb-N"));
  EXPECT_EQ(reports[0].toObject()[QStringLiteral("idspraw")].toInt(), 59);

  const CliRun all = run({QStringLiteral("list"), QStringLiteral("--json"), QStringLiteral("--all-statuses")});
  ASSERT_EQ(all.exitCode, 0);
  EXPECT_EQ(QJsonDocument::fromJson(all.out.toUtf8()).object()[QStringLiteral("reports")].toArray().size(), 2);
}

struct BadCase {
  const char* name;
  QStringList args;
  int exitCode;
  const char* message;
};

class BadCommandLine : public CommandLine, public ::testing::WithParamInterface<BadCase> {};

TEST_P(BadCommandLine, EndsWithAPolishMessage) {
  const BadCase& c = GetParam();
  const QByteArray configuration = read(QStringLiteral("tervik.ini"));
  const CliRun r = run(c.args);
  EXPECT_EQ(r.exitCode, c.exitCode);
  EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
  if (c.exitCode == 2) {
    // Wrong usage is refused before the installation is read: nothing is made or written.
    EXPECT_EQ(read(QStringLiteral("tervik.ini")), configuration);
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("Tervik"))).exists());
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
  }
  EXPECT_TRUE(sendingDates().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadCommandLine,
    ::testing::Values(BadCase{"UnknownYear", {QStringLiteral("list"), QStringLiteral("--year"), QStringLiteral("2031")}, 1, "Brak roku 2031"},
                      BadCase{"BadYear", {QStringLiteral("list"), QStringLiteral("--year"), QStringLiteral("x")}, 2, "niepoprawny rok"},
                      BadCase{"BadPeriod", {QStringLiteral("list"), QStringLiteral("--period"), QStringLiteral("M")}, 2, "niepoprawny okres"},
                      BadCase{"BadUnits", {QStringLiteral("list"), QStringLiteral("--jb"), QStringLiteral("7;1")}, 2, "oczekiwano listy liczb"},
                      BadCase{"UnitsWithALineBreak", {QStringLiteral("list"), QStringLiteral("--jb"), QStringLiteral("7,1\n")}, 2, "oczekiwano listy liczb"},
                      BadCase{"UnknownOption", {QStringLiteral("list"), QStringLiteral("--nic")}, 2, "Nieznana opcja: --nic"},
                      BadCase{"UnknownShortOption", {QStringLiteral("export"), QStringLiteral("-x")}, 2, "Nieznana opcja: -x"},
                      BadCase{"UnknownCommand", {QStringLiteral("zrob")}, 2, "Nieznane polecenie"},
                      BadCase{"StrayArgumentOfExport", {QStringLiteral("export"), QStringLiteral("1513")}, 2, "Nieoczekiwany argument: 1513"},
                      BadCase{"StrayArgumentOfList", {QStringLiteral("list"), QStringLiteral("wszystko")}, 2, "Nieoczekiwany argument: wszystko"},
                      BadCase{"ReportNumberTooLarge", {QStringLiteral("export"), QStringLiteral("--ids"), QStringLiteral("99999999999999999999999")}, 2,
                              "--ids: liczba 99999999999999999999999 jest za duża (największa to 9223372036854775807)"},
                      BadCase{"UnitNumberTooLarge", {QStringLiteral("list"), QStringLiteral("--jb"), QStringLiteral("7,9223372036854775808")}, 2,
                              "--jb: liczba 9223372036854775808 jest za duża"},
                      BadCase{"RepeatedOption", {QStringLiteral("export"), QStringLiteral("--year"), QStringLiteral("2014"), QStringLiteral("--year=2013")}, 2,
                              "Opcję --year podano więcej niż raz"},
                      BadCase{"EmptyValue", {QStringLiteral("export"), QStringLiteral("--out"), QString()}, 2, "Opcja --out wymaga niepustej wartości"},
                      BadCase{"MissingValue", {QStringLiteral("export"), QStringLiteral("--ids")}, 2, "Opcja --ids wymaga wartości"},
                      BadCase{"FlagWithAValue", {QStringLiteral("export"), QStringLiteral("--plain=tak")}, 2, "Opcja --plain nie przyjmuje wartości"},
                      BadCase{"DeleteWithoutPacking", {QStringLiteral("export"), QStringLiteral("--delete-packed")}, 2, "--delete-packed działa tylko z --zip"},
                      BadCase{"LoginWithoutExternal", {QStringLiteral("export"), QStringLiteral("--login"), QStringLiteral("anowak")}, 2,
                              "--login działa tylko z --external"},
                      BadCase{"ZipAndExternal", {QStringLiteral("export"), QStringLiteral("--zip"), QStringLiteral("--external")}, 2, "wykluczają się"},
                      BadCase{"ExportOptionOfList", {QStringLiteral("list"), QStringLiteral("--zip")}, 2, "Nieznana opcja: --zip"},
                      BadCase{"UnknownUnit", {QStringLiteral("export"), QStringLiteral("--jb"), QStringLiteral("999")}, 1,
                              "Brak jednostek budżetowych o identyfikatorach 999"},
                      BadCase{"UnknownUnitOfList", {QStringLiteral("list"), QStringLiteral("--jb"), QStringLiteral("7,999")}, 1,
                              "Brak jednostek budżetowych o identyfikatorach 999"},
                      BadCase{"ReportNotOffered", {QStringLiteral("export"), QStringLiteral("--ids"), QStringLiteral("57,12345")}, 1,
                              "Sprawozdania 12345 nie ma wśród sprawozdań do eksportu"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandLine, HelpOfEveryCommandShowsItAndDoesNothingElse) {
  const QByteArray configuration = read(QStringLiteral("tervik.ini"));
  // The arguments, and the command the help is of.
  const std::pair<QStringList, QString> cases[] = {
      {{QStringLiteral("export"), QStringLiteral("-h")}, QStringLiteral("export")},
      {{QStringLiteral("export"), QStringLiteral("--ids"), QStringLiteral("57"), QStringLiteral("--help")}, QStringLiteral("export")},
      {{QStringLiteral("export"), QStringLiteral("--nic"), QStringLiteral("-h")}, QStringLiteral("export")},
      {{QStringLiteral("list"), QStringLiteral("--help")}, QStringLiteral("list")},
      {{QStringLiteral("list"), QStringLiteral("-h")}, QStringLiteral("list")},
      {{QStringLiteral("demo"), dir.filePath(QStringLiteral("Tervik")), QStringLiteral("-h")}, QStringLiteral("demo")},
      {{QStringLiteral("map"), QStringLiteral("--help")}, QStringLiteral("map")},
      {{QStringLiteral("map"), QStringLiteral("auto"), QStringLiteral("-h")}, QStringLiteral("map auto")},
      {{QStringLiteral("ftp"), QStringLiteral("put"), QStringLiteral("plik.xml"), QStringLiteral("--help")}, QStringLiteral("ftp")},
      {{QStringLiteral("verify"), QStringLiteral("plik.xml"), QStringLiteral("-h")}, QStringLiteral("verify")},
  };
  for (const auto& [args, command] : cases) {
    const CliRun r = run(args);
    EXPECT_EQ(r.exitCode, 0) << args.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("Użycie: wertalo-cli ") + command)) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Kody wyjścia: 0 "))) << r.out.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
  }
  EXPECT_EQ(read(QStringLiteral("tervik.ini")), configuration);
  EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("Tervik"))).exists());
  EXPECT_TRUE(sendingDates().isEmpty());
}

TEST_F(CommandLine, ListShowsTheDatabasesControlCharactersReplaced) {
  exec(QStringLiteral("UPDATE S_JstWyk SET NAZWA='Miasto \x1b[2J\x1b]0;tytul\x07Poznań\x9b'"));
  exec(QStringLiteral("UPDATE JBOBS SET NAZWA='Przedszkole\nnr 3\t\x1b[31m'"));
  const CliRun r = run({QStringLiteral("list")});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_FALSE(r.out.contains(QChar(0x1b)));
  EXPECT_FALSE(r.out.contains(QChar(0x07)));
  EXPECT_FALSE(r.out.contains(QChar(0x9b)));
  EXPECT_TRUE(r.out.contains(QString::fromUtf8("Jednostka: Miasto \uFFFD[2J\uFFFD]0;tytul\uFFFDPoznań\uFFFD\n"))) << r.out.toStdString();
  EXPECT_TRUE(r.out.contains(QString::fromUtf8("Przedszkole\uFFFDnr 3\uFFFD\uFFFD[31m"))) << r.out.toStdString();
  // The JSON keeps the text as it is (escaped by JSON).
  const CliRun json = run({QStringLiteral("list"), QStringLiteral("--json")});
  ASSERT_EQ(json.exitCode, 0);
  EXPECT_EQ(QJsonDocument::fromJson(json.out.toUtf8()).object()[QStringLiteral("unit")].toObject()[QStringLiteral("name")].toString(),
            QString::fromUtf8("Miasto \x1b[2J\x1b]0;tytul\x07Poznań\u009b"));
}

TEST_F(CommandLine, BrokenInstallationEndsWithTheInstallationMessage) {
  write(QStringLiteral("win.ini"), QStringLiteral("[KALMETO]\n"));
  const CliRun r = run({QStringLiteral("list")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains(QStringLiteral("Niepoprawnie zainstalowany system \"TERVIK\"")));
}

TEST_F(CommandLine, MissingDatabaseEndsWithTheEngineText) {
  QFile::remove(dir.filePath(QStringLiteral("Dane/dane.sqlite")));
  const CliRun r = run({QStringLiteral("list")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.startsWith(QStringLiteral("Błąd bazy danych: "))) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains(QStringLiteral("dane.sqlite")));
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("Dane/dane.sqlite"))));
}

TEST_F(CommandLine, DemoInstallationIsCreatedAndListed) {
  const QString demo = dir.filePath(QStringLiteral("demo"));
  QProcess p;
  p.start(QStringLiteral(WERTALO_CLI_PATH), {QStringLiteral("demo"), demo, QStringLiteral("--units"), QStringLiteral("2")});
  p.waitForFinished(120000);
  ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  EXPECT_TRUE(QString::fromUtf8(p.readAllStandardOutput()).contains(QStringLiteral("wertalo-cli export --win-ini ") + demo));
  QProcess list;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("WERTALO_CONFIG_DIR"), dir.filePath(QStringLiteral("config")));
  list.setProcessEnvironment(env);
  list.start(QStringLiteral(WERTALO_CLI_PATH), {QStringLiteral("list"), QStringLiteral("--json"), QStringLiteral("--win-ini"),
                                                demo + QStringLiteral("/win.ini")});
  list.waitForFinished(60000);
  ASSERT_EQ(list.exitCode(), 0) << list.readAllStandardError().toStdString();
  const QJsonObject o = QJsonDocument::fromJson(list.readAllStandardOutput()).object();
  EXPECT_EQ(o[QStringLiteral("unit")].toObject()[QStringLiteral("type")].toString(), QStringLiteral("M"));
  EXPECT_EQ(o[QStringLiteral("budgetUnits")].toArray().size(), 2);
  EXPECT_FALSE(o[QStringLiteral("reports")].toArray().isEmpty());
  // A second demo into a folder that is not empty is refused.
  p.start(QStringLiteral(WERTALO_CLI_PATH), {QStringLiteral("demo"), demo});
  p.waitForFinished(60000);
  EXPECT_NE(p.exitCode(), 0);
}

}  // namespace
}  // namespace wertalo
