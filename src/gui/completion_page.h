// Wertalo wizard, page 4: the completion text, and what follows the export (packing, sending).
#pragma once

#include <QCheckBox>
#include <QPlainTextEdit>

#include "gui/wertalo_wizard.h"

namespace wertalo::gui {

class CompletionPage : public WizardPage {
  Q_OBJECT

 public:
  explicit CompletionPage(TfrmWertalo& wizard);

  QPlainTextEdit* memKoniec;
  // The check of the signatures in the files written (shown only when a file holds any).
  QPlainTextEdit* memPodpisy;
  QCheckBox* cbSpakuj;
  QCheckBox* cbUsun;
  QCheckBox* cbPolaczZserweremFTP;
  QCheckBox* cbWsylijPopolaczeniu;
  QCheckBox* cbInterfejsftp;
  QCheckBox* cbWysylkaZewn;

  // The page that Next leads to: the FTP page, the external-sender page, or none (Finish).
  int nextPage() const;
  // Entering: the external route offered only when possible, the completion text of the last
  // run and the check of the signatures in its files.
  void initializePage() override;
  // Finish: the written files packed when asked (a failed packing keeps the wizard here).
  bool validatePage() override;

 private:
  void showRoute();
};

}  // namespace wertalo::gui
