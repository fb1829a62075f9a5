// Wertalo: headless command line over the core.
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

#include "core/version.h"

namespace {

void printHelp() {
  std::fputs(
      "Użycie: wertalo-cli POLECENIE [OPCJE]\n"
      "\n"
      "Eksport sprawozdań budżetowych i bilansów do systemu Bestia.\n"
      "\n"
      "Opcje ogólne:\n"
      "  --help       ta pomoc\n"
      "  --version    wersja programu\n",
      stdout);
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
    printHelp();
    return args.isEmpty() ? 2 : 0;
  }
  if (args.first() == QLatin1String("--version")) {
    std::printf("wertalo-cli %s\n", wertalo::kVersion);
    return 0;
  }
  std::fprintf(stderr, "Nieznane polecenie: %s\n", qPrintable(args.first()));
  return 2;
}
