// Command-line tests: one run of wertalo-cli with its exit code and output.
#pragma once

#include "support/cli_run.h"

namespace wertalo::test {

// Runs wertalo-cli with the arguments; its settings live in `configDir`.
CliResult runWertaloCli(const QString& configDir, const QStringList& args);

// What a run of wertalo-cli is held to besides its arguments.
struct CliLimits {
  int fileSizeBlocks = 0;         // ulimit -f: the largest file it may write, in 512-byte blocks (0: none)
  bool obeyPermissions = false;   // file permission bits hold even when the tests run as root
};

// runWertaloCli under the limits (through sh's ulimit and, as root, setpriv without the
// capabilities that override permissions).
CliResult runWertaloCliLimited(const QString& configDir, const QStringList& args, const CliLimits& limits);

}  // namespace wertalo::test
