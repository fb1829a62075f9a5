// `wertalo-screenshots`: pictures of every page of the wizard, driven over an installation as
// a user would (scripts/screenshots runs it on the demo installation under xvfb-run).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>

#include <cstdio>

#include "core/operations/session.h"
#include "core/sending/ftp_host.h"
#include "gui/completion_page.h"
#include "gui/dialogs.h"
#include "gui/wertalo_wizard.h"
#include "gui/welcome_page.h"

namespace {

using namespace wertalo;

// Lets the window settle, then saves its picture.
void shoot(QWidget& window, const QString& file) {
  QElapsedTimer settle;
  settle.start();
  while (settle.elapsed() < 300) QApplication::processEvents(QEventLoop::AllEvents, 50);
  if (!window.grab().save(file)) std::fprintf(stderr, "Nie można zapisać %s\n", qPrintable(file));
  else std::printf("%s\n", qPrintable(file));
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

  gui::QtDialogs dialogs;
  std::unique_ptr<operations::Session> session;
  if (!gui::guarded(dialogs, [&] { session = operations::Session::open({winIni, config.filePath("Wertalo.xml")}, dialogs); }))
    return 1;
  gui::WizardServices services;
  services.ftpHostFile = config.filePath("FtpHost.ini");
  if (args.size() == 5)
    sending::SaveFTPHostInfo(services.ftpHostFile, {"127.0.0.1:" + args[4], "tester", "/", "sekret"});

  gui::TfrmWertalo wizard(*session, dialogs, {});
  dialogs.setParent(&wizard);
  wizard.show();
  shoot(wizard, out.filePath("1-wybor-danych.png"));
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
  return wizard.currentId() == gui::kExternalPage ? 0 : 1;
}
