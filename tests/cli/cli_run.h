// Command-line tests: one run of wertalo-cli with its exit code and output.
#pragma once

#include "support/cli_run.h"

namespace wertalo::test {

// Runs wertalo-cli with the arguments; its settings live in `configDir`.
CliResult runWertaloCli(const QString& configDir, const QStringList& args);

}  // namespace wertalo::test
