// Wertalo command line: the options shared by the commands.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace wertalo::cli {

// The exit codes of every command.
enum ExitCode : int {
  kExitDone = 0,      // done
  kExitError = 1,     // an error; nothing more to do
  kExitUsage = 2,     // wrong usage: nothing was read or written
  kExitPartial = 3,   // done, with something left out or not verified
};

struct Options {
  QString winIni;          // --win-ini
  QString kind = QStringLiteral("reports");  // --kind reports|balances
  QString year;            // --year, two digits
  QString period;          // --period, report-table code
  QString jbList;          // --jb as the wizard keeps it: "7,9,"
  QString ids;             // --ids as "57,58,"
  QString singleFile;      // --single-file
  QString outDir;          // --out
  QString login;           // --login
  bool plain = false;      // --plain
  bool allStatuses = false;  // --all-statuses
  bool noGroupJst = false;   // --no-group-jst
  bool json = false;         // --json
  bool zip = false;          // --zip
  bool deletePacked = false;  // --delete-packed
  bool external = false;      // --external
  bool help = false;          // --help, -h
  QStringList positional;
};

// Parses the arguments after the command name; `allowed` lists the options the command takes
// (--help and -h are always taken). Every argument that starts with "-" is an option; an
// option not allowed, one given twice, a missing or empty value, a value out of range, and a
// number that does not fit are errors. Arguments that are not options go to `positional`.
// On an error returns nothing and puts the Polish message into `error`.
std::optional<Options> parseOptions(const QStringList& args, const QStringList& allowed, QString* error);

// parseOptions for a command: an error is written to standard error. A command that takes no
// positional arguments gives `positionals` 0: a stray argument is then an error too.
std::optional<Options> parseCommandOptions(const QStringList& args, const QStringList& allowed, int positionals = -1);

// "2013" or "13" to "13"; empty when it is neither.
QString twoDigitYear(const QString& year);
// "7,9" or "7,9," to "7,9," (each number in its plain decimal form); empty with the reason in
// `error` when it is not a list of numbers that each fit a 64-bit identifier.
QString idList(const QString& text, QString* error = nullptr);
// The numbers of a list made by idList.
std::vector<qint64> identifiers(const QString& list);

}  // namespace wertalo::cli
