// Bad installations and bad data, one case each: `wertalo-cli export --json` on a demo
// installation that was broken first. Each case gives its exit code and a message naming
// what went wrong, and nothing is lost: no partial or temporary file, no sending date without
// its file, and the JSON lists exactly the files that are there.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include "cli_run.h"
#include "core/demo/demo_installation.h"
#include "support/xml_check.h"

namespace wertalo {
namespace {

using test::CliLimits;
using test::CliResult;

// A demo installation of the city with one budget unit, and an export folder beside it.
struct Installation {
  QTemporaryDir dir;
  demo::DemoInstallation demo;
  QString out;

  Installation() {
    demo = demo::createDemoInstallation({dir.filePath(QStringLiteral("demo")), 1});
    out = dir.filePath(QStringLiteral("eksport"));
  }
  QString dataFolder() const { return QFileInfo(demo.database).path(); }

  // Holds the database's write lock (another program in the middle of a change) until released.
  void holdWriteLock() {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("lock"));
    db.setDatabaseName(demo.database);
    ASSERT_TRUE(db.open());
    ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("BEGIN IMMEDIATE")));
    locked = true;
  }
  void releaseLock() {
    if (!locked) return;
    {
      QSqlDatabase db = QSqlDatabase::database(QStringLiteral("lock"));
      QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
      db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("lock"));
    locked = false;
  }
  ~Installation() { releaseLock(); }
  bool locked = false;

  // Runs SQL on the database with its own connection.
  void sql(const QString& statements) const {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fault"));
    db.setDatabaseName(demo.database);
    ASSERT_TRUE(db.open());
    for (const QString& statement : statements.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      if (statement.trimmed().isEmpty()) continue;
      QSqlQuery q(db);
      EXPECT_TRUE(q.exec(statement)) << statement.toStdString() << ": " << q.lastError().text().toStdString();
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("fault"));
  }

  // The reports that have a sending date (SPRAWOZD and JBSPRAWOZD).
  QSet<qint64> dated() const {
    QSet<qint64> ids;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("dates"));
    db.setDatabaseName(demo.database);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (db.open()) {
      for (const char* table : {"SPRAWOZD", "JBSPRAWOZD"}) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT IDSPRAW FROM %1 WHERE DATAWYSLANIA IS NOT NULL").arg(QString::fromLatin1(table)))) continue;
        while (q.next()) ids.insert(q.value(0).toLongLong());
      }
      db.close();
    }
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("dates"));
    return ids;
  }
};

// One broken installation or piece of data.
struct FaultCase {
  const char* name;
  std::function<void(Installation&)> breakIt;
  int exitCode;
  QStringList messages;  // each in standard error (the installation's folder as "{demo}")
  CliLimits limits;
  bool someFilesWritten = false;  // the run wrote files before it stopped (a run that ends with 0 or 3 always does)
  QByteArray inSomeFile;          // text that one of the files holds
  QSet<qint64> leftOut;           // the reports named as left out (then the exit code is 3)
  QStringList args;               // more arguments of the export
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class Faults : public ::testing::TestWithParam<FaultCase> {};

// A report's file, when written alone, ends with "_" + its identifier.
qint64 reportOfFile(const QString& name) {
  static const QRegularExpression id(QStringLiteral("_([0-9]+)\\.xml$"));
  const auto m = id.match(name);
  return m.hasMatch() ? m.captured(1).toLongLong() : -1;
}

TEST_P(Faults, ExitCodeMessageAndNothingLost) {
  const FaultCase& c = GetParam();
  Installation install;
  ASSERT_TRUE(install.dir.isValid());
  const QSet<qint64> datedBefore = install.dated();
  c.breakIt(install);

  const CliResult r = test::runWertaloCliLimited(install.dir.filePath(QStringLiteral("config")),
                                                 QStringList{QStringLiteral("export"), QStringLiteral("--json"), QStringLiteral("--win-ini"),
                                                             install.demo.winIni, QStringLiteral("--out"), install.out} +
                                                     c.args,
                                                 c.limits);
  install.releaseLock();
  // Permissions back, so that the checks and the clean-up can read everything.
  QFile::setPermissions(install.out, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QFile::setPermissions(install.dataFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QFile::setPermissions(install.demo.database, QFile::ReadOwner | QFile::WriteOwner);

  EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
  for (QString message : c.messages) {
    message.replace(QStringLiteral("{demo}"), install.dir.filePath(QStringLiteral("demo")));
    message.replace(QStringLiteral("{out}"), install.out);
    EXPECT_TRUE(r.err.contains(message)) << "expected: " << message.toStdString() << "\nstderr: " << r.err.toStdString();
  }

  // The folder holds whole files only: no temporary file, each XML well-formed.
  const QStringList entries = QDir(install.out).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
  QSet<QString> onDisk;
  QSet<qint64> reportsOnDisk;
  bool textFound = c.inSomeFile.isEmpty();
  for (const QString& name : entries) {
    EXPECT_FALSE(name.startsWith(QLatin1Char('.'))) << "left behind: " << name.toStdString();
    QFile file(install.out + QLatin1Char('/') + name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(test::isWellFormedXml(bytes)) << name.toStdString();
    textFound = textFound || bytes.contains(c.inSomeFile);
    onDisk.insert(file.fileName());
    reportsOnDisk.insert(reportOfFile(name));
  }
  EXPECT_EQ(!onDisk.isEmpty(), c.someFilesWritten || c.exitCode != 1) << entries.join(QLatin1Char(' ')).toStdString();
  EXPECT_TRUE(textFound) << "no file holds " << c.inSomeFile.left(60).toStdString();

  // No report got a sending date without its file.
  for (qint64 id : install.dated() - datedBefore) EXPECT_TRUE(reportsOnDisk.contains(id)) << "dated without a file: " << id;

  // The result lists exactly the files written, each report with its date as recorded.
  const QJsonObject result = QJsonDocument::fromJson(r.out.toUtf8()).object();
  ASSERT_FALSE(result.isEmpty()) << r.out.toStdString();
  QSet<QString> listed;
  for (const QJsonValue& file : result[QStringLiteral("files")].toArray()) {
    listed.insert(file[QStringLiteral("path")].toString());
    for (const QJsonValue& report : file[QStringLiteral("reports")].toArray()) {
      const qint64 id = report[QStringLiteral("idspraw")].toInteger();
      EXPECT_EQ(report[QStringLiteral("dated")].toBool(), install.dated().contains(id) && !datedBefore.contains(id)) << id;
    }
  }
  EXPECT_EQ(listed, onDisk);
  // A report left out is named, and only then is the exit code 3.
  QSet<qint64> leftOut;
  for (const QJsonValue& report : result[QStringLiteral("leftOut")].toArray()) leftOut.insert(report[QStringLiteral("idspraw")].toInteger());
  EXPECT_EQ(leftOut, c.leftOut) << r.out.toStdString();
  EXPECT_EQ(!leftOut.isEmpty(), c.exitCode == 3);
  EXPECT_EQ(result.contains(QStringLiteral("error")), c.exitCode == 1) << r.out.toStdString();
}

void removeFile(const QString& path) { ASSERT_TRUE(QFile::remove(path)) << path.toStdString(); }
void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

const QFile::Permissions kReadOnlyFolder = QFile::ReadOwner | QFile::ExeOwner;

INSTANTIATE_TEST_SUITE_P(
    Cases, Faults,
    ::testing::Values(
        FaultCase{"MissingWinIni", [](Installation& i) { removeFile(i.demo.winIni); }, 1,
                  {QStringLiteral("Niepoprawnie zainstalowany system \"TERVIK\""),
                   QStringLiteral("WIN.INI: \"{demo}/win.ini\": plik nie istnieje")}},
        FaultCase{"WinIniWithoutTheProduct", [](Installation& i) { writeFile(i.demo.winIni, "[KALMETO]\nINNY=x\n"); }, 1,
                  {QStringLiteral("WIN.INI: \"{demo}/win.ini\": brak klucza TERVIK ani JSTJB w sekcji KALMETO")}},
        FaultCase{"MissingConfigurationFile", [](Installation& i) { removeFile(i.demo.configFile); }, 1,
                  {QStringLiteral("Niepoprawnie zainstalowany system"),
                   QStringLiteral("Plik konfiguracyjny: \"{demo}/Tervik/Tervik.ini\": plik nie istnieje")}},
        FaultCase{"ConfigurationWithoutDataFolder", [](Installation& i) { writeFile(i.demo.configFile, "[configTervik]\nPathMain=/x\n"); }, 1,
                  {QStringLiteral("brak klucza PathData w sekcjach configTervik, configJST i configJB")}},
        FaultCase{"MissingDatabase", [](Installation& i) { removeFile(i.demo.database); }, 1,
                  {QStringLiteral("Błąd bazy danych: Nie można otworzyć bazy danych \"{demo}/Tervik/Dane/dane.sqlite\"")}},
        FaultCase{"CorruptDatabase", [](Installation& i) { writeFile(i.demo.database, QByteArray("to nie jest baza danych\n").repeated(400)); }, 1,
                  {QStringLiteral("Błąd bazy danych: "), QStringLiteral("file is not a database")}},
        FaultCase{"MissingTableOfAReport", [](Installation& i) { i.sql(QStringLiteral("DROP TABLE N21")); }, 1,
                  {QStringLiteral("Nie można zapisać sprawozdania Rb-N (identyfikator "), QStringLiteral("\nno such table: N21")},
                  {}, true},
        FaultCase{"MissingColumnOfAReport", [](Installation& i) { i.sql(QStringLiteral("ALTER TABLE W2 RENAME COLUMN R10 TO R10_STARY")); }, 1,
                  {QStringLiteral("Nie można zapisać sprawozdania Rb-28s (identyfikator "), QStringLiteral("\nPole 'R10' nie istnieje")},
                  {}, true},
        FaultCase{"ReadOnlyDatabase",
                  [](Installation& i) {
                    QFile::setPermissions(i.demo.database, QFile::ReadOwner);
                    QFile::setPermissions(i.dataFolder(), kReadOnlyFolder);
                  },
                  1, {QStringLiteral("zapisano, ale nie można zapisać daty wysłania sprawozdania"), QStringLiteral("readonly database")},
                  {.obeyPermissions = true}, true},
        FaultCase{"LockedDatabase", [](Installation& i) { i.holdWriteLock(); }, 1,
                  {QStringLiteral("zapisano, ale nie można zapisać daty wysłania sprawozdania"), QStringLiteral("database is locked")},
                  {}, true},
        FaultCase{"ReadOnlyExportFolder",
                  [](Installation& i) {
                    QDir().mkpath(i.out);
                    QFile::setPermissions(i.out, kReadOnlyFolder);
                  },
                  1, {QStringLiteral("Błąd: Nie można zapisać pliku \"{out}/"), QStringLiteral("Permission denied")},
                  {.obeyPermissions = true}},
        FaultCase{"FileSizeLimit", [](Installation&) {}, 1, {QStringLiteral("Nie można zapisać pliku"), QStringLiteral("File too large")},
                  {.fileSizeBlocks = 4}},
        FaultCase{"StrangeTexts",
                  [](Installation& i) {
                    // XML specials, control characters, characters outside Windows-1250 and a
                    // 1 MB remark: every file is still written whole and well-formed.
                    i.sql(QStringLiteral("UPDATE S_JstWyk SET NAZWA='Gmina <&> \"A\" ''B'' \x1b[31m\x01 Ω 漢 😀';"
                                         "UPDATE SPRAWOZD SET UWAGI='%1'")
                              .arg(QString(1 << 20, QLatin1Char('x'))));
                  },
                  0, {}, {}, false, QByteArray(1 << 20, 'x')},
        FaultCase{"BalanceSheetOfAnUnknownKind",
                  [](Installation& i) {
                    // A balance sheet of a kind this version does not write is left out, and named.
                    const QString latest = QStringLiteral("(SELECT MAX(IDSPRAW) FROM SPRAWAKT WHERE TYPSPR LIKE 'BIL%')");
                    i.sql(QStringLiteral("INSERT INTO SPRAWOZD (IDSPRAW, ID_JST, ROK, OKRES, OKRES2, TYPSPR, PODTYP, WERSJA, DAT_SKW, "
                                         "DATAROZP, DATAZAK) SELECT 99001, ID_JST, ROK, OKRES, OKRES2, 'BILX', PODTYP, WERSJA, DAT_SKW, "
                                         "DATAROZP, DATAZAK FROM SPRAWOZD WHERE IDSPRAW=%1;"
                                         "INSERT INTO SPRAWAKT SELECT ID_JST, ROK, OKRES, OKRES2, 'BILX', PODTYP, WERSJA, 99001, DAT_SKW, "
                                         "PRZEKAZ, OBOW, PRZEKPUSTE, CZAST FROM SPRAWAKT WHERE IDSPRAW=%1")
                              .arg(latest));
                  },
                  3, {}, {}, false, {}, {99001}, {QStringLiteral("--kind"), QStringLiteral("balances"), QStringLiteral("--all-statuses")}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wertalo
