#include "support/cli_run.h"

#include <QProcess>

namespace wertalo::test {

ProgramRun runProgram(const QString& program, const QStringList& args, const QString& configDir) {
  QProcess p;
  if (!configDir.isEmpty()) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WERTALO_CONFIG_DIR"), configDir);
    p.setProcessEnvironment(env);
  }
  p.start(program, args);
  ProgramRun run;
  if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) {
    run.failure = QStringLiteral("%1 %2: %3").arg(program, args.join(QLatin1Char(' ')), p.errorString());
    p.kill();
    p.waitForFinished();
  } else {
    run.exitCode = p.exitCode();
  }
  run.out = p.readAllStandardOutput();
  run.err = p.readAllStandardError();
  return run;
}

CliResult runCli(const QString& program, const QStringList& args, const QString& configDir) {
  const ProgramRun run = runProgram(program, args, configDir);
  return {run.exitCode, QString::fromUtf8(run.out), QString::fromUtf8(run.err) + run.failure};
}

}  // namespace wertalo::test
