#include "cli/demo_command.h"

#include <QDir>

#include <cstdio>

#include "cli/console_ui.h"
#include "core/demo/demo_installation.h"

namespace wertalo::cli {

using namespace Qt::StringLiterals;

namespace {

const char kUsage[] =
    "Użycie: wertalo-cli demo KATALOG [--units N] [--firebird HOST:ŚCIEŻKA] [--user U --password P]\n"
    "\n"
    "Tworzy w pustym KATALOGU instalację demonstracyjną programu: win.ini, plik konfiguracyjny,\n"
    "program wysyłający i bazę danych (plik dane.sqlite albo baza na serwerze Firebird)\n"
    "z danymi miasta na prawach powiatu i jego jednostek budżetowych za lata 2013 i 2014.\n"
    "\n"
    "  --units N            liczba jednostek budżetowych (domyślnie 6)\n"
    "  --firebird H:Ś       baza na serwerze Firebird (tworzona, gdy jej nie ma)\n"
    "  --user U             użytkownik serwera (domyślnie SYSDBA)\n"
    "  --password P         hasło użytkownika serwera\n"
    "  --help, -h           ta pomoc\n"
    "\n"
    "Kody wyjścia: 0 wykonano; 1 błąd (np. KATALOG nie jest pusty, serwer niedostępny);\n"
    "2 niepoprawne wywołanie.\n";

void print(FILE* stream, const QString& text) { std::fputs(text.toUtf8().constData(), stream); }

int usageError(const QString& message) {
  print(stderr, message + u"\n\n"_s);
  std::fputs(kUsage, stderr);
  return 2;
}

}  // namespace

int runDemoCommand(const QStringList& args) {
  demo::DemoOptions options;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args.at(i);
    if (arg == u"--help"_s || arg == u"-h"_s) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == u"--units"_s || arg == u"--firebird"_s || arg == u"--user"_s || arg == u"--password"_s) {
      if (i + 1 >= args.size()) return usageError(u"Brak wartości opcji %1."_s.arg(arg));
      const QString value = args.at(++i);
      if (arg == u"--units"_s) {
        bool ok = false;
        options.units = value.toInt(&ok);
        if (!ok || options.units < 1 || options.units > 10000)
          return usageError(u"Liczba jednostek musi być liczbą od 1 do 10000: %1"_s.arg(value));
      } else if (arg == u"--firebird"_s) {
        options.firebirdServer = value;
      } else if (arg == u"--user"_s) {
        options.user = value;
      } else {
        options.password = value;
      }
    } else if (arg.startsWith(u"--"_s)) {
      return usageError(u"Nieznana opcja: %1"_s.arg(arg));
    } else if (options.folder.isEmpty()) {
      options.folder = arg;
    } else {
      return usageError(u"Podano więcej niż jeden katalog: %1"_s.arg(arg));
    }
  }
  if (options.folder.isEmpty()) return usageError(u"Nie podano katalogu instalacji demonstracyjnej."_s);
  if ((!options.user.isEmpty() || !options.password.isEmpty()) && options.firebirdServer.isEmpty())
    return usageError(u"Opcje --user i --password dotyczą tylko bazy na serwerze (--firebird)."_s);

  try {
    const demo::DemoInstallation made = demo::createDemoInstallation(options);
    QString out = u"Utworzono instalację demonstracyjną:\n"_s;
    out += u"  %1  (WIN.INI, sekcja KALMETO)\n"_s.arg(made.winIni);
    out += u"  %1  (plik konfiguracyjny, sekcja configTervik)\n"_s.arg(made.configFile);
    out += u"  %1  (program wysyłający)\n"_s.arg(made.sender);
    if (options.firebirdServer.isEmpty())
      out += u"  %1  (baza danych)\n"_s.arg(made.database);
    else
      out += u"  baza danych na serwerze Firebird: %1%2\n"_s.arg(made.database, made.databaseCreated ? u" (utworzona)"_s : QString());
    out += u"Jednostek budżetowych: %1, sprawozdań i bilansów: %2, wierszy: %3.\n"_s.arg(made.content.units)
               .arg(made.content.reports)
               .arg(made.content.rows);
    out += u"Eksport z tej instalacji:\n  wertalo-cli export --win-ini %1\n"_s.arg(made.winIni);
    print(stdout, out);
    return 0;
  } catch (const Error& e) {
    print(stderr, errorText(e) + u'\n');
  }
  return 1;
}

}  // namespace wertalo::cli
