// The demo's signatures as they leave in packages: `wertalo-cli export` of the demo, one file
// per report and the whole package in one file, for the city and its budget units, reports and
// balance sheets; every signature in every file verifies with `wertalo-cli verify` and with
// the xmlsec1 tool, and a changed byte is caught by both.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

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
    {"miasto", {}, false, 5},  // Rb-27s and Rb-N: the treasurer and the mayor; Rb-50: the treasurer
    {"miasto-jeden", {}, true, 5},
    {"jednostki", {u"--jb"_s, u"1,2,3"_s}, false, 1},  // Rb-Z of unit 1: the chief accountant
    {"jednostki-jeden", {u"--jb"_s, u"1,2,3"_s}, true, 1},
    {"bilanse", {u"--kind"_s, u"balances"_s}, false, 1},  // B-Wyk: the treasurer
    {"bilanse-jeden", {u"--kind"_s, u"balances"_s}, true, 1},
    {"bilanse-jednostek", {u"--kind"_s, u"balances"_s, u"--jb"_s, u"1,2,3"_s}, false, 1},  // B-Jed of unit 2
    {"bilanse-jednostek-jeden", {u"--kind"_s, u"balances"_s, u"--jb"_s, u"1,2,3"_s}, true, 1},
};

class DemoSignatures : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    ASSERT_TRUE(dir_->isValid());
    const demo::DemoInstallation install = demo::createDemoInstallation({dir_->filePath(u"demo"_s), 3});
    for (const DemoExportRun& run : kRuns) {
      const QString folder = dir_->filePath(QString::fromLatin1(run.folder));
      QStringList args{u"export"_s, u"--win-ini"_s, install.winIni, u"--out"_s, folder, u"--all-statuses"_s};
      args += run.options;
      if (run.singleFile) {
        QDir().mkpath(folder);
        args << u"--single-file"_s << folder + u"/Paczka.xml"_s;
      }
      const CliResult r = runCli(config(), args);
      ASSERT_EQ(r.exitCode, 0) << run.folder << ": " << r.err.toStdString();
    }
    test::writeFile(caFile(), signing::demoCaCertificatePem());
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  static QString config() { return dir_->filePath(u"config"_s); }
  static QString caFile() { return dir_->filePath(u"demo-ca.pem"_s); }
  // The files of a run, by path, with their bytes.
  static std::map<QString, QByteArray> files(const DemoExportRun& run) {
    std::map<QString, QByteArray> found;
    QDirIterator it(dir_->filePath(QString::fromLatin1(run.folder)), {u"*.xml"_s}, QDir::Files);
    while (it.hasNext()) {
      QFile f(it.next());
      EXPECT_TRUE(f.open(QIODevice::ReadOnly));
      found[f.fileName()] = f.readAll();
    }
    return found;
  }
  static int signatureCount(const QByteArray& bytes) { return static_cast<int>(bytes.count("<ds:Signature ")); }

  static QTemporaryDir* dir_;
};

QTemporaryDir* DemoSignatures::dir_ = nullptr;

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
    for (const auto& [path, bytes] : all) {
      EXPECT_TRUE(test::isWellFormedXml(bytes)) << path.toStdString();
      signatures += signatureCount(bytes);
      if (signatureCount(bytes) > 0) signedFiles << path;
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

    for (const QString& path : signedFiles) {
      const QByteArray& bytes = all.at(path);
      for (int n = 1; n <= signatureCount(bytes); ++n) {
        const test::ToolResult tool = test::xmlsecVerify(path, test::reportElementNames(bytes), n, caFile());
        EXPECT_EQ(tool.exitCode, 0) << path.toStdString() << " #" << n << ": " << tool.output.toStdString();
      }
    }
  }
}

TEST_F(DemoSignatures, AByteChangedInAnExportedSignedReportIsCaughtByBoth) {
  const DemoExportRun& run = kRuns[1];  // the city's reports in one file
  const auto all = files(run);
  ASSERT_EQ(all.size(), 1u);
  QByteArray bytes = all.begin()->second;
  const qsizetype at = bytes.indexOf("<DW>18377012.48</DW>");
  ASSERT_GT(at, 0) << "the kept Rb-27s";
  bytes[at + 4] = '2';
  const QString changed = test::writeFile(dir_->filePath(u"zmieniona.xml"_s), bytes);

  const CliResult r = runCli(config(), {u"verify"_s, changed});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(r.out.count(u"NIEPOPRAWNY: Treść #Rb-27s"_s), 2) << r.out.toStdString();
  for (int n = 1; n <= 2; ++n) EXPECT_NE(test::xmlsecVerify(changed, test::reportElementNames(bytes), n, caFile()).exitCode, 0);
}

// Also the signatures of reports the export does not write yet: each stored signature signs
// its report's kept XML (for Rb-50, part D), as it stands in a package.
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
  // Rb-27s (2), Rb-50 (1), Rb-N (2) and B-Wyk (1) of the city; Rb-Z of unit 1, B-Jed of unit 2.
  EXPECT_EQ(rows, 8);
}

}  // namespace
}  // namespace wertalo
