// Wertalo command line: what `export` tells its user or script, as text or as JSON.
#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

#include "core/base/error.h"
#include "core/catalogue/export_result.h"
#include "core/sending/external_sender.h"

namespace wertalo::cli {

// The outcome of one export command, filled as it goes and printed once: on success the
// completion text (or JSON), then the archive; on an error what was written before it, then
// the error.
class ExportReport {
 public:
  explicit ExportReport(bool json) : json_(json) {}

  catalogue::ExportResult result;            // files written (before an error) and reports left out
  QStringList completion;                    // the completion text of a run that ended
  QStringList files;                         // the files of that run
  QString archive;                           // the archive made (--zip, --external)
  bool deletedPacked = false;                // the packed files were deleted
  std::optional<sending::ExternalSendResult> external;  // what the sending step did

  // Prints the outcome of a command that ran to its end; a sending program that did not start
  // is its error (in the JSON and on standard error).
  void done() const;
  // Prints what was written (for a run that was stopped by the error, the files written
  // before it, or that there were none), then the error (on standard error; in the JSON too).
  void fail(const Error& error, bool runStopped = false) const;
  // Prints a refusal that wrote nothing (nothing to export, a cancelled save).
  void fail(const QString& message) const;

 private:
  // Prints the result; with an `error` (kind and message) in the JSON and `shown` on standard
  // error. A `stopped` command that ended before its completion text lists what it wrote.
  void print(const QJsonObject& error, const QString& shown, bool stopped) const;
  QString text() const;

  bool json_;
};

}  // namespace wertalo::cli
