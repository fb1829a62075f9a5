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

#include "core/demo/demo_installation.h"
#include "core/signing/demo_keys.h"
#include "signed_package.h"
#include "support/cli_run.h"
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
    {"miasto", {}, false, 2},  // Rb-27s: the treasurer and the mayor
    {"miasto-jeden", {}, true, 2},
    {"jednostki", {u"--jb"_s, u"1,2,3"_s}, false, 0},
    {"jednostki-jeden", {u"--jb"_s, u"1,2,3"_s}, true, 0},
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

}  // namespace
}  // namespace wertalo
