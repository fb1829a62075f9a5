// Wertalo: the main data module: connection, export state, catalogue, selection and run.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <QDateTime>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/catalogue/catalogue_query.h"
#include "core/catalogue/enums.h"
#include "core/catalogue/mem_main.h"
#include "core/catalogue/report_types.h"
#include "core/catalogue/select_table.h"
#include "core/db/connection.h"

namespace wertalo::platform {
class UserInterface;
}

namespace wertalo::catalogue {

// The settings the core reads (the settings form's values).
struct ParamsView {
  QString dirKatalog;              // export folder
  QString edtSpecSymbl = QStringLiteral("500");  // part number of Rb-34 reports
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
  // Finds the installation, connects, opens the catalogue. False when the installation
  // cannot be read (the message was shown). Database errors raise db::DbError.
  bool DataModuleCreate();
  // Discovers the installed product and connects to its database.
  bool ConnectTervik();
  // Opens the catalogue on the open connection (the steps of creation after connecting).
  void openCatalogue();
  // Switches between report and balance-sheet export; returns TE.
  TTypEksportu UstawTypEksporu(TTypEksportu TE);

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
  // Version and status words of a report found by identifier.
  static ReportWords wordsFor(bool found, int wersja, const QDate& datazak);
  // The closing date of the current report row; invalid (not approved) when empty or unreadable.
  static QDate closingDate(const db::DataSet& report);

  // Rows of the unit-itself and budget-unit report queries, filtered for the export kind.
  std::vector<ReportRow> reportRows(TRodzajEksportu kind);

  // ---- Selection ------------------------------------------------------------------------
  bool SprawdzCzyEksportowane(const QString& sTypSpr) const;
  void SprawozdDoMemo(const QString& sWybraneJB);
  void SprawidDoMemo(const QString& sprawid);
  // Prepares an export run; returns the period the package writer writes.
  WriterPeriod PrzygotujDane(const QString& sWybraneJB);
  // Besti@ symbol of a report type code ("" when none).
  QString symbolForType(const QString& typspr) const { return types_.symbolOf(typspr); }

  // ---- Run summary ----------------------------------------------------------------------
  int WykonajPosumowanie(QStringList& sl);
  // Completion text lines and the list of produced files (full paths).
  void Zakonczenie(QStringList& memKoniec, QStringList& listaPlikow);
  void ZapiszDateWysylki(qint64 idspraw);
  // The export folder of the settings in native form.
  QString exportFolder() const;

  // ---- State read by the other parts ----------------------------------------------------
  QString PasswordInterbase;
  QString UserInterbase;
  QString PathBufor;
  QString PathMain;
  QString PathBestia;
  QString PathData;
  bool bDodajInfo = true;
  TRodzajProg RodzajProg = rBudzetJST;
  TTypEksportu TypEksportu = teSprawozdania;
  TRodzajEksportu RodzajEksportu = rJST;
  bool bRegonSpacje = false;
  QString CommunicationSrv;
  bool bEksportZatw = false;
  bool IsInterbase = false;

  MemMain memMain;
  SelectTable memSelectSpraw;
  WizardState frmWertalo;
  ParamsView frmParams;
  // Name and folder of the last one-file package (the writer's sNazwaPliku, sNazwaKatalogu).
  QString sNazwaPliku;
  QString sNazwaKatalogu;

  db::Connection DB;
  db::ConnectionSettings connectionSettings;
  platform::UserInterface& ui;
  QString winIniPath;
  qint64 IdJST = 0;  // tblParams.IdJST

  // Catalogue statements and their rows.
  CatalogueQuery qrRok;
  CatalogueQuery qrOkres;
  CatalogueQuery qrOkresD;
  CatalogueQuery qrJSTWyk;
  CatalogueQuery qrJSTDop;
  CatalogueQuery qrSprawAkt;
  CatalogueQuery qrSprawozd;
  CatalogueQuery qrS_TypSpr;
  CatalogueQuery qrCalcSpraw;
  CatalogueQuery qrJBSprawAkt;
  CatalogueQuery qrJBSprawozd;
  CatalogueQuery qryJBDop;
  CatalogueQuery qrJBObs;
  CatalogueQuery qrJBObsAkt;
  CatalogueQuery qrSprawPlan;
  CatalogueQuery qrJBSprawPlan;
  // 0: all years and periods; 1: only years and periods of balance sheets.
  int ITYPEXP = 0;
  // The clock of the sending date (replaceable in tests).
  std::function<QDateTime()> clock;

  // Opens (re-runs) a catalogue statement with its parameters from memMain.
  void open(CatalogueQuery& q);
  void close(CatalogueQuery& q) { q.active = false; q.data = db::DataSet(); }

 private:
  void bindFromMemMain(db::Query& query) const;
  void unitDataChanged();       // srcQrJstWykDataChange
  // memMain's OKRES, OKRES2 and OkresOkres2 from a row of the period table.
  void takePeriodRow(const db::DataSet& period);
  // Moves a report header query (SPRAWOZD, JBSPRAWOZD) to the report's row; false when none.
  bool findHeader(CatalogueQuery& headers, TRodzajEksportu kind, qint64 idspraw) const;
  // The words of the header row found (or "Brak" when none was).
  static ReportWords headerWords(const CatalogueQuery& headers, bool found);
  void yearRowChanged();        // srcQrOkresDataChange
  void addSelectRow(const ReportRow& row, TRodzajEksportu kind);
  void classificationLabel(SelectRow& row, CatalogueQuery& plan);
  void completeRow(SelectRow& row, bool withCalcSpraw);
  QString signatureTable(TRodzajEksportu kind) const;

  const ReportTypes& types_;
  // Budget-unit report rows of the last selection build (the completion pass reads them).
  std::vector<ReportRow> jbRowsCache_;
};

// Creates the main data module: finds the installation and connects (DataModuleCreate). The
// module exists also when the installation was not found (check `DB.isOpen()`); database
// errors of the creation raise db::DbError.
std::unique_ptr<TdtmWertaloMain> dtmWertaloCreate(platform::UserInterface& ui, const QString& winIni,
                                                  const ReportTypes& types);

// File name of a report written alone: symbol, "_", label, part, "_", unit name, id, ".xml".
QString NazwaPlikuXml(const SelectRow& row);

// The leading symbol of a position name: characters up to the first blank, never the last.
QString SymbolZNazwy(const QString& sNazwa);

}  // namespace wertalo::catalogue
