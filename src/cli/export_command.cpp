// `wertalo-cli export`: the wizard's export without the wizard, with packing and the
// product's sending program as its last pages do them.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <unistd.h>

#include <optional>

#include "cli/commands.h"
#include "cli/export_report.h"
#include "cli/session.h"

namespace wertalo::cli {

using namespace Qt::StringLiterals;

namespace {

const QString kUsage =
    u"Użycie: wertalo-cli export [OPCJE]\n"
    u"\n"
    u"Eksportuje sprawozdania (albo bilanse) wybranego roku, okresu i jednostki do plików XML\n"
    u"w folderze eksportu z ustawień i zapisuje datę wysłania każdego zapisanego sprawozdania.\n"
    u"\n"
    u"Wybór:\n"
    u"  --win-ini PLIK        WIN.INI instalacji (domyślnie $WERTALO_WIN_INI albo\n"
    u"                        ~/.config/wertalo/win.ini)\n"
    u"  --kind reports|balances  sprawozdania (domyślnie) albo bilanse\n"
    u"  --year RRRR           rok (domyślnie ostatni)\n"
    u"  --period KOD          okres: A–L miesiąc, 1–4 kwartał (domyślnie ostatni w roku)\n"
    u"  --jb ID[,ID...]       jednostki budżetowe (domyślnie sama jednostka)\n"
    u"  --ids IDSPRAW[,...]   tylko te sprawozdania\n"
    u"  --all-statuses        także sprawozdania niezatwierdzone\n"
    u"\n"
    u"Zapis:\n"
    u"  --out KATALOG         folder eksportu zamiast folderu z ustawień\n"
    u"  --single-file PLIK    cała paczka w jednym pliku\n"
    u"  --plain               bez informacji dodatkowych (SprawozdaniaRozwiniecie)\n"
    u"  --no-group-jst        jednostki grupowe opisane własnymi danymi\n"
    u"  --json                wynik w formacie JSON (dla skryptów): zapisane pliki, każdy ze\n"
    u"                        sprawozdaniami (identyfikator, symbol, jednostka, czy zapisano datę\n"
    u"                        wysłania), pominięte sprawozdania, archiwum; po błędzie to, co\n"
    u"                        zapisano przed nim, i błąd\n"
    u"\n"
    u"Po eksporcie:\n"
    u"  --zip                 pakuje zapisane pliki do archiwum ZIP w folderze eksportu;\n"
    u"                        ostatni wiersz wyniku to ścieżka archiwum\n"
    u"  --external            pakuje pliki i przekazuje archiwum programowi wysyłającemu\n"
    u"                        programu (opis eksport.xml obok archiwum, plik wysylka.txt)\n"
    u"  --login L             użytkownik przesyłki (z tabeli użytkowników programu), z --external\n"
    u"  --delete-packed       usuwa spakowane pliki XML (tylko po udanym pakowaniu)\n"
    u"  --help, -h            ta pomoc\n"
    u"\n"
    u"Kody wyjścia: 0 wykonano; 1 błąd (pliki zapisane przed nim są wymienione); 2 niepoprawne\n"
    u"wywołanie (nic nie odczytano ani nie zapisano); 3 wykonano, ale pominięto sprawozdania\n"
    u"(wymienione w wyniku).\n"_s;

const QStringList kOptions = {u"--win-ini"_s, u"--kind"_s,         u"--year"_s,        u"--period"_s,
                              u"--jb"_s,      u"--ids"_s,          u"--single-file"_s, u"--plain"_s,
                              u"--out"_s,     u"--all-statuses"_s, u"--no-group-jst"_s, u"--json"_s,
                              u"--zip"_s,     u"--delete-packed"_s, u"--external"_s,   u"--login"_s};

int usageError(const QString& message) {
  err(message + u"\n(wertalo-cli export --help)\n"_s);
  return kExitUsage;
}

// What the options may not say together; empty when they are fine.
QString conflict(const Options& o) {
  if (o.zip && o.external) return u"Opcje --zip i --external wykluczają się (--external sam pakuje pliki)."_s;
  if (o.deletePacked && !o.zip && !o.external) return u"Opcja --delete-packed działa tylko z --zip albo --external."_s;
  if (!o.login.isEmpty() && !o.external) return u"Opcja --login działa tylko z --external."_s;
  return QString();
}

// Progress of a long run on the terminal only.
package::RunControl terminalProgress(const operations::Session& session) {
  package::RunControl control;
  if (session.selection().tickedCount() > 5 && isatty(STDERR_FILENO)) {
    control.progress = [](int done, int all, const catalogue::SelectRow&) {
      err(u"\rEksport: %1 z %2"_s.arg(done).arg(all));
      if (done == all) err(u"\n"_s);
    };
  }
  return control;
}

// The steps after the export: packing and the sending program. Adds to `report`; raises Error.
void afterExport(const Options& o, operations::Session& session, const catalogue::ExportResult& result,
                 ExportReport& report) {
  if (!o.zip && !o.external) return;
  report.archive = session.pack(result, o.deletePacked);
  report.deletedPacked = o.deletePacked;
  if (o.external) report.external = session.sendExternal(report.archive, o.login);
}

}  // namespace

int runExportCommand(const QStringList& args) {
  const auto options = parseCommandOptions(args, kOptions, 0);
  if (!options) return kExitUsage;
  if (options->help) {
    out(kUsage);
    return kExitDone;
  }
  if (const QString problem = conflict(*options); !problem.isEmpty()) return usageError(problem);

  ConsoleUserInterface ui;
  if (!options->singleFile.isEmpty()) ui.setSaveAnswer(options->singleFile);
  ExportReport report(options->json);
  try {
    const std::unique_ptr<operations::Session> session = openSession(*options, ui);
    catalogue::RunOptions run = session->options();
    run.chkZapiszPojedynczo = options->singleFile.isEmpty();
    session->setOptions(run);
    if (!options->ids.isEmpty()) session->tickOnly(identifiers(options->ids));
    // What the sending step needs is checked before anything is written.
    if (options->external) session->checkExternalSending(options->login);

    QStringList summary;
    if (session->summary(summary) == 0) {
      report.fail(u"Brak sprawozdań do eksportu dla wybranego roku, okresu i jednostki."_s);
      return kExitError;
    }
    report.result = session->exportSelection(terminalProgress(*session));
    if (report.result.cancelled) {
      report.fail(u"Zapis anulowany; nic nie zapisano."_s);
      return kExitError;
    }
    session->completion(report.result, report.completion, report.files);
    afterExport(*options, *session, report.result, report);
  } catch (const catalogue::ExportStopped& e) {
    report.result = e.written();
    report.fail(e, true);
    return kExitError;
  } catch (const Error& e) {
    report.fail(e);
    return kExitError;
  }
  report.done();
  if (report.external && !report.external->started) return kExitError;
  return report.result.leftOut.empty() ? kExitDone : kExitPartial;
}

}  // namespace wertalo::cli
