// `wertalo-cli export --zip` and `--external`: the archive of an export and the hand-over to
// the product's sending program, on the demo installation.
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <map>

#include "archive_read.h"
#include "cli_run.h"
#include "core/demo/demo_installation.h"
#include "support/xml_check.h"

namespace wertalo {
namespace {

using test::CliResult;

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The entries of an archive by name, with their bytes.
std::map<QString, QByteArray> archiveEntries(const QString& path) {
  std::map<QString, QByteArray> entries;
  for (const auto& [name, entry] : test::readArchive(path)) entries[name] = entry.bytes;
  return entries;
}

// The files of a folder by name, with their bytes.
std::map<QString, QByteArray> folderFiles(const QString& folder) {
  std::map<QString, QByteArray> files;
  for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name))
    files[name] = fileBytes(folder + QLatin1Char('/') + name);
  return files;
}

class ExportSending : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    install = demo::createDemoInstallation({dir.filePath(QStringLiteral("demo")), 1});
    out = dir.filePath(QStringLiteral("eksport"));
    pathMain = QFileInfo(install.configFile).path();
  }
  CliResult exportWith(const QStringList& extra, const test::CliLimits& limits = {}) {
    return test::runWertaloCliLimited(dir.filePath(QStringLiteral("config")),
                                      QStringList{QStringLiteral("export"), QStringLiteral("--win-ini"), install.winIni,
                                                  QStringLiteral("--out"), out} +
                                          extra,
                                      limits);
  }
  // The installation becomes the budget-unit product's (WIN.INI names it under JSTJB).
  void makeBudgetUnitProduct() {
    QFile win(install.winIni);
    ASSERT_TRUE(win.open(QIODevice::WriteOnly | QIODevice::Truncate));
    win.write(QStringLiteral("[KALMETO]\r\nJSTJB=%1\r\n").arg(install.configFile).toUtf8());
  }
  // The sending program is a script of this test: it records its arguments, one a line.
  QString writeStubSender() {
    const QString marker = dir.filePath(QStringLiteral("otrzymane"));
    QFile script(install.sender);
    EXPECT_TRUE(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
    script.write(("#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + marker + ".tmp' && mv '" + marker + ".tmp' '" + marker + "'\n").toUtf8());
    script.close();
    QFile::setPermissions(install.sender, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return marker;
  }

  QTemporaryDir dir;
  demo::DemoInstallation install;
  QString out;
  QString pathMain;
};

TEST_F(ExportSending, ZipHoldsTheWrittenFilesByBareNamesAndEndsWithItsPath) {
  const CliResult r = exportWith({QStringLiteral("--zip")});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QString archive = r.out.trimmed().section(QLatin1Char('\n'), -1);
  static const QRegularExpression name(QStringLiteral("^jst_[0-9A-L]_[0-9]{2}__\\{[0-9A-F-]{36}\\}\\.zip$"));
  EXPECT_TRUE(name.match(QFileInfo(archive).fileName()).hasMatch()) << archive.toStdString();
  EXPECT_EQ(QFileInfo(archive).path(), out);

  std::map<QString, QByteArray> xml = folderFiles(out);
  xml.erase(QFileInfo(archive).fileName());
  ASSERT_GE(xml.size(), 4u);
  const auto entries = archiveEntries(archive);
  ASSERT_EQ(entries.size(), xml.size());
  for (const auto& [file, bytes] : xml) {
    ASSERT_TRUE(entries.count(file)) << file.toStdString();
    EXPECT_EQ(entries.at(file), bytes) << file.toStdString();
    EXPECT_TRUE(test::isWellFormedXml(entries.at(file))) << file.toStdString();
  }
}

TEST_F(ExportSending, DeletePackedLeavesOnlyTheArchive) {
  const CliResult r = exportWith({QStringLiteral("--zip"), QStringLiteral("--delete-packed"), QStringLiteral("--json")});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
  const QString archive = o[QStringLiteral("archive")].toString();
  EXPECT_TRUE(o[QStringLiteral("deletedPacked")].toBool());
  EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(archive).fileName()});
  // Every file the export wrote is in the archive.
  const auto entries = archiveEntries(archive);
  const QJsonArray files = o[QStringLiteral("files")].toArray();
  ASSERT_FALSE(files.isEmpty());
  EXPECT_EQ(entries.size(), static_cast<size_t>(files.size()));
  for (const QJsonValue& file : files)
    EXPECT_TRUE(entries.count(QFileInfo(file[QStringLiteral("path")].toString()).fileName())) << file[QStringLiteral("path")].toString().toStdString();
}

TEST_F(ExportSending, AFailedPackingLeavesNoArchiveAndDeletesNothing) {
  // The package goes to a writable folder, the archive into the export folder, which is read-only.
  QDir().mkpath(out);
  const QString package = dir.filePath(QStringLiteral("paczka/Sprawozdania.xml"));
  QDir().mkpath(QFileInfo(package).path());
  ASSERT_TRUE(QFile::setPermissions(out, QFile::ReadOwner | QFile::ExeOwner));
  const CliResult r = exportWith({QStringLiteral("--single-file"), package, QStringLiteral("--zip"), QStringLiteral("--delete-packed")},
                                 {.obeyPermissions = true});
  QFile::setPermissions(out, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains(QStringLiteral("Nie można spakować plików do archiwum \"") + out + QStringLiteral("/jst_"))) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains(QStringLiteral("Permission denied\nŻaden plik nie został usunięty."))) << r.err.toStdString();
  EXPECT_TRUE(QDir(out).isEmpty());
  EXPECT_TRUE(test::isWellFormedXml(fileBytes(package)));
  // What was written is still said.
  EXPECT_TRUE(r.out.contains(QStringLiteral("Sprawozdania.xml"))) << r.out.toStdString();
}

// The descriptor and the command file, to the byte, for each product, with and without a login.
struct ExternalCase {
  const char* name;
  bool budgetUnitProduct;
  const char* login;
  const char* userLines;  // the descriptor's user part
};

class ExternalSending : public ExportSending, public ::testing::WithParamInterface<ExternalCase> {};

TEST_P(ExternalSending, TheProgramGetsTheDescriptorPath) {
  const ExternalCase& c = GetParam();
  if (c.budgetUnitProduct) makeBudgetUnitProduct();
  const QString marker = writeStubSender();
  QStringList args{QStringLiteral("--external"), QStringLiteral("--json")};
  if (c.budgetUnitProduct) args << QStringLiteral("--jb") << QStringLiteral("1");
  if (*c.login != '\0') args << QStringLiteral("--login") << QString::fromUtf8(c.login);
  const CliResult r = exportWith(args);
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
  const QString archive = o[QStringLiteral("archive")].toString();
  ASSERT_TRUE(QFile::exists(archive)) << r.out.toStdString();
  EXPECT_TRUE(QFileInfo(archive).fileName().startsWith(QString::fromLatin1(c.budgetUnitProduct ? "jb__" : "jst_")));
  const QString descriptor = out + QStringLiteral("/eksport.xml");
  const QJsonObject external = o[QStringLiteral("external")].toObject();
  EXPECT_EQ(external[QStringLiteral("descriptor")].toString(), descriptor);
  EXPECT_TRUE(external[QStringLiteral("started")].toBool());

  const QString system = c.budgetUnitProduct ? QStringLiteral("Kalmeto Morsal") : QStringLiteral("Kalmeto Tervik");
  const QByteArray expected = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<filerepository>\r\n  <system>" +
                              system.toUtf8() + "</system>\r\n  <filepath>" + archive.toUtf8() + "</filepath>\r\n  <description>" +
                              archive.toUtf8() + "</description>\r\n" + QByteArray(c.userLines) + "</filerepository>\r\n";
  EXPECT_EQ(fileBytes(descriptor), expected);
  EXPECT_TRUE(test::isWellFormedXml(fileBytes(descriptor)));
  EXPECT_EQ(fileBytes(pathMain + QStringLiteral("/wysylka.txt")),
            ("\"" + install.sender + "\" \"" + descriptor + "\"\r\n").toUtf8());

  QDeadlineTimer deadline(30000);
  while (!QFile::exists(marker) && !deadline.hasExpired()) QThread::msleep(10);
  EXPECT_EQ(fileBytes(marker), (descriptor + QStringLiteral("\n")).toUtf8());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExternalSending,
    ::testing::Values(
        ExternalCase{"UnitWithLogin", false, "anowak",
                     "  <user>\r\n    <id>1</id>\r\n    <login>anowak</login>\r\n    <firstname>Anna</firstname>\r\n"
                     "    <lastname>Nowak</lastname>\r\n  </user>\r\n"},
        ExternalCase{"UnitWithoutLogin", false, "", ""},
        ExternalCase{"BudgetUnitsWithLogin", true, "kwisniewska",
                     "  <user>\r\n    <id>2</id>\r\n    <login>kwisniewska</login>\r\n    <firstname>Krystyna</firstname>\r\n"
                     "    <lastname>Wiśniewska-Żak</lastname>\r\n  </user>\r\n"},
        ExternalCase{"BudgetUnitsWithoutLogin", true, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExportSending, ExternalSendingIsCheckedBeforeAnythingIsWritten) {
  // An unknown login, and an installation without a sending program: nothing is exported.
  const CliResult unknown = exportWith({QStringLiteral("--external"), QStringLiteral("--login"), QStringLiteral("nikt")});
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_TRUE(unknown.err.contains(QStringLiteral("Brak użytkownika o loginie \"nikt\""))) << unknown.err.toStdString();
  EXPECT_FALSE(QDir(out).exists() && !QDir(out).isEmpty());

  QFile config(install.configFile);
  ASSERT_TRUE(config.open(QIODevice::ReadOnly));
  const QByteArray text = config.readAll().replace("CommunicationSrv=wyslij.sh", "CommunicationSrv=");
  config.close();
  ASSERT_TRUE(config.open(QIODevice::WriteOnly | QIODevice::Truncate));
  config.write(text);
  config.close();
  const CliResult none = exportWith({QStringLiteral("--external")});
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_TRUE(none.err.contains(QStringLiteral("nie wskazuje programu wysyłającego (CommunicationSrv)"))) << none.err.toStdString();
  EXPECT_FALSE(QDir(out).exists() && !QDir(out).isEmpty());
}

TEST_F(ExportSending, ASendingProgramThatDoesNotStartIsAnErrorAndTheParcelStays) {
  ASSERT_TRUE(QFile::remove(install.sender));
  const CliResult r = exportWith({QStringLiteral("--external"), QStringLiteral("--json")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains(QStringLiteral("Nie można uruchomić programu wysyłającego \"") + install.sender)) << r.err.toStdString();
  const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
  EXPECT_FALSE(o[QStringLiteral("external")].toObject()[QStringLiteral("started")].toBool(true)) << r.out.toStdString();
  EXPECT_EQ(o[QStringLiteral("error")][QStringLiteral("kind")].toString(), QStringLiteral("sending")) << r.out.toStdString();
  // The archive and its descriptor are left to be sent later.
  EXPECT_TRUE(QFile::exists(o[QStringLiteral("archive")].toString())) << r.out.toStdString();
  EXPECT_TRUE(test::isWellFormedXml(fileBytes(out + QStringLiteral("/eksport.xml"))));
}

}  // namespace
}  // namespace wertalo
