// `wertalo-cli export`: the wizard's export without the wizard.
#include <unistd.h>

#include "cli/commands.h"
#include "cli/session.h"

namespace wertalo::cli {

namespace {

// "57,58," as identifiers.
std::vector<qint64> identifiers(const QString& list) {
  std::vector<qint64> ids;
  for (const QString& id : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) ids.push_back(id.toLongLong());
  return ids;
}

}  // namespace

int runExportCommand(const QStringList& args) {
  const auto options = parseCommandOptions(
      args,
      {QStringLiteral("--win-ini"), QStringLiteral("--kind"), QStringLiteral("--year"), QStringLiteral("--period"),
       QStringLiteral("--jb"), QStringLiteral("--ids"), QStringLiteral("--single-file"), QStringLiteral("--plain"),
       QStringLiteral("--out"), QStringLiteral("--all-statuses"), QStringLiteral("--no-group-jst")});
  if (!options) return 2;
  ConsoleUserInterface ui;
  if (!options->singleFile.isEmpty()) ui.setSaveAnswer(options->singleFile);
  const std::unique_ptr<operations::Session> session = openSession(*options, ui);
  catalogue::RunOptions run = session->options();
  run.chkZapiszPojedynczo = options->singleFile.isEmpty();
  session->setOptions(run);
  if (!options->ids.isEmpty()) session->tickOnly(identifiers(options->ids));

  QStringList summary;
  if (session->summary(summary) == 0) {
    err(QStringLiteral("Brak sprawozdań do eksportu dla wybranego roku, okresu i jednostki.\n"));
    return 1;
  }

  package::RunControl control;
  if (session->selection().tickedCount() > 5 && isatty(STDERR_FILENO)) {
    control.progress = [](int done, int all, const catalogue::SelectRow&) {
      err(QStringLiteral("\rEksport: %1 z %2").arg(done).arg(all));
      if (done == all) err(QStringLiteral("\n"));
    };
  }
  const catalogue::ExportResult result = session->exportSelection(control);
  if (result.cancelled) {
    err(QStringLiteral("Zapis anulowany; nic nie zapisano.\n"));
    return 1;
  }
  QStringList memo, files;
  session->completion(result, memo, files);
  out(memo.join(QLatin1Char('\n')) + QLatin1Char('\n'));
  return 0;
}

}  // namespace wertalo::cli
