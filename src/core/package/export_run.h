// Wertalo: an export run as the wizard makes it, from the prepared selection to the files.
#pragma once

#include <QString>

#include <functional>

#include "core/base/error.h"
#include "core/catalogue/export_result.h"

namespace wertalo::catalogue {
class TdtmWertaloMain;
struct SelectRow;
}  // namespace wertalo::catalogue

namespace wertalo::package {

class TXMLPaczkaSprawozdan;

// What a front end gives a run besides the module's choice and options.
struct RunControl {
  // After each ticked report was added to a document: reports done, reports ticked, the report.
  std::function<void(int done, int total, const catalogue::SelectRow& row)> progress;
  // Asked before each ticked report; true stops the run: the document being built is not
  // written, files already written keep their sending dates.
  std::function<bool()> cancelRequested;
};

// The reason a ticked report whose family this version does not write is left out.
inline const QString kNotWrittenYet = QStringLiteral("tego rodzaju sprawozdania ta wersja jeszcze nie eksportuje");
// The reason a ticked report whose body wrote nothing is left out.
inline const QString kNothingWritten = QStringLiteral("sprawozdanie nie zawiera danych do zapisania");

// An export run that stopped on an error. Its kind is the error's; its message is the error's,
// followed, when files were written before it, by "Przed błędem zapisano pliki:" and their
// paths, one per line (and by why their sending dates are missing, when they could not be
// recorded). `written()` holds those files with their reports and whether each was dated.
class ExportFailed : public Error {
 public:
  ExportFailed(const Error& cause, catalogue::ExportResult written, const QString& datingFailure);

  // The files written (whole) before the error, each with its reports and sending dates.
  const catalogue::ExportResult& written() const { return written_; }
  // The message of the error itself.
  const QString& cause() const { return cause_; }

 private:
  catalogue::ExportResult written_;
  QString cause_;
};

// Prepares the writer's period and budget-unit queries (`sWybraneJB` as the wizard keeps it),
// leaves out the ticked reports whose family this version does not write yet, then writes one
// file per ticked report (or sheet), or the whole package into one file whose name the user is
// asked for first (the package is written while it is built). The whole run reads one state of
// the database; the files written are dated together at its end, once they are on the disk.
// The result names the files written with their reports and sending dates, and the reports
// left out; `cancelled` when the user cancelled the save question or the run (the files written
// before a cancel keep their dates). An error raises ExportFailed, after the files written
// before it were dated.
catalogue::ExportResult WykonajEksport(catalogue::TdtmWertaloMain& dtm, TXMLPaczkaSprawozdan& writer,
                                       const QString& sWybraneJB, const RunControl& control = {});

}  // namespace wertalo::package
