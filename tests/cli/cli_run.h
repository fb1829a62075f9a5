// Command-line tests: one run of wertalo-cli with its exit code and output.
#pragma once

#include <QString>
#include <QStringList>

namespace wertalo::test {

struct CliResult {
  int exitCode = -1;
  QString out;
  QString err;
};

// Runs wertalo-cli with the arguments; its settings live in `configDir`.
CliResult runCli(const QString& configDir, const QStringList& args);

}  // namespace wertalo::test
