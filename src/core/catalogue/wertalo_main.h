// Wertalo: the main data module: connection, export state, catalogue, selection and run.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/catalogue/catalogue_query.h"
#include "core/catalogue/enums.h"
#include "core/catalogue/export_result.h"
#include "core/catalogue/mem_main.h"
#include "core/catalogue/report_types.h"
#include "core/catalogue/run_options.h"
#include "core/catalogue/select_table.h"
#include "core/db/connection.h"

namespace wertalo::platform {
class UserInterface;
}

namespace wertalo::catalogue {

// Where the reports of an identifier list belong (the command line's preselection).
struct ReportListOrigin {
  QString ROK;                // two digits
  QString OKRES;              // report-table period code
  std::vector<qint64> units;  // ID_JB of the listed reports, each once
};

// What start-up found of the installed product.
struct Installation {
  QString winIni;          // the WIN.INI read
  QString configFile;      // the product's configuration file it names
  QString PathData;
  QString PathMain;
  QString PathBestia;      // the export folder of the product's configuration
  QString PathBufor;
  QString CommunicationSrv;
  QString UserInterbase;
  QString PasswordInterbase;
  bool IsInterbase = false;
  db::ConnectionSettings connection;
};

// A report row of the catalogue with its looked-up and calculated fields.
struct ReportRow {
  qint64 IDSPRAW = 0;
  qint64 ID_JB = 0;
  QString TYPSPR;
  int WERSJA = 0;
  QDate DAT_SKW;
  int CZAST = 0;
  int PODTYP = 0;
  QString TypSprNazwaS;
  QString URZAD;
  QString WersjaSlownie;
  QString StatusSpraw;
  QString Uwagi;
};

// Version and status words of a report ("Pierwotne"/"Korekta n"/"Brak", "Zatwierdzone"/"Otwarte").
struct ReportWords {
  QString WersjaSlownie;
  QString StatusSpraw;
};

class TdtmWertaloMain {
 public:
  // `winIni` is the WIN.INI to read; `ui` receives the module's messages; `types` tells
  // which report types are offered and their Besti@ symbols.
  TdtmWertaloMain(platform::UserInterface& ui, QString winIni, const ReportTypes& types);
  ~TdtmWertaloMain();
  TdtmWertaloMain(const TdtmWertaloMain&) = delete;
  TdtmWertaloMain& operator=(const TdtmWertaloMain&) = delete;

  // ---- Start-up -------------------------------------------------------------------------
  // Finds the installation, connects, opens the catalogue. An installation that cannot be
  // found raises Error (ErrorKind::Installation); database errors raise db::DbError.
  void DataModuleCreate();
  // Discovers the installed product and connects to its database (raises as DataModuleCreate).
  void ConnectTervik();
  // Opens the catalogue on the open connection (the steps of creation after connecting).
  void openCatalogue();
  // The first steps of openCatalogue alone: the latest year, its first period and the unit
  // valid then (memMain), without the report lists.
  void openUnit();
  // What start-up found.
  const Installation& installation() const { return installation_; }
  // Which product is installed.
  TRodzajProg RodzajProg() const { return RodzajProg_; }
  // The product the run is made for: a report list from the product's command line makes it the
  // budget-unit product.
  void setRodzajProg(TRodzajProg prog) { RodzajProg_ = prog; }
  // The product's database.
  db::Connection& DB() { return db_; }
  // tblParams.IdJST: the unit itself.
  qint64 IdJST() const { return IdJST_; }
  // The user, as the module and the writer reach them (messages, the save question).
  platform::UserInterface& ui() const { return ui_; }

  // ---- Choice ---------------------------------------------------------------------------
  // Reports or balance sheets.
  TTypEksportu TypEksportu() const { return TypEksportu_; }
  // Switches between report and balance-sheet export; returns TE.
  TTypEksportu UstawTypEksporu(TTypEksportu TE);
  // The unit itself or its budget units.
  TRodzajEksportu RodzajEksportu() const { return RodzajEksportu_; }
  void setRodzajEksportu(TRodzajEksportu kind) { RodzajEksportu_ = kind; }
  // The current choice of year, period and unit.
  const MemMain& memMain() const { return memMain_; }
  void setMemMain(const MemMain& unit) { memMain_ = unit; }
  // The run's options (settings and front-end choices).
  const RunOptions& options() const { return options_; }
  void setOptions(const RunOptions& options) { options_ = options; }
  // The catalogue statements and their last rows.
  const CatalogueQueries& queries() const { return q_; }
  // The budget units of the last export preparation (the package writer locates in it).
  db::DataSet& budgetUnitsOfRun() { return q_.qrJBObsAkt.data; }

  // ---- Catalogue ------------------------------------------------------------------------
  // Re-reads the statements that follow memMain (after the choice changed).
  void refreshReports();
  // Year picker: makes the year with this two-digit ROK current (false when not listed).
  bool chooseYear(const QString& rok);
  // Period picker: makes the period row with this OpZam key current and writes memMain's
  // OKRES/OKRES2/OkresOkres2 from it (false when the year has no such row).
  bool choosePeriod(const QString& opZam);
  // The report-table period code of a period row ("A".."L", "1".."4").
  static QString periodCode(const QString& okres, int okres2);
  // Period name of a period row ("styczeń", ..., "kwart. 3"; empty for other values).
  static QString OkresTekst(const QString& okres, int okres2);
  // The display text of the chosen period (the period picker's text).
  QString chosenPeriodText() const;
  // Version and status words of a report found by identifier.
  static ReportWords wordsFor(bool found, int wersja, const QDate& datazak);
  // The closing date of the current report row; invalid (not approved) when empty or unreadable.
  static QDate closingDate(const db::DataSet& report);
  // Rows of the unit-itself and budget-unit report queries, filtered for the export kind.
  std::vector<ReportRow> reportRows(TRodzajEksportu kind);

  // ---- Selection ------------------------------------------------------------------------
  // The reports offered for export (memSelectSpraw).
  SelectTable& memSelectSpraw() { return memSelectSpraw_; }
  const SelectTable& memSelectSpraw() const { return memSelectSpraw_; }
  bool SprawdzCzyEksportowane(const QString& sTypSpr) const;
  // Rebuilds the selection for the current choice; `sWybraneJB` as the wizard keeps it ("7,9,").
  void SprawozdDoMemo(const QString& sWybraneJB);
  // Fills the selection from budget units' report identifiers ("57,58,") of the units `sWybraneJB`.
  void SprawidDoMemo(const QString& sprawid, const QString& sWybraneJB);
  // Where budget units' reports of an identifier list ("57,58,") belong: the year and period of
  // the first of them the database returns and the units of them all; nothing when the budget
  // units' report table has none of them. Raises Error (input) for a malformed list.
  std::optional<ReportListOrigin> reportListOrigin(const QString& sprawid);
  // Prepares an export run; returns the period the package writer writes.
  WriterPeriod PrzygotujDane(const QString& sWybraneJB);
  // Besti@ symbol of a report type code ("" when none).
  QString symbolForType(const QString& typspr) const { return types_.symbolOf(typspr); }
  // The unit's REGON as the export writes it when blanks are asked for: trimmed, five blanks after.
  void padUnitRegon();

  // ---- Run summary ----------------------------------------------------------------------
  int WykonajPosumowanie(QStringList& sl);
  // Completion text lines and the list of produced files (full paths) of a run.
  void Zakonczenie(const ExportResult& result, QStringList& memKoniec, QStringList& listaPlikow) const;
  // Records the sending date of a report; true when it was recorded (an approved report
  // without one).
  bool ZapiszDateWysylki(qint64 idspraw);
  // The same for many reports at once (a few statements instead of one per report); returns
  // the reports whose date was recorded.
  QSet<qint64> ZapiszDatyWysylki(const std::vector<qint64>& ids);
  // The export folder of the settings in native form.
  QString exportFolder() const;
  // The clock of the sending date.
  void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

 private:
  // Opens (re-runs) a catalogue statement with its parameters from memMain.
  void open(CatalogueQuery& q);
  void close(CatalogueQuery& q) { q.active = false; q.data = db::DataSet(); }
  void bindFromMemMain(db::Query& query) const;
  void unitDataChanged();       // srcQrJstWykDataChange
  // memMain's OKRES, OKRES2 and OkresOkres2 from a row of the period table.
  void takePeriodRow(const db::DataSet& period);
  // Moves a report header query (SPRAWOZD, JBSPRAWOZD) to the report's row; false when none.
  bool findHeader(CatalogueQuery& headers, TRodzajEksportu kind, qint64 idspraw) const;
  // The words of the header row found (or "Brak" when none was).
  static ReportWords headerWords(const CatalogueQuery& headers, bool found);
  void yearRowChanged();        // srcQrOkresDataChange
  // Appends the offered ones of the report rows, with their signature flags read at once.
  void addSelectRows(const std::vector<ReportRow>& reports, TRodzajEksportu kind);
  void addSelectRow(const ReportRow& row, TRodzajEksportu kind, bool podpisane);
  // Whether each report carries an electronic signature, by identifier.
  QHash<qint64, bool> signatureFlags(const std::vector<ReportRow>& reports, TRodzajEksportu kind);
  // Keeps the budget-unit report rows of a selection build for its completion pass.
  void keepBudgetUnitRows(std::vector<ReportRow> rows);
  void classificationLabel(SelectRow& row, CatalogueQuery& plan);
  void completeRow(SelectRow& row, bool withCalcSpraw);
  // Opens the budget units' report queries and appends their offered rows to the selection.
  void addBudgetUnitRows();
  // Completes every selection row (classification, words, remark from `headers`; the closing
  // date shown when `withDate`).
  void completeRows(bool withCalcSpraw, CatalogueQuery& headers, bool withDate);
  QString signatureTable(TRodzajEksportu kind) const;

  platform::UserInterface& ui_;
  const ReportTypes& types_;
  Installation installation_;
  db::Connection db_;
  CatalogueQueries q_;
  TRodzajProg RodzajProg_ = rBudzetJST;
  TTypEksportu TypEksportu_ = teSprawozdania;
  TRodzajEksportu RodzajEksportu_ = rJST;
  MemMain memMain_;
  SelectTable memSelectSpraw_;
  RunOptions options_;
  qint64 IdJST_ = 0;
  // 0: all years and periods; 1: only years and periods of balance sheets.
  int ITYPEXP_ = 0;
  std::function<QDateTime()> clock_;
  // Budget-unit report rows of the last selection build (the completion pass reads them), and
  // the position of each identifier's first row.
  std::vector<ReportRow> jbRowsCache_;
  QHash<qint64, size_t> jbRowByIdspraw_;
};

// Creates the main data module: finds the installation, connects and opens the catalogue
// (raises as DataModuleCreate).
std::unique_ptr<TdtmWertaloMain> dtmWertaloCreate(platform::UserInterface& ui, const QString& winIni,
                                                  const ReportTypes& types);

// Raises Error (input) unless the list is decimal numbers each followed by "," ("57,58,"): such
// lists are put into statements, so nothing else may pass. `what` names the list ("sprawozdań").
void requireIdList(const QString& list, const char* what);

// File name of a report written alone: symbol, "_", label, part, "_", unit name, id, ".xml".
QString NazwaPlikuXml(const SelectRow& row);

// Takes a report's classification from the current row of its plan (VAL1, DZIAL, ROZDZIAL):
// part, section, chapter and their label; an Rb-34 gets `specialSymbol` as its part, and one
// whose plan has the part "0" becomes an Rb-34s.
void takePlanRow(SelectRow& row, const db::DataSet& plan, const QString& specialSymbol);

// The leading symbol of a position name: characters up to the first blank, never the last.
QString SymbolZNazwy(const QString& sNazwa);

}  // namespace wertalo::catalogue
