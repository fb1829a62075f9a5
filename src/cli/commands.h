// Wertalo command line: the commands.
#pragma once

#include <QStringList>

namespace wertalo::cli {

// `wertalo-cli list`: the unit, years, periods, budget units and the selection table.
int runListCommand(const QStringList& args);
// `wertalo-cli export`: the wizard's export without the wizard.
int runExportCommand(const QStringList& args);
// `wertalo-cli ftp`: the FTP page's steps without the wizard.
int runFtpCommand(const QStringList& args);
// `wertalo-cli map`: the assignment of balance positions to Besti@ positions.
int runMapCommand(const QStringList& args);
// `wertalo-cli verify`: checks the signatures of package files.
int runVerifyCommand(const QStringList& args);

}  // namespace wertalo::cli
