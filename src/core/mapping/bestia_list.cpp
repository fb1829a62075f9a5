#include "core/mapping/bestia_list.h"

#include "core/mapping/position_text.h"

namespace wertalo::mapping {

using namespace Qt::StringLiterals;

BestiaList::BestiaList(db::Connection& connection) : query_(connection) {
  query_.setLines({u"select * "_s, u"from S_BILBESTIA"_s,
                   u"where (DPOCZ<=:DATAKONCAOKRESU) and (DKON>=:DATAKONCAOKRESU)"_s,
                   u"order by TYPSPR, RODZAJ, SYMBOL"_s});
}

namespace {

// Keeps the first id of a key: the list's order decides between equal keys.
void insertFirst(QHash<QString, qint64>& index, const QString& key, qint64 id) {
  if (!index.contains(key)) index.insert(key, id);
}

}  // namespace

QString BestiaList::key(const QString& typspr, const QString& rodzaj, const QString& value) {
  return typspr + QChar(0x1f) + rodzaj + QChar(0x1f) + value;
}

void BestiaList::open(const QDate& dataKoncaOkresu) {
  query_.bindDate(u"DATAKONCAOKRESU"_s, dataKoncaOkresu);
  data_ = query_.open();
  byId_.clear();
  bySymbol_.clear();
  byName_.clear();
  for (data_.first(); !data_.eof(); data_.next()) {
    const qint64 id = data_.integer(u"ID_BILBESTIA");
    const QString typspr = data_.text(u"TYPSPR");
    const QString rodzaj = data_.text(u"RODZAJ");
    if (!byId_.contains(id))
      byId_.insert(id, {data_.text(u"SYMBOL").left(kBestiaSymbolWidth), data_.text(u"NAZWA").left(kBestiaNameWidth)});
    insertFirst(bySymbol_, key(typspr, rodzaj, data_.text(u"SYMBOL")), id);
    insertFirst(byName_, key(typspr, rodzaj, data_.text(u"NAZWA")), id);
  }
  data_.first();
  active_ = true;
}

void BestiaList::close() {
  data_ = db::DataSet();
  byId_.clear();
  bySymbol_.clear();
  byName_.clear();
  active_ = false;
}

std::optional<BestiaTexts> BestiaList::byId(qint64 idBilBestia) const {
  const auto it = byId_.constFind(idBilBestia);
  return it == byId_.constEnd() ? std::nullopt : std::optional<BestiaTexts>(it.value());
}

std::optional<qint64> BestiaList::bySymbol(const QString& typspr, const QString& rodzaj, const QString& symbol) const {
  const auto it = bySymbol_.constFind(key(typspr, rodzaj, symbol));
  return it == bySymbol_.constEnd() ? std::nullopt : std::optional<qint64>(it.value());
}

std::optional<qint64> BestiaList::byName(const QString& typspr, const QString& rodzaj, const QString& nazwa) const {
  const auto it = byName_.constFind(key(typspr, rodzaj, nazwa));
  return it == byName_.constEnd() ? std::nullopt : std::optional<qint64>(it.value());
}

}  // namespace wertalo::mapping
