// Wertalo command line: an installation opened and its choice made as the options say.
#pragma once

#include <memory>

#include "cli/console_ui.h"
#include "cli/options.h"
#include "core/operations/session.h"

namespace wertalo::cli {

// Opens the installation of `--win-ini` (or the default), applies the options to the run
// options (`--out`, `--plain`, `--all-statuses`, `--no-group-jst`) and makes their choice
// current (the latest year and its latest period unless given), with the selection built.
// Raises wertalo::Error.
std::unique_ptr<operations::Session> openSession(const Options& options, ConsoleUserInterface& ui);

}  // namespace wertalo::cli
