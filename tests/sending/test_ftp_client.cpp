// The FTP client against a real FTP server on loopback: transfers, listings, directories,
// aborts, refusals and time-outs, each with its exact text.
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "core/sending/ftp_client.h"
#include "core/sending/ftp_text.h"
#include "core/sending/transfer_meter.h"
#include "ftp_test_server.h"
#include "temp_files.h"

namespace wertalo::sending {
namespace {

using test::fileBytes;
using test::folderEntries;
using test::putFile;

QByteArray randomBytes(qsizetype size) {
  QByteArray bytes(size, '\0');
  QRandomGenerator generator(20130331);
  for (char& c : bytes) c = static_cast<char>(generator.bounded(256));
  return bytes;
}

// Records what the client tells, and drives the page's meter the way the FTP page does.
class RecordingEvents : public FtpEvents {
 public:
  QStringList protocol;   // protocol lines
  QStringList statusBar;  // what the page's status bar shows, in order
  TransferMeter meter;
  int begins = 0;
  int ends = 0;
  qint64 expected = -1;
  // Decides whether a transfer goes on (true when unset).
  std::function<bool(qint64)> onProgress;

  void status(const QString& line) override {
    protocol << line;
    statusBar << line;
  }
  void transferBegin(qint64 expectedBytes, TransferDirection) override {
    ++begins;
    expected = expectedBytes;
    meter.begin(expectedBytes);
  }
  bool transferProgress(qint64 bytes, TransferDirection direction) override {
    statusBar << meter.progress(bytes, direction, QLocale::c());
    return onProgress ? onProgress(bytes) : true;
  }
  void transferEnd(TransferDirection) override {
    ++ends;
    statusBar << meter.end();
  }
  void disconnected() override { statusBar << kDisconnectedText; }

  bool sent(const QString& commandStart) const {
    for (const QString& line : protocol) {
      if (line.startsWith(commandStart)) return true;
    }
    return false;
  }
};

// A running server, a client with recorded events, and a local folder.
class FtpClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WERTALO_REQUIRE_FTP_SERVER(server_);
    ASSERT_TRUE(local_.isValid());
    client_->setEvents(&events_);
  }

  // The message of the FtpError a step raises (fails the test when it raises none).
  FtpError::Kind failureOf(const std::function<void()>& step, QString& message) {
    try {
      step();
    } catch (const FtpError& e) {
      message = e.message();
      return e.failure();
    }
    ADD_FAILURE() << "the step did not fail";
    return FtpError::Kind::Other;
  }

  QString serverText() const { return "127.0.0.1:" + QString::number(server_.port()); }

  test::FtpTestServer server_;
  QTemporaryDir local_;
  std::unique_ptr<FtpClient> client_ = makeCurlFtpClient();
  RecordingEvents events_;
};

TEST_F(FtpClientTest, LogsInWithoutShowingThePassword) {
  client_->connect(server_.server());
  EXPECT_TRUE(client_->isConnected());
  EXPECT_EQ(client_->currentDir(), "/");
  EXPECT_TRUE(events_.protocol.contains("USER tester"));
  EXPECT_TRUE(events_.protocol.contains("PASS ***"));
  EXPECT_TRUE(events_.protocol.contains("230 Login successful."));
  for (const QString& line : events_.protocol) EXPECT_FALSE(line.contains("sekret")) << line.toStdString();

  client_->quit();
  EXPECT_FALSE(client_->isConnected());
  EXPECT_EQ(events_.statusBar.last(), "Rozłączony.");
}

// Passive and active data connections.
class FtpTransferTest : public FtpClientTest, public ::testing::WithParamInterface<bool> {};

TEST_P(FtpTransferTest, UploadAndDownloadAreByteExact) {
  const bool passive = GetParam();
  const QByteArray bytes = randomBytes(300 * 1024 + 17);
  putFile(local_.filePath("wyślij.zip"), bytes);
  client_->connect(server_.server(passive));

  client_->upload(local_.filePath("wyślij.zip"), "wyślij.zip");
  EXPECT_EQ(fileBytes(server_.homeFile("wyślij.zip")), bytes);
  EXPECT_EQ(events_.begins, 1);
  EXPECT_EQ(events_.expected, bytes.size());
  EXPECT_EQ(events_.ends, 1);
  EXPECT_EQ(events_.statusBar.filter("Prędkość wysyłania ").isEmpty(), false);
  // The status bar ends a transfer with the same words after an upload.
  EXPECT_TRUE(events_.statusBar.contains("Pobieranie zakończone."));

  EXPECT_EQ(client_->size("wyślij.zip"), bytes.size());
  client_->download("wyślij.zip", local_.filePath("pobrany.zip"));
  EXPECT_EQ(fileBytes(local_.filePath("pobrany.zip")), bytes);
  EXPECT_EQ(events_.ends, 2);
  EXPECT_FALSE(events_.statusBar.filter("Prędkość pobierania ").isEmpty());
  EXPECT_EQ(folderEntries(local_.path()), QStringList({"pobrany.zip", "wyślij.zip"}));  // no temporary file left

  if (passive) {
    EXPECT_TRUE(events_.sent("EPSV") || events_.sent("PASV"));
    EXPECT_FALSE(events_.sent("EPRT") || events_.sent("PORT"));
  } else {
    EXPECT_TRUE(events_.sent("EPRT") || events_.sent("PORT"));
    EXPECT_FALSE(events_.sent("EPSV") || events_.sent("PASV"));
  }
}

TEST_P(FtpTransferTest, ListingGivesRawLinesWithTheNames) {
  putFile(server_.homeFile("Rb-27s Urząd.xml"), "x");
  ASSERT_TRUE(QDir(server_.home()).mkdir("My Docs"));
  client_->connect(server_.server(GetParam()));
  const QStringList lines = client_->list();
  ASSERT_EQ(lines.size(), 2) << lines.join("\n").toStdString();
  QStringList names;
  for (const QString& line : lines) {
    bool isDirectory = false;
    const QString name = GetNameFromDirLine(line, isDirectory);
    names << name + (isDirectory ? "/" : "");
  }
  names.sort();
  EXPECT_EQ(names, QStringList({"My Docs/", "Rb-27s Urząd.xml"}));
}

INSTANTIATE_TEST_SUITE_P(Mode, FtpTransferTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Passive" : "Active"; });

TEST_F(FtpClientTest, DirectoriesAreMadeEnteredAndRemoved) {
  client_->connect(server_.server());
  client_->makeDir("sprawozdania 2013");
  EXPECT_TRUE(QFileInfo(server_.homeFile("sprawozdania 2013")).isDir());
  EXPECT_EQ(client_->changeDir("sprawozdania 2013"), "/sprawozdania 2013");
  client_->makeDir("marzec");
  EXPECT_TRUE(QFileInfo(server_.homeFile("sprawozdania 2013/marzec")).isDir());
  EXPECT_EQ(client_->changeDir("marzec"), "/sprawozdania 2013/marzec");
  EXPECT_EQ(client_->changeDir(".."), "/sprawozdania 2013");
  EXPECT_EQ(client_->list().size(), 1);

  putFile(server_.homeFile("sprawozdania 2013/stary.zip"), "x");
  client_->deleteFile("stary.zip");
  EXPECT_FALSE(QFile::exists(server_.homeFile("sprawozdania 2013/stary.zip")));
  client_->removeDir("marzec");
  EXPECT_FALSE(QFile::exists(server_.homeFile("sprawozdania 2013/marzec")));
  EXPECT_EQ(client_->changeDir("/"), "/");
  client_->removeDir("sprawozdania 2013");
  EXPECT_TRUE(folderEntries(server_.home()).isEmpty());
}

TEST_F(FtpClientTest, RefusalsCarryTheServersReply) {
  client_->connect(server_.server());
  QString message;
  EXPECT_EQ(failureOf([&] { client_->download("nie-ma.zip", local_.filePath("nie-ma.zip")); }, message),
            FtpError::Kind::Refused);
  EXPECT_EQ(message, "Nie można pobrać pliku \"nie-ma.zip\": 550 /nie-ma.zip is not retrievable.");
  EXPECT_TRUE(folderEntries(local_.path()).isEmpty());

  EXPECT_EQ(failureOf([&] { client_->changeDir("nie-ma"); }, message), FtpError::Kind::Refused);
  EXPECT_EQ(message, "Nie można przejść do katalogu \"nie-ma\": 550 No such file or directory.");
  EXPECT_EQ(client_->currentDir(), "/");

  EXPECT_EQ(failureOf([&] { client_->removeDir("nie-ma"); }, message), FtpError::Kind::Refused);
  EXPECT_EQ(message, "Nie można usunąć katalogu \"nie-ma\": 550 No such file or directory.");
  EXPECT_EQ(failureOf([&] { client_->deleteFile("nie-ma"); }, message), FtpError::Kind::Refused);
  EXPECT_EQ(message, "Nie można usunąć pliku \"nie-ma\": 550 No such file or directory.");
  EXPECT_EQ(failureOf([&] { client_->size("nie-ma"); }, message), FtpError::Kind::Refused);
  EXPECT_EQ(message, "Nie można odczytać rozmiaru pliku \"nie-ma\": 550 /nie-ma is not retrievable.");

  // The connection serves on after refusals.
  putFile(server_.homeFile("jest.xml"), "<a/>");
  EXPECT_EQ(client_->size("jest.xml"), 4);
}

TEST_F(FtpClientTest, LocalFilesThatCannotBeUsedAreReported) {
  putFile(server_.homeFile("jest.xml"), "<a/>");
  client_->connect(server_.server());
  QString message;
  EXPECT_EQ(failureOf([&] { client_->upload(local_.filePath("nie-ma.zip"), "nie-ma.zip"); }, message),
            FtpError::Kind::LocalFile);
  EXPECT_EQ(message, "Nie można odczytać pliku \"" + local_.filePath("nie-ma.zip") + "\": No such file or directory");
  EXPECT_EQ(failureOf([&] { client_->download("jest.xml", local_.filePath("brak/jest.xml")); }, message),
            FtpError::Kind::LocalFile);
  EXPECT_EQ(message, "Nie można zapisać pliku \"" + local_.filePath("brak/jest.xml") + "\": No such file or directory");
  EXPECT_EQ(folderEntries(server_.home()), QStringList{"jest.xml"});
}

TEST_F(FtpClientTest, NamesThatWouldBreakTheCommandLineAreRefused) {
  client_->connect(server_.server());
  QString message;
  EXPECT_EQ(failureOf([&] { client_->makeDir("a\r\nDELE x"); }, message), FtpError::Kind::BadName);
  EXPECT_EQ(message, "Nazwa \"a\r\nDELE x\" zawiera niedozwolone znaki (koniec wiersza)");
  EXPECT_FALSE(events_.sent("MKD"));
  EXPECT_TRUE(folderEntries(server_.home()).isEmpty());
}

TEST_F(FtpClientTest, StepsWithoutAConnectionAreRefused) {
  QString message;
  EXPECT_EQ(failureOf([&] { client_->list(); }, message), FtpError::Kind::NotConnected);
  EXPECT_EQ(message, "Brak połączenia z serwerem FTP.");
}

TEST_F(FtpClientTest, AbortedDownloadLeavesNoFile) {
  const QByteArray bytes = randomBytes(16 * 1024 * 1024);
  putFile(server_.homeFile("duzy.zip"), bytes);
  putFile(local_.filePath("duzy.zip"), "the older copy");
  client_->connect(server_.server());
  qint64 seen = 0;
  events_.onProgress = [&](qint64 done) {
    seen = done;
    return done == 0 || done >= bytes.size();  // stop as soon as part of the file has come
  };
  QString message;
  EXPECT_EQ(failureOf([&] { client_->download("duzy.zip", local_.filePath("duzy.zip")); }, message),
            FtpError::Kind::Aborted);
  EXPECT_EQ(message, "Nie można pobrać pliku \"duzy.zip\": przesyłanie przerwane na żądanie użytkownika");
  EXPECT_GT(seen, 0);
  EXPECT_LT(seen, bytes.size());
  EXPECT_EQ(folderEntries(local_.path()), QStringList{"duzy.zip"});  // no partial or temporary file
  EXPECT_EQ(fileBytes(local_.filePath("duzy.zip")), "the older copy");
  EXPECT_EQ(events_.ends, 1);  // an aborted transfer ends through the normal end
  EXPECT_EQ(events_.statusBar.last(), "Pobieranie zakończone.");

  // The client goes on after an abort.
  events_.onProgress = nullptr;
  client_->download("duzy.zip", local_.filePath("duzy.zip"));
  EXPECT_EQ(fileBytes(local_.filePath("duzy.zip")), bytes);
}

TEST_F(FtpClientTest, AbortRequestStopsAnUploadAndLeavesNoPartialFileOnTheServer) {
  putFile(local_.filePath("duzy.zip"), randomBytes(16 * 1024 * 1024));
  client_->connect(server_.server());
  events_.onProgress = [&](qint64 done) {
    if (done > 0) client_->abort();  // the page's "Anuluj" button during the transfer
    return true;
  };
  QString message;
  EXPECT_EQ(failureOf([&] { client_->upload(local_.filePath("duzy.zip"), "duzy.zip"); }, message),
            FtpError::Kind::Aborted);
  EXPECT_EQ(message, "Nie można wysłać pliku \"duzy.zip\": przesyłanie przerwane na żądanie użytkownika");
  events_.onProgress = nullptr;
  QStringList names;
  for (const QString& line : client_->list()) {
    bool isDirectory = false;
    names << GetNameFromDirLine(line, isDirectory);
  }
  EXPECT_FALSE(names.contains("duzy.zip"));
}

TEST_F(FtpClientTest, WrongPasswordIsRefused) {
  FtpServer server = server_.server();
  server.password = "zle";
  QString message;
  EXPECT_EQ(failureOf([&] { client_->connect(server); }, message), FtpError::Kind::Login);
  EXPECT_EQ(message, "Serwer FTP " + serverText() + " nie przyjął logowania użytkownika \"tester\": 530 Authentication failed.");
  EXPECT_FALSE(client_->isConnected());
}

TEST_F(FtpClientTest, ServerDownIsReported) {
  FtpServer server = server_.server();
  server.port = test::closedPort();
  QString message;
  EXPECT_EQ(failureOf([&] { client_->connect(server); }, message), FtpError::Kind::Connect);
  EXPECT_EQ(message, "Nie można połączyć się z serwerem FTP 127.0.0.1:" + QString::number(server.port) +
                         ": Couldn't connect to server");
  EXPECT_FALSE(client_->isConnected());
}

TEST_F(FtpClientTest, SilentServerTimesOut) {
  test::SilentServer silent;
  FtpServer server = server_.server();
  server.port = silent.port();
  server.timeoutSeconds = 1;
  QString message;
  EXPECT_EQ(failureOf([&] { client_->connect(server); }, message), FtpError::Kind::TimedOut);
  EXPECT_EQ(message, "Nie można połączyć się z serwerem FTP 127.0.0.1:" + QString::number(silent.port()) +
                         ": serwer nie odpowiedział w ciągu 1 s");
}

TEST_F(FtpClientTest, UnansweredDownloadTimesOutAndLeavesNoFile) {
  putFile(server_.homeFile("wisi.stall"), "never sent");
  FtpServer server = server_.server();
  server.timeoutSeconds = 1;
  client_->connect(server);
  QString message;
  EXPECT_EQ(failureOf([&] { client_->download("wisi.stall", local_.filePath("wisi.stall")); }, message),
            FtpError::Kind::TimedOut);
  EXPECT_EQ(message, "Nie można pobrać pliku \"wisi.stall\": serwer nie odpowiedział w ciągu 1 s");
  EXPECT_TRUE(folderEntries(local_.path()).isEmpty());
}

}  // namespace
}  // namespace wertalo::sending
