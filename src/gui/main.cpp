// The program `wertalo`: the export wizard.
#include <QApplication>

#include <cstdio>

#include "core/operations/session.h"
#include "core/version.h"
#include "gui/command_line.h"
#include "gui/dialogs.h"
#include "gui/wertalo_wizard.h"

int main(int argc, char* argv[]) {
  using namespace wertalo;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("wertalo"));
  QApplication::setApplicationVersion(QString::fromLatin1(kVersion));

  const gui::WizardCommandLine commandLine = gui::parseWizardCommandLine(QApplication::arguments().mid(1));
  if (commandLine.help) {
    std::fputs(gui::wizardUsage().toUtf8().constData(), stdout);
    return 0;
  }

  gui::QtDialogs dialogs;
  std::unique_ptr<operations::Session> session;
  if (!gui::guarded(dialogs, [&] { session = operations::Session::open({}, dialogs); })) return 1;
  gui::TfrmWertalo wizard(*session, dialogs, commandLine);
  dialogs.setParent(&wizard);
  wizard.show();
  return QApplication::exec();
}
