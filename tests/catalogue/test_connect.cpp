// Installation discovery: WIN.INI, the product's configuration file and the connection.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/base/error.h"
#include "core/package/registry.h"
#include "core/db/db_error.h"
#include "core/db/schema.h"
#include "core/package/paczka.h"
#include "core/platform/ini_file.h"
#include "fixture.h"

namespace wertalo::catalogue {
namespace {

const QString kInstallMessage =
    QStringLiteral("BŁĄD!! Niepoprawnie zainstalowany system \"TERVIK\". Program zakończy teraz pracę!");

void writeText(const QString& path, const QString& text) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(text.toUtf8());
}

// A folder with an installation: WIN.INI, configuration files and a database.
class Installation : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    root = dir.path();
    QDir(root).mkpath(QStringLiteral("Dane"));
    QDir(root).mkpath(QStringLiteral("DaneJB"));
    createDatabase(root + QStringLiteral("/Dane/dane.sqlite"));
    createDatabase(root + QStringLiteral("/DaneJB/dane.sqlite"));
  }

  static void createDatabase(const QString& path, const QStringList& dropTables = {}) {
    db::Connection c;
    db::ConnectionSettings s;
    s.sqliteFile = path;
    s.createIfMissing = true;
    c.open(s);
    db::applySchema(c);
    test::insertBaseRows(c);
    for (const QString& t : dropTables) test::exec(c, QStringLiteral("DROP TABLE %1;").arg(t));
  }

  QString winIni() const { return root + QStringLiteral("/win.ini"); }
  QString path(const char* name) const { return root + QLatin1Char('/') + QString::fromLatin1(name); }

  QTemporaryDir dir;
  QString root;
  platform::RecordingUserInterface ui;
};

TEST_F(Installation, LocalGovernmentProductWinsWhenBothAreInstalled) {
  writeText(winIni(), QStringLiteral("[KALMETO]\nTERVIK=%1\nJSTJB=%2\n").arg(path("tervik.ini"), path("jb.ini")));
  writeText(path("tervik.ini"), QStringLiteral("[configTervik]\nPathData=%1\\Dane\nPathMain=%1\\Tervik\n"
                                               "CommunicationSrv=wyslij.sh\nPathBufor=%1\\Bufor\\\n").arg(root));
  writeText(path("jb.ini"), QStringLiteral("[configJB]\nPathData=%1\\DaneJB\nPathMain=%1\\Morsal\n").arg(root));
  TdtmWertaloMain dtm(ui, winIni(), package::ReportRegistry::instance());
  ASSERT_NO_THROW(dtm.DataModuleCreate());
  EXPECT_EQ(dtm.RodzajProg(), rBudzetJST);
  EXPECT_EQ(dtm.installation().PathData, root + QStringLiteral("/Dane"));
  EXPECT_EQ(dtm.installation().CommunicationSrv, QStringLiteral("wyslij.sh"));
  EXPECT_EQ(dtm.installation().connection.engine, db::Engine::Sqlite);
  EXPECT_FALSE(dtm.installation().IsInterbase);
  EXPECT_TRUE(ui.messages().isEmpty());
}

TEST_F(Installation, OnlyTheBudgetUnitProductUsesItsConfigurationAndReadsNoUnitTables) {
  createDatabase(path("DaneJB/dane.sqlite").replace(QStringLiteral("dane.sqlite"), QStringLiteral("jb.sqlite")));
  QFile::remove(path("DaneJB/dane.sqlite"));
  createDatabase(path("DaneJB/dane.sqlite"), {QStringLiteral("SPRAWAKT"), QStringLiteral("SPRAWOZD"), QStringLiteral("SPRAWPLAN")});
  writeText(winIni(), QStringLiteral("[KALMETO]\nJSTJB=%1\n").arg(path("jb.ini")));
  // No "PathData" in configTervik and no configJST: configJB is chosen and every key comes from it.
  writeText(path("jb.ini"), QStringLiteral("[configTervik]\nPathMain=/zly\nCommunicationSrv=zly.sh\n"
                                           "[configJB]\nPathData=%1/DaneJB\nPathMain=%1/Morsal\nCommunicationSrv=jb.sh\n")
                                .arg(root));
  TdtmWertaloMain dtm(ui, winIni(), package::ReportRegistry::instance());
  ASSERT_NO_THROW(dtm.DataModuleCreate());
  EXPECT_EQ(dtm.RodzajProg(), rBudzetJB);
  EXPECT_EQ(dtm.installation().CommunicationSrv, QStringLiteral("jb.sh"));
  EXPECT_EQ(dtm.installation().PathMain, root + QStringLiteral("/Morsal"));
  EXPECT_FALSE(dtm.queries().qrSprawAkt.active);
  EXPECT_TRUE(dtm.queries().qrJBSprawAkt.active);
  dtm.setRodzajEksportu(rJB);
  dtm.SprawozdDoMemo(QString());  // reads no table of the local-government product either
  EXPECT_TRUE(dtm.memSelectSpraw().isEmpty());
}

TEST_F(Installation, ServerParametersTakeTheDefaultUserAndPassword) {
  writeText(winIni(), QStringLiteral("[KALMETO]\nTERVIK=%1\n").arg(path("tervik.ini")));
  writeText(path("tervik.ini"), QStringLiteral("[configTervik]\nPathData=%1/Dane\nGDBPath=  127.0.0.1/1:/nie/ma/bazy.fdb  \n"
                                               "UserInterbase=\nPasswordInterbase=\nPathMain=%1/Tervik\n").arg(root));
  TdtmWertaloMain dtm(ui, winIni(), package::ReportRegistry::instance());
  EXPECT_THROW(dtm.DataModuleCreate(), db::DbError);
  EXPECT_TRUE(dtm.installation().IsInterbase);
  EXPECT_EQ(dtm.installation().connection.engine, db::Engine::Firebird);
  EXPECT_EQ(dtm.installation().connection.server, QStringLiteral("127.0.0.1/1:/nie/ma/bazy.fdb"));
  EXPECT_EQ(dtm.installation().connection.user, QStringLiteral("SYSDBA"));
  EXPECT_EQ(dtm.installation().connection.password, QStringLiteral("zentrowal"));
}

TEST_F(Installation, BlankServerPathMeansTheLocalDatabase) {
  writeText(winIni(), QStringLiteral("[KALMETO]\nTERVIK=%1\n").arg(path("tervik.ini")));
  writeText(path("tervik.ini"), QStringLiteral("[configJST]\nPathData=%1/Dane\nGDBPath=    \nPathMain=%1/Tervik\n").arg(root));
  TdtmWertaloMain dtm(ui, winIni(), package::ReportRegistry::instance());
  ASSERT_NO_THROW(dtm.DataModuleCreate());
  EXPECT_EQ(dtm.installation().connection.engine, db::Engine::Sqlite);
  EXPECT_EQ(dtm.memMain().NAZWA, QStringLiteral("Miasto Poznań"));
}

TEST_F(Installation, CreationConnectsAndOpensTheCatalogue) {
  writeText(winIni(), QStringLiteral("[KALMETO]\nTERVIK=%1\n").arg(path("tervik.ini")));
  writeText(path("tervik.ini"), QStringLiteral("[configTervik]\nPathData=%1/Dane\nPathMain=%1/Tervik\n").arg(root));
  auto dtm = dtmWertaloCreate(ui, winIni(), package::ReportRegistry::instance());
  ASSERT_TRUE(dtm->DB().isOpen());
  // The latest year is chosen: the run preparation gives its period to the writer.
  EXPECT_EQ(dtm->PrzygotujDane(QString()).sRok, QStringLiteral("2014"));
}

TEST_F(Installation, ExportFolderIsWrittenAndCreatedWhenMissing) {
  writeText(winIni(), QStringLiteral("[KALMETO]\nTERVIK=%1\n").arg(path("tervik.ini")));
  writeText(path("tervik.ini"), QStringLiteral("[configTervik]\nPathData=%1/Dane\nPathMain=%1/Tervik\n[Eksport obcy]\n").arg(root));
  TdtmWertaloMain dtm(ui, winIni(), package::ReportRegistry::instance());
  ASSERT_NO_THROW(dtm.DataModuleCreate());
  EXPECT_EQ(platform::readProfileString(path("tervik.ini"), QStringLiteral("Eksport obcy"), QStringLiteral("BestiaDir")),
            root + QStringLiteral("/Tervik\\Bestia"));
  EXPECT_EQ(dtm.installation().PathBestia, root + QStringLiteral("/Tervik/Bestia"));
  EXPECT_TRUE(QDir(dtm.installation().PathBestia).exists());
  // A folder already configured is kept.
  platform::writeProfileString(path("tervik.ini"), QStringLiteral("Eksport obcy"), QStringLiteral("BestiaDir"), root + QStringLiteral("/inny/folder"));
  TdtmWertaloMain again(ui, winIni(), package::ReportRegistry::instance());
  ASSERT_NO_THROW(again.DataModuleCreate());
  EXPECT_EQ(again.installation().PathBestia, root + QStringLiteral("/inny/folder"));
  EXPECT_TRUE(QDir(again.installation().PathBestia).exists());
}

TEST_F(Installation, ExportFolderThatCannotBeMadeIsReportedAndStartGoesOn) {
  writeText(path("plik"), QStringLiteral("x"));
  writeText(winIni(), QStringLiteral("[KALMETO]\nTERVIK=%1\n").arg(path("tervik.ini")));
  writeText(path("tervik.ini"), QStringLiteral("[configTervik]\nPathData=%1/Dane\nPathMain=%1/Tervik\n"
                                               "[Eksport obcy]\nBestiaDir=%1/plik/Bestia\n").arg(root));
  TdtmWertaloMain dtm(ui, winIni(), package::ReportRegistry::instance());
  ASSERT_NO_THROW(dtm.DataModuleCreate());
  ASSERT_EQ(ui.messages().size(), 1);
  EXPECT_TRUE(ui.messages().first().startsWith(QStringLiteral("Nie można utworzyć folderu eksportu \"") + root + QStringLiteral("/plik/Bestia\"")));
  EXPECT_EQ(dtm.memMain().NAZWA, QStringLiteral("Miasto Poznań"));
}

TEST_F(Installation, WithoutAMainFolderNoExportFolderIsWritten) {
  writeText(winIni(), QStringLiteral("[KALMETO]\nTERVIK=%1\n").arg(path("tervik.ini")));
  writeText(path("tervik.ini"), QStringLiteral("[configTervik]\nPathData=%1/Dane\n").arg(root));
  TdtmWertaloMain dtm(ui, winIni(), package::ReportRegistry::instance());
  ASSERT_NO_THROW(dtm.DataModuleCreate());
  EXPECT_EQ(platform::readProfileString(path("tervik.ini"), QStringLiteral("Eksport obcy"), QStringLiteral("BestiaDir")), QString());
  EXPECT_TRUE(dtm.installation().PathBestia.isEmpty());
  EXPECT_TRUE(ui.messages().isEmpty());
}

struct BrokenCase {
  const char* name;
  const char* winIni;      // %1 = root
  const char* config;      // nullptr: none
  const char* detail;      // what the message says was read (%1 = root, %2 = WIN.INI)
};

class BrokenInstallation : public Installation, public ::testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenInstallation, RaisesTheInstallationMessage) {
  const BrokenCase& c = GetParam();
  writeText(winIni(), QString::fromUtf8(c.winIni).replace(QStringLiteral("%1"), root));
  if (c.config) writeText(path("tervik.ini"), QString::fromUtf8(c.config).replace(QStringLiteral("%1"), root));
  TdtmWertaloMain dtm(ui, winIni(), package::ReportRegistry::instance());
  try {
    dtm.DataModuleCreate();
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Installation);
    // The product's message, then the files read and what was missing there.
    EXPECT_EQ(e.message(), kInstallMessage + QLatin1Char('\n') + QString::fromUtf8(c.detail).replace(QStringLiteral("%1"), root).replace(QStringLiteral("%2"), winIni()));
  }
  EXPECT_TRUE(ui.messages().isEmpty());
  EXPECT_FALSE(dtm.DB().isOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenInstallation,
    ::testing::Values(BrokenCase{"NoWinIniEntry", "[KALMETO]\nINNY=x\n", nullptr,
                                 "WIN.INI: \"%2\": brak klucza TERVIK ani JSTJB w sekcji KALMETO"},
                      BrokenCase{"NoPathDataAnywhere", "[KALMETO]\nTERVIK=%1/tervik.ini\n",
                                 "[configTervik]\nPathMain=%1\n[configJST]\nPathData=\n",
                                 "WIN.INI: \"%2\" (klucz TERVIK w sekcji KALMETO)\nPlik konfiguracyjny: \"%1/tervik.ini\": brak klucza "
                                 "PathData w sekcjach configTervik, configJST i configJB"},
                      BrokenCase{"NoConfigurationFile", "[KALMETO]\nTERVIK=%1/nie-ma.ini\n", nullptr,
                                 "WIN.INI: \"%2\" (klucz TERVIK w sekcji KALMETO)\nPlik konfiguracyjny: \"%1/nie-ma.ini\": plik nie istnieje"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Installation, UnreadableConfigurationFileIsReported) {
  QDir(root).mkpath(QStringLiteral("katalog.ini"));  // a folder cannot be read as a file
  writeText(winIni(), QStringLiteral("[KALMETO]\nTERVIK=%1/katalog.ini\n").arg(root));
  TdtmWertaloMain dtm(ui, winIni(), package::ReportRegistry::instance());
  // Discovery goes on with what it can read; the database it then names does not exist.
  EXPECT_THROW(dtm.DataModuleCreate(), db::DbError);
  EXPECT_EQ(ui.messages(), QStringList{QStringLiteral("Błąd podczas odczytu pliku konfiguracyjnego ") + root + QStringLiteral("/katalog.ini")});
}

}  // namespace
}  // namespace wertalo::catalogue
