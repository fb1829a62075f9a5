// Wertalo mapping: the positions of the balance sheet being exported, as the wizard shows them
// beside the sheet: each position's opening and closing amounts in that sheet and the Besti@
// symbol assigned to it (qryBilPoz and qryJBBilPoz of the main data module).
#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "core/db/query.h"
#include "core/mapping/mapping_types.h"
#include "core/text/currency.h"

namespace wertalo::db {
class Connection;
}

namespace wertalo::mapping {

class TdtmBilMapToBestia;

// The report the view follows: the current row of the selection.
struct SheetRow {
  QString ROK;       // two-digit year
  QString TYPSPR;    // "BILB", "BILS" (the unit's sheets), "BILJ", "BILL" (budget units' sheets)
  qint64 IDSPRAW = 0;
};

// One position of the view with its calculated fields.
struct ExportPosition {
  qint64 ID_BILPOZ = 0;
  QString TYPSPR;
  QString TYP;
  QString NAZWA;
  std::optional<text::Currency> SPOCZ;  // nothing when the sheet has no row of the position
  std::optional<text::Currency> SKON;
  std::optional<qint64> iBilBestiaMap;  // nothing without a BILTOBESTIAMAP row (or without the mapping)
  QString sBestiaSymbol;
  QString sBestiaNazwa;
  QString sBestiaSymbolCalc;            // "===", "???" or sBestiaSymbol
};

// `sBestiaSymbolCalc`: "===" for a position marked not to be assigned (-1), "???" for one
// without an assignment (0 or no row), the assigned Besti@ symbol otherwise.
QString symbolCalc(std::optional<qint64> iBilBestiaMap, const QString& sBestiaSymbol);

// The export-side view: the unit's positions (qryBilPoz) for its own sheets, the budget units'
// positions (qryJBBilPoz) for theirs, with the side filter of the wizard.
class ExportPositions {
 public:
  explicit ExportPositions(db::Connection& connection);
  ExportPositions(const ExportPositions&) = delete;
  ExportPositions& operator=(const ExportPositions&) = delete;

  // The selection's current row changed: a sheet of the unit shows the unit's positions of its
  // kind, a budget unit's sheet the budget units' positions; the list shown is run anew for the
  // row (another report leaves the list chosen, run for the row). `mapping` gives the assigned
  // Besti@ positions; without it every position shows "???".
  void srcMemSelectSprawDataChange(const SheetRow& row, TdtmBilMapToBestia* mapping);
  // The side shown: assets, liabilities or both. A list that is shown is run anew.
  void EkspSetMapFilter(TAktywaPasywa ap, TdtmBilMapToBestia* mapping);
  // Runs the list shown anew (after the assignments changed); nothing when none is shown.
  void refresh(TdtmBilMapToBestia* mapping);

  // Whether a list is shown, which one (srcQryBilPoz), and its rows in KOLEJ order.
  bool active() const { return active_; }
  PositionTable source() const { return source_; }
  const std::vector<ExportPosition>& rows() const { return rows_; }

  // The statements, line by line.
  const db::Query& qryBilPoz() const { return qryBilPoz_; }
  const db::Query& qryJBBilPoz() const { return qryJBBilPoz_; }

 private:
  // Runs the list of `source_` and calculates its fields.
  void open(TdtmBilMapToBestia* mapping);
  // The side condition put into both statements.
  void applySide();

  db::Query qryBilPoz_;
  db::Query qryJBBilPoz_;
  db::Query qryBILS_;
  db::Query qryBILB_;
  db::Query qryJBBILJ_;
  SheetRow row_;
  TAktywaPasywa side_ = apRazem;
  PositionTable source_ = PositionTable::BILPOZ;
  bool active_ = false;
  std::vector<ExportPosition> rows_;
};

}  // namespace wertalo::mapping
