// Test support: running the command-line program as a user would.
#pragma once

#include <QString>
#include <QStringList>

namespace wertalo::test {

// What a run of a program left: its exit code (-1 when it crashed or did not finish) and
// its output, as UTF-8 text.
struct CliResult {
  int exitCode = -1;
  QString out;
  QString err;
};

// Runs the program with the arguments; with `configDir`, WERTALO_CONFIG_DIR points there.
CliResult runCli(const QString& program, const QStringList& args, const QString& configDir = QString());

}  // namespace wertalo::test
