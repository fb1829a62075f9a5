#include "gui/completion_page.h"

#include <QApplication>
#include <QGridLayout>

#include "core/operations/signature_check.h"
#include "core/sending/external_sender.h"
#include "gui/background.h"
#include "gui/widgets.h"

namespace wertalo::gui {

CompletionPage::CompletionPage(TfrmWertalo& wizard)
    : WizardPage(wizard, QStringLiteral("JvWizardInteriorPage2"), QStringLiteral("Zakończenie"),
                 QStringLiteral("Informacje końcowe")),
      memKoniec(readOnlyMemo(this, "memKoniec", true)),
      memPodpisy(readOnlyMemo(this, "memPodpisy", false)),
      cbSpakuj(checkBox(this, "cbSpakuj", QStringLiteral("&Spakuj pliki"), true)),
      cbUsun(checkBox(this, "cbUsun", QStringLiteral("&Usuń pliki które zostały spakowane"), false)),
      cbPolaczZserweremFTP(checkBox(this, "cbPolaczZserweremFTP", QStringLiteral("&Połącz automatycznie z serwerem FTP"), true)),
      cbWsylijPopolaczeniu(checkBox(this, "cbWsylijPopolaczeniu", QStringLiteral("&Wyślij automatycznie"), true)),
      cbInterfejsftp(checkBox(this, "cbInterfejsftp", QStringLiteral("&Interfejs FTP"), false)),
      cbWysylkaZewn(checkBox(this, "cbWysylkaZewn", QStringLiteral("Wysyłka na serwer &komunikacyjny"), false)) {
  auto* layout = new QGridLayout(this);
  layout->addWidget(memKoniec, 0, 0, 1, 2);
  layout->addWidget(memPodpisy, 1, 0, 1, 2);
  layout->addWidget(cbSpakuj, 2, 0);
  layout->addWidget(cbUsun, 2, 1);
  layout->addWidget(cbPolaczZserweremFTP, 3, 0);
  layout->addWidget(cbWsylijPopolaczeniu, 3, 1);
  layout->addWidget(cbInterfejsftp, 4, 0);
  layout->addWidget(cbWysylkaZewn, 4, 1);
  layout->setRowStretch(0, 3);
  layout->setRowStretch(1, 1);

  // At most one sending route; the external one needs an archive.
  connect(cbWysylkaZewn, &QCheckBox::toggled, this, [this](bool on) {
    if (on) {
      cbSpakuj->setChecked(true);
      cbInterfejsftp->setChecked(false);
    }
    showRoute();
  });
  connect(cbInterfejsftp, &QCheckBox::toggled, this, [this](bool on) {
    if (on) cbWysylkaZewn->setChecked(false);
    showRoute();
  });
  connect(cbSpakuj, &QCheckBox::toggled, cbUsun, &QCheckBox::setEnabled);
  connect(cbPolaczZserweremFTP, &QCheckBox::toggled, cbWsylijPopolaczeniu, &QCheckBox::setEnabled);
}

int CompletionPage::nextPage() const {
  if (cbInterfejsftp->isChecked()) return kFtpPage;
  if (cbWysylkaZewn->isChecked()) return kExternalPage;
  return -1;
}

void CompletionPage::initializePage() {
  // The external route is offered exactly when the product names a sending program; when it
  // does not, the box is also unticked, so that Next never leads to a route that cannot send.
  const bool possible = sending::MozliwaWysylkaOldschoolowa(frm.session().externalSender().CommunicationSrv);
  cbWysylkaZewn->setVisible(possible);
  cbWysylkaZewn->setEnabled(possible);
  cbWysylkaZewn->setChecked(possible);
  QStringList lines;
  QStringList files;
  frm.session().completion(frm.lastRun, lines, files);
  memKoniec->setPlainText(lines.join(QLatin1Char('\n')));
  const QStringList signatures = operations::signatureCheckLines(frm.lastRun);
  memPodpisy->setPlainText(signatures.join(QLatin1Char('\n')));
  memPodpisy->setVisible(!signatures.isEmpty());
  showRoute();
}

void CompletionPage::showRoute() {
  // Finish without a sending route, Next with one (the wizard recounts its buttons).
  setFinalPage(nextPage() == -1);
}

bool CompletionPage::validatePage() {
  if (nextPage() != -1 || !cbSpakuj->isChecked() || frm.lastRun.files.empty()) return true;
  QString archive;
  const bool deletePacked = cbUsun->isChecked();
  // Packing hundreds of files runs off the window's thread (it reads and writes files only);
  // the window repaints meanwhile and takes no clicks.
  frm.setEnabled(false);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool packed = frm.guard([&] {
    struct Restore {
      TfrmWertalo& frm;
      ~Restore() {
        QApplication::restoreOverrideCursor();
        frm.setEnabled(true);
      }
    } restore{frm};
    runInBackground([&] { archive = frm.session().pack(frm.lastRun, deletePacked); });
  });
  if (!packed || archive.isEmpty()) return false;
  frm.plik = archive;
  return true;
}

}  // namespace wertalo::gui
