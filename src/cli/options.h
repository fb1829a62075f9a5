// Wertalo command line: the options shared by the commands.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace wertalo::cli {

struct Options {
  QString winIni;          // --win-ini
  QString kind = QStringLiteral("reports");  // --kind reports|balances
  QString year;            // --year, two digits
  QString period;          // --period, report-table code
  QString jbList;          // --jb as the wizard keeps it: "7,9,"
  QString ids;             // --ids as "57,58,"
  QString singleFile;      // --single-file
  QString outDir;          // --out
  bool plain = false;      // --plain
  bool allStatuses = false;  // --all-statuses
  bool noGroupJst = false;   // --no-group-jst
  bool json = false;         // --json
  QStringList positional;
};

// Parses the arguments after the command name; `allowed` lists the options the command takes.
// On an error returns nothing and puts the Polish message into `error`.
std::optional<Options> parseOptions(const QStringList& args, const QStringList& allowed, QString* error);

// parseOptions for a command: an error is written to standard error.
std::optional<Options> parseCommandOptions(const QStringList& args, const QStringList& allowed);

// "2013" or "13" to "13"; empty when it is neither.
QString twoDigitYear(const QString& year);
// "7,9" or "7,9," to "7,9,"; empty when it is not a list of numbers.
QString idList(const QString& text);

}  // namespace wertalo::cli
