#include "gui/wertalo_wizard.h"

#include "gui/completion_page.h"
#include "gui/external_page.h"
#include "gui/forms.h"
#include "gui/ftp_page.h"
#include "gui/reports_page.h"
#include "gui/summary_page.h"
#include "gui/welcome_page.h"

namespace wertalo::gui {

WizardPage::WizardPage(TfrmWertalo& wizard, const QString& name, const QString& title, const QString& subTitle)
    : frm(wizard) {
  setObjectName(name);
  setTitle(title);
  setSubTitle(subTitle);
}

TfrmWertalo::TfrmWertalo(operations::Session& session, Dialogs& dialogs, const WizardCommandLine& commandLine,
                         WizardServices services, QWidget* parent)
    : QWizard(parent), session_(session), dialogs_(dialogs), services_(std::move(services)) {
  setObjectName(QStringLiteral("frmWertalo"));
  setWindowTitle(QStringLiteral("Eksport danych"));
  setWizardStyle(QWizard::ModernStyle);
  setButtonText(QWizard::BackButton, QStringLiteral("< &Cofnij"));
  setButtonText(QWizard::NextButton, QStringLiteral("&Dalej >"));
  setButtonText(QWizard::FinishButton, QStringLiteral("&Zakończ"));
  setButtonText(QWizard::CancelButton, QStringLiteral("Anuluj"));
  // Every run writes one file per report.
  changeOptions([](catalogue::RunOptions& o) { o.chkZapiszPojedynczo = true; });

  setPage(kWelcomePage, welcome = new WelcomePage(*this));
  setPage(kReportsPage, reports = new ReportsPage(*this));
  setPage(kSummaryPage, summary = new SummaryPage(*this));
  setPage(kCompletionPage, completion = new CompletionPage(*this));
  setPage(kFtpPage, ftp = new FtpPage(*this));
  setPage(kExternalPage, external = new ExternalPage(*this));
  // The FTP page has no Cancel: Back leaves the server, Finish ends.
  connect(this, &QWizard::currentIdChanged, this, [this](int id) { setOption(QWizard::NoCancelButton, id == kFtpPage); });

  formShow(commandLine);
  resize(900, 680);
}

TfrmWertalo::~TfrmWertalo() = default;

void TfrmWertalo::formShow(const WizardCommandLine& commandLine) {
  userid = commandLine.userid;
  takeStartSettings();
  bool preselected = false;
  // A malformed list is refused with a message; the normal start follows.
  if (commandLine.hasList) guard([&] { preselected = session_.preselect(commandLine.list); });
  if (preselected) {
    changeOptions([](catalogue::RunOptions& o) { o.bEksportZatw = false; });
    bZamianStronyAutomatyczna = true;
    welcome->rgRodzaj->setItemIndex(1);
    reports->cbGrupoweJst->setChecked(false);
    reports->cbGrupoweJst->setEnabled(false);
    welcome->setEnabled(false);
    setStartId(kReportsPage);
  } else {
    guard([this] { normalStart(); });
  }
  welcome->showChoice();
  welcome->showSelection();
}

void TfrmWertalo::normalStart() {
  if (session_.product() == catalogue::rBudzetJST) {
    session_.setUnitKind(catalogue::rJST);
  } else {
    // The budget-unit product exports its units' reports only.
    welcome->rgRodzaj->setItemIndex(1);
    welcome->rgRodzajClick(1);
    welcome->rgRodzaj->hide();
    welcome->rbEksportSpraw->setChecked(true);
  }
  // The latest period of the year becomes current.
  if (!session_.unit().ROK.isEmpty()) session_.chooseYear(session_.unit().ROK);
  session_.refreshSelection(false);
  changeOptions([this](catalogue::RunOptions& o) { o.bEksportZatw = session_.settings().chkEksportujZatw; });
  completion->cbWysylkaZewn->setChecked(true);
}

void TfrmWertalo::takeStartSettings() {
  const platform::Settings& settings = session_.settings();
  changeOptions([&](catalogue::RunOptions& o) { o.bEksportZatw = settings.chkEksportujZatw; });
  completion->cbSpakuj->setChecked(settings.cbSpakuj);
  completion->cbWsylijPopolaczeniu->setChecked(settings.cbWsylijPopolaczeniu);
  completion->cbPolaczZserweremFTP->setChecked(settings.cbPolaczZserweremFTP);
  summary->cbStandardowe->setChecked(settings.cbStandardowe);
}

void TfrmWertalo::showSettings() {
  showSettingsForm(this, session_);
  takeSettings();
}

void TfrmWertalo::takeSettings() {
  // The form left the settings in the session's run options; the boxes follow them.
  const platform::Settings& settings = session_.settings();
  completion->cbSpakuj->setChecked(settings.cbSpakuj);
  completion->cbWsylijPopolaczeniu->setChecked(settings.cbWsylijPopolaczeniu);
  completion->cbPolaczZserweremFTP->setChecked(settings.cbPolaczZserweremFTP);
  summary->cbStandardowe->setChecked(settings.cbStandardowe);
  reports->cbGrupoweJst->setChecked(settings.cbGrupoweJst);
  completion->cbInterfejsftp->setChecked(settings.cbInterfejsftp);
  completion->cbUsun->setChecked(settings.cbUsun);
  guard([this] { session_.refreshSelection(); });
  welcome->showSelection();
  reports->showSelection();
}

void TfrmWertalo::changeOptions(const std::function<void(catalogue::RunOptions&)>& change) {
  catalogue::RunOptions options = session_.options();
  change(options);
  session_.setOptions(options);
}

bool TfrmWertalo::busy() const { return ftp->busy(); }

int TfrmWertalo::nextId() const {
  switch (currentId()) {
    case kWelcomePage: return kReportsPage;
    case kReportsPage: return kSummaryPage;
    case kSummaryPage: return kCompletionPage;
    case kCompletionPage: return completion->nextPage();
    default: return -1;
  }
}

bool TfrmWertalo::validateCurrentPage() {
  if (!QWizard::validateCurrentPage()) return false;
  const int next = nextId();
  if (next < 0) return true;
  bool ready = false;
  guard([&] { ready = static_cast<WizardPage*>(page(next))->prepare(); });
  return ready;
}

void TfrmWertalo::reject() {
  // An FTP step runs: its page's "Anuluj" stops a transfer; the form waits for the step.
  if (busy()) return;
  QWizard::reject();
}

}  // namespace wertalo::gui
