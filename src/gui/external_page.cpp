#include "gui/external_page.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/completion_page.h"
#include "gui/widgets.h"

namespace wertalo::gui {

ExternalPage::ExternalPage(TfrmWertalo& wizard)
    : WizardPage(wizard, QStringLiteral("JvWizardInteriorPage4"), QStringLiteral("Wysyłka"),
                 QStringLiteral("Wysyłka za pomocą zewnętrznego programu do wysyłki")),
      memoWysylkaOldschoolowa(readOnlyMemo(this, "memoWysylkaOldschoolowa", false)),
      Button3(named<QPushButton>(this, "Button3", QStringLiteral("Zaloguj"))),
      edUser(named<QLineEdit>(this, "edUser")),
      edHaslo(named<QLineEdit>(this, "edHaslo")) {
  edHaslo->setEchoMode(QLineEdit::Password);
  auto* login = new QFormLayout;
  QLabel* userLabel = buddy(this, QStringLiteral("Login"), edUser);
  QLabel* passwordLabel = buddy(this, QStringLiteral("Hasło"), edHaslo);
  login->addRow(userLabel, edUser);
  login->addRow(passwordLabel, edHaslo);
  for (QWidget* hidden : std::initializer_list<QWidget*>{userLabel, passwordLabel, edUser, edHaslo}) hidden->hide();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(memoWysylkaOldschoolowa, 1);
  layout->addLayout(login);
  layout->addWidget(Button3, 0, Qt::AlignLeft);
  connect(Button3, &QPushButton::clicked, this, &ExternalPage::Button3Click);
}

bool ExternalPage::prepare() {
  operations::Session& session = frm.session();
  if (!frm.userid.isEmpty()) {
    edUser->setText(frm.userid);
    sender_ = session.senderUser(frm.userid);
    frm.user = sender_ ? edUser->text() : QString();
  }
  // Every entry builds a new archive, whatever "Spakuj pliki" says.
  archive_ = session.pack(frm.lastRun, frm.completion->cbUsun->isChecked());
  return !archive_.isEmpty();
}

void ExternalPage::initializePage() { showPreview(); }

bool ExternalPage::validatePage() {
  return frm.guard([&] { frm.session().sendExternalAs(archive_, frm.user.isEmpty() ? std::nullopt : sender_); });
}

void ExternalPage::Button3Click() {
  frm.guard([&] {
    sender_ = frm.session().logIn(edUser->text(), edHaslo->text());
    frm.user = sender_ ? edUser->text() : QString();
  });
  showPreview();
}

void ExternalPage::showPreview() {
  const QStringList lines = frm.session().externalPreview(archive_, frm.user.isEmpty() ? std::nullopt : sender_);
  memoWysylkaOldschoolowa->setPlainText(lines.join(QLatin1Char('\n')));
}

}  // namespace wertalo::gui
