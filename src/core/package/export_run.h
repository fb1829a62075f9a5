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

// Prepares the writer's period and budget-unit queries (`sWybraneJB` as the wizard keeps it),
// leaves out the ticked reports whose family this version does not write yet, then writes one
// file per ticked report (or sheet), or the whole package into one file whose name the user is
// asked for first (the package is written while it is built). The whole run reads one state of
// the database; the files written are dated together at its end, once they are on the disk.
// The result names the files written with their reports and sending dates, and the reports
// left out; `cancelled` when the user cancelled the save question or the run (the files written
// before a cancel keep their dates). An error raises catalogue::ExportStopped with the files
// written before it, after they were dated (its message also says when their dates could not
// be recorded).
catalogue::ExportResult WykonajEksport(catalogue::TdtmWertaloMain& dtm, TXMLPaczkaSprawozdan& writer,
                                       const QString& sWybraneJB, const RunControl& control = {});

}  // namespace wertalo::package
