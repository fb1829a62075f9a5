// `wertalo-cli verify`: the table, the JSON and the exit codes, on packages built the way the
// saving builds them.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/signing/demo_keys.h"
#include "signed_package.h"
#include "support/cli_run.h"

namespace wertalo {
namespace {

using namespace Qt::StringLiterals;

test::CliResult verify(const QStringList& args) {
  return test::runCli(QStringLiteral(WERTALO_CLI_PATH), QStringList{u"verify"_s} + args, QString());
}

class VerifyCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    const QString rb27s = test::keptReport(u"Rb-27s"_s, 1001, u"18377012.48"_s);
    const QString bwyk = test::keptReport(u"B-Wyk"_s, 1002, u"1912004.10"_s);
    package = test::signedPackage({rb27s, bwyk}, {signing::signWithDemoKey(rb27s, u"skarbnik-miasta"_s),
                                                  signing::signWithDemoKey(bwyk, u"prezydent-miasta"_s)});
    good = file(u"dobra.xml"_s, package);
    QByteArray changed = package;
    changed.replace("<DW>1912004.10</DW>", "<DW>1912004.11</DW>");
    altered = file(u"zmieniona.xml"_s, changed);
    unsignedFile = file(u"bez-podpisow.xml"_s, test::signedPackage({rb27s}, {}));
    malformed = file(u"uszkodzona.xml"_s, package.left(package.size() / 2));
    missingReport = file(u"bez-sprawozdania.xml"_s, test::signedPackage({bwyk}, {signing::signWithDemoKey(rb27s, u"skarbnik-miasta"_s)}));
    ca = file(u"ca.pem"_s, signing::demoCaCertificatePem());
    notIssuer = file(u"nie-wystawca.pem"_s, signing::demoSignerKey(u"prezydent-miasta"_s).certificatePem);
  }
  QString file(const QString& name, const QByteArray& bytes) { return test::writeFile(dir.filePath(name), bytes); }

  QTemporaryDir dir;
  QByteArray package;
  QString good, altered, unsignedFile, malformed, missingReport, ca, notIssuer;
};

TEST_F(VerifyCommand, AllSignaturesGoodIsExitZeroWithOneRowPerSignature) {
  const test::CliResult r = verify({good});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.startsWith(u"Plik"_s)) << r.out.toStdString();
  const QStringList lines = r.out.split(u'\n');
  ASSERT_GE(lines.size(), 4);
  EXPECT_TRUE(lines[0].contains(u"Sprawozdanie"_s) && lines[0].contains(u"Podpisujący"_s) && lines[0].contains(u"Wynik"_s));
  EXPECT_TRUE(lines[2].contains(u"Rb-27s1001"_s) && lines[2].contains(u"Anna Nowak"_s) && lines[2].endsWith(u"poprawny"_s)) << lines[2].toStdString();
  EXPECT_TRUE(lines[3].contains(u"B-Wyk1002"_s) && lines[3].contains(u"Tadeusz Żółkiewski"_s) && lines[3].endsWith(u"poprawny"_s));
  EXPECT_TRUE(r.out.contains(u"Podpisów: 2, poprawnych: 2, niepoprawnych: 0; plików bez podpisów: 0, plików z błędem: 0."_s));

  const test::CliResult trusted = verify({u"--ca"_s, ca, good});
  EXPECT_EQ(trusted.exitCode, 0);
  EXPECT_EQ(trusted.out.count(u"poprawny, zaufany"_s), 2) << trusted.out.toStdString();
}

TEST_F(VerifyCommand, AChangedReportIsExitThreeAndNamesTheSignature) {
  const test::CliResult r = verify({good, altered});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(r.out.count(u"NIEPOPRAWNY"_s), 1) << r.out.toStdString();
  EXPECT_TRUE(r.out.contains(u"B-Wyk1002     Tadeusz Żółkiewski  NIEPOPRAWNY: Treść #B-Wyk1002 różni się od podpisanej (niezgodny skrót)"_s))
      << r.out.toStdString();
  EXPECT_TRUE(r.out.contains(u"Podpisów: 4, poprawnych: 3, niepoprawnych: 1;"_s));
}

TEST_F(VerifyCommand, ExitCodesForEachKindOfFile) {
  const struct {
    const char* what;
    QStringList args;
    int exitCode;
    const char* inOut;
    const char* inErr;
  } cases[] = {
      {"no signatures", {unsignedFile}, 3, "brak podpisów", ""},
      {"the signed report missing", {missingReport}, 3, "NIEPOPRAWNY: Podpis odwołuje się do #Rb-27s1001, którego nie ma w pliku", ""},
      {"untrusted issuer", {u"--ca"_s, notIssuer, good}, 3, "Certyfikat podpisującego nie pochodzi od zaufanego wystawcy", ""},
      {"malformed", {malformed}, 1, "BŁĄD: Plik nie jest poprawnym dokumentem XML", "Plik nie jest poprawnym dokumentem XML (wiersz "},
      {"malformed among good ones", {good, malformed, altered}, 1, "plików z błędem: 1", "uszkodzona.xml"},
      {"missing file", {dir.filePath(u"brak.xml"_s)}, 1, "", "Nie można odczytać pliku"},
      {"unreadable trusted certificates", {u"--ca"_s, dir.filePath(u"brak.pem"_s), good}, 1, "", "Nie można odczytać pliku certyfikatów zaufanych"},
      {"trusted certificates without a certificate", {u"--ca"_s, unsignedFile, good}, 1, "", "nie zawiera certyfikatu w formacie PEM"},
      {"no file", {}, 2, "", "Nie podano pliku do sprawdzenia"},
      {"unknown option", {u"--fast"_s, good}, 2, "", "Nieznana opcja: --fast"},
      {"--ca without value", {good, u"--ca"_s}, 2, "", "Opcja --ca wymaga wartości"},
      {"--ca twice", {u"--ca"_s, ca, u"--ca"_s, ca, good}, 2, "", "Opcję --ca podano więcej niż raz"},
      {"help", {u"--help"_s}, 0, "Użycie: wertalo-cli verify PLIK... [--ca PLIK] [--json]", ""},
  };
  for (const auto& c : cases) {
    const test::CliResult r = verify(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.what << "\n" << r.out.toStdString() << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QString::fromUtf8(c.inOut))) << c.what << ": " << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.inErr))) << c.what << ": " << r.err.toStdString();
  }
}

TEST_F(VerifyCommand, JsonForScripts) {
  const test::CliResult r = verify({u"--json"_s, u"--ca"_s, ca, good, altered, malformed, unsignedFile});
  EXPECT_EQ(r.exitCode, 1);
  QJsonParseError error;
  const QJsonDocument json = QJsonDocument::fromJson(r.out.toUtf8(), &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
  EXPECT_FALSE(json[u"verified"_s].toBool(true));
  const QJsonArray files = json[u"files"_s].toArray();
  ASSERT_EQ(files.size(), 4);
  EXPECT_EQ(files[0][u"file"_s].toString(), good);

  const QJsonArray signatures = files[1][u"signatures"_s].toArray();
  ASSERT_EQ(signatures.size(), 2);
  const QJsonObject first = signatures[0].toObject();
  EXPECT_EQ(first[u"index"_s].toInt(), 1);
  EXPECT_EQ(first[u"reference"_s].toString(), u"#Rb-27s1001"_s);
  EXPECT_EQ(first[u"references"_s][0][u"element"_s].toString(), u"Rb-27s"_s);
  EXPECT_EQ(first[u"signer"_s].toString(), u"Anna Nowak"_s);
  EXPECT_TRUE(first[u"subject"_s].toString().startsWith(u"CN=Anna Nowak,"_s));
  EXPECT_EQ(first[u"trust"_s].toString(), u"trusted"_s);
  EXPECT_TRUE(first[u"verified"_s].toBool());
  const QJsonObject second = signatures[1].toObject();
  EXPECT_FALSE(second[u"digestOk"_s].toBool(true));
  EXPECT_TRUE(second[u"valueOk"_s].toBool());
  EXPECT_FALSE(second[u"verified"_s].toBool(true));
  EXPECT_EQ(second[u"message"_s].toString(), u"Treść #B-Wyk1002 różni się od podpisanej (niezgodny skrót)"_s);

  EXPECT_TRUE(files[2][u"error"_s].toString().startsWith(u"Plik nie jest poprawnym dokumentem XML"_s));
  EXPECT_TRUE(files[2][u"signatures"_s].toArray().isEmpty());
  EXPECT_TRUE(files[3][u"signatures"_s].toArray().isEmpty());
  EXPECT_FALSE(files[3].toObject().contains(u"error"_s));

  const test::CliResult ok = verify({u"--json"_s, good});
  EXPECT_EQ(ok.exitCode, 0);
  EXPECT_TRUE(QJsonDocument::fromJson(ok.out.toUtf8())[u"verified"_s].toBool());
  EXPECT_EQ(QJsonDocument::fromJson(ok.out.toUtf8())[u"files"_s][0][u"signatures"_s][0][u"trust"_s].toString(), u"not-checked"_s);
}

}  // namespace
}  // namespace wertalo
