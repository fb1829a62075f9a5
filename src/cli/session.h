// Wertalo command line: the main data module opened and set up as the wizard sets it up.
#pragma once

#include <memory>

#include "cli/console_ui.h"
#include "cli/options.h"
#include "core/catalogue/wertalo_main.h"
#include "core/package/paczka.h"
#include "core/platform/settings.h"

namespace wertalo::cli {

struct Session {
  ConsoleUserInterface ui;
  std::unique_ptr<catalogue::TdtmWertaloMain> dtm;
  std::unique_ptr<package::TXMLPaczkaSprawozdan> writer;
  platform::Settings settings;
};

// Finds the installation, connects, reads the stored settings and makes the choice of the
// options current (latest year and its latest period unless given), then builds the
// selection. False after a message on standard error.
bool openSession(const Options& options, Session& session);

}  // namespace wertalo::cli
