// Wertalo wizard, page 5: the archive sent to an FTP server, and a small FTP client.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include <atomic>
#include <memory>

#include "core/sending/ftp_browser.h"
#include "gui/wertalo_wizard.h"

namespace wertalo::gui {

// The page shows the FTP browser's values and calls its steps; every step runs on a thread of
// its own, so the window keeps working and "Anuluj" can stop a transfer.
class FtpPage : public WizardPage, private sending::FtpEvents {
  Q_OBJECT

 public:
  explicit FtpPage(TfrmWertalo& wizard);
  ~FtpPage() override;

  QLabel* labelPlik;
  QLineEdit* FtpServerEdit;
  QLineEdit* UserIDEdit;
  QLineEdit* PasswordEdit;
  QPushButton* ConnectButton;
  QCheckBox* UsePassive;
  QLineEdit* CurrentDirEdit;
  QPushButton* ChDirButton;
  QPushButton* CreateDirButton;
  QPushButton* BackButton;
  QWidget* commandPanel;
  QPushButton* UploadButton;
  QPushButton* AbortButton;
  QPushButton* DeleteButton;
  QPushButton* DownloadButton;
  QListWidget* DirectoryListBox;
  QMenu* listMenu;
  QListWidget* DebugListBox;
  QProgressBar* ProgressBar1;
  QStatusBar* StatusBar1;
  QLabel* statusPanel;  // the status bar's second panel, where its texts go

  // Entering: "FtpHost.ini" read, the automatic connect (a failure is ignored), packing and the
  // automatic upload.
  void initializePage() override;
  // Leaving by Back: the connection quit.
  void cleanupPage() override;
  // Finish waits for the running step.
  bool validatePage() override { return !busy_; }
  // Whether an FTP step runs.
  bool busy() const { return busy_; }
  // Whether the page is connected to a server.
  bool connected() const { return client_->isConnected(); }

  // The rules of the page's controls.
  void ConnectButtonClick();
  void ChageDir(const QString& DirName);
  void CreateDirButtonClick();
  void UploadButtonClick();
  void DownloadButtonClick();
  void DeleteButtonClick();
  void SetFunctionButtons(bool AValue);

 private:
  // Runs a step of the browser on a thread of its own; an error is shown and gives false.
  bool step(const std::function<void()>& work);
  // A step that changes the remote folder: the buttons are off while it runs, then the host and
  // the listing are shown anew.
  void stepAndShow(const std::function<void()>& work);
  // Stops a transfer, disconnects and offers connecting again.
  void disconnectFromServer();
  void connectServer();
  void upload(const QString& path);
  void listClick();
  void showHost();
  void takeHost();
  void showListing();
  void showStatus(const QString& text);
  // The selected listing line's name; false when not connected or nothing is selected.
  bool selectedEntry(QString& name, bool& isDirectory) const;
  // A call onto the window's thread from the step's thread.
  void post(std::function<void()> call);

  // The client's events (on the step's thread).
  void status(const QString& line) override;
  void transferBegin(qint64 expectedBytes, sending::TransferDirection direction) override;
  bool transferProgress(qint64 bytes, sending::TransferDirection direction) override;
  void transferEnd(sending::TransferDirection direction) override;
  void disconnected() override;

  std::unique_ptr<sending::FtpClient> client_;
  sending::FtpBrowser browser_;
  std::atomic<bool> AbortTransfer{false};
  bool busy_ = false;
  qint64 progressScale_ = 1;  // bytes per step of the progress bar
  qint64 lastProgressMs_ = 0;
};

}  // namespace wertalo::gui
