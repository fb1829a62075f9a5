#include "core/mapping/bil_map_to_bestia.h"

#include <QSet>

#include "core/db/connection.h"
#include "core/mapping/position_text.h"
#include "core/platform/user_interface.h"

namespace wertalo::mapping {

using namespace Qt::StringLiterals;

namespace {

// Runs `work` in one transaction: a list operation is written whole or not at all.
template <typename Work>
void inTransaction(db::Connection& connection, Work&& work) {
  connection.beginTransaction();
  try {
    work();
    connection.commit();
  } catch (...) {
    try {
      connection.rollback();
    } catch (...) {
      // The first error is the one worth reporting.
    }
    throw;
  }
}

QStringList uniquenessLines(PositionTable table) {
  return {u"select * from "_s + tableName(table) + u" where ROK=:ROK and OKRES=:OKRES and TYP=:TYP and TYPSPR=:TYPSPR"_s};
}

}  // namespace

TdtmBilMapToBestia::TdtmBilMapToBestia(db::Connection& connection, platform::UserInterface& ui,
                                       const MappingPeriod& period)
    : connection_(connection),
      ui_(ui),
      map_(connection),
      qryS_BilBestia_(connection),
      qryS_BilBestiaLook_(connection),
      qryBilPoz_(connection, PositionTable::BILPOZ),
      qryJBBilPoz_(connection, PositionTable::JBBILPOZ),
      srcQryBilPoz_(&qryBilPoz_),
      uniqueBilPoz_(connection),
      uniqueJBBilPoz_(connection) {
  qryS_BilBestiaLook_.query.setLines(
      {u"select  max(ID_BILBESTIA) as ID_BILBESTIA , SYMBOL, NAZWA, TYPSPR, RODZAJ"_s, u"from S_BILBESTIA"_s,
       u"where "_s, u"  ((DPOCZ<=:DATAKONCAOKRESU) and (DKON>=:DATAKONCAOKRESU)) and"_s, u"  (TYPSPR=:TYPSPR) and"_s,
       u"  (RODZAJ=:RODZAJ)"_s, u"group by  SYMBOL, NAZWA, TYPSPR, RODZAJ"_s, u"order by TYPSPR, RODZAJ, SYMBOL"_s});
  uniqueBilPoz_.setLines(uniquenessLines(PositionTable::BILPOZ));
  uniqueJBBilPoz_.setLines(uniquenessLines(PositionTable::JBBILPOZ));
  map_.reload();
  setPeriod(period);
}

void TdtmBilMapToBestia::setPeriod(const MappingPeriod& period) {
  period_ = period;
  qryBilPoz_.close();
  qryJBBilPoz_.close();
  qryS_BilBestiaLook_.active = false;
  qryS_BilBestiaLook_.data = db::DataSet();
  qryBilPoz_.bindPeriod(period);
  qryJBBilPoz_.bindPeriod(period);
  qryS_BilBestiaLook_.query.bindDate(u"DATAKONCAOKRESU"_s, period.DATAKONCAOKRESU);
  for (db::Query* q : {&uniqueBilPoz_, &uniqueJBBilPoz_}) {
    q->bindText(u"ROK"_s, period.ROK);
    q->bindText(u"OKRES"_s, period.OKRES);
  }
  qryS_BilBestia_.open(period.DATAKONCAOKRESU);
}

void TdtmBilMapToBestia::openList(PositionQuery& list) {
  map_.reload();
  list.open(map_, qryS_BilBestia_);
}

// ---- Filter and the was-mapped question --------------------------------------------------------

void TdtmBilMapToBestia::EkspSetMapFilter(TTypSpr ts, TAktywaPasywa ap) {
  qryBilPoz_.close();
  qryJBBilPoz_.close();
  qryS_BilBestiaLook_.active = false;
  qryS_BilBestiaLook_.data = db::DataSet();

  const QString kind = kindText(ts);
  const QString side = sideText(ap);
  for (PositionQuery* list : {&qryBilPoz_, &qryJBBilPoz_}) {
    db::Query& q = list->query();
    q.setLine(kKindLine, ts == tsRazem ? QString() : u"and  (TYPSPR=:TYPSPR )"_s);
    q.setLine(kSideLine, ap == apRazem ? QString() : u"and  (TYP=:TYP )"_s);
    if (ap != apRazem) q.bindText(u"TYP"_s, side);
    if (ts != tsRazem) q.bindText(u"TYPSPR"_s, kind);
  }
  if (ts == tsBILB || ts == tsBILS) {
    srcQryBilPoz_ = &qryBilPoz_;
    openList(qryBilPoz_);
  } else if (ts == tsBILJ) {
    srcQryBilPoz_ = &qryJBBilPoz_;
    openList(qryJBBilPoz_);
  }
  qryS_BilBestiaLook_.query.bindText(u"TYPSPR"_s, kind);
  qryS_BilBestiaLook_.query.bindText(u"RODZAJ"_s, side);
  qryS_BilBestiaLook_.data = qryS_BilBestiaLook_.query.open();
  qryS_BilBestiaLook_.active = true;
}

bool TdtmBilMapToBestia::EkspByloMapowanie() {
  const bool wasActive = qryBilPoz_.active();
  openList(qryBilPoz_);
  bool mapped = false;
  db::DataSet& rows = qryBilPoz_.data();
  for (rows.first(); !rows.eof() && !mapped; rows.next()) mapped = !qryBilPoz_.fields().sBestiaSymbol.isEmpty();
  rows.first();
  if (!wasActive) qryBilPoz_.close();
  return mapped;
}

// ---- Automatic mapping ---------------------------------------------------------------------------

qint64 TdtmBilMapToBestia::automaticMatch(const QString& typspr, const QString& typ, const QString& nazwa,
                                          const QString& sBestiaId) const {
  if (const auto id = qryS_BilBestia_.bySymbol(typspr, typ, sBestiaId)) return *id;
  if (const auto id = qryS_BilBestia_.byName(typspr, typ, nameWithoutLabel(nazwa))) return *id;
  if (nazwa.startsWith(u"Suma"_s)) {
    if (const auto id = qryS_BilBestia_.bySymbol(typspr, typ, u" "_s)) return *id;
  }
  return 0;
}

int TdtmBilMapToBestia::EkspMapujAutomatycznie() {
  unmatched_.clear();
  for (PositionQuery* list : {&qryBilPoz_, &qryJBBilPoz_}) {
    const bool wasActive = list->active();
    std::vector<UnmatchedPosition> left;
    inTransaction(connection_, [&] {
      openList(*list);
      db::DataSet& rows = list->data();
      for (rows.first(); !rows.eof(); rows.next()) {
        const QString typspr = rows.text(u"TYPSPR");
        const QString typ = rows.text(u"TYP");
        const QString nazwa = rows.text(u"NAZWA");
        const qint64 idBilPoz = rows.integer(u"ID_BILPOZ");
        const QString& symbol = list->fields().sBestiaId;
        const qint64 found = automaticMatch(typspr, typ, nazwa, symbol);
        if (assign(typspr, idBilPoz, found, false, map_.cached(typspr, idBilPoz)) == 0)
          left.push_back({typspr, idBilPoz, typ, nazwa, symbol});
      }
    });
    unmatched_.insert(unmatched_.end(), left.begin(), left.end());
    openList(*list);
    if (!wasActive) list->close();
  }
  return static_cast<int>(unmatched_.size());
}

// ---- Assignment ------------------------------------------------------------------------------

qint64 TdtmBilMapToBestia::assign(const QString& typspr, qint64 idBilPoz, qint64 idBilBestia, bool modify,
                                  std::optional<qint64> existing) {
  if (existing && !modify && *existing != 0) return *existing;
  if (!existing || *existing != idBilBestia) map_.write(typspr, idBilPoz, idBilBestia, existing.has_value());
  return idBilBestia;
}

bool TdtmBilMapToBestia::takenElsewhere(const QString& sTypSpr, qint64 iD_BilPoz, qint64 Id_BilBestia) {
  const QSet<qint64> holders = map_.holders(sTypSpr, Id_BilBestia);
  if (holders.isEmpty()) return false;
  // The positions of the chosen kind and side in the year and period; budget-unit positions
  // are looked for among the budget units' positions.
  const QString kind = TypSpr == tsRazem ? sTypSpr : kindText(TypSpr);
  db::Query& positions = tableForKind(kind) == PositionTable::JBBILPOZ ? uniqueJBBilPoz_ : uniqueBilPoz_;
  const QStringList sides = AktywaPasywa == apRazem ? QStringList{sideText(apAktywa), sideText(apPasywa)}
                                                    : QStringList{sideText(AktywaPasywa)};
  QSet<qint64> conflicts;
  for (const QString& side : sides) {
    positions.bindText(u"TYPSPR"_s, kind);
    positions.bindText(u"TYP"_s, side);
    db::DataSet rows = positions.open();
    for (rows.first(); !rows.eof(); rows.next()) {
      const qint64 id = rows.integer(u"ID_BILPOZ");
      // The position being assigned does not stand in its own way.
      if (id == iD_BilPoz || !holders.contains(id) || conflicts.contains(id)) continue;
      conflicts.insert(id);
      ui_.showMessage(kPozycjaJuzPrzypisana);
    }
  }
  return !conflicts.isEmpty();
}

qint64 TdtmBilMapToBestia::EkspPrzypiszPozycje(const QString& sTypSpr, qint64 iD_BilPoz, qint64 Id_BilBestia,
                                               bool bModyfikuj, bool bUnikalny) {
  // Only a real Besti@ position can be taken by another position.
  if (bUnikalny && Id_BilBestia > 0 && takenElsewhere(sTypSpr, iD_BilPoz, Id_BilBestia)) return 0;
  return assign(sTypSpr, iD_BilPoz, Id_BilBestia, bModyfikuj, map_.read(sTypSpr, iD_BilPoz));
}

qint64 TdtmBilMapToBestia::EkspPrzypiszAktPozycje(qint64 Id_BilBestia, bool bModyfikuj, bool bUnikalny) {
  db::DataSet& rows = srcQryBilPoz_->data();
  if (!srcQryBilPoz_->active() || rows.eof()) return 0;
  return EkspPrzypiszPozycje(rows.text(u"TYPSPR"), rows.integer(u"ID_BILPOZ"), Id_BilBestia, bModyfikuj, bUnikalny);
}

qint64 TdtmBilMapToBestia::EkspZnajdzPrzypisanie(const QString& sTypSpr, qint64 iD_BilPoz) {
  const std::optional<qint64> existing = map_.read(sTypSpr, iD_BilPoz);
  if (existing) return *existing;
  map_.write(sTypSpr, iD_BilPoz, 0, false);
  return 0;
}

void TdtmBilMapToBestia::EkspUsunMapowania() {
  PositionQuery& list = *srcQryBilPoz_;
  if (!list.active()) return;
  inTransaction(connection_, [&] {
    map_.reload();
    db::DataSet& rows = list.data();
    for (rows.first(); !rows.eof(); rows.next()) {
      const QString typspr = rows.text(u"TYPSPR");
      const qint64 idBilPoz = rows.integer(u"ID_BILPOZ");
      assign(typspr, idBilPoz, 0, true, map_.cached(typspr, idBilPoz));
    }
  });
  openList(list);
}

void TdtmBilMapToBestia::srcQryBilPozDataChange() {
  db::DataSet& rows = srcQryBilPoz_->data();
  // An empty list has no position to follow; no row is made up for it.
  if (!srcQryBilPoz_->active() || rows.eof()) {
    memBilBestiaMap.ID_POZBESTIA = 0;
    return;
  }
  memBilBestiaMap.ID_POZBESTIA = EkspZnajdzPrzypisanie(rows.text(u"TYPSPR"), rows.integer(u"ID_BILPOZ"));
}

void TdtmBilMapToBestia::reopenList() {
  PositionQuery& list = *srcQryBilPoz_;
  if (!list.active()) return;
  const db::DataSet& before = list.data();
  const std::optional<qint64> current =
      before.eof() ? std::nullopt : std::optional<qint64>(before.integer(u"ID_BILPOZ"));
  openList(list);
  if (current) list.data().locate(u"ID_BILPOZ"_s, *current);
}

Assignment TdtmBilMapToBestia::assignmentOf(const QString& typspr, qint64 idBilPoz) const {
  return mapping::assignmentOf(map_, qryS_BilBestia_, typspr, idBilPoz);
}

}  // namespace wertalo::mapping
