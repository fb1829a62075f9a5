#include "support/cli_run.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace wertalo::test {

CliResult runCli(const QString& program, const QStringList& args, const QString& configDir) {
  QProcess p;
  if (!configDir.isEmpty()) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WERTALO_CONFIG_DIR"), configDir);
    p.setProcessEnvironment(env);
  }
  p.start(program, args);
  if (!p.waitForFinished(120000)) p.kill();
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
          QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace wertalo::test
