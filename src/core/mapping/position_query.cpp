#include "core/mapping/position_query.h"

#include <QHash>

#include "core/mapping/bestia_list.h"
#include "core/mapping/map_table.h"
#include "core/mapping/position_text.h"

namespace wertalo::mapping {

using namespace Qt::StringLiterals;

namespace {

// A position as the parent lookup sees it.
struct Parent {
  std::optional<qint64> parent;
  QString nazwa;
};

using ParentIndex = QHash<qint64, Parent>;

// The positions of the year by ID_BILPOZ (the first row of an id counts).
ParentIndex parentIndex(const db::Query& look) {
  db::DataSet rows = look.open();
  ParentIndex index;
  index.reserve(rows.recordCount());
  for (rows.first(); !rows.eof(); rows.next()) {
    const qint64 id = rows.integer(u"ID_BILPOZ");
    if (index.contains(id)) continue;
    std::optional<qint64> parent;
    if (!rows.isNull(u"PARENT")) parent = rows.integer(u"PARENT");
    index.insert(id, {parent, rows.text(u"NAZWA")});
  }
  return index;
}

// The position `id` refers to; nothing for no reference or a missing position.
const Parent* find(const ParentIndex& index, const std::optional<qint64>& id) {
  if (!id) return nullptr;
  const auto it = index.constFind(*id);
  return it == index.constEnd() ? nullptr : &it.value();
}

}  // namespace

Assignment assignmentOf(const MapTable& map, const BestiaList& bestia, const QString& typspr, qint64 idBilPoz) {
  Assignment a;
  a.iBilBestiaMap = map.cached(typspr, idBilPoz);
  if (a.iBilBestiaMap) {
    if (const auto texts = bestia.byId(*a.iBilBestiaMap)) {
      a.sBestiaSymbol = texts->SYMBOL;
      a.sBestiaNazwa = texts->NAZWA;
    }
  }
  return a;
}

PositionQuery::PositionQuery(db::Connection& connection, PositionTable table)
    : table_(table), query_(connection), look_(connection) {
  const QString name = tableName(table);
  query_.setLines({u"select *"_s, u"from "_s + name, u"where "_s, u"  (ROK=:ROK) "_s,
                   u"  and (TYPSPR=:TYPSPR or '*'=:TYPSPR) "_s, u" and  (TYP=:TYP or '*'=:TYP)"_s,
                   u" and  (DPOCZ<=:DATAKONCAOKRESU) and (DKON>=:DATAKONCAOKRESU)"_s, u"order by KOLEJ"_s});
  query_.bindText(u"TYPSPR"_s, u"*"_s);
  query_.bindText(u"TYP"_s, u"*"_s);
  look_.setLines({u"select *"_s, u"from "_s + name, u"where  ROK=:ROK "_s, u"order by ID_BILPOZ"_s});
}

void PositionQuery::bindPeriod(const MappingPeriod& period) {
  query_.bindText(u"ROK"_s, period.ROK);
  query_.bindDate(u"DATAKONCAOKRESU"_s, period.DATAKONCAOKRESU);
  look_.bindText(u"ROK"_s, period.ROK);
}

void PositionQuery::open(const MapTable& map, const BestiaList& bestia) {
  db::DataSet rows = query_.open();
  const ParentIndex parents = parentIndex(look_);
  const bool budgetUnits = table_ == PositionTable::JBBILPOZ;
  std::vector<PositionFields> fields;
  fields.reserve(static_cast<size_t>(rows.recordCount()));
  for (rows.first(); !rows.eof(); rows.next()) {
    PositionFields f;
    std::optional<qint64> parentId;
    if (!rows.isNull(u"PARENT")) parentId = rows.integer(u"PARENT");
    if (const Parent* p1 = find(parents, parentId)) {
      f.iParent1 = p1->parent;
      f.sParent1 = p1->nazwa;
    }
    if (const Parent* p2 = find(parents, f.iParent1)) {
      f.sParent2 = p2->nazwa;
      if (budgetUnits) {
        f.iParent2 = p2->parent;
        if (const Parent* p3 = find(parents, f.iParent2)) f.sParent3 = p3->nazwa.left(kGreatGrandparentWidth);
      }
    }
    const QString typspr = rows.text(u"TYPSPR");
    Assignment a = assignmentOf(map, bestia, typspr, rows.integer(u"ID_BILPOZ"));
    f.iBilBestiaMap = a.iBilBestiaMap;
    f.sBestiaSymbol = std::move(a.sBestiaSymbol);
    f.sBestiaNazwa = std::move(a.sBestiaNazwa);
    f.sBestiaId = computedSymbol(table_, typspr, rows.text(u"NAZWA"), {f.sParent1, f.sParent2, f.sParent3});
    f.sMapStatus = mapStatus(f.iBilBestiaMap);
    fields.push_back(std::move(f));
  }
  rows.first();
  data_ = std::move(rows);
  fields_ = std::move(fields);
  active_ = true;
}

void PositionQuery::close() {
  data_ = db::DataSet();
  fields_.clear();
  active_ = false;
}

const PositionFields& PositionQuery::fields() const {
  static const PositionFields none = [] {
    PositionFields f;
    f.sMapStatus = mapStatus(std::nullopt);
    return f;
  }();
  if (data_.eof()) return none;
  return fields_.at(static_cast<size_t>(data_.recNo()));
}

}  // namespace wertalo::mapping
