// The host program in C (host_check.c) loading libwertalo.so with dlopen on the demo
// installation: its checks of every case, the texts it got compared with what the command
// line's export writes; every report of the demo through the exported functions; the library's
// exported symbols; an installed copy; the same texts from a Firebird server.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <utility>
#include <vector>

#include "core/db/connection.h"
#include "core/db/query.h"
#include "core/demo/demo_installation.h"
#include "core/text/cp1250.h"
#include "support/databases.h"
#include "support/xml_check.h"
#include "wertalo/wertalo.h"

namespace wertalo {
namespace {

struct ProgramResult {
  int exitCode = -1;
  QString out;
  QString err;
};

// Runs a program with WERTALO_WIN_INI (and, when given, WERTALO_CONFIG_DIR) set, for at most
// `seconds`.
ProgramResult run(const QString& program, const QStringList& args, const QString& winIni, int seconds = 120,
                  const QString& configDir = QString()) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("WERTALO_WIN_INI"), winIni);
  if (!configDir.isEmpty()) env.insert(QStringLiteral("WERTALO_CONFIG_DIR"), configDir);
  process.setProcessEnvironment(env);
  process.start(program, args);
  ProgramResult result;
  if (!process.waitForFinished(seconds * 1000) || process.exitStatus() != QProcess::NormalExit) {
    result.err = QStringLiteral("did not end: ") + process.errorString() + QLatin1Char('\n');
    process.kill();
    process.waitForFinished();
  } else {
    result.exitCode = process.exitCode();
  }
  result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
  result.err += QString::fromLocal8Bit(process.readAllStandardError());
  return result;
}

// A file the command line's export wrote: "Rb-27s__1513.xml" is report 1513 as Rb-27s.
struct ExportedFile {
  QString symbol;
  QString id;
  QString path;
};

std::vector<ExportedFile> exportedFiles(const QString& folder) {
  std::vector<ExportedFile> files;
  static const QRegularExpression name(QStringLiteral("^([^_]+)_.*?(\\d+)\\.xml$"));
  const QStringList names = QDir(folder).entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
  for (const QString& file : names) {
    const QRegularExpressionMatch m = name.match(file);
    if (m.hasMatch()) files.push_back({m.captured(1), m.captured(2), folder + QLatin1Char('/') + file});
  }
  return files;
}

// The `occurrence`-th element `symbol` with the report's Id in an exported file, as one line
// without the indentation and line ends of the formatted output.
QString exportedElement(const QString& path, const QString& symbol, const QString& id, int occurrence = 1) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  const QString startTag = QStringLiteral("<%1 Id=\"%1%2\">").arg(symbol, id);
  const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
  QString element;
  QString endLine;
  for (const QString& line : lines) {
    if (endLine.isEmpty()) {
      if (line.trimmed() == startTag && --occurrence == 0) {
        endLine = line.left(line.indexOf(QLatin1Char('<'))) + QStringLiteral("</") + symbol + QLatin1Char('>');
        element = startTag;
      }
      continue;
    }
    element += line.trimmed();
    if (line == endLine) return element;
  }
  return QString();
}

QString readCp1250(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? text::fromCp1250(file.readAll()) : QStringLiteral("<unreadable %1>").arg(path);
}

// The text of a host call, released; "<null: reason>" for a failed call.
QString take(char* text) {
  if (text == nullptr) return QStringLiteral("<null: %1>").arg(text::fromCp1250(OstatniBlad()));
  const QString out = text::fromCp1250(text);
  ZwolnijPCHAR(text);
  return out;
}

const QString kBudgetUnits = QStringLiteral("1,2,3,4,5,6");

// The demo installation of the golden export with its signatures switched off (a host call
// writes the report's body, never the kept signed XML), what the command line's export writes
// from it, and an installation without its database.
class HostProgram : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    demo_ = new demo::DemoInstallation(demo::createDemoInstallation({dir_->filePath(QStringLiteral("demo")), 6}));
    db::Connection connection;
    db::ConnectionSettings settings;
    settings.sqliteFile = demo_->database;
    connection.open(settings);
    connection.executeScript(QStringLiteral("UPDATE SPRAWOZDXML SET czy_epodpisane=0;\nUPDATE JBSPRAWOZDXML SET czy_epodpisane=0;"));
    connection.close();

    const std::pair<const char*, QStringList> exports[] = {
        {"city", {}},
        {"units", {QStringLiteral("--jb"), kBudgetUnits}},
        {"balances", {QStringLiteral("--kind"), QStringLiteral("balances"), QStringLiteral("--all-statuses"), QStringLiteral("--jb"), kBudgetUnits}},
    };
    for (const auto& [name, args] : exports) {
      const ProgramResult cli = run(QStringLiteral(WERTALO_CLI_PATH),
                                    QStringList{QStringLiteral("export"), QStringLiteral("--out"), exported(name)} + args, winIni(),
                                    120, dir_->filePath(QStringLiteral("config")));
      ASSERT_EQ(cli.exitCode, 0) << cli.out.toStdString() << cli.err.toStdString();
    }

    QDir(dir_->path()).mkpath(QStringLiteral("Puste"));
    QFile config(dir_->filePath(QStringLiteral("empty.ini")));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("[configTervik]\nPathData=%1\n").arg(dir_->filePath(QStringLiteral("Puste"))).toUtf8());
    config.close();
    QFile badIni(badWinIni());
    ASSERT_TRUE(badIni.open(QIODevice::WriteOnly));
    badIni.write(QStringLiteral("[KALMETO]\nTERVIK=%1\n").arg(config.fileName()).toUtf8());
  }
  static void TearDownTestSuite() {
    delete demo_;
    delete dir_;
  }

  void SetUp() override { qputenv("WERTALO_WIN_INI", winIni().toLocal8Bit()); }

  static QString badWinIni() { return dir_->filePath(QStringLiteral("empty-win.ini")); }
  static const QString& winIni() { return demo_->winIni; }
  // The folder of an export of the command line: "city", "units" or "balances".
  static QString exported(const char* name) { return dir_->filePath(QStringLiteral("export/") + QLatin1String(name)); }

  static QString typeOf(const QString& id) {
    db::Connection connection;
    db::ConnectionSettings settings;
    settings.sqliteFile = demo_->database;
    connection.open(settings);
    const db::DataSet row = db::openSql(connection, QStringLiteral("select TYPSPR from JBSPRAWAKT where IDSPRAW=") + id);
    return row.isEmpty() ? QString() : row.text(u"TYPSPR");
  }

  // The first exported file of the symbol (and, for balance sheets, of the budget units' TYPSPR).
  static ExportedFile first(const char* folder, const QString& symbol, const QString& typspr = QString()) {
    for (const ExportedFile& file : exportedFiles(exported(folder))) {
      if (file.symbol == symbol && (typspr.isEmpty() || typeOf(file.id) == typspr)) return file;
    }
    return {};
  }

  // The identifiers of every kind of report, as host_check takes them.
  static QStringList reportArgs() {
    return {QStringLiteral("d=") + first("city", QStringLiteral("Rb-27s")).id,
            QStringLiteral("rb50=") + first("city", QStringLiteral("Rb-50")).id,
            QStringLiteral("bilj=") + first("balances", QStringLiteral("B-Jed"), QStringLiteral("BILJ")).id,
            QStringLiteral("bill=") + first("balances", QStringLiteral("B-Jed"), QStringLiteral("BILL")).id,
            QStringLiteral("unknown=999999")};
  }

  static inline QTemporaryDir* dir_ = nullptr;
  static inline demo::DemoInstallation* demo_ = nullptr;
};

TEST_F(HostProgram, EveryCaseThroughDlopen) {
  const QStringList ids = reportArgs();
  for (const QString& a : ids) ASSERT_FALSE(a.endsWith(QLatin1Char('='))) << "no report for " << a.toStdString();
  QTemporaryDir out;
  const QString fifo = out.filePath(QStringLiteral("win.ini.fifo"));
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const ProgramResult result = run(QStringLiteral(WERTALO_HOST_CHECK),
                                   QStringList{QStringLiteral(WERTALO_LIBRARY), QStringLiteral("check"), out.path()} + ids +
                                       QStringList{QStringLiteral("bad=") + badWinIni(), QStringLiteral("fifo=") + fifo},
                                   winIni());
  EXPECT_EQ(result.exitCode, 0) << result.out.toStdString() << result.err.toStdString();
  EXPECT_FALSE(result.out.contains(QStringLiteral("FAIL"))) << result.out.toStdString();
  EXPECT_TRUE(result.out.contains(
      QRegularExpression(QStringLiteral("^[1-9][0-9]* passed, 0 failed$"), QRegularExpression::MultilineOption)))
      << result.out.toStdString();

  // The texts are the elements the command line's export writes, without the layout.
  const ExportedFile d = first("city", QStringLiteral("Rb-27s")), rb50 = first("city", QStringLiteral("Rb-50")),
                     bilj = first("balances", QStringLiteral("B-Jed"), QStringLiteral("BILJ"));
  // The city has county rights: the second element of each part is the one of the county tasks.
  const std::pair<const char*, QString> expected[] = {
      {"d.xml", exportedElement(d.path, d.symbol, d.id)},
      {"rb50d.xml", exportedElement(rb50.path, QStringLiteral("Rb-50D"), rb50.id, 2)},
      {"rb50w.xml", exportedElement(rb50.path, QStringLiteral("Rb-50W"), rb50.id, 2)},
      {"bilj.xml", exportedElement(bilj.path, bilj.symbol, bilj.id)},
  };
  for (const auto& [file, element] : expected) {
    SCOPED_TRACE(file);
    ASSERT_FALSE(element.isEmpty());
    const QString text = readCp1250(out.filePath(QString::fromLatin1(file)));
    EXPECT_EQ(text.toStdString(), element.toStdString());
    EXPECT_TRUE(test::isWellFormedXml(text.toUtf8()));
  }
  const QString bill = readCp1250(out.filePath(QStringLiteral("bill.xml")));
  const QString billId = first("balances", QStringLiteral("B-Jed"), QStringLiteral("BILL")).id;
  EXPECT_TRUE(bill.startsWith(QStringLiteral("<B-Jed Id=\"B-Jed%1\">").arg(billId))) << bill.toStdString();
  EXPECT_TRUE(test::isWellFormedXml(bill.toUtf8()));

  const QString error = readCp1250(out.filePath(QStringLiteral("error.txt")));
  EXPECT_TRUE(error.startsWith(QStringLiteral("Błąd bazy danych: "))) << error.toStdString();
  EXPECT_TRUE(error.contains(QStringLiteral("dane.sqlite"))) << error.toStdString();
}

TEST_F(HostProgram, EveryReportAsTheExportWritesIt) {
  // Every report and balance sheet of the demo's exports, asked for one by one.
  const std::pair<const char*, bool> folders[] = {{"city", true}, {"units", false}, {"balances", false}};
  int compared = 0;
  for (const auto& [folder, bJST] : folders) {
    for (const ExportedFile& file : exportedFiles(exported(folder))) {
      SCOPED_TRACE(file.path.toStdString());
      const int32_t id = file.id.toInt();
      char anchor[64] = "";
      if (file.symbol == QLatin1String("Rb-50")) {
        // Both parts; the task kind follows the city itself (county rights), also for its units.
        for (const char* part : {"D", "W"}) {
          const QString symbol = QStringLiteral("Rb-50") + QLatin1String(part);
          EXPECT_EQ(take(EkportujRB50XML(id, anchor, bJST, part)).toStdString(),
                    exportedElement(file.path, symbol, file.id, 2).toStdString());
          EXPECT_EQ(QString::fromLatin1(anchor), QLatin1Char('#') + symbol + file.id);
          ++compared;
        }
        continue;
      }
      const QString text = take(EkportujXML(id, anchor, bJST));
      EXPECT_TRUE(test::isWellFormedXml(text.toUtf8()));
      if (file.symbol == QLatin1String("Rb-34")) {
        // A host call makes every RB34 report Rb-34s.
        EXPECT_TRUE(text.startsWith(QStringLiteral("<Rb-34s Id=\"Rb-34s%1\">").arg(file.id))) << text.toStdString();
      } else if (file.symbol == QLatin1String("B-Jed") && typeOf(file.id) == QLatin1String("BILL")) {
        // The combined balance sheet comes out through the single unit's B-Jed body.
        EXPECT_TRUE(text.startsWith(QStringLiteral("<B-Jed Id=\"B-Jed%1\">").arg(file.id))) << text.toStdString();
      } else {
        EXPECT_EQ(text.toStdString(), exportedElement(file.path, file.symbol, file.id).toStdString());
        EXPECT_EQ(QString::fromLatin1(anchor), QLatin1Char('#') + file.symbol + file.id);
        ++compared;
      }
    }
  }
  EXPECT_GE(compared, 40);
}

TEST_F(HostProgram, ExportsOnlyTheHostFunctions) {
  const ProgramResult nm = run(QStringLiteral("nm"), {QStringLiteral("-D"), QStringLiteral("--defined-only"), QStringLiteral(WERTALO_LIBRARY)}, QString());
  ASSERT_EQ(nm.exitCode, 0) << nm.err.toStdString();
  QStringList names;
  for (const QString& line : nm.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) names << line.section(QLatin1Char(' '), -1);
  names.sort();
  EXPECT_EQ(names.join(QLatin1Char(' ')).toStdString(), "EkportujRB50XML EkportujXML OstatniBlad ZwolnijPCHAR");
}

TEST_F(HostProgram, InstalledLibraryLoadsFromItsFolder) {
  QTemporaryDir prefix;
  const ProgramResult install = run(QStringLiteral(WERTALO_CMAKE),
                          {QStringLiteral("--install"), QStringLiteral(WERTALO_BUILD_DIR), QStringLiteral("--prefix"), prefix.path()},
                          QString());
  ASSERT_EQ(install.exitCode, 0) << install.out.toStdString() << install.err.toStdString();
  EXPECT_TRUE(QFile::exists(prefix.filePath(QStringLiteral("include/wertalo/wertalo.h"))));
  const QString library = prefix.filePath(QStringLiteral(WERTALO_INSTALL_LIBDIR "/libwertalo.so"));
  const QStringList ids = reportArgs();
  const ProgramResult result = run(QStringLiteral(WERTALO_HOST_CHECK), {library, QStringLiteral("maps"), ids.first()}, winIni());
  ASSERT_EQ(result.exitCode, 0) << result.out.toStdString() << result.err.toStdString();
  // Every layer of the core comes from the installed folder, none from the build.
  const QStringList loaded = result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  EXPECT_GE(loaded.size(), 10) << result.out.toStdString();
  for (const QString& path : loaded) EXPECT_TRUE(path.startsWith(prefix.path())) << path.toStdString();
}

// Every report of the latest year's last quarter, unit's and budget units', with the unit kind
// whose tables hold it (Rb-50 as both parts).
struct HostCall {
  int32_t id;
  bool bJST;
  const char* typ;
};

std::vector<HostCall> latestQuarterCalls(const QString& database) {
  db::Connection connection;
  db::ConnectionSettings settings;
  settings.sqliteFile = database;
  connection.open(settings);
  std::vector<HostCall> calls;
  for (const bool bJST : {true, false}) {
    const db::DataSet rows = db::openSql(
        connection, QStringLiteral("select IDSPRAW, TYPSPR from %1 where OKRES='4' and ROK=(select max(ROK) from SPRAWAKT)")
                        .arg(bJST ? QStringLiteral("SPRAWAKT") : QStringLiteral("JBSPRAWAKT")));
    for (db::DataSet r = rows; !r.eof(); r.next()) {
      const auto id = static_cast<int32_t>(r.integer(u"IDSPRAW"));
      if (r.text(u"TYPSPR") == QLatin1String("RB50")) {
        calls.push_back({id, bJST, "D"});
        calls.push_back({id, bJST, "W"});
      } else {
        calls.push_back({id, bJST, nullptr});
      }
    }
  }
  return calls;
}

TEST(HostOnServer, SameTextsAsOnTheLocalDatabase) {
  WERTALO_REQUIRE_FIREBIRD();
  QTemporaryDir dir;
  test::FirebirdDatabase server;
  const auto [local, remote] = test::demoOnLocalAndServer(dir, server);
  const std::vector<HostCall> calls = latestQuarterCalls(local.database);
  ASSERT_GE(calls.size(), 30u);
  int elements = 0;
  for (const HostCall& call : calls) {
    SCOPED_TRACE(call.id);
    QString texts[2];
    for (int i = 0; i < 2; ++i) {
      qputenv("WERTALO_WIN_INI", (i == 0 ? local : remote).winIni.toLocal8Bit());
      texts[i] = take(call.typ != nullptr ? EkportujRB50XML(call.id, nullptr, call.bJST, call.typ)
                                          : EkportujXML(call.id, nullptr, call.bJST));
    }
    EXPECT_EQ(texts[0].toStdString(), texts[1].toStdString());
    if (texts[0].startsWith(QLatin1Char('<'))) ++elements;
  }
  qunsetenv("WERTALO_WIN_INI");
  EXPECT_EQ(elements, static_cast<int>(calls.size()));
}

}  // namespace
}  // namespace wertalo
