// `wertalo-screenshots`: pictures of every page of the wizard and of both forms, driven over an
// installation as a user would (scripts/screenshots runs it on the demo installation under
// xvfb-run). Messages go to the error output instead of message boxes, so nothing waits for a
// click.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTimer>

#include <cstdio>
#include <functional>

#include "core/operations/session.h"
#include "core/sending/ftp_host.h"
#include "gui/completion_page.h"
#include "gui/dialogs.h"
#include "gui/forms.h"
#include "gui/wertalo_wizard.h"
#include "gui/welcome_page.h"

namespace {

using namespace wertalo;

// The Qt dialogs, with messages and errors written out instead of shown.
class QuietDialogs : public gui::QtDialogs {
 public:
  void showMessage(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
  void showError(const Error& error) override { std::fprintf(stderr, "%s\n", qPrintable(error.message())); }
};

int failures = 0;

// Lets the window settle, then saves its picture.
void shoot(QWidget& window, const QString& file) {
  QElapsedTimer settle;
  settle.start();
  while (settle.elapsed() < 300) QApplication::processEvents(QEventLoop::AllEvents, 50);
  if (window.grab().save(file)) {
    std::printf("%s\n", qPrintable(file));
  } else {
    std::fprintf(stderr, "Nie można zapisać %s\n", qPrintable(file));
    ++failures;
  }
}

// Opens a modal form with `show`, saves its picture once it runs and closes it.
void shootModal(const std::function<void()>& show, const QString& file) {
  QTimer::singleShot(0, [file] {
    QWidget* form = QApplication::activeModalWidget();
    if (form == nullptr) {
      std::fprintf(stderr, "Brak okna dla %s\n", qPrintable(file));
      ++failures;
      return;
    }
    shoot(*form, file);
    form->close();
  });
  show();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.size() < 4 || args.size() > 5) {
    std::fputs("Użycie: wertalo-screenshots WIN_INI KATALOG_KONFIGURACJI KATALOG_OBRAZÓW [PORT_FTP]\n", stderr);
    return 2;
  }
  const QString winIni = args[1];
  const QDir config(args[2]);
  const QDir out(args[3]);
  QDir().mkpath(out.path());
  QDir().mkpath(config.path());

  QuietDialogs dialogs;
  std::unique_ptr<operations::Session> session;
  if (!gui::guarded(dialogs, [&] { session = operations::Session::open({winIni, config.filePath("Wertalo.xml")}, dialogs); }))
    return 1;
  gui::WizardServices services;
  services.ftpHostFile = config.filePath("FtpHost.ini");
  if (args.size() == 5)
    sending::SaveFTPHostInfo(services.ftpHostFile, {"127.0.0.1:" + args[4], "demo", "/", "demo"});

  gui::TfrmWertalo wizard(*session, dialogs, {});
  dialogs.setParent(&wizard);
  wizard.show();
  gui::WelcomePage& welcome = *wizard.welcome;
  shoot(wizard, out.filePath("1-wybor-danych.png"));
  shootModal([&] { welcome.btnUstawienia->click(); }, out.filePath("ustawienia.png"));

  // Balance sheets: the mapping form and the positions beside the sheets on page 2.
  welcome.rbEksportBilansow->click();
  shootModal([&] { welcome.btnPokazMapowanieDoBestia->click(); }, out.filePath("przypisania-pozycji-bilansu.png"));
  wizard.next();
  shoot(wizard, out.filePath("2-bilanse.png"));
  wizard.back();

  // The reports of the budget units, several chosen.
  welcome.rbEksportSpraw->click();
  welcome.findChild<QRadioButton*>("rgRodzaj_1")->click();
  welcome.findChild<QRadioButton*>("rgWyborJednostek_1")->click();
  for (int row = 0; row < welcome.gridJB->rowCount(); ++row) welcome.gridJBDoubleClick(row);
  shoot(wizard, out.filePath("1-jednostki-budzetowe.png"));

  wizard.next();
  shoot(wizard, out.filePath("2-sprawozdania.png"));
  wizard.next();
  shoot(wizard, out.filePath("3-podsumowanie.png"));
  wizard.next();
  shoot(wizard, out.filePath("4-zakonczenie.png"));
  if (args.size() == 5) {
    wizard.completion->cbInterfejsftp->setChecked(true);
    wizard.next();
    shoot(wizard, out.filePath("5-wysylka-ftp.png"));
    wizard.back();
  }
  wizard.completion->cbWysylkaZewn->setChecked(true);
  wizard.next();
  shoot(wizard, out.filePath("6-wysylka.png"));
  if (wizard.currentId() != gui::kExternalPage) ++failures;
  return failures == 0 ? 0 : 1;
}
