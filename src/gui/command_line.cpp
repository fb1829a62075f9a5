#include "gui/command_line.h"

namespace wertalo::gui {

WizardCommandLine parseWizardCommandLine(const QStringList& parameters) {
  WizardCommandLine line;
  if (parameters.isEmpty()) return line;
  if (parameters.size() == 1 && (parameters[0] == QLatin1String("--help") || parameters[0] == QLatin1String("-h"))) {
    line.help = true;
    return line;
  }
  line.hasList = true;
  if (parameters.size() == 1) {
    line.list = parameters[0];
  } else if (parameters.size() == 2) {
    line.userid = parameters[0];
    line.list = parameters[1];
  }
  return line;
}

QString wizardUsage() {
  return QStringLiteral(
      "Użycie: wertalo [[LOGIN] LISTA]\n"
      "\n"
      "Kreator eksportu sprawozdań i bilansów do systemu Bestia.\n"
      "\n"
      "  LISTA    identyfikatory sprawozdań jednostek budżetowych (IDSPRAW), każdy zakończony\n"
      "           przecinkiem, np. 226444,226726, ; kreator zaczyna od wyboru sprawozdań z listy\n"
      "           (lista w innej postaci jest odrzucana z komunikatem)\n"
      "  LOGIN    użytkownik programu, w którego imieniu przesyłka trafia do programu wysyłającego\n"
      "  --help   ta pomoc\n"
      "\n"
      "Przy trzech lub więcej parametrach lista jest pusta i kreator zaczyna normalnie.\n"
      "Instalację wskazuje plik $WERTALO_WIN_INI (domyślnie ~/.config/wertalo/win.ini),\n"
      "ustawienia leżą w $WERTALO_CONFIG_DIR (domyślnie ~/.config/wertalo/).\n"
      "\n"
      "Kody wyjścia: 0 kreator zamknięty, 1 instalacji lub bazy danych nie można otworzyć.\n");
}

}  // namespace wertalo::gui
