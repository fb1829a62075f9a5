// The FTP page's steps against a real FTP server: connect, directories, listing actions, and
// the values remembered in "FtpHost.ini".
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#include "core/sending/ftp_browser.h"
#include "core/sending/ftp_host.h"
#include "core/sending/ftp_text.h"
#include "ftp_test_server.h"
#include "temp_files.h"

namespace wertalo::sending {
namespace {

using test::fileBytes;
using test::putFile;

class FtpBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WERTALO_REQUIRE_FTP_SERVER(server_);
    ASSERT_TRUE(config_.isValid());
    hostFile_ = config_.filePath("FtpHost.ini");
    browser_ = std::make_unique<FtpBrowser>(*client_, hostFile_);
    browser_->host = {"127.0.0.1:" + QString::number(server_.port()), test::FtpTestServer::kUser, "",
                      test::FtpTestServer::kPassword};
  }

  // The line of the listing that names `name`.
  QString lineOf(const QString& name) const {
    for (const QString& line : browser_->listing) {
      bool isDirectory = false;
      if (GetNameFromDirLine(line, isDirectory) == name) return line;
    }
    return QString();
  }

  test::FtpTestServer server_;
  QTemporaryDir config_;
  QString hostFile_;
  std::unique_ptr<FtpClient> client_ = makeCurlFtpClient();
  std::unique_ptr<FtpBrowser> browser_;
};

TEST_F(FtpBrowserTest, ConnectEntersTheRememberedDirectoryAndRemembersTheValues) {
  ASSERT_TRUE(QDir(server_.home()).mkpath("Bestia/2013"));
  putFile(server_.homeFile("Bestia/2013/stary.zip"), "x");
  browser_->host.CurrentDir = "Bestia/2013";
  browser_->connect();
  EXPECT_EQ(browser_->host.CurrentDir, "/Bestia/2013");  // as the server names it
  ASSERT_EQ(browser_->listing.size(), 1);
  EXPECT_FALSE(lineOf("stary.zip").isEmpty());

  const FtpHostInfo stored = GetHostInfo(hostFile_);
  EXPECT_EQ(stored.ServerName, browser_->host.ServerName);
  EXPECT_EQ(stored.UserName, "tester");
  EXPECT_EQ(stored.CurrentDir, "/Bestia/2013");
  EXPECT_EQ(stored.Password, "sekret");
  EXPECT_EQ(test::fileMode(hostFile_), 0600u);

  browser_->ChageDir("");  // an empty name means the root
  EXPECT_EQ(browser_->host.CurrentDir, "/");
  EXPECT_EQ(GetHostInfo(hostFile_).CurrentDir, "/");
  EXPECT_FALSE(lineOf("Bestia").isEmpty());

  browser_->disconnect();
  EXPECT_FALSE(client_->isConnected());
  EXPECT_TRUE(browser_->listing.isEmpty());
}

TEST_F(FtpBrowserTest, UploadGoesUnderTheBareNameIntoTheCurrentDirectory) {
  ASSERT_TRUE(QDir(server_.home()).mkdir("przyjete"));
  browser_->host.CurrentDir = "/przyjete";
  QTemporaryDir local;
  const QString archive = local.filePath("jst_3_13__{0F8FAD5B-D9CB-469F-A165-70867728950E}.zip");
  putFile(archive, "PK archive bytes");
  browser_->connect();
  browser_->upload(archive);
  EXPECT_EQ(fileBytes(server_.homeFile("przyjete/jst_3_13__{0F8FAD5B-D9CB-469F-A165-70867728950E}.zip")), "PK archive bytes");
  EXPECT_FALSE(lineOf("jst_3_13__{0F8FAD5B-D9CB-469F-A165-70867728950E}.zip").isEmpty());  // the listing is read anew
}

TEST_F(FtpBrowserTest, DownloadTakesTheSizeFirst) {
  putFile(server_.homeFile("raport.xml"), QByteArray(5000, 'x'));
  QTemporaryDir local;
  struct Range : FtpEvents {
    FtpBrowser* browser = nullptr;
    qint64 maximum = -1;
    void transferBegin(qint64 expected, TransferDirection) override {
      browser->meter.begin(expected);
      maximum = browser->meter.maximum;
    }
  } range;
  range.browser = browser_.get();
  client_->setEvents(&range);
  browser_->connect();
  browser_->download("raport.xml", local.filePath("raport.xml"));
  EXPECT_EQ(range.maximum, 5000);
  EXPECT_EQ(fileBytes(local.filePath("raport.xml")), QByteArray(5000, 'x'));
}

TEST_F(FtpBrowserTest, DeleteTakesTheEntryOfTheListingLine) {
  ASSERT_TRUE(QDir(server_.home()).mkdir("Stary katalog"));
  putFile(server_.homeFile("stary plik.zip"), "x");
  browser_->connect();
  browser_->deleteEntry(lineOf("Stary katalog"));
  EXPECT_FALSE(QFile::exists(server_.homeFile("Stary katalog")));
  browser_->deleteEntry(lineOf("stary plik.zip"));
  EXPECT_FALSE(QFile::exists(server_.homeFile("stary plik.zip")));
  EXPECT_TRUE(browser_->listing.isEmpty());
  browser_->makeDir("nowy");
  EXPECT_FALSE(lineOf("nowy").isEmpty());
}

TEST_F(FtpBrowserTest, AServerNameThatIsNoHostIsRefused) {
  browser_->host.ServerName = "ftp://127.0.0.1";
  try {
    browser_->connect();
    FAIL() << "connected to a malformed server name";
  } catch (const FtpError& e) {
    EXPECT_EQ(e.failure(), FtpError::Kind::BadName);
    EXPECT_EQ(e.message(), "Niepoprawna nazwa serwera FTP: \"ftp://127.0.0.1\" (oczekiwano HOST albo HOST:PORT)");
  }
  EXPECT_FALSE(QFile::exists(hostFile_));
}

}  // namespace
}  // namespace wertalo::sending
