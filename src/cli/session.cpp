#include "cli/session.h"

namespace wertalo::cli {

std::unique_ptr<operations::Session> openSession(const Options& options, ConsoleUserInterface& ui) {
  auto session = operations::Session::open({options.winIni, QString()}, ui);
  catalogue::RunOptions run = session->options();
  if (!options.outDir.isEmpty()) run.dirKatalog = options.outDir;
  if (options.allStatuses) run.bEksportZatw = false;
  if (options.plain) run.bDodajInfo = false;
  if (options.noGroupJst) run.cbGrupoweJst = false;
  session->setOptions(run);

  operations::Choice choice;
  choice.kind = options.kind == QLatin1String("balances") ? catalogue::teBilanse : catalogue::teSprawozdania;
  choice.year = options.year;
  choice.period = options.period;
  choice.budgetUnits = options.jbList;
  if (session->product() == catalogue::rBudzetJB && options.jbList.isEmpty()) {
    err(QStringLiteral("Zainstalowany jest program jednostek budżetowych: wskaż jednostki opcją --jb "
                       "(ich identyfikatory pokazuje wertalo-cli list).\n"));
  }
  session->choose(choice);
  return session;
}

}  // namespace wertalo::cli
