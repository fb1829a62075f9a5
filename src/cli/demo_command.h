// Wertalo CLI: "wertalo-cli demo DIR [--units N] [--firebird HOST:PATH] [--user U --password P]".
#pragma once

#include <QStringList>

namespace wertalo::cli {

// Creates a demo installation. `args` are the arguments after the word "demo". Prints what
// was created and the command that exports from it; returns 0, 1 on failure, 2 on a wrong
// command line.
int runDemoCommand(const QStringList& args);

}  // namespace wertalo::cli
