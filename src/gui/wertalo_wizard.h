// Wertalo wizard: the main form, a six-page wizard over the operations layer.
#pragma once

#include <QString>
#include <QWizard>
#include <QWizardPage>

#include <functional>
#include <memory>

#include "core/catalogue/export_result.h"
#include "core/catalogue/run_options.h"
#include "core/operations/session.h"
#include "core/sending/ftp_client.h"
#include "gui/command_line.h"
#include "gui/dialogs.h"

namespace wertalo::gui {

// The pages, in order.
enum PageId { kWelcomePage, kReportsPage, kSummaryPage, kCompletionPage, kFtpPage, kExternalPage };

class TfrmWertalo;
class WelcomePage;
class ReportsPage;
class SummaryPage;
class CompletionPage;
class FtpPage;
class ExternalPage;

// A page of the wizard, named like the form's page; it reaches the form's state and operations.
class WizardPage : public QWizardPage {
 public:
  WizardPage(TfrmWertalo& wizard, const QString& name, const QString& title, const QString& subTitle);
  // The work of entering the page that can fail. It runs before the wizard moves, so an error
  // (shown in the error box) or false keeps the wizard on the page it is on.
  virtual bool prepare() { return true; }

 protected:
  TfrmWertalo& frm;
};

// What the wizard takes from outside besides the session.
struct WizardServices {
  // Makes the FTP page's client (libcurl unless a test gives another).
  std::function<std::unique_ptr<sending::FtpClient>()> ftpClient = sending::makeCurlFtpClient;
  // Where the FTP page remembers its server ("FtpHost.ini" in the configuration folder when empty).
  QString ftpHostFile;
};

// The main form "Eksport danych". It sets the session's choice and calls its operations; it
// never runs a statement or writes a package itself.
class TfrmWertalo : public QWizard {
  Q_OBJECT

 public:
  // Shows the form as the program starts it: the stored settings taken, the command line's
  // report list preselected (or refused with a message), else the latest period chosen.
  TfrmWertalo(operations::Session& session, Dialogs& dialogs, const WizardCommandLine& commandLine,
              WizardServices services = {}, QWidget* parent = nullptr);
  ~TfrmWertalo() override;

  operations::Session& session() { return session_; }
  Dialogs& dialogs() { return dialogs_; }
  const WizardServices& services() const { return services_; }
  // Runs a step; an error is shown in the error box and gives false.
  bool guard(const std::function<void()>& step) { return guarded(dialogs_, step); }

  WelcomePage* welcome = nullptr;
  ReportsPage* reports = nullptr;
  SummaryPage* summary = nullptr;
  CompletionPage* completion = nullptr;
  FtpPage* ftp = nullptr;
  ExternalPage* external = nullptr;

  QString userid;                          // the login of the command line
  QString user;                            // the login confirmed for the external sender
  int iWybrane = 0;                        // reports counted by the summary
  bool bZamianStronyAutomatyczna = false;  // the report list was preselected: entering page 2 keeps it
  QString plik;                            // the archive built last
  catalogue::ExportResult lastRun;         // what the last export wrote and left out

  // Changes the session's run options.
  void changeOptions(const std::function<void(catalogue::RunOptions&)>& change);
  // "Ustawienia": the settings form, then what it leaves is taken (takeSettings).
  void showSettings();
  // The settings as the form leaves them: into the run options and the wizard's boxes (each
  // with its rule), then the selection rebuilt.
  void takeSettings();
  // Whether long work runs that the form must not be closed under.
  bool busy() const;

  int nextId() const override;
  bool validateCurrentPage() override;
  void reject() override;

 private:
  void formShow(const WizardCommandLine& commandLine);
  void normalStart();
  void takeStartSettings();

  operations::Session& session_;
  Dialogs& dialogs_;
  WizardServices services_;
};

}  // namespace wertalo::gui
