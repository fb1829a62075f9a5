// The demo installation: the files it writes, its refusals, the same bytes on every run, and
// the same data on the local file and on the Firebird server.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

#include "core/db/connection.h"
#include "core/db/db_error.h"
#include "core/db/firebird_create.h"
#include "core/db/query.h"
#include "core/demo/demo_installation.h"
#include "support/databases.h"
#include "support/golden_compare.h"
#include "table_dump.h"

namespace wertalo::demo {
namespace {

using namespace Qt::StringLiterals;

QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::unique_ptr<db::Connection> openLocal(const QString& file) {
  auto c = std::make_unique<db::Connection>();
  db::ConnectionSettings s;
  s.sqliteFile = file;
  c->open(s);
  return c;
}

TEST(DemoInstallation, WritesWinIniConfigurationSenderAndDatabase) {
  QTemporaryDir tmp;
  const QString dir = tmp.path() + u"/demo"_s;
  const DemoInstallation made = createDemoInstallation({dir, 2, {}, {}, {}});

  EXPECT_EQ(made.winIni, dir + u"/win.ini"_s);
  EXPECT_EQ(readAll(made.winIni), (u"[KALMETO]\nTERVIK="_s + dir + u"/Tervik/Tervik.ini\n"_s).toUtf8());
  EXPECT_EQ(made.configFile, dir + u"/Tervik/Tervik.ini"_s);
  EXPECT_EQ(readAll(made.configFile), (u"[configTervik]\nPathData="_s + dir + u"/Tervik/Dane\nPathMain="_s + dir +
                                       u"/Tervik\nPathBufor="_s + dir +
                                       u"/Tervik/Bufor/\nCommunicationSrv=wyslij.sh\nGDBPath=\n\n[Eksport obcy]\n"_s)
                                          .toUtf8());
  EXPECT_EQ(made.database, dir + u"/Tervik/Dane/dane.sqlite"_s);
  EXPECT_TRUE(QFileInfo(made.database).isFile());
  EXPECT_EQ(made.content.units, 2);
  EXPECT_GT(made.content.reports, 100);

  // Nothing else: the folders that hold the files, and the files.
  EXPECT_EQ(made.created, (QStringList{dir, dir + u"/Tervik"_s, dir + u"/Tervik/Dane"_s, made.database, made.sender,
                                       made.configFile, made.winIni}));
  QStringList found;
  QDirIterator::IteratorFlags flags = QDirIterator::Subdirectories;
  for (QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, flags); it.hasNext();) found.append(it.next());
  found.sort();
  QStringList expected = made.created.mid(1);
  expected.sort();
  EXPECT_EQ(found, expected);
}

TEST(DemoInstallation, SenderRecordsTheArgumentItIsStartedWith) {
  QTemporaryDir tmp;
  const DemoInstallation made = createDemoInstallation({tmp.path() + u"/d"_s, 1, {}, {}, {}});
  EXPECT_EQ(made.sender, tmp.path() + u"/d/Tervik/wyslij.sh"_s);
  EXPECT_TRUE(QFileInfo(made.sender).isExecutable());
  for (const QString& arg : {u"/tmp/eksport 1.xml"_s, u"/tmp/Łódź/eksport.xml"_s}) {
    QProcess p;
    p.start(made.sender, {arg});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 0);
  }
  EXPECT_EQ(readAll(tmp.path() + u"/d/Tervik/wyslane.txt"_s), u"/tmp/eksport 1.xml\n/tmp/Łódź/eksport.xml\n"_s.toUtf8());
}

TEST(DemoInstallation, RefusesAFolderThatIsNotEmptyAndLeavesItAlone) {
  QTemporaryDir tmp;
  QFile f(tmp.path() + u"/dane.txt"_s);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  try {
    createDemoInstallation({tmp.path(), 1, {}, {}, {}});
    FAIL() << "created";
  } catch (const DemoError& e) {
    EXPECT_EQ(e.message(), u"Katalog "_s + QDir::cleanPath(tmp.path()) +
                               u" nie jest pusty; instalacja demonstracyjna powstaje w pustym katalogu."_s);
  }
  EXPECT_EQ(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{u"dane.txt"_s});
}

TEST(DemoInstallation, RefusesNoUnits) {
  QTemporaryDir tmp;
  EXPECT_THROW(createDemoInstallation({tmp.path() + u"/x"_s, 0, {}, {}, {}}), DemoError);
  EXPECT_FALSE(QFileInfo::exists(tmp.path() + u"/x"_s));
}

TEST(DemoInstallation, FailureOnTheServerLeavesNothingBehind) {
  QTemporaryDir tmp;
  // No server listens on this port: the database cannot be made.
  DemoOptions o{tmp.path() + u"/x"_s, 1, u"127.0.0.1/1:/nonexistent/x.fdb"_s, u"SYSDBA"_s, u"x"_s};
  EXPECT_THROW(createDemoInstallation(o), db::DbError);
  EXPECT_FALSE(QFileInfo::exists(tmp.path() + u"/x"_s));
}

TEST(DemoInstallation, SameCommandGivesTheSameBytes) {
  QTemporaryDir tmp;
  const QString dir = tmp.path() + u"/same"_s;
  auto run = [&] {
    const DemoInstallation made = createDemoInstallation({dir, 3, {}, {}, {}});
    QList<QByteArray> files = {readAll(made.winIni), readAll(made.configFile), readAll(made.sender), readAll(made.database)};
    auto c = openLocal(made.database);
    const QStringList dump = test::dumpDatabase(*c);
    c.reset();
    QDir(dir).removeRecursively();
    return std::make_pair(files, dump);
  };
  const auto first = run();
  const auto second = run();
  EXPECT_EQ(first.first, second.first);
  EXPECT_TRUE(test::sameLines(first.second, second.second));
  EXPECT_GT(first.second.size(), 1000);
}

TEST(DemoOnFirebird, HoldsTheSameRowsAsTheLocalDatabase) {
  WERTALO_REQUIRE_FIREBIRD();
  test::FirebirdDatabase server;
  QTemporaryDir tmp;
  const DemoInstallation local = createDemoInstallation({tmp.path() + u"/local"_s, kDefaultUnits, {}, {}, {}});
  const db::ConnectionSettings s = server.settings();
  const DemoInstallation remote = createDemoInstallation({tmp.path() + u"/server"_s, kDefaultUnits, s.server, s.user, s.password});
  EXPECT_FALSE(remote.databaseCreated);  // the test database existed, empty
  EXPECT_EQ(remote.database, s.server);
  EXPECT_EQ(remote.content.rows, local.content.rows);
  EXPECT_FALSE(QFileInfo::exists(tmp.path() + u"/server/Tervik/Dane"_s));

  const QByteArray config = readAll(remote.configFile);
  EXPECT_TRUE(config.contains((u"GDBPath="_s + s.server + u'\n').toUtf8()));
  EXPECT_TRUE(config.contains((u"UserInterbase="_s + s.user + u'\n').toUtf8()));
  EXPECT_TRUE(config.contains((u"PasswordInterbase="_s + s.password + u'\n').toUtf8()));
  EXPECT_EQ(QFileInfo(remote.configFile).permissions() & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());

  auto sqlite = openLocal(local.database);
  auto firebird = server.connect();
  EXPECT_TRUE(test::sameLines(test::dumpDatabase(*sqlite), test::dumpDatabase(*firebird)));
}

TEST(DemoOnFirebird, CreatesTheDatabaseWhenMissingAndRefusesAFilledOne) {
  WERTALO_REQUIRE_FIREBIRD();
  const QString server = qEnvironmentVariable("WERTALO_FB_HOST") + u':' + qEnvironmentVariable("WERTALO_FB_DIR") +
                         u"/demo-"_s + QUuid::createUuid().toString(QUuid::Id128) + u".fdb"_s;
  const QString user = qEnvironmentVariable("WERTALO_FB_USER");
  const QString password = qEnvironmentVariable("WERTALO_FB_PASSWORD");
  QTemporaryDir tmp;
  const DemoInstallation made = createDemoInstallation({tmp.path() + u"/a"_s, 1, server, user, password});
  EXPECT_TRUE(made.databaseCreated);
  {
    db::Connection c;
    db::ConnectionSettings s;
    s.engine = db::Engine::Firebird;
    s.server = server;
    s.user = user;
    s.password = password;
    c.open(s);
    EXPECT_EQ(db::openSql(c, u"select count(*) as N from JBOBS"_s).integer(u"N"), 32);
  }
  try {
    createDemoInstallation({tmp.path() + u"/b"_s, 1, server, user, password});
    ADD_FAILURE() << "filled twice";
  } catch (const DemoError& e) {
    EXPECT_EQ(e.message(), u"Baza danych "_s + server + u" nie jest pusta; instalację demonstracyjną wczytuje się do pustej bazy."_s);
  }
  EXPECT_FALSE(QFileInfo::exists(tmp.path() + u"/b"_s));
  db::dropFirebirdDatabase(server, user, password);
  EXPECT_TRUE(db::ensureFirebirdDatabase(server, user, password));  // it was gone: made anew
  db::dropFirebirdDatabase(server, user, password);
}

}  // namespace
}  // namespace wertalo::demo
