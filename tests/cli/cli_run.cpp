#include "cli_run.h"

#include <unistd.h>

namespace wertalo::test {

CliResult runWertaloCli(const QString& configDir, const QStringList& args) {
  return runCli(QStringLiteral(WERTALO_CLI_PATH), args, configDir);
}

CliResult runWertaloCliLimited(const QString& configDir, const QStringList& args, const CliLimits& limits) {
  QStringList command;
  if (limits.obeyPermissions && ::geteuid() == 0)
    command << QStringLiteral("setpriv") << QStringLiteral("--bounding-set=-dac_override,-dac_read_search,-fowner") << QStringLiteral("--");
  command << QStringLiteral(WERTALO_CLI_PATH) << args;
  const QString limit = limits.fileSizeBlocks > 0 ? QStringLiteral("ulimit -f %1; ").arg(limits.fileSizeBlocks) : QString();
  return runCli(QStringLiteral("sh"), QStringList{QStringLiteral("-c"), limit + QStringLiteral("exec \"$@\""), QStringLiteral("sh")} + command,
                configDir);
}

}  // namespace wertalo::test
