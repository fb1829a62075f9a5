// Wertalo wizard, page 6: the archive handed to the product's sending program.
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <optional>

#include "core/sending/external_sender.h"
#include "gui/wertalo_wizard.h"

namespace wertalo::gui {

class ExternalPage : public WizardPage {
  Q_OBJECT

 public:
  explicit ExternalPage(TfrmWertalo& wizard);

  QPlainTextEdit* memoWysylkaOldschoolowa;
  QPushButton* Button3;
  QLineEdit* edUser;
  QLineEdit* edHaslo;

  // The archive this entry built.
  const QString& archive() const { return archive_; }
  // Entering: the user of the command line looked up, a new archive built (a failed packing
  // keeps the wizard on the completion page).
  bool prepare() override;
  void initializePage() override;
  // Finish: "eksport.xml" and "wysylka.txt" written and the sending program started; an error
  // keeps the wizard here.
  bool validatePage() override;
  // "Zaloguj": the user with the login and password typed.
  void Button3Click();

 private:
  void showPreview();

  QString archive_;
  std::optional<sending::SenderUser> sender_;
};

}  // namespace wertalo::gui
