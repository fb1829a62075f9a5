#include "cli_run.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace wertalo::test {

CliResult runCli(const QString& configDir, const QStringList& args) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("WERTALO_CONFIG_DIR"), configDir);
  p.setProcessEnvironment(env);
  p.start(QStringLiteral(WERTALO_CLI_PATH), args);
  p.waitForFinished(120000);
  return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace wertalo::test
