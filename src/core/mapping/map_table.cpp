#include "core/mapping/map_table.h"

#include "core/db/data_set.h"

namespace wertalo::mapping {

using namespace Qt::StringLiterals;

MapTable::MapTable(db::Connection& connection)
    : all_(connection), one_(connection), update_(connection), insert_(connection), holders_(connection) {
  all_.setSql(u"select TYPSPR, ID_BILPOZ, ID_BILBESTIA from BILTOBESTIAMAP order by TYPSPR, ID_BILPOZ, ID_BILBESTIA"_s);
  one_.setSql(u"select ID_BILBESTIA from BILTOBESTIAMAP where TYPSPR=:TYPSPR and ID_BILPOZ=:ID_BILPOZ order by ID_BILBESTIA"_s);
  update_.setSql(u"update BILTOBESTIAMAP set ID_BILBESTIA=:ID_BILBESTIA where TYPSPR=:TYPSPR and ID_BILPOZ=:ID_BILPOZ"_s);
  insert_.setSql(u"insert into BILTOBESTIAMAP (TYPSPR, ID_BILPOZ, ID_BILBESTIA) values (:TYPSPR, :ID_BILPOZ, :ID_BILBESTIA)"_s);
  holders_.setSql(u"select ID_BILPOZ from BILTOBESTIAMAP where TYPSPR=:TYPSPR and ID_BILBESTIA=:ID_BILBESTIA"_s);
}

QString MapTable::key(const QString& typspr, qint64 idBilPoz) {
  return typspr + QChar(0x1f) + QString::number(idBilPoz);
}

void MapTable::reload() {
  db::DataSet rows = all_.open();
  QHash<QString, qint64> entries;
  entries.reserve(rows.recordCount());
  for (rows.first(); !rows.eof(); rows.next()) {
    const QString k = key(rows.text(u"TYPSPR"), rows.integer(u"ID_BILPOZ"));
    if (!entries.contains(k)) entries.insert(k, rows.integer(u"ID_BILBESTIA"));
  }
  entries_ = std::move(entries);
}

std::optional<qint64> MapTable::cached(const QString& typspr, qint64 idBilPoz) const {
  const auto it = entries_.constFind(key(typspr, idBilPoz));
  if (it == entries_.constEnd()) return std::nullopt;
  return it.value();
}

std::optional<qint64> MapTable::read(const QString& typspr, qint64 idBilPoz) {
  one_.bindText(u"TYPSPR"_s, typspr);
  one_.bindInt(u"ID_BILPOZ"_s, idBilPoz);
  const db::DataSet rows = one_.open();
  const QString k = key(typspr, idBilPoz);
  if (rows.isEmpty()) {
    entries_.remove(k);
    return std::nullopt;
  }
  const qint64 value = rows.integer(u"ID_BILBESTIA");
  entries_.insert(k, value);
  return value;
}

void MapTable::write(const QString& typspr, qint64 idBilPoz, qint64 idBilBestia, bool exists) {
  db::Query& statement = exists ? update_ : insert_;
  statement.bindText(u"TYPSPR"_s, typspr);
  statement.bindInt(u"ID_BILPOZ"_s, idBilPoz);
  statement.bindInt(u"ID_BILBESTIA"_s, idBilBestia);
  statement.execSql();
  entries_.insert(key(typspr, idBilPoz), idBilBestia);
}

QSet<qint64> MapTable::holders(const QString& typspr, qint64 idBilBestia) {
  holders_.bindText(u"TYPSPR"_s, typspr);
  holders_.bindInt(u"ID_BILBESTIA"_s, idBilBestia);
  db::DataSet rows = holders_.open();
  QSet<qint64> ids;
  for (rows.first(); !rows.eof(); rows.next()) ids.insert(rows.integer(u"ID_BILPOZ"));
  return ids;
}

}  // namespace wertalo::mapping
