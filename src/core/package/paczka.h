// Wertalo: the package writer: the Besti@ import document, its report list and its saving.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "core/catalogue/enums.h"
#include "core/package/column_kind.h"
#include "core/package/xml_node.h"
#include "core/text/currency.h"

namespace wertalo::catalogue {
class TdtmWertaloMain;
struct SelectRow;
}  // namespace wertalo::catalogue

namespace wertalo::db {
class DataSet;
}

namespace wertalo::package {

// Kind of task of an Rb-50 part: municipal, county, or none.
enum TRodzajZad { tGminna, tPowiatowa, tBrak };

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
  std::vector<qint64> writtenReports;
};

// The package writer. It reads the main data module's state, builds the document in DOM and
// saves it. Its period fields (sRok, TypOkresu, sOkres) are the ones PrzygotujDane fills.
class TXMLPaczkaSprawozdan : public catalogue::WriterPeriod {
 public:
  // A body builder; `id`, when not null, receives the report's anchor text ("#Rb-27s57").
  using PlainBuilder = XmlFragment (TXMLPaczkaSprawozdan::*)(QString* id);
  // A body builder that also takes the kind of task (the Rb-50 parts).
  using TaskBuilder = XmlFragment (TXMLPaczkaSprawozdan::*)(TRodzajZad sRodzajZad, QString* id);
  // One entry of the dispatch table: a Besti@ symbol and its builder (one of the two is set).
  struct DispatchEntry {
    const char* symbol;
    PlainBuilder plain;
    TaskBuilder task;
    bool pending = false;  // the body of this report family is not written yet
  };
  // One builder call of a dispatch.
  struct BuilderCall {
    PlainBuilder plain = nullptr;
    TaskBuilder task = nullptr;
    TRodzajZad rodzaj = tBrak;
    friend bool operator==(const BuilderCall&, const BuilderCall&) = default;
  };

  // Points the data module's writer period at this writer; restores the module's own when destroyed.
  explicit TXMLPaczkaSprawozdan(catalogue::TdtmWertaloMain& dtm);
  ~TXMLPaczkaSprawozdan();
  TXMLPaczkaSprawozdan(const TXMLPaczkaSprawozdan&) = delete;
  TXMLPaczkaSprawozdan& operator=(const TXMLPaczkaSprawozdan&) = delete;

  // The document being built; every build starts it afresh.
  XmlDocument DOM;
  // Name, without folder, of the file last saved.
  QString sNazwaPliku;
  // Folder of the file last saved, ending in the folder separator.
  QString sNazwaKatalogu;
  // Called after each ticked report has been added to a document: reports done, reports ticked.
  std::function<void(int done, int total)> onProgress;

  // ---- Document frame (paczka_frame.cpp) -------------------------------------------------
  // Builds the whole report package of the selection from its current row (and moves past
  // the rows it writes).
  void TworzDokument_SPR();
  // The period element Okres.
  XmlFragment ElementOkres() const;
  // The units element Jednostki of a report package, each unit with its report list.
  XmlFragment ElementJednostkaSPR(catalogue::TRodzajEksportu Rodzaj);

  // ---- Headers and anchors (paczka_headers.cpp) ------------------------------------------
  // Naglowek: Wersja, DataSprawozdania, and CZAST of the current selection row when above 0.
  XmlFragment ElementNaglowek(int Wersja, const QDate& DataSpr) const;
  // Naglowek of Rb-50: DysponentDotacji always, RodzajZadania when not empty.
  XmlFragment ElementNaglowekRB50(int Wersja, const QString& sDysponent, const QString& sRodzajZad,
                                  const QDate& DataSpr) const;
  // Naglowek of Rb-ZN: DysponentDotacji always.
  XmlFragment ElementNaglowekRBZN(int Wersja, const QString& sDysponent, const QDate& DataSpr) const;
  // Naglowek of Rb-27ZZ: DysponentDotacji always.
  XmlFragment ElementNaglowekRB27ZZ(int Wersja, const QString& sDysponent, const QDate& DataSpr) const;
  // Naglowek of Rb-30/31/33/34: symbol ("500" when empty), section and chapter unless Rb-34s.
  XmlFragment ElementNaglowekRB3X(int Wersja, const QString& sSymbol, const QString& sDzial,
                                  const QString& sRozdzial, bool bRB34s, const QDate& DataSpr) const;
  // The anchor text of a report: "#", the Besti@ symbol, the report id.
  static QString anchorText(const QString& symbol, qint64 idspraw);

  // ---- Value rules (paczka_values.cpp) ---------------------------------------------------
  // Appends the element with one text child, also when the text is empty.
  static void XMLWstawPoleDoBestia(XmlNodeList& xParentNode, const QString& sPoleTagName, const QString& sValueText);
  // Appends the empty element.
  static void XMLWstawZnacznik(XmlNodeList& xParentNode, const QString& sPoleTagName);
  // Appends the element with the amount text of the value ("1234.50").
  static void XMLWstawFloat(XmlNodeList& xParentNode, const QString& sPoleTagName, double value);
  // Appends the element with the amount text of a currency value (Null gives "0.00").
  static void XMLWstawFloat(XmlNodeList& xParentNode, const QString& sPoleTagName, std::optional<text::Currency> value);
  // Appends by column kind: texts unless Null, amounts always ("0.00" for Null), nothing else.
  static void WstawPozycjeDoBestia(XmlNodeList& xParentNode, const QString& sPole, TTypPola sTypPola,
                                   const QVariant& Wartosc);

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
  // The dispatch table: every Besti@ symbol and its body builder.
  static std::span<const DispatchEntry> dispatchTable();
  // Whether a report of this selection symbol gets a body (balance sheets, and report
  // families whose bodies are written; "Rb-50" as its parts).
  static bool bodyWritten(const QString& sTypSprBestia);
  // The builder calls of a symbol for a unit of the given type (Rb-50 parts twice for "M").
  static std::vector<BuilderCall> builderCalls(const QString& sTypSpraw, const QString& unitType);

  // ---- Saving (paczka_save.cpp) ----------------------------------------------------------
  // Writes one file per ticked selection row into the export folder.
  void TworzWieleDokumentowSPR();
  // Saves the built document: asking for the name (whole package) or under `nazwaPliku` in the
  // export folder. The file is written whole, then the sending dates are recorded. False when
  // the user cancelled (nothing written, nothing recorded).
  bool ZapiszDokument(bool bPytajONazwe, const QString& nazwaPliku, qint64 idspraw);
  // The bytes a save writes: the document with its placeholders filled.
  QByteArray packageText();
  // What the last build put into the document.
  const BuildRecord& buildRecord() const { return record_; }

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

  // ---- Balance-sheet bodies (bodies/bilanse.cpp) ----------------------------------------
  XmlFragment BilanseBILB(QString* id = nullptr);  // B-Wyk from BILB
  XmlFragment BilanseBILS(QString* id = nullptr);  // B-Skon from BILS
  XmlFragment BilanseBILJ(QString* id = nullptr);  // B-Jed of one budget unit, from JBBILJ
  XmlFragment BilanseBILL(QString* id = nullptr);  // B-Jed combined, from JBBILJ
  // The symbol of the parent of the current row of an open position statement, looked up one
  // level on the same side; "" when the row has no parent or the parent is not among the rows.
  static QString ZnajdzSymbolNadrzednejPozycji(db::DataSet& qr);

  // ---- Bodies of Rb-27s, Rb-28s, Rb-28nws, Rb-27ZZ (bodies/rb27_28.cpp) -----------------
  XmlFragment R27S(QString* id = nullptr);    // Rb-27s from D2
  XmlFragment R28S(QString* id = nullptr);    // Rb-28s from W2
  XmlFragment R28NWS(QString* id = nullptr);  // Rb-28nws from NWS
  XmlFragment R27ZZ(QString* id = nullptr);   // Rb-27ZZ from RBZZ and RBZZDU

  // ---- Bodies of the later report families (bodies/pending.cpp: they write nothing yet) --
  XmlFragment Rb30(QString* id = nullptr);    // Rb-30, Rb-30s
  XmlFragment Rb31(QString* id = nullptr);    // Rb-31
  XmlFragment Rb33(QString* id = nullptr);    // Rb-33
  XmlFragment Rb34s(QString* id = nullptr);   // Rb-34s
  XmlFragment Rb34(QString* id = nullptr);    // Rb-34
  XmlFragment Rb50D(TRodzajZad sRodzajZad, QString* id = nullptr);  // Rb-50, part D
  XmlFragment Rb50W(TRodzajZad sRodzajZad, QString* id = nullptr);  // Rb-50, part W
  XmlFragment RbN(QString* id = nullptr);     // Rb-N
  XmlFragment RbZ(QString* id = nullptr);     // Rb-Z
  XmlFragment RbNDS(QString* id = nullptr);   // Rb-NDS
  XmlFragment RbPDP(QString* id = nullptr);   // Rb-PDP
  XmlFragment RbUZ(QString* id = nullptr);    // Rb-UZ
  XmlFragment RbST(QString* id = nullptr);    // Rb-ST
  XmlFragment RbZN(QString* id = nullptr);    // Rb-ZN
  XmlFragment RbUN(QString* id = nullptr);    // Rb-UN
  XmlFragment RbZFJ(QString* id = nullptr);   // F-Zzf
  XmlFragment RbZS(QString* id = nullptr);    // F-Rzs
  XmlFragment RbWS(QString* id = nullptr);    // Rb-WS

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
  // A report written from one table through its column table.
  struct SingleTableBody;
  // A balance sheet: its symbol, position and remark statements, and its supplements.
  struct BalanceSheetBody;
  // Builds the document of the selection from its current row (TworzDokument, TworzDokument_SPR).
  using DocumentBuilder = void (TXMLPaczkaSprawozdan::*)();

  // Clears the document and the record and writes the root with its Wersja and Okres.
  XmlElement& startDocument(PackageKind kind);
  // The unit loop: Jednostki with one Jednostka per unit, each ending with its list.
  XmlFragment buildUnits(PackageKind kind, catalogue::TRodzajEksportu Rodzaj, ListBuilder list);
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
  // The kept XML of the current row for a symbol ("" when there is none).
  QString keptXmlOf(const QString& sTypSpraw) const;
  // When the current row is signed and has a kept XML for the symbol: appends the
  // WYEKSPORTOWANY_XML placeholder to `parent`, records its text, and returns true.
  bool placeKeptXml(XmlElement& parent, const QString& sTypSpraw);
  // Creates the report element with its Id in the fragment; `id` receives the anchor.
  XmlElement& reportElement(XmlFragment& fragment, const QString& symbol, QString* id) const;
  // The display text of the chosen period (the period picker's text).
  QString periodText() const;
  // The body of a single-table report.
  XmlFragment singleTableReport(const SingleTableBody& body, QString* id);
  // The body of a balance sheet.
  XmlFragment balanceSheet(const BalanceSheetBody& body, QString* id);

  catalogue::TdtmWertaloMain& dtm_;
  catalogue::WriterPeriod* previousPeriod_;
  BuildRecord record_;
  ListState* list_ = nullptr;
  bool progressRun_ = false;  // a per-report run counts its progress over all files
  int progressDone_ = 0;
  int progressTotal_ = 0;
};

}  // namespace wertalo::package
