// Wertalo: the package writer: the Besti@ import document, its report list and its saving.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <QSet>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/catalogue/enums.h"
#include "core/catalogue/export_result.h"
#include "core/db/query.h"
#include "core/package/body_reads.h"
#include "core/package/placeholder_fill.h"
#include "core/package/registry.h"
#include "core/package/report_context.h"
#include "core/package/xml_node.h"

namespace wertalo::catalogue {
class TdtmWertaloMain;
struct SelectRow;
}  // namespace wertalo::catalogue

namespace wertalo::db {
class DataSet;
}

namespace wertalo::package {

// Which package a build writes: balance sheets ("0.1") or reports ("0.3").
enum class PackageKind { Bilanse, Sprawozdania };

// A kept-XML placeholder of the built document and the kept text that goes in its place.
struct KeptXmlPlaceholder {
  qint64 idspraw = 0;
  QString text;
};

// A signed report written into the document, with the anchor its signatures refer to.
struct SignedReport {
  qint64 idspraw = 0;
  QString anchor;
};

// A PODPIS placeholder of the built document: the signed reports of its list, in list order.
struct SignaturePlaceholder {
  std::vector<SignedReport> reports;
};

// What the last build put into the document, each list in document order: the placeholders
// to fill when saving and the reports written (each gets its sending date once saved).
struct BuildRecord {
  std::vector<KeptXmlPlaceholder> keptXml;
  std::vector<SignaturePlaceholder> signatures;
  std::vector<catalogue::RunReport> writtenReports;
  QSet<qint64> writtenIds;  // the identifiers of writtenReports
};

class XmlStreamWriter;

// Raised inside a build when the front end asked to stop; the run ends without writing the
// document being built.
struct RunCancelled {};

// A selection row as a run result names it.
catalogue::RunReport runReport(const catalogue::SelectRow& row);

// The package writer. It reads the main data module's choice and selection, builds the
// document in DOM and saves it. Its period fields (sRok, TypOkresu, sOkres) are set from the
// export preparation (PrzygotujDane) before every build.
class TXMLPaczkaSprawozdan : public catalogue::WriterPeriod {
 public:
  explicit TXMLPaczkaSprawozdan(catalogue::TdtmWertaloMain& dtm, const ReportRegistry& registry = ReportRegistry::instance());
  ~TXMLPaczkaSprawozdan();
  TXMLPaczkaSprawozdan(const TXMLPaczkaSprawozdan&) = delete;
  TXMLPaczkaSprawozdan& operator=(const TXMLPaczkaSprawozdan&) = delete;

  // The registry the writer dispatches by.
  const ReportRegistry& registry() const { return registry_; }
  // The period the next build writes.
  void setPeriod(const catalogue::WriterPeriod& period) { static_cast<catalogue::WriterPeriod&>(*this) = period; }

  // The document being built; every build starts it afresh.
  XmlDocument DOM;
  // Name, without folder, of the file last saved.
  QString sNazwaPliku;
  // Folder of the file last saved, ending in the folder separator.
  QString sNazwaKatalogu;
  // Called after each ticked report has been added to a document: reports done, reports
  // ticked, the report.
  std::function<void(int done, int total, const catalogue::SelectRow& row)> onProgress;
  // Asked before each ticked report is added; true stops the build (RunCancelled).
  std::function<bool()> cancelRequested;

  // ---- Document frame (paczka_frame.cpp) -------------------------------------------------
  // Builds the whole report package of the selection from its current row (and moves past
  // the rows it writes).
  void TworzDokument_SPR();
  // The period element Okres.
  XmlFragment ElementOkres() const;
  // The units element Jednostki of a report package, each unit with its report list.
  XmlFragment ElementJednostkaSPR(catalogue::TRodzajEksportu Rodzaj);

  // ---- Report order and file names (paczka_order.cpp) ------------------------------------
  // Numbers the selection rows by the Besti@ report order and indexes them by unit and number.
  void IDMemSprawozd();
  // The file name of the current selection row's report written alone.
  QString NazwaPlikuXml() const;

  // ---- Report list and dispatch (paczka_list.cpp, paczka_rozwiniecie.cpp) ----------------
  // The report list of a unit: Sprawozdania, SprawozdaniaRozwiniecie, PODPIS (0: every unit).
  XmlFragment ElementSprawozdania(qint64 ID_JB);
  // Appends one report body (or its kept-XML placeholder) to the list being built; only
  // inside ElementSprawozdania.
  void DodajSprawozdanie(const QString& sTypSpraw);
  // Appends the SprawozdanieRozwiniecie of the current selection row to `el`.
  void ElementSprawozdanieRozwiniecie(XmlElement& el);
  // The one-line SignatureRozwiniecie of the current signature row (signer and role escaped).
  static QString ElementSignatureRozwiniecie(const db::DataSet& ds);

  // ---- Runs (paczka_run.cpp) -------------------------------------------------------------
  // Runs `work` (builds and saves) as one export run, or as part of the run already going on:
  // everything is read in one read transaction (one state of the database, the lock taken
  // once), what every report needs is read once for the run, and the files saved are dated
  // together at its end: when they are on the disk, in one write transaction. A run that stops
  // on an error or a cancel dates the files it saved before the error leaves it.
  void run(const std::function<void()>& work);
  // Why the sending dates of the last run's files could not be recorded ("" when they were).
  const QString& datingFailure() const { return datingFailure_; }

  // ---- Saving (paczka_save.cpp) ----------------------------------------------------------
  // Writes one file per ticked selection row into the export folder.
  void TworzWieleDokumentowSPR();
  // Saves the built document: asking for the name (whole package) or under `nazwaPliku` in the
  // export folder. The file is written whole, then the sending dates are recorded. False when
  // the user cancelled (nothing written, nothing recorded).
  bool ZapiszDokument(bool bPytajONazwe, const QString& nazwaPliku, qint64 idspraw);
  // Asks where the whole package goes (the save question of ZapiszDokument); nothing when the
  // user cancelled.
  std::optional<QString> askPackagePath();
  // Builds the whole package of the selection from its current row with `build` (TworzDokument
  // or TworzDokument_SPR) and writes it into `path` while it is built, unit by unit, so that it
  // never stands whole in memory; the file is written whole and dated as ZapiszDokument does.
  void TworzIZapiszPakiet(void (TXMLPaczkaSprawozdan::*build)(), const QString& path);
  // The bytes a save writes: the document with its placeholders filled.
  QByteArray packageText();
  // What the last build put into the document.
  const BuildRecord& buildRecord() const { return record_; }
  // The files saved since the last clearResult, with their reports and sending dates.
  const catalogue::ExportResult& result() const { return result_; }
  void clearResult() {
    result_ = catalogue::ExportResult();
    cleanedFolders_.clear();
  }

  // ---- Balance-sheet package (paczka_bilanse.cpp) ---------------------------------------
  // Builds the whole balance-sheet package of the selection from its current row (and moves
  // past the rows it writes).
  void TworzDokument();
  // The units element Jednostki of a balance-sheet package, each unit with its balance sheets.
  XmlFragment ElementJednostka();
  // Writes one file per ticked balance sheet into the export folder.
  void TworzWieleDokumentow();
  // The balance-sheet list of a unit: Sprawozdania, SprawozdaniaRozwiniecie, PODPIS (0: every unit).
  XmlFragment ElementBilanse(qint64 ID_JB);
  // Appends the current selection row's balance sheet, or its kept-XML placeholder, to `xParent`.
  void Bilanse(XmlElement& xParent);

 private:
  // Builds a unit's list for a unit filter (ElementSprawozdania; the balance-sheet list slots in here).
  using ListBuilder = XmlFragment (TXMLPaczkaSprawozdan::*)(qint64 ID_JB);
  // Adds the content of a ticked selection row to the list being built.
  using SelectedRowStep = void (TXMLPaczkaSprawozdan::*)();
  // The list being built: where reports go, and the signed reports seen so far.
  struct ListState {
    XmlElement* sprawozdania = nullptr;
    bool signedRowSeen = false;
    std::vector<SignedReport> signedReports;
  };
  // Builds the document of the selection from its current row (TworzDokument, TworzDokument_SPR).
  using DocumentBuilder = void (TXMLPaczkaSprawozdan::*)();

  // Clears the document and the record and writes the root with its Wersja and Okres.
  XmlElement& startDocument(PackageKind kind);
  // The unit loop: Jednostki, appended to `parent`, with one Jednostka per unit, each ending
  // with its list.
  void buildUnits(XmlNodeList& parent, PackageKind kind, catalogue::TRodzajEksportu Rodzaj, ListBuilder list);
  // Nazwa, Typ, Regon and the territory codes of one unit.
  void describeUnit(XmlElement& jednostka, PackageKind kind, catalogue::TRodzajEksportu Rodzaj, bool perReport);
  // The list loop: the row step over the selection rows of one unit (or one row).
  XmlFragment buildList(qint64 ID_JB, SelectedRowStep selectedStep);
  // The report package's step for a ticked row (Rb-50 as its two parts).
  void addReportsOfRow();
  // The balance-sheet package's step for a ticked row.
  void addBalanceSheetOfRow();
  // The loop of one file per ticked row: builds each row's document and saves it under its name.
  void writeEachTickedRow(DocumentBuilder build);
  // The current selection row; raises when the selection has no current row.
  const catalogue::SelectRow& currentRow() const;
  // The kept XML of the current row ("" when there is none); `typ`, when not null, is the TYP
  // of the part whose text is wanted.
  QString keptXmlOf(const char* typ) const;
  // When the current row is signed and has a kept XML (of the part `typ`, when not null):
  // appends the WYEKSPORTOWANY_XML placeholder to `parent`, records its text, returns true.
  bool placeKeptXml(XmlElement& parent, const char* typ);
  // The context a body builder reads for the current selection row (in a run, with the run's
  // reads of the report tables).
  ReportContext currentReport();
  // Whether the build writes one file per report (the options, or a per-report run).
  bool perReport() const;

  // What the extended information of the reports needs, read once for a run (or a build outside
  // one) for every report of the selection: their header rows and their free parameters.
  struct ReportReads {
    db::RowsByKey headers;     // SPRAWOZD (JBSPRAWOZD) by IDSPRAW
    db::RowsByKey parameters;  // SPRAWOZDPARAMS (JBSPRAWOZDPARAMS) by IDSPRAW
  };
  const ReportReads& reportReads();
  // The rows of a report in SPRAWOZD or SPRAWOZDPARAMS (the twin of the unit kind): from the
  // run's reads, or read for the report outside a run.
  db::DataSet reportTableRows(const char* plainTable, qint64 idspraw);
  // The export folder, created when missing (an empty one is refused unless the user is asked).
  QString exportFolderFor(bool askingForName);
  // Records a file written whole with the reports of the document; dated now, or at the end of
  // the run going on.
  void fileWritten(const QString& path);
  // Removes what an interrupted save left in the folder of `path`, once per run and folder.
  void removeLeftTemporariesOnce(const QString& path);
  // Fills the placeholders of the document's bytes as they come and hands them to `sink`.
  PlaceholderTexts placeholderTexts(bool releaseKeptTexts);
  // Syncs the files of the result from `firstFile` on and records their sending dates in one
  // write transaction.
  void dateFiles(size_t firstFile);
  // Records the dates of those files' reports with a few statements in a write transaction of
  // its own; false (nothing recorded) when the database refused them.
  bool dateTogether(size_t firstFile);
  // Records them report by report; a refusal raises, naming the file and the report.
  void datePerReport(size_t firstFile);

  catalogue::TdtmWertaloMain& dtm_;
  const ReportRegistry& registry_;
  BuildRecord record_;
  catalogue::ExportResult result_;
  QStringList cleanedFolders_;  // folders whose left-over temporary files this run removed
  bool perReportRun_ = false;  // a per-report run writes one file per report whatever the options say
  ListState* list_ = nullptr;
  bool progressRun_ = false;  // a per-report run counts its progress over all files
  int progressDone_ = 0;
  int progressTotal_ = 0;
  int runDepth_ = 0;  // runs going on (nested ones are part of the outer one)
  std::optional<ReportReads> reads_;
  // The run's reads of the report tables, made for its ticked reports in the order they are
  // written (from the first body the run builds).
  std::optional<BodyReads> bodyReads_;
  QString datingFailure_;
  // The package being written while it is built (TworzIZapiszPakiet), or null.
  XmlStreamWriter* stream_ = nullptr;
};

}  // namespace wertalo::package
