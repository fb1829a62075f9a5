// Wertalo: what an export run wrote, left out and dated.
#pragma once

#include <QString>

#include <vector>

namespace wertalo::catalogue {

// A report of the selection, as a run result names it.
struct RunReport {
  qint64 idspraw = 0;
  QString symbol;  // Besti@ symbol (or the type code when it has none)
  qint64 idJb = 0;
  bool podpisane = false;
};

// A report written into a file, and whether its sending date was recorded now (only an
// approved report without a date gets one).
struct WrittenReport {
  RunReport report;
  bool dated = false;
};

// A file the run wrote whole, with the reports in it.
struct WrittenFile {
  QString path;
  std::vector<WrittenReport> reports;
};

// A ticked report that got no file, and why.
struct LeftOutReport {
  RunReport report;
  QString reason;
};

// The outcome of an export run.
struct ExportResult {
  std::vector<WrittenFile> files;
  std::vector<LeftOutReport> leftOut;
  bool cancelled = false;  // the user cancelled: nothing more was written
};

}  // namespace wertalo::catalogue
