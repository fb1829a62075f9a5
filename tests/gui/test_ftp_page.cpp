// The FTP page against a real FTP server on loopback: the automatic connect and upload on
// entry, the connect button, directories, a transfer stopped with "Anuluj", and leaving by Back.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include "core/sending/ftp_text.h"

#include "core/sending/ftp_host.h"
#include "core/sending/transfer_meter.h"
#include "ftp_test_server.h"
#include "gui/completion_page.h"
#include "gui/ftp_page.h"
#include "wizard_fixture.h"

namespace wertalo::test {
namespace {

class FtpPageTest : public WizardTest {
 protected:
  // The remembered server is the test server (with or without the password).
  void rememberServer(const FtpTestServer& server, bool withPassword = true) {
    sending::SaveFTPHostInfo(ftpHostFile_, {"127.0.0.1:" + QString::number(server.port()), FtpTestServer::kUser, "/",
                                            withPassword ? FtpTestServer::kPassword : QString()});
  }
  // To the FTP page after an export of every report.
  gui::FtpPage& toFtpPage() {
    gui::TfrmWertalo& w = open();
    exportAll();
    w.completion->cbInterfejsftp->click();
    w.next();
    EXPECT_EQ(w.currentId(), gui::kFtpPage);
    return *w.ftp;
  }
  static QStringList listed(const gui::FtpPage& page) {
    QStringList lines;
    for (int i = 0; i < page.DirectoryListBox->count(); ++i) lines << page.DirectoryListBox->item(i)->text();
    return lines;
  }
};

TEST_F(FtpPageTest, EnteringConnectsPacksAndUploadsTheArchive) {
  FtpTestServer server;
  WERTALO_REQUIRE_FTP_SERVER(server);
  rememberServer(server);
  gui::FtpPage& page = toFtpPage();
  ASSERT_TRUE(dialogs_.errors.isEmpty()) << dialogs_.errors.join('\n').toStdString();
  const QString archive = QFileInfo(wizard_->plik).fileName();
  ASSERT_FALSE(archive.isEmpty());
  EXPECT_EQ(page.labelPlik->text(), "PLIK " + wizard_->plik);
  EXPECT_TRUE(QFileInfo(server.homeFile(archive)).isFile());
  EXPECT_EQ(QFileInfo(server.homeFile(archive)).size(), QFileInfo(wizard_->plik).size());
  EXPECT_EQ(page.ConnectButton->text(), "Rozłącz");
  EXPECT_TRUE(page.UploadButton->isEnabled());
  EXPECT_TRUE(listed(page).join('\n').contains(archive));
  EXPECT_EQ(page.statusPanel->text(), "Pobieranie zakończone.");
  EXPECT_FALSE(page.AbortButton->isVisible());
  EXPECT_GT(page.DebugListBox->count(), 0);
  EXPECT_EQ(page.CurrentDirEdit->text(), "/");
  // The FTP page has Back and Finish, no Cancel.
  EXPECT_FALSE(wizard_->button(QWizard::CancelButton)->isVisible());
  EXPECT_TRUE(wizard_->button(QWizard::FinishButton)->isVisible());

  // Back leaves the server.
  wizard_->back();
  EXPECT_EQ(wizard_->currentId(), gui::kCompletionPage);
  EXPECT_FALSE(page.connected());
  EXPECT_EQ(page.DirectoryListBox->count(), 0);
  EXPECT_EQ(page.ConnectButton->text(), "Połącz");
  EXPECT_FALSE(page.UploadButton->isEnabled());
}

TEST_F(FtpPageTest, WithoutAPasswordNothingConnectsAndTheConnectButtonDoes) {
  FtpTestServer server;
  WERTALO_REQUIRE_FTP_SERVER(server);
  rememberServer(server, false);
  gui::FtpPage& page = toFtpPage();
  EXPECT_FALSE(page.connected());
  EXPECT_EQ(page.ConnectButton->text(), "Połącz");
  EXPECT_FALSE(page.UploadButton->isEnabled());
  // The archive is made; the automatic upload finds no connection and says so.
  EXPECT_TRUE(QFileInfo::exists(wizard_->plik));
  ASSERT_EQ(dialogs_.errors.size(), 1);
  EXPECT_TRUE(QDir(server.home()).isEmpty());

  page.PasswordEdit->setText(FtpTestServer::kPassword);
  page.ConnectButton->click();
  EXPECT_TRUE(page.connected());
  EXPECT_EQ(page.ConnectButton->text(), "Rozłącz");
  EXPECT_TRUE(page.ChDirButton->isEnabled());
  EXPECT_EQ(sending::GetHostInfo(ftpHostFile_).Password, FtpTestServer::kPassword);

  page.ConnectButton->click();
  EXPECT_FALSE(page.connected());
  EXPECT_EQ(page.ConnectButton->text(), "Połącz");
  EXPECT_FALSE(page.ChDirButton->isEnabled());
  EXPECT_EQ(page.statusPanel->text(), "Rozłączony.");
}

TEST_F(FtpPageTest, ADirectoryIsMadeEnteredAndLeftWithTheListingFollowing) {
  FtpTestServer server;
  WERTALO_REQUIRE_FTP_SERVER(server);
  rememberServer(server);
  gui::FtpPage& page = toFtpPage();
  dialogs_.textAnswers.push_back(QStringLiteral("przyjęte"));
  page.CreateDirButton->click();
  EXPECT_TRUE(QFileInfo(server.homeFile("przyjęte")).isDir());
  const QStringList lines = listed(page);
  const auto line = std::find_if(lines.begin(), lines.end(), [](const QString& l) { return l.endsWith(" przyjęte"); });
  ASSERT_NE(line, lines.end()) << lines.join('\n').toStdString();

  page.DirectoryListBox->setCurrentRow(static_cast<int>(line - lines.begin()));
  page.DownloadButtonClick();  // a directory is entered
  EXPECT_EQ(page.CurrentDirEdit->text(), "/przyjęte");
  EXPECT_EQ(page.DirectoryListBox->count(), 0);
  EXPECT_EQ(sending::GetHostInfo(ftpHostFile_).CurrentDir, "/przyjęte");

  page.CurrentDirEdit->setText("/");
  page.ChDirButton->click();
  EXPECT_EQ(page.CurrentDirEdit->text(), "/");
  EXPECT_TRUE(listed(page).join('\n').contains("przyjęte"));
}

TEST_F(FtpPageTest, AnulujStopsAnUploadWhileTheWindowKeepsWorking) {
  FtpTestServer server(256 * 1024);
  WERTALO_REQUIRE_FTP_SERVER(server);
  rememberServer(server);
  gui::FtpPage& page = toFtpPage();
  dialogs_.errors.clear();
  // A file that takes the throttled server many seconds.
  const QString big = root_.filePath("duzy.zip");
  {
    QFile file(big);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8 * 1024 * 1024, 'x'));
  }
  dialogs_.openAnswers.push_back(big);
  // While the upload runs the window takes the click on "Anuluj", which shows only then.
  bool clicked = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, &page, [&] {
    if (clicked || !page.AbortButton->isVisible() || page.ProgressBar1->value() <= 0) return;
    EXPECT_FALSE(wizard_->button(QWizard::BackButton)->isEnabled());
    EXPECT_FALSE(wizard_->button(QWizard::FinishButton)->isEnabled());
    page.AbortButton->click();
    clicked = true;
  });
  watch.start(10);
  page.UploadButton->click();
  ASSERT_TRUE(clicked);
  EXPECT_FALSE(page.AbortButton->isVisible());
  EXPECT_EQ(page.statusPanel->text(), "Pobieranie zakończone.");
  EXPECT_EQ(page.ProgressBar1->value(), 0);
  EXPECT_TRUE(dialogs_.errors.isEmpty()) << dialogs_.errors.join('\n').toStdString();
  EXPECT_FALSE(QFileInfo::exists(server.homeFile("duzy.zip")));
  EXPECT_TRUE(page.DebugListBox->item(page.DebugListBox->count() - 1)->text().contains("przerwane na żądanie"));
  EXPECT_TRUE(wizard_->button(QWizard::BackButton)->isEnabled());
  EXPECT_TRUE(page.UploadButton->isEnabled());
}

}  // namespace
}  // namespace wertalo::test
