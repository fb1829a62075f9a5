#include "core/mapping/export_positions.h"

#include <QHash>

#include "core/db/data_set.h"
#include "core/mapping/bil_map_to_bestia.h"
#include "core/mapping/position_text.h"

namespace wertalo::mapping {

using namespace Qt::StringLiterals;

namespace {

// The lines of the unit's statement: line 4 takes the kind, line 5 the side.
constexpr int kBilPozKindLine = 4;
constexpr int kBilPozSideLine = 5;
// The budget units' statement takes the side after its line 4, before its ordering.
constexpr int kJBBilPozSideAfter = 4;

const QStringList kJBBilPozLines = {u"select *"_s, u"from JBBILPOZ"_s, u"where "_s, u"  (ROK=:ROK) and "_s,
                                    u"  (TYP=:TYP or '*'=:TYP)"_s, u"order by KOLEJ"_s};

QStringList sheetLines(const QString& table) {
  return {u"select *"_s, u"from "_s + table, u"where IDSPRAW=:IDSPRAW"_s, u"order by ID_BILPOZ"_s};
}

// The side condition: "and (TYP='A' ) ", "and (TYP='P' ) ", nothing for both sides.
QString sideCondition(TAktywaPasywa ap) {
  return ap == apRazem ? QString() : u"and (TYP='"_s + sideText(ap) + u"' ) "_s;
}

bool isUnitSheet(const QString& typspr) { return typspr == u"BILS"_s || typspr == u"BILB"_s; }
bool isBudgetUnitSheet(const QString& typspr) { return typspr == u"BILL"_s || typspr == u"BILJ"_s; }

// The amounts of one sheet by ID_BILPOZ (the first row of a position counts).
struct Amounts {
  text::Currency SPOCZ;
  text::Currency SKON;
};
using AmountIndex = QHash<qint64, Amounts>;

AmountIndex amountsOf(const db::Query& sheet) {
  db::DataSet rows = sheet.open();
  AmountIndex index;
  index.reserve(rows.recordCount());
  for (rows.first(); !rows.eof(); rows.next()) {
    const qint64 id = rows.integer(u"ID_BILPOZ");
    if (!index.contains(id)) index.insert(id, {rows.currency(u"SPOCZ"), rows.currency(u"SKON")});
  }
  return index;
}

}  // namespace

QString symbolCalc(std::optional<qint64> iBilBestiaMap, const QString& sBestiaSymbol) {
  if (iBilBestiaMap && *iBilBestiaMap == -1) return u"==="_s;
  if (!iBilBestiaMap || *iBilBestiaMap == 0) return u"???"_s;
  return sBestiaSymbol.left(kBestiaSymbolWidth);
}

ExportPositions::ExportPositions(db::Connection& connection)
    : qryBilPoz_(connection),
      qryJBBilPoz_(connection),
      qryBILS_(connection),
      qryBILB_(connection),
      qryJBBILJ_(connection) {
  qryBilPoz_.setLines({u"select *"_s, u"from BILPOZ "_s, u"where "_s, u"  (ROK=:ROK) "_s, u"  (TYPSPR=:TYPSPR ) "_s,
                       QString(), u"order by KOLEJ"_s});
  qryJBBilPoz_.setLines(kJBBilPozLines);
  qryJBBilPoz_.bindText(u"TYP"_s, u"*"_s);
  qryBILS_.setLines(sheetLines(u"BILS"_s));
  qryBILB_.setLines(sheetLines(u"BILB"_s));
  qryJBBILJ_.setLines(sheetLines(u"JBBILJ"_s));
}

void ExportPositions::applySide() {
  qryBilPoz_.setLine(kBilPozSideLine, sideCondition(side_));
  QStringList lines = kJBBilPozLines;
  if (side_ != apRazem) lines.insert(kJBBilPozSideAfter + 1, sideCondition(side_));
  qryJBBilPoz_.setLines(lines);
}

void ExportPositions::srcMemSelectSprawDataChange(const SheetRow& row, TdtmBilMapToBestia* mapping) {
  row_ = row;
  if (isUnitSheet(row.TYPSPR)) {
    source_ = PositionTable::BILPOZ;
    qryBilPoz_.setLine(kBilPozKindLine, u" and (TYPSPR=:TYPSPR ) "_s);
    active_ = true;
  } else if (isBudgetUnitSheet(row.TYPSPR)) {
    source_ = PositionTable::JBBILPOZ;
    active_ = true;
  }
  if (active_) open(mapping);
}

void ExportPositions::EkspSetMapFilter(TAktywaPasywa ap, TdtmBilMapToBestia* mapping) {
  side_ = ap;
  applySide();
  if (active_) open(mapping);
}

void ExportPositions::refresh(TdtmBilMapToBestia* mapping) {
  if (active_) open(mapping);
}

void ExportPositions::open(TdtmBilMapToBestia* mapping) {
  for (db::Query* q : {&qryBilPoz_, &qryJBBilPoz_}) q->bindText(u"ROK"_s, row_.ROK);
  qryBilPoz_.bindText(u"TYPSPR"_s, row_.TYPSPR);
  const bool budgetUnits = source_ == PositionTable::JBBILPOZ;
  db::DataSet positions = (budgetUnits ? qryJBBilPoz_ : qryBilPoz_).open();

  // The amounts of the sheet followed, from the table of its positions' kind.
  for (db::Query* q : {&qryBILS_, &qryBILB_, &qryJBBILJ_}) q->bindInt(u"IDSPRAW"_s, row_.IDSPRAW);
  QHash<QString, AmountIndex> amounts;
  if (budgetUnits) {
    amounts.insert(QString(), amountsOf(qryJBBILJ_));
  } else {
    amounts.insert(u"BILS"_s, amountsOf(qryBILS_));
    amounts.insert(u"BILB"_s, amountsOf(qryBILB_));
  }
  if (mapping) mapping->refreshAssignments();

  std::vector<ExportPosition> rows;
  rows.reserve(static_cast<size_t>(positions.recordCount()));
  for (positions.first(); !positions.eof(); positions.next()) {
    ExportPosition p;
    p.ID_BILPOZ = positions.integer(u"ID_BILPOZ");
    p.TYPSPR = positions.text(u"TYPSPR");
    p.TYP = positions.text(u"TYP");
    p.NAZWA = positions.text(u"NAZWA");
    const auto sheet = amounts.constFind(budgetUnits ? QString() : p.TYPSPR);
    if (sheet != amounts.constEnd()) {
      if (const auto it = sheet->constFind(p.ID_BILPOZ); it != sheet->constEnd()) {
        p.SPOCZ = it->SPOCZ;
        p.SKON = it->SKON;
      }
    }
    if (mapping) {
      Assignment a = mapping->assignmentOf(p.TYPSPR, p.ID_BILPOZ);
      p.iBilBestiaMap = a.iBilBestiaMap;
      p.sBestiaSymbol = std::move(a.sBestiaSymbol);
      p.sBestiaNazwa = std::move(a.sBestiaNazwa);
    }
    p.sBestiaSymbolCalc = symbolCalc(p.iBilBestiaMap, p.sBestiaSymbol);
    rows.push_back(std::move(p));
  }
  rows_ = std::move(rows);
}

}  // namespace wertalo::mapping
