#include "core/package/export_run.h"

#include <QSet>

#include <optional>

#include "core/catalogue/wertalo_main.h"
#include "core/package/paczka.h"

namespace wertalo::package {

namespace {

// Unticks the ticked reports whose family is not written yet; they are left out.
void leaveOutUnwritten(catalogue::SelectTable& selection, const ReportRegistry& registry, catalogue::ExportResult& result) {
  for (int i = 0; i < selection.recordCount(); ++i) {
    catalogue::SelectRow& row = selection.at(i);
    if (!row.SELEKCJA || registry.bodyWritten(row.sTypSprBestia)) continue;
    row.SELEKCJA = false;
    result.leftOut.push_back({runReport(row), kNotWrittenYet});
  }
}

// The ticked reports that are in no file written.
void leaveOutMissing(const catalogue::SelectTable& selection, catalogue::ExportResult& result) {
  QSet<qint64> written;
  for (const catalogue::WrittenFile& file : result.files) {
    for (const catalogue::WrittenReport& report : file.reports) written.insert(report.report.idspraw);
  }
  for (int i = 0; i < selection.recordCount(); ++i) {
    const catalogue::SelectRow& row = selection.at(i);
    if (row.SELEKCJA && !written.contains(row.IDSPRAW)) result.leftOut.push_back({runReport(row), kNothingWritten});
  }
}

}  // namespace

catalogue::ExportResult WykonajEksport(catalogue::TdtmWertaloMain& dtm, TXMLPaczkaSprawozdan& writer,
                                       const QString& sWybraneJB, const RunControl& control) {
  writer.clearResult();
  writer.onProgress = control.progress;
  writer.cancelRequested = control.cancelRequested;
  catalogue::ExportResult leftOut;
  const bool balances = dtm.TypEksportu() == catalogue::teBilanse;
  bool cancelled = false;
  try {
    writer.run([&] {
      writer.setPeriod(dtm.PrzygotujDane(sWybraneJB));
      leaveOutUnwritten(dtm.memSelectSpraw(), writer.registry(), leftOut);
      if (dtm.options().chkZapiszPojedynczo) {
        if (balances) writer.TworzWieleDokumentow();
        else writer.TworzWieleDokumentowSPR();
        return;
      }
      // The rows are numbered and ordered by unit for balance sheets too, so that each budget
      // unit's sheets stand together in one Jednostka of the package.
      writer.IDMemSprawozd();
      const std::optional<QString> path = writer.askPackagePath();
      if (!path) {
        cancelled = true;
        return;
      }
      writer.TworzIZapiszPakiet(balances ? &TXMLPaczkaSprawozdan::TworzDokument : &TXMLPaczkaSprawozdan::TworzDokument_SPR, *path);
    });
  } catch (const RunCancelled&) {
    cancelled = true;
  } catch (const Error& e) {
    // The files written before the error keep their dates; when those could not be recorded
    // either (and that was not itself the error), the message says so.
    const QString datingFailure = writer.datingFailure();
    if (datingFailure.isEmpty() || datingFailure == e.message()) throw catalogue::ExportStopped(e, writer.result());
    throw catalogue::ExportStopped(Error(e.kind(), e.message() + QStringLiteral("\nNie zapisano też dat wysłania plików zapisanych przed błędem: ") + datingFailure),
                                   writer.result());
  }

  catalogue::ExportResult result = writer.result();
  result.cancelled = cancelled;
  result.leftOut = std::move(leftOut.leftOut);
  if (!cancelled) leaveOutMissing(dtm.memSelectSpraw(), result);
  return result;
}

}  // namespace wertalo::package
