#include "gui/ftp_page.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/sending/ftp_host.h"
#include "core/sending/ftp_text.h"
#include "gui/background.h"
#include "gui/completion_page.h"
#include "gui/widgets.h"

namespace wertalo::gui {

using sending::TransferDirection;

FtpPage::FtpPage(TfrmWertalo& wizard)
    : WizardPage(wizard, QStringLiteral("JvWizardInteriorPage3"), QStringLiteral("Wysyłka na FTP"),
                 QStringLiteral("Wysyłka plików na ftp")),
      labelPlik(named<QLabel>(this, "labelPlik")),
      FtpServerEdit(named<QLineEdit>(this, "FtpServerEdit", QStringLiteral("localhost"))),
      UserIDEdit(named<QLineEdit>(this, "UserIDEdit", QStringLiteral("anonymous"))),
      PasswordEdit(named<QLineEdit>(this, "PasswordEdit", QStringLiteral("wertalo@localhost"))),
      ConnectButton(named<QPushButton>(this, "ConnectButton", sending::kConnectCaption)),
      UsePassive(checkBox(this, "UsePassive", QStringLiteral("tryb pasywny"), true)),
      CurrentDirEdit(named<QLineEdit>(this, "CurrentDirEdit", QStringLiteral("/"))),
      ChDirButton(named<QPushButton>(this, "ChDirButton", QStringLiteral("Zmień katalog"))),
      CreateDirButton(named<QPushButton>(this, "CreateDirButton", QStringLiteral("Utwórz katalog"))),
      BackButton(named<QPushButton>(this, "BackButton", QStringLiteral("Katalog up"))),
      commandPanel(named<QWidget>(this, "commandPanel")),
      UploadButton(named<QPushButton>(commandPanel, "UploadButton", QStringLiteral("Wyślij plik"))),
      AbortButton(named<QPushButton>(commandPanel, "AbortButton", QStringLiteral("Anuluj"))),
      DeleteButton(named<QPushButton>(commandPanel, "DeleteButton", QStringLiteral("Usuń"))),
      DownloadButton(named<QPushButton>(commandPanel, "DownloadButton", QStringLiteral("Ściągnij plik"))),
      DirectoryListBox(named<QListWidget>(this, "DirectoryListBox")),
      listMenu(new QMenu(DirectoryListBox)),
      DebugListBox(named<QListWidget>(this, "DebugListBox")),
      ProgressBar1(named<QProgressBar>(this, "ProgressBar1")),
      StatusBar1(named<QStatusBar>(this, "StatusBar1")),
      statusPanel(named<QLabel>(StatusBar1, "statusPanel")),
      client_(wizard.services().ftpClient()),
      browser_(*client_, wizard.services().ftpHostFile.isEmpty() ? sending::ftpHostFilePath() : wizard.services().ftpHostFile) {
  client_->setEvents(this);
  PasswordEdit->setEchoMode(QLineEdit::Password);
  BackButton->hide();
  AbortButton->hide();
  DeleteButton->hide();
  DownloadButton->hide();
  DirectoryListBox->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  DirectoryListBox->setContextMenuPolicy(Qt::ActionsContextMenu);
  for (const char* caption : {"Download", "Upload", "Delete", "", "Back"}) {
    auto* action = new QAction(QString::fromLatin1(caption), DirectoryListBox);
    action->setSeparator(*caption == '\0');
    DirectoryListBox->addAction(action);
    listMenu->addAction(action);
  }
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setFixedWidth(200);
  StatusBar1->setSizeGripEnabled(false);
  StatusBar1->addWidget(statusPanel, 1);

  auto* server = new QFormLayout;
  server->addRow(buddy(this, QStringLiteral("&Serwer FTP"), FtpServerEdit), FtpServerEdit);
  server->addRow(buddy(this, QStringLiteral("&Użytkownik"), UserIDEdit), UserIDEdit);
  server->addRow(buddy(this, QStringLiteral("&Hasło"), PasswordEdit), PasswordEdit);
  auto* connectRow = new QHBoxLayout;
  connectRow->addWidget(ConnectButton);
  connectRow->addWidget(UsePassive);
  connectRow->addStretch();
  server->addRow(connectRow);
  auto* dirBox = new QGroupBox(QStringLiteral("Bieżący katalog:"), this);
  auto* dir = new QHBoxLayout(dirBox);
  dir->addWidget(CurrentDirEdit, 1);
  dir->addWidget(ChDirButton);
  dir->addWidget(CreateDirButton);
  dir->addWidget(BackButton);
  auto* commands = new QHBoxLayout(commandPanel);
  commands->setContentsMargins(0, 0, 0, 0);
  for (QPushButton* button : {UploadButton, DownloadButton, DeleteButton, AbortButton}) commands->addWidget(button);
  commands->addStretch();
  auto* lists = new QHBoxLayout;
  lists->addWidget(DirectoryListBox, 3);
  lists->addWidget(DebugListBox, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(labelPlik);
  layout->addLayout(server);
  layout->addWidget(dirBox);
  layout->addWidget(commandPanel);
  layout->addLayout(lists, 1);
  layout->addWidget(StatusBar1);

  connect(ConnectButton, &QPushButton::clicked, this, &FtpPage::ConnectButtonClick);
  connect(ChDirButton, &QPushButton::clicked, this, [this] { ChageDir(CurrentDirEdit->text()); });
  connect(BackButton, &QPushButton::clicked, this, [this] { if (client_->isConnected()) ChageDir(QStringLiteral("..")); });
  connect(CreateDirButton, &QPushButton::clicked, this, &FtpPage::CreateDirButtonClick);
  connect(UploadButton, &QPushButton::clicked, this, &FtpPage::UploadButtonClick);
  connect(DownloadButton, &QPushButton::clicked, this, &FtpPage::DownloadButtonClick);
  connect(DeleteButton, &QPushButton::clicked, this, &FtpPage::DeleteButtonClick);
  connect(AbortButton, &QPushButton::clicked, this, [this] { AbortTransfer = true; });
  connect(UsePassive, &QCheckBox::toggled, this, [this](bool on) { browser_.passive = on; });
  connect(DirectoryListBox, &QListWidget::itemClicked, this, [this] { listClick(); });
  connect(DirectoryListBox, &QListWidget::itemDoubleClicked, this, [this] { DownloadButtonClick(); });
}

FtpPage::~FtpPage() { client_->setEvents(nullptr); }

// ---- Entering and leaving ---------------------------------------------------------------------

void FtpPage::initializePage() {
  CompletionPage& options = *frm.completion;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  SetFunctionButtons(false);
  frm.guard([&] { browser_.readHostInfo(); });
  showHost();
  ProgressBar1->setValue(0);
  StatusBar1->insertWidget(0, ProgressBar1);
  labelPlik->setText(QStringLiteral("KATALOG ") + frm.session().dataModule().exportFolder());
  // A failed automatic connect is left to the connect button.
  if (!PasswordEdit->text().isEmpty() && options.cbPolaczZserweremFTP->isChecked()) {
    takeHost();
    try {
      runInBackground([this] { browser_.connect(); });
    } catch (const Error&) {
    }
    showHost();
    showListing();
    SetFunctionButtons(client_->isConnected());
    if (client_->isConnected()) ConnectButton->setText(sending::kDisconnectCaption);
  }
  if (options.cbSpakuj->isChecked() && !frm.lastRun.files.empty()) {
    QString archive;
    frm.guard([&] { archive = frm.session().pack(frm.lastRun, options.cbUsun->isChecked()); });
    if (!archive.isEmpty()) {
      frm.plik = archive;
      labelPlik->setText(QStringLiteral("PLIK ") + archive);
      if (options.cbPolaczZserweremFTP->isChecked() && options.cbWsylijPopolaczeniu->isChecked()) upload(archive);
    }
  }
  QApplication::restoreOverrideCursor();
}

void FtpPage::cleanupPage() { disconnectFromServer(); }

void FtpPage::disconnectFromServer() {
  AbortTransfer = true;
  step([this] { browser_.disconnect(); });
  DirectoryListBox->clear();
  SetFunctionButtons(false);
  ConnectButton->setText(sending::kConnectCaption);
  ConnectButton->setEnabled(true);
  ConnectButton->setDefault(true);
}

// ---- Buttons ----------------------------------------------------------------------------------

void FtpPage::ConnectButtonClick() {
  if (busy_) return;
  browser_.passive = UsePassive->isChecked();
  ConnectButton->setEnabled(false);
  if (client_->isConnected()) {
    disconnectFromServer();
    return;
  }
  takeHost();
  step([this] { browser_.connect(); });
  showHost();
  showListing();
  SetFunctionButtons(client_->isConnected());
  ConnectButton->setEnabled(true);
  if (client_->isConnected()) {
    ConnectButton->setText(sending::kDisconnectCaption);
    ConnectButton->setDefault(false);
  }
}

void FtpPage::ChageDir(const QString& DirName) {
  if (busy_) return;
  stepAndShow([this, DirName] { browser_.ChageDir(DirName); });
}

void FtpPage::CreateDirButtonClick() {
  if (busy_) return;
  const std::optional<QString> name = frm.dialogs().askText(QStringLiteral("Utwórz nowy katalog"), QStringLiteral("Nazwa"));
  if (!name) return;
  stepAndShow([this, name] { browser_.makeDir(*name); });
}

void FtpPage::UploadButtonClick() {
  if (busy_ || !client_->isConnected()) return;
  // Every file, with or without an extension.
  const std::optional<QString> path =
      frm.dialogs().askOpenFileName(QStringLiteral("Upload file...."), QStringLiteral("All files (*)"), frm.plik);
  if (path) upload(*path);
}

void FtpPage::upload(const QString& path) {
  stepAndShow([this, path] { browser_.upload(path); });
}

void FtpPage::stepAndShow(const std::function<void()>& work) {
  SetFunctionButtons(false);
  step(work);
  showHost();
  showListing();
  SetFunctionButtons(client_->isConnected());
}

void FtpPage::DownloadButtonClick() {
  QString name;
  bool isDirectory = false;
  if (busy_ || !selectedEntry(name, isDirectory)) return;
  if (isDirectory) {
    ChageDir(name);
    return;
  }
  platform::SaveFileRequest request;
  request.title = QStringLiteral("Zapisz plik");
  request.initialFolder = frm.session().dataModule().exportFolder();
  request.proposedName = name;
  const std::optional<QString> target = frm.dialogs().askSaveFileName(request);
  if (!target) return;
  SetFunctionButtons(false);
  step([this, name, target] { browser_.download(name, *target); });
  SetFunctionButtons(client_->isConnected());
}

void FtpPage::DeleteButtonClick() {
  QString name;
  bool isDirectory = false;
  if (busy_ || !selectedEntry(name, isDirectory)) return;
  const QString line = DirectoryListBox->currentItem()->text();
  step([this, line] { browser_.deleteEntry(line); });
  showHost();
  showListing();
}

void FtpPage::listClick() {
  QString name;
  bool isDirectory = false;
  if (selectedEntry(name, isDirectory))
    DownloadButton->setText(isDirectory ? QStringLiteral("Change dir") : QStringLiteral("Download"));
}

void FtpPage::SetFunctionButtons(bool AValue) {
  for (QWidget* control : commandPanel->findChildren<QWidget*>()) {
    if (control != AbortButton) control->setEnabled(AValue);
  }
  for (QAction* action : listMenu->actions()) action->setEnabled(AValue);
  ChDirButton->setEnabled(AValue);
  CreateDirButton->setEnabled(AValue);
}

// ---- Helpers ----------------------------------------------------------------------------------

bool FtpPage::step(const std::function<void()>& work) {
  // Nothing else may move while the step runs: not the wizard, not the page's other controls.
  const QList<QWizard::WizardButton> buttons{QWizard::BackButton, QWizard::FinishButton, QWizard::CancelButton};
  QList<bool> enabled;
  for (QWizard::WizardButton button : buttons) {
    enabled << frm.button(button)->isEnabled();
    frm.button(button)->setEnabled(false);
  }
  busy_ = true;
  bool ok = false;
  try {
    runInBackground(work);
    ok = true;
  } catch (const sending::FtpError& error) {
    // A transfer the user stopped is no error: the status list says so.
    if (error.failure() == sending::FtpError::Kind::Aborted) DebugListBox->addItem(error.message());
    else frm.dialogs().showError(error);
  } catch (const Error& error) {
    frm.dialogs().showError(error);
  }
  busy_ = false;
  for (qsizetype i = 0; i < buttons.size(); ++i) frm.button(buttons[i])->setEnabled(enabled[i]);
  return ok;
}

bool FtpPage::selectedEntry(QString& name, bool& isDirectory) const {
  const QListWidgetItem* item = DirectoryListBox->currentItem();
  if (!client_->isConnected() || item == nullptr) return false;
  name = sending::GetNameFromDirLine(item->text(), isDirectory);
  return !name.isEmpty();
}

void FtpPage::showHost() {
  FtpServerEdit->setText(browser_.host.ServerName);
  UserIDEdit->setText(browser_.host.UserName);
  CurrentDirEdit->setText(browser_.host.CurrentDir);
  PasswordEdit->setText(browser_.host.Password);
}

void FtpPage::takeHost() {
  browser_.host = {FtpServerEdit->text(), UserIDEdit->text(), CurrentDirEdit->text(), PasswordEdit->text()};
  browser_.passive = UsePassive->isChecked();
}

void FtpPage::showListing() {
  DirectoryListBox->clear();
  DirectoryListBox->addItems(browser_.listing);
}

void FtpPage::showStatus(const QString& text) { statusPanel->setText(text); }

void FtpPage::post(std::function<void()> call) { QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection); }

// ---- The client's events, on the step's thread ------------------------------------------------

void FtpPage::status(const QString& line) {
  // The protocol traffic goes to the list; the status bar tells about transfers.
  post([this, line] {
    DebugListBox->addItem(line);
    DebugListBox->setCurrentRow(DebugListBox->count() - 1);
  });
}

void FtpPage::transferBegin(qint64 expectedBytes, TransferDirection) {
  AbortTransfer = false;
  browser_.meter.begin(expectedBytes);
  const qint64 maximum = browser_.meter.maximum;
  progressScale_ = maximum > std::numeric_limits<int>::max() ? 1024 : 1;
  lastProgressMs_ = 0;
  post([this, maximum] {
    AbortButton->show();
    AbortButton->setEnabled(true);
    ProgressBar1->setMaximum(static_cast<int>(maximum / progressScale_));
    ProgressBar1->setValue(0);
  });
}

bool FtpPage::transferProgress(qint64 bytes, TransferDirection direction) {
  const QString text = browser_.meter.progress(bytes, direction);
  // The window is told at most every 50 ms; the transfer itself is never slowed.
  const qint64 now = sending::steadyMilliseconds();
  if (now - lastProgressMs_ >= 50) {
    lastProgressMs_ = now;
    post([this, text, bytes] {
      showStatus(text);
      ProgressBar1->setValue(static_cast<int>(bytes / progressScale_));
    });
  }
  return !AbortTransfer.exchange(false);
}

void FtpPage::transferEnd(TransferDirection) {
  const QString text = browser_.meter.end();
  post([this, text] {
    AbortButton->hide();
    showStatus(text);
    ProgressBar1->setValue(0);
  });
}

void FtpPage::disconnected() {
  post([this] { showStatus(sending::kDisconnectedText); });
}

}  // namespace wertalo::gui
