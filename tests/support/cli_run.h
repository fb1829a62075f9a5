// Test support: running a command-line program of the project and keeping what it printed.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace wertalo::test {

// What one run of a program left.
struct ProgramRun {
  int exitCode = -1;
  QByteArray out;   // standard output, as written
  QByteArray err;   // standard error, as written
  QString failure;  // why the program did not run to its end; empty when it did
};

// Runs `program` with `args` and waits for it (two minutes at the most); `configDir`, when not
// empty, is its folder of stored settings (WERTALO_CONFIG_DIR), so that no settings of the
// user count.
ProgramRun runProgram(const QString& program, const QStringList& args, const QString& configDir);

// A run as text: exit code (-1 when the program did not end by itself) and its output; why
// it did not end follows on standard error.
struct CliResult {
  int exitCode = -1;
  QString out;
  QString err;
};

// runProgram as text.
CliResult runCli(const QString& program, const QStringList& args, const QString& configDir);

}  // namespace wertalo::test
