// Wertalo: headless command line over the core.
#include <QCoreApplication>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <exception>
#include <functional>
#include <map>

#include "cli/commands.h"
#include "cli/console_ui.h"
#include "cli/demo_command.h"
#include "core/base/error.h"
#include "core/version.h"

namespace {

void printHelp() {
  wertalo::cli::out(QStringLiteral(
      "Użycie: wertalo-cli POLECENIE [OPCJE]\n"
      "\n"
      "Eksport sprawozdań budżetowych i bilansów do systemu Bestia.\n"
      "\n"
      "Polecenia:\n"
      "  demo     tworzy instalację demonstracyjną w folderze KATALOG\n"
      "           KATALOG [--units N] [--firebird HOST:ŚCIEŻKA] [--user U --password H]\n"
      "  list     jednostka, lata, okresy, jednostki budżetowe i sprawozdania do eksportu\n"
      "           [--win-ini PLIK] [--kind reports|balances] [--year RRRR] [--period KOD]\n"
      "           [--jb ID[,ID...]] [--all-statuses] [--json]\n"
      "\n"
      "  export   eksport wybranych sprawozdań lub bilansów do plików XML\n"
      "           [--win-ini PLIK] [--kind reports|balances] [--year RRRR] [--period KOD]\n"
      "           [--jb ID[,ID...]] [--ids IDSPRAW[,...]] [--single-file PLIK] [--plain]\n"
      "           [--out KATALOG] [--all-statuses] [--no-group-jst] [--json]\n"
      "           [--zip | --external [--login L]] [--delete-packed]\n"
      "  ftp      wysyłka i pobieranie plików na serwerze FTP (wertalo-cli ftp --help)\n"
      "           [--server HOST[:PORT]] [--user U] [--password-file PLIK] [--dir KATALOG]\n"
      "           [--active] put PLIK | get NAZWA [--out KATALOG] | ls | mkdir | rmdir | rm NAZWA\n"
      "\n"
      "  map      przypisanie pozycji bilansów do pozycji programu Bestia\n"
      "           auto|list|assign|skip|clear [--kind BILB|BILS|BILJ] [--side A|P]\n"
      "           (wertalo-cli map --help)\n"

      "  verify   sprawdza podpisy elektroniczne w plikach paczek\n"
      "           PLIK... [--ca PLIK] [--json]\n"
      "\n"
      "Kod okresu: A–L miesiąc (A = styczeń), 1–4 kwartał. Bez --year/--period: ostatni rok\n"
      "i jego ostatni okres.\n"
      "\n"
      "Opcje ogólne:\n"
      "  --help, -h   ta pomoc (także po nazwie polecenia: wertalo-cli export --help)\n"
      "  --version    wersja programu\n"
      "\n"
      "Kody wyjścia: 0 wykonano; 1 błąd, nic więcej do zrobienia; 2 niepoprawne wywołanie (nic\n"
      "nie odczytano ani nie zapisano); 3 wykonano, ale coś pominięto albo nie potwierdzono.\n"));
}

// Runs a command; every error of the core ends it with its message, in one place.
int guarded(const std::function<int()>& command) {
  using wertalo::cli::err;
  try {
    return command();
  } catch (const wertalo::Error& e) {
    err(wertalo::cli::errorText(e) + QLatin1Char('\n'));
  } catch (const std::exception& e) {
    err(QStringLiteral("Błąd: ") + QString::fromUtf8(e.what()) + QLatin1Char('\n'));
  }
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  // A file-size limit makes a write fail with its error instead of ending the program midway.
  std::signal(SIGXFSZ, SIG_IGN);
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
    printHelp();
    return args.isEmpty() ? 2 : 0;
  }
  if (args.first() == QLatin1String("--version") && args.size() == 1) {
    wertalo::cli::out(QStringLiteral("wertalo-cli %1\n").arg(QString::fromLatin1(wertalo::kVersion)));
    return 0;
  }
  const std::map<QString, std::function<int(const QStringList&)>> commands = {
      {QStringLiteral("demo"), wertalo::cli::runDemoCommand},
      {QStringLiteral("export"), wertalo::cli::runExportCommand},
      {QStringLiteral("ftp"), wertalo::cli::runFtpCommand},
      {QStringLiteral("list"), wertalo::cli::runListCommand},
      {QStringLiteral("map"), wertalo::cli::runMapCommand},
      {QStringLiteral("verify"), wertalo::cli::runVerifyCommand},
  };
  const auto it = commands.find(args.first());
  if (it == commands.end()) {
    wertalo::cli::err(QStringLiteral("Nieznane polecenie: %1 (wertalo-cli --help)\n").arg(args.first()));
    return 2;
  }
  const QStringList rest = args.mid(1);
  return guarded([&] { return it->second(rest); });
}
