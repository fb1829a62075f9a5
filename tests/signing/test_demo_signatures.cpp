// The demo's signatures as they leave in packages: `wertalo-cli export` of the demo, one file
// per report and the whole package in one file, for the city and its budget units, reports and
// balance sheets; every signature in every file verifies with `wertalo-cli verify` and with
// the xmlsec1 tool, and a changed byte is caught by both. The kept XML of every signed report
// is what the export builds fresh from the same rows.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "core/db/connection.h"
#include "core/db/query.h"
#include "core/demo/demo_data.h"
#include "core/demo/demo_installation.h"
#include "core/signing/verifier.h"
#include "core/signing/demo_keys.h"
#include "signed_package.h"
#include "support/cli_run.h"
#include "support/databases.h"
#include "support/xml_check.h"

namespace wertalo {
namespace {

using namespace Qt::StringLiterals;

using test::CliResult;

CliResult runCli(const QString& configDir, const QStringList& args) {
  return test::runCli(QStringLiteral(WERTALO_CLI_PATH), args, configDir);
}

// One export of the demo and the signatures its files must hold.
struct DemoExportRun {
  const char* folder;
  QStringList options;
  bool singleFile;
  int signatures;  // in all files of the run
};

const DemoExportRun kRuns[] = {
    {"miasto", {}, false, 4},  // Rb-27s and Rb-N: the treasurer and the mayor (Rb-50: kept, not signed)
    {"miasto-jeden", {}, true, 4},
    {"jednostki", {u"--jb"_s, u"1,2,3"_s}, false, 1},  // Rb-Z of unit 1: the chief accountant
    {"jednostki-jeden", {u"--jb"_s, u"1,2,3"_s}, true, 1},
    {"bilanse", {u"--kind"_s, u"balances"_s}, false, 1},  // B-Wyk: the treasurer
    {"bilanse-jeden", {u"--kind"_s, u"balances"_s}, true, 1},
    {"bilanse-jednostek", {u"--kind"_s, u"balances"_s, u"--jb"_s, u"1,2,3"_s}, false, 1},  // B-Jed of unit 2
    {"bilanse-jednostek-jeden", {u"--kind"_s, u"balances"_s, u"--jb"_s, u"1,2,3"_s}, true, 1},
};

// The folder of a run's files exported from the demo whose reports are not marked signed.
QString freshFolder(const DemoExportRun& run) { return QString::fromLatin1(run.folder) + u"-swieze"_s; }

class DemoSignatures : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    ASSERT_TRUE(dir_->isValid());
    const demo::DemoInstallation install = demo::createDemoInstallation({dir_->filePath(u"demo"_s), 3});
    database_ = install.database;
    // The same demo with no report marked signed: every report is built fresh from its rows.
    const demo::DemoInstallation fresh = demo::createDemoInstallation({dir_->filePath(u"demo-bez-podpisow"_s), 3});
    const auto connection = openSqlite(fresh.database);
    connection->executeScript(u"update SPRAWOZDXML set czy_epodpisane=0;\nupdate JBSPRAWOZDXML set czy_epodpisane=0;\n"_s);
    connection->close();
    for (const DemoExportRun& run : kRuns) {
      exportRun(run, install.winIni, QString::fromLatin1(run.folder));
      exportRun(run, fresh.winIni, freshFolder(run));
    }
    test::writeFile(caFile(), signing::demoCaCertificatePem());
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  static void exportRun(const DemoExportRun& run, const QString& winIni, const QString& folderName) {
    const QString folder = dir_->filePath(folderName);
    QStringList args{u"export"_s, u"--win-ini"_s, winIni, u"--out"_s, folder, u"--all-statuses"_s};
    args += run.options;
    if (run.singleFile) {
      QDir().mkpath(folder);
      args << u"--single-file"_s << folder + u"/Paczka.xml"_s;
    }
    const CliResult r = runCli(config(), args);
    ASSERT_EQ(r.exitCode, 0) << folderName.toStdString() << ": " << r.err.toStdString();
  }
  static std::unique_ptr<db::Connection> openSqlite(const QString& file) {
    auto connection = std::make_unique<db::Connection>();
    db::ConnectionSettings settings;
    settings.sqliteFile = file;
    connection->open(settings);
    return connection;
  }

  static QString config() { return dir_->filePath(u"config"_s); }
  static QString caFile() { return dir_->filePath(u"demo-ca.pem"_s); }
  // The files of an export folder, by name, with their bytes.
  static std::map<QString, QByteArray> files(const QString& folderName) {
    std::map<QString, QByteArray> found;
    QDirIterator it(dir_->filePath(folderName), {u"*.xml"_s}, QDir::Files);
    while (it.hasNext()) {
      QFile f(it.next());
      EXPECT_TRUE(f.open(QIODevice::ReadOnly));
      found[QFileInfo(f).fileName()] = f.readAll();
    }
    return found;
  }
  static std::map<QString, QByteArray> files(const DemoExportRun& run) { return files(QString::fromLatin1(run.folder)); }
  static QString path(const DemoExportRun& run, const QString& name) {
    return dir_->filePath(QString::fromLatin1(run.folder) + u'/' + name);
  }
  static int signatureCount(const QByteArray& bytes) { return static_cast<int>(bytes.count("<ds:Signature ")); }

  static QTemporaryDir* dir_;
  static QString database_;  // the demo's database file
};

QTemporaryDir* DemoSignatures::dir_ = nullptr;
QString DemoSignatures::database_;

TEST_F(DemoSignatures, EverySignatureOfEveryExportVerifiesWithVerifyAndWithXmlsec) {
  for (const DemoExportRun& run : kRuns) {
    SCOPED_TRACE(run.folder);
    const auto all = files(run);
    ASSERT_FALSE(all.empty());
    if (run.singleFile) {
      EXPECT_EQ(all.size(), 1u);
    }
    QStringList signedFiles;
    int signatures = 0;
    for (const auto& [name, bytes] : all) {
      EXPECT_TRUE(test::isWellFormedXml(bytes)) << name.toStdString();
      signatures += signatureCount(bytes);
      if (signatureCount(bytes) > 0) signedFiles << path(run, name);
    }
    EXPECT_EQ(signatures, run.signatures);
    if (signedFiles.isEmpty()) continue;

    const CliResult r = runCli(config(), QStringList{u"verify"_s, u"--json"_s, u"--ca"_s, caFile()} + signedFiles);
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
    const QJsonDocument json = QJsonDocument::fromJson(r.out.toUtf8());
    EXPECT_TRUE(json[u"verified"_s].toBool());
    int checked = 0;
    for (const QJsonValue file : json[u"files"_s].toArray()) {
      for (const QJsonValue s : file[u"signatures"_s].toArray()) {
        ++checked;
        EXPECT_TRUE(s[u"verified"_s].toBool()) << s[u"message"_s].toString().toStdString();
        EXPECT_EQ(s[u"trust"_s].toString(), u"trusted"_s);
      }
    }
    EXPECT_EQ(checked, run.signatures);

    for (const QString& file : signedFiles) {
      const QByteArray& bytes = all.at(QFileInfo(file).fileName());
      for (int n = 1; n <= signatureCount(bytes); ++n) {
        const test::ToolResult tool = test::xmlsecVerify(file, test::reportElementNames(bytes), n, caFile());
        EXPECT_EQ(tool.exitCode, 0) << file.toStdString() << " #" << n << ": " << tool.output.toStdString();
      }
    }
  }
}

TEST_F(DemoSignatures, AByteChangedInAnExportedSignedReportIsCaughtByBoth) {
  const DemoExportRun& run = kRuns[1];  // the city's reports in one file
  const auto all = files(run);
  ASSERT_EQ(all.size(), 1u);
  QByteArray bytes = all.begin()->second;
  // A digit of the first executed amount of the kept Rb-27s.
  const qsizetype at = bytes.indexOf("<DW>", bytes.indexOf("<Rb-27s Id="));
  ASSERT_GT(at, 0) << "the kept Rb-27s";
  bytes[at + 4] = bytes[at + 4] == '1' ? '2' : '1';
  const QString changed = test::writeFile(dir_->filePath(u"zmieniona.xml"_s), bytes);

  const CliResult r = runCli(config(), {u"verify"_s, changed});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(r.out.count(u"NIEPOPRAWNY: Treść #Rb-27s"_s), 2) << r.out.toStdString();
  for (int n = 1; n <= 2; ++n) EXPECT_NE(test::xmlsecVerify(changed, test::reportElementNames(bytes), n, caFile()).exitCode, 0);
}

// The lines of a package without its signature blocks ("<Podpisy>" to "</Podpisy>", "<Podpisy/>").
QByteArray withoutSignatureBlocks(const QByteArray& package) {
  QByteArray out;
  bool inBlock = false;
  for (const QByteArray& line : package.split('\n')) {
    const QByteArray trimmed = line.trimmed();
    if (trimmed == "<Podpisy>") inBlock = true;
    if (!inBlock && trimmed != "<Podpisy/>") out += line + '\n';
    if (trimmed == "</Podpisy>") inBlock = false;
  }
  out.chop(1);
  return out;
}

// What the export builds fresh, from the demo whose reports are not marked signed, is what it
// writes from the signed demo, but for the signature blocks; and every kept text stands whole
// in the fresh files: the kept XML is the body the export builds from the same rows, as it
// stands in a package.
TEST_F(DemoSignatures, KeptXmlIsWhatTheExportBuildsFreshFromTheSameRows) {
  QByteArray allFresh;
  for (const DemoExportRun& run : kRuns) {
    SCOPED_TRACE(run.folder);
    const auto kept = files(run);
    const auto fresh = files(freshFolder(run));
    ASSERT_FALSE(fresh.empty());
    ASSERT_EQ(kept.size(), fresh.size());
    for (const auto& [name, bytes] : fresh) {
      ASSERT_EQ(kept.count(name), 1u) << name.toStdString();
      EXPECT_TRUE(test::isWellFormedXml(bytes)) << name.toStdString();
      EXPECT_EQ(withoutSignatureBlocks(kept.at(name)), bytes) << name.toStdString();
      allFresh += bytes;
    }
  }

  const auto connection = openSqlite(database_);
  int parts = 0;
  for (const QString& table : {u"SPRAWOZDXML"_s, u"JBSPRAWOZDXML"_s}) {
    db::DataSet rows = db::openSql(*connection, u"select IDSPRAW, TYP, WYEKSPORTOWANY_XML from %1 where czy_epodpisane=1"_s.arg(table));
    for (rows.first(); !rows.eof(); rows.next()) {
      ++parts;
      const QString text = rows.text(u"WYEKSPORTOWANY_XML");
      SCOPED_TRACE(rows.integer(u"IDSPRAW"));
      ASSERT_FALSE(text.isEmpty());
      EXPECT_TRUE(allFresh.contains("\r\n" + text.toUtf8() + "\r\n")) << text.toStdString();
      // A part of the city's Rb-50 keeps both kinds of task, as the export writes them.
      if (!rows.isNull(u"TYP")) {
        EXPECT_EQ(text.count(u"<Rb-50"_s + rows.text(u"TYP") + u" Id="_s), 2);
        EXPECT_TRUE(text.contains(u"<RodzajZadania>Gminna</RodzajZadania>"_s));
        EXPECT_TRUE(text.contains(u"<RodzajZadania>Powiatowa</RodzajZadania>"_s));
      }
    }
  }
  // The city's Rb-27s, Rb-50 (D and W), Rb-N and B-Wyk; Rb-Z of unit 1, B-Jed of unit 2.
  EXPECT_EQ(parts, 7);
}

// Each stored signature on its own: it signs its report's kept XML (of the first part), as it
// stands in a package.
TEST(DemoSignatureRows, EachSignsItsKeptXml) {
  const auto connection = test::memoryDatabase(true);
  demo::fillDemoDatabase(*connection, 3);
  const QString sql = u"select p.IDSPRAW, p.DANE, p.PODPISUJACY, x.WYEKSPORTOWANY_XML from %1EPODPIS p join %1XML x "
                      u"on x.IDSPRAW=p.IDSPRAW where x.TYP is null or x.TYP='D' order by p.IDSPRAW"_s;
  int rows = 0;
  for (const QString& table : {u"SPRAWOZD"_s, u"JBSPRAWOZD"_s}) {
    db::DataSet signatures = db::openSql(*connection, sql.arg(table));
    for (signatures.first(); !signatures.eof(); signatures.next()) {
      ++rows;
      const QString kept = signatures.text(u"WYEKSPORTOWANY_XML");
      ASSERT_FALSE(kept.isEmpty()) << signatures.integer(u"IDSPRAW");
      const QByteArray package = test::signedPackage({kept}, {signatures.text(u"DANE")});
      ASSERT_TRUE(test::isWellFormedXml(package));
      const std::vector<signing::SignatureCheck> checks = signing::verifyPackage(package, signing::demoCaCertificatePem());
      ASSERT_EQ(checks.size(), 1u);
      EXPECT_TRUE(checks[0].verified()) << signatures.integer(u"IDSPRAW") << ": " << checks[0].message.toStdString();
      EXPECT_EQ(checks[0].trust, signing::Trust::Trusted);
      EXPECT_EQ(checks[0].signerName, signatures.text(u"PODPISUJACY"));
    }
  }
  // Rb-27s (2), Rb-N (2) and B-Wyk (1) of the city; Rb-Z of unit 1, B-Jed of unit 2.
  EXPECT_EQ(rows, 7);
}

}  // namespace
}  // namespace wertalo
