#include "core/package/export_run.h"

#include <QSet>

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
  writer.setPeriod(dtm.PrzygotujDane(sWybraneJB));
  writer.clearResult();
  writer.onProgress = control.progress;
  writer.cancelRequested = control.cancelRequested;
  catalogue::ExportResult leftOut;
  leaveOutUnwritten(dtm.memSelectSpraw(), writer.registry(), leftOut);

  const bool balances = dtm.TypEksportu() == catalogue::teBilanse;
  bool cancelled = false;
  try {
    if (dtm.options().chkZapiszPojedynczo) {
      if (balances) writer.TworzWieleDokumentow();
      else writer.TworzWieleDokumentowSPR();
    } else {
      // The rows are numbered and ordered by unit for balance sheets too, so that each budget
      // unit's sheets stand together in one Jednostka of the package.
      writer.IDMemSprawozd();
      if (balances) writer.TworzDokument();
      else writer.TworzDokument_SPR();
      cancelled = !writer.ZapiszDokument(true, QString(), 0);
    }
  } catch (const RunCancelled&) {
    cancelled = true;
  }

  catalogue::ExportResult result = writer.result();
  result.cancelled = cancelled;
  result.leftOut = std::move(leftOut.leftOut);
  if (!cancelled) leaveOutMissing(dtm.memSelectSpraw(), result);
  return result;
}

}  // namespace wertalo::package
