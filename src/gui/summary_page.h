// Wertalo wizard, page 3: the summary; Next runs the export.
#pragma once

#include <QCheckBox>
#include <QPlainTextEdit>

#include "gui/wertalo_wizard.h"

namespace wertalo::gui {

class SummaryPage : public WizardPage {
  Q_OBJECT

 public:
  explicit SummaryPage(TfrmWertalo& wizard);

  QPlainTextEdit* mInfo;
  QCheckBox* cbStandardowe;

  // Entering: the summary counted and shown.
  void initializePage() override;
  // Next: the ticked reports exported (with progress and Cancel); an error or a cancelled run
  // keeps the wizard here.
  bool validatePage() override;
};

}  // namespace wertalo::gui
