// The product's sending program: descriptor, command file, preview, user, and its start.
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include "core/db/connection.h"
#include "core/db/data_set.h"
#include "core/db/query.h"
#include "core/db/schema.h"
#include "core/platform/platform_error.h"
#include "core/sending/external_sender.h"
#include "core/sending/sending_error.h"
#include "support/databases.h"
#include "support/xml_check.h"
#include "temp_files.h"

namespace wertalo::sending {
namespace {

const QString kArchive = QStringLiteral("/home/skarbnik/Bestia/jb__C_13_12345678900001_{0F8FAD5B-D9CB-469F-A165-70867728950E}.zip");

const SenderUser kUser{"7", "anowak", "Anna & Jan", "Nowak <Kowalska>"};

TEST(ExternalSender, OfferedOnlyWhenTheProductNamesAProgram) {
  EXPECT_FALSE(MozliwaWysylkaOldschoolowa(""));
  EXPECT_TRUE(MozliwaWysylkaOldschoolowa("KomSrv.exe"));
}

TEST(ExternalSender, DescriptorForEachProductWithAndWithoutUser) {
  const QByteArray head = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<filerepository>\r\n";
  const QByteArray user =
      "  <user>\r\n"
      "    <id>7</id>\r\n"
      "    <login>anowak</login>\r\n"
      "    <firstname>Anna &amp; Jan</firstname>\r\n"
      "    <lastname>Nowak &lt;Kowalska&gt;</lastname>\r\n"
      "  </user>\r\n";
  const QByteArray files =
      "  <filepath>/tmp/a&amp;b/x.zip</filepath>\r\n"
      "  <description>/tmp/a&amp;b/x.zip</description>\r\n";
  const QByteArray tail = "</filerepository>\r\n";
  const struct {
    bool budgetUnitProduct;
    std::optional<SenderUser> user;
    QByteArray expected;
  } cases[] = {
      {false, std::nullopt, head + "  <system>Kalmeto Tervik</system>\r\n" + files + tail},
      {false, kUser, head + "  <system>Kalmeto Tervik</system>\r\n" + files + user + tail},
      {true, std::nullopt, head + "  <system>Kalmeto Morsal</system>\r\n" + files + tail},
      {true, kUser, head + "  <system>Kalmeto Morsal</system>\r\n" + files + user + tail},
  };
  for (const auto& c : cases) {
    const QByteArray bytes = descriptorBytes(c.budgetUnitProduct, "/tmp/a&b/x.zip", c.user);
    EXPECT_EQ(bytes, c.expected) << c.budgetUnitProduct << " " << c.user.has_value();
    EXPECT_TRUE(test::isWellFormedXml(bytes));
  }
}

TEST(ExternalSender, PreviewShowsValuesAsTheyAreAndAnEmptyDescription) {
  EXPECT_EQ(ZapiszOpisWysylkaOlschoolowa(false, kArchive, std::nullopt),
            QStringList({"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<filerepository>", "<system>Kalmeto Tervik</system>",
                         "<filepath>" + kArchive + "</filepath>", "<description></description>", "</filerepository>"}));
  EXPECT_EQ(ZapiszOpisWysylkaOlschoolowa(true, "/tmp/a&b/x.zip", kUser),
            QStringList({"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<filerepository>", "<system>Kalmeto Morsal</system>",
                         "<filepath>/tmp/a&b/x.zip</filepath>", "<description></description>", "<user>", "<id>7</id>",
                         "<login>anowak</login>", "<firstname>Anna & Jan</firstname>",
                         "<lastname>Nowak <Kowalska></lastname>", "</user>", "</filerepository>"}));
}

TEST(ExternalSender, CommandFileNamesTheProgramAndTheDescriptorInQuotes) {
  const ExternalSender sender{"/opt/kalmeto", "bin\\Wyślij.sh", true};
  EXPECT_EQ(senderProgramPath(sender), "/opt/kalmeto/bin/Wyślij.sh");
  EXPECT_EQ(commandFilePath(sender), "/opt/kalmeto/wysylka.txt");
  EXPECT_EQ(descriptorPath(kArchive), "/home/skarbnik/Bestia/eksport.xml");
  EXPECT_EQ(commandFileBytes(sender, "/home/skarbnik/Bestia/eksport.xml"),
            QString("\"/opt/kalmeto/bin/Wyślij.sh\" \"/home/skarbnik/Bestia/eksport.xml\"\r\n").toUtf8());
}

// The product's user table with a few users.
class SenderUsers : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = test::memoryDatabase();
    for (const char* row : {"(1, 'anowak', 'Zima2014!', 'Anna', 'Nowak')", "(2, 'kwisniewska', '', 'Katarzyna', 'Wiśniewska')",
                            "(3, 'bez', NULL, 'Bez', 'Hasła')"}) {
      db::Query insert(*db_);
      insert.setSql(QString("INSERT INTO USER_ (USERID, LOGIN, PAS, IMIE, NAZWISKO) VALUES %1").arg(row));
      insert.execSql();
    }
  }
  std::unique_ptr<db::Connection> db_;
};

TEST_F(SenderUsers, LoginFromTheCommandLineFindsTheUserExactly) {
  db::DataSet users = readUsers(*db_);
  const auto found = userByLogin(users, "anowak");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->USERID, "1");
  EXPECT_EQ(found->LOGIN, "anowak");
  EXPECT_EQ(found->IMIE, "Anna");
  EXPECT_EQ(found->NAZWISKO, "Nowak");
  EXPECT_FALSE(userByLogin(users, "ANOWAK"));
  EXPECT_FALSE(userByLogin(users, "anowak "));
  EXPECT_FALSE(userByLogin(users, ""));
}

TEST(SenderUsersOnFirebird, TheUserReadsAsOnTheLocalDatabase) {
  WERTALO_REQUIRE_FIREBIRD();
  test::FirebirdDatabase server;
  const auto connection = server.connect();
  db::applySchema(*connection);
  db::Query insert(*connection);
  insert.setSql("INSERT INTO USER_ (USERID, LOGIN, PAS, IMIE, NAZWISKO) VALUES (12, 'anowak', '', 'Anna', 'Nowak-Łęcka')");
  insert.execSql();
  db::DataSet users = readUsers(*connection);
  const auto found = Zaloguj(users, "anowak", "");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->USERID, "12");
  EXPECT_EQ(found->NAZWISKO, "Nowak-Łęcka");
}

TEST_F(SenderUsers, ZalogujNeedsLoginAndPassword) {
  db::DataSet users = readUsers(*db_);
  EXPECT_TRUE(Zaloguj(users, "anowak", "Zima2014!"));
  EXPECT_FALSE(Zaloguj(users, "anowak", "zima2014!"));
  EXPECT_FALSE(Zaloguj(users, "anowak", ""));
  // The hidden password field is empty: only a user with an empty password matches.
  const auto empty = Zaloguj(users, "kwisniewska", "");
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->NAZWISKO, "Wiśniewska");
  EXPECT_FALSE(Zaloguj(users, "kwisniewska", "x"));
  EXPECT_TRUE(Zaloguj(users, "bez", ""));  // a password never set reads as empty
  EXPECT_FALSE(Zaloguj(users, "", ""));
}

// An installation folder with a stub sending program and an export folder with an archive.
class SendingProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    pathMain_ = dir_.filePath("Kalmeto Tervik");
    archive_ = dir_.filePath("eksport/jst_3_13__{0F8FAD5B-D9CB-469F-A165-70867728950E}.zip");
    marker_ = dir_.filePath("otrzymane");
    test::putFile(archive_, "PK archive");
    // The stub records its arguments, one per line, and appears whole.
    test::putFile(pathMain_ + "/KomSrv.sh",
                  ("#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + marker_ + ".tmp' && mv '" + marker_ + ".tmp' '" + marker_ + "'\n")
                      .toUtf8());
    QFile::setPermissions(pathMain_ + "/KomSrv.sh", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }

  QTemporaryDir dir_;
  QString pathMain_;
  QString archive_;
  QString marker_;
};

TEST_F(SendingProgram, ReceivesTheDescriptorPathAsItsOneArgument) {
  const ExternalSender sender{pathMain_, "KomSrv.sh", false};
  const ExternalSendResult result = WykonajWysylkaOldschoolowa(sender, archive_, kUser);
  const QString descriptor = dir_.filePath("eksport/eksport.xml");
  EXPECT_EQ(result.descriptor, descriptor);
  EXPECT_EQ(result.commandFile, pathMain_ + "/wysylka.txt");
  EXPECT_EQ(result.program, pathMain_ + "/KomSrv.sh");
  EXPECT_TRUE(result.started);
  EXPECT_EQ(test::fileBytes(descriptor), descriptorBytes(false, archive_, kUser));
  EXPECT_EQ(test::fileBytes(pathMain_ + "/wysylka.txt"),
            ("\"" + pathMain_ + "/KomSrv.sh\" \"" + descriptor + "\"\r\n").toUtf8());
  QDeadlineTimer deadline(30000);
  while (!QFile::exists(marker_) && !deadline.hasExpired()) QThread::msleep(10);
  ASSERT_TRUE(QFile::exists(marker_)) << "the sending program left no trace";
  EXPECT_EQ(test::fileBytes(marker_), (descriptor + "\n").toUtf8());
}

TEST_F(SendingProgram, NothingIsWrittenWithoutAnArchiveOrAProgram) {
  const ExternalSender sender{pathMain_, "KomSrv.sh", true};
  try {
    WykonajWysylkaOldschoolowa(sender, dir_.filePath("eksport/brak.zip"), std::nullopt);
    FAIL() << "a missing archive was handed on";
  } catch (const SendingError& e) {
    EXPECT_EQ(e.message(), "Archiwum \"" + dir_.filePath("eksport/brak.zip") +
                               "\" nie istnieje; przesyłka nie została przekazana do programu wysyłającego.");
  }
  EXPECT_THROW(WykonajWysylkaOldschoolowa({pathMain_, "", true}, archive_, std::nullopt), SendingError);
  EXPECT_FALSE(QFile::exists(dir_.filePath("eksport/eksport.xml")));
  EXPECT_FALSE(QFile::exists(pathMain_ + "/wysylka.txt"));
}

TEST_F(SendingProgram, ACommandFileThatCannotBeWrittenIsReported) {
  ASSERT_TRUE(QDir().mkpath(pathMain_ + "/wysylka.txt"));  // a folder stands in its way
  const ExternalSender sender{pathMain_, "KomSrv.sh", true};
  EXPECT_THROW(WykonajWysylkaOldschoolowa(sender, archive_, std::nullopt), platform::PlatformError);
  EXPECT_TRUE(QFileInfo(pathMain_ + "/wysylka.txt").isDir());
}

}  // namespace
}  // namespace wertalo::sending
