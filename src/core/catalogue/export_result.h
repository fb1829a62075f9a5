// Wertalo: what an export run wrote, left out and dated.
#pragma once

#include <QString>

#include <utility>
#include <vector>

#include "core/base/error.h"

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

// An export run stopped by an error: the error as it was raised (its kind and message), and
// what the run wrote and dated before it, so that a front end can say both.
class ExportStopped : public Error {
 public:
  ExportStopped(const Error& cause, ExportResult written) : Error(cause.kind(), cause.message()), written_(std::move(written)) {}

  // The files written whole before the error, each report with whether it was dated.
  const ExportResult& written() const { return written_; }
  // The message followed, when files were written before the error, by "Przed błędem zapisano
  // pliki:" and their paths, one per line (for a front end that shows one text).
  QString withWrittenFiles() const {
    QString text = message();
    if (written_.files.empty()) return text;
    text += QStringLiteral("\nPrzed błędem zapisano pliki:");
    for (const WrittenFile& file : written_.files) text += QStringLiteral("\n  ") + file.path;
    return text;
  }

 private:
  ExportResult written_;
};

}  // namespace wertalo::catalogue
