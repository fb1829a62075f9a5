#include "cli_run.h"

namespace wertalo::test {

CliResult runWertaloCli(const QString& configDir, const QStringList& args) {
  return runCli(QStringLiteral(WERTALO_CLI_PATH), args, configDir);
}

}  // namespace wertalo::test
