// `wertalo-cli export`: the wizard's export without the wizard.
#include <QSet>

#include <unistd.h>

#include "cli/commands.h"
#include "cli/session.h"
#include "core/package/export_run.h"
#include "core/package/paczka.h"

namespace wertalo::cli {

using namespace catalogue;

namespace {

// Only the reports of --ids stay ticked; every one of them must be offered.
bool tickOnly(SelectTable& table, const QString& ids) {
  QSet<qint64> wanted;
  for (const QString& id : ids.split(QLatin1Char(','), Qt::SkipEmptyParts)) wanted.insert(id.toLongLong());
  QSet<qint64> found;
  for (int i = 0; i < table.recordCount(); ++i) {
    SelectRow& row = table.at(i);
    row.SELEKCJA = wanted.contains(row.IDSPRAW);
    if (row.SELEKCJA) found.insert(row.IDSPRAW);
  }
  const QSet<qint64> missing = wanted - found;
  if (missing.isEmpty()) return true;
  QStringList list;
  for (qint64 id : missing) list << QString::number(id);
  list.sort();
  err(QStringLiteral("Sprawozdania %1 nie ma wśród sprawozdań do eksportu (wertalo-cli list pokazuje dostępne).\n")
          .arg(list.join(QStringLiteral(", "))));
  return false;
}

// Reports whose body this version does not write yet stay out of the export (a file without
// its report would be taken for an export of it); the user is told which.
void untickUnwritten(SelectTable& table, const package::ReportRegistry& registry) {
  QStringList skipped;
  for (int i = 0; i < table.recordCount(); ++i) {
    SelectRow& row = table.at(i);
    if (!row.SELEKCJA || registry.bodyWritten(row.sTypSprBestia)) continue;
    row.SELEKCJA = false;
    skipped << QStringLiteral("%1 (%2)").arg(row.sTypSprBestia.isEmpty() ? row.TYPSPR : row.sTypSprBestia).arg(row.IDSPRAW);
  }
  if (!skipped.isEmpty()) {
    err(QStringLiteral("Pominięto sprawozdania, których ta wersja jeszcze nie eksportuje: %1\n")
            .arg(skipped.join(QStringLiteral(", "))));
  }
}

}  // namespace

int runExportCommand(const QStringList& args) {
  const auto options = parseCommandOptions(
      args,
      {QStringLiteral("--win-ini"), QStringLiteral("--kind"), QStringLiteral("--year"), QStringLiteral("--period"),
       QStringLiteral("--jb"), QStringLiteral("--ids"), QStringLiteral("--single-file"), QStringLiteral("--plain"),
       QStringLiteral("--out"), QStringLiteral("--all-statuses"), QStringLiteral("--no-group-jst")});
  if (!options) return 2;
  Session session;
  if (!openSession(*options, session)) return 1;
  TdtmWertaloMain& dtm = *session.dtm;

  // As the wizard does on its way to the export: the unit's REGON followed by five blanks.
  if (session.settings.chkDodajSpacje) dtm.memMain.REGON = dtm.memMain.REGON.trimmed() + QStringLiteral("     ");
  dtm.bRegonSpacje = session.settings.chkDodajSpacje;
  dtm.frmWertalo.chkZapiszPojedynczo = options->singleFile.isEmpty();
  if (!options->singleFile.isEmpty()) session.ui.setSaveAnswer(options->singleFile);
  if (!options->ids.isEmpty() && !tickOnly(dtm.memSelectSpraw, options->ids)) return 1;
  untickUnwritten(dtm.memSelectSpraw, package::ReportRegistry::instance());

  QStringList summary;
  if (dtm.WykonajPosumowanie(summary) == 0) {
    err(QStringLiteral("Brak sprawozdań do eksportu dla wybranego roku, okresu i jednostki.\n"));
    return 1;
  }

  package::TXMLPaczkaSprawozdan& writer = *session.writer;
  const int total = dtm.memSelectSpraw.tickedCount();
  if (total > 5 && isatty(STDERR_FILENO)) {
    writer.onProgress = [](int done, int all) {
      err(QStringLiteral("\rEksport: %1 z %2").arg(done).arg(all));
      if (done == all) err(QStringLiteral("\n"));
    };
  }
  if (!package::WykonajEksport(dtm, writer)) {
    err(QStringLiteral("Zapis anulowany; nic nie zapisano.\n"));
    return 1;
  }
  QStringList memo, files;
  dtm.Zakonczenie(memo, files);
  out(memo.join(QLatin1Char('\n')) + QLatin1Char('\n'));
  return 0;
}

}  // namespace wertalo::cli
