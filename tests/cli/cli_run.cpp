#include "cli_run.h"

#include "support/cli_run.h"

namespace wertalo::test {

CliResult runCli(const QString& configDir, const QStringList& args) {
  const ProgramRun run = runProgram(QStringLiteral(WERTALO_CLI_PATH), args, configDir);
  // A run that did not end by itself says why in what it printed on standard error.
  return {run.exitCode, QString::fromUtf8(run.out), QString::fromUtf8(run.err) + run.failure};
}

}  // namespace wertalo::test
