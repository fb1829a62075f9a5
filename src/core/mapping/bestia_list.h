// Wertalo mapping: the Besti@ positions valid at the end of the year (qryS_BilBestia), with
// the lookups the mapping makes in them.
#pragma once

#include <QDate>
#include <QHash>
#include <QString>

#include <optional>

#include "core/db/data_set.h"
#include "core/db/query.h"

namespace wertalo::mapping {

// The looked-up texts of one Besti@ position (sBestiaSymbol, sBestiaNazwa).
struct BestiaTexts {
  QString SYMBOL;  // at most 16 characters
  QString NAZWA;   // at most 252 characters
};

// qryS_BilBestia: "select * from S_BILBESTIA" valid on DATAKONCAOKRESU, ordered by TYPSPR,
// RODZAJ, SYMBOL. Where several rows match a lookup, the first in that order counts.
class BestiaList {
 public:
  explicit BestiaList(db::Connection& connection);

  // Runs the statement for the end of the year and indexes its rows.
  void open(const QDate& dataKoncaOkresu);
  void close();
  bool active() const { return active_; }
  // The rows of the last opening.
  const db::DataSet& data() const { return data_; }

  // SYMBOL and NAZWA of the position with this ID_BILBESTIA; nothing when it is not listed.
  std::optional<BestiaTexts> byId(qint64 idBilBestia) const;
  // ID_BILBESTIA of the first position of the kind and side with exactly this SYMBOL / NAZWA.
  std::optional<qint64> bySymbol(const QString& typspr, const QString& rodzaj, const QString& symbol) const;
  std::optional<qint64> byName(const QString& typspr, const QString& rodzaj, const QString& nazwa) const;

 private:
  static QString key(const QString& typspr, const QString& rodzaj, const QString& value);

  db::Query query_;
  db::DataSet data_;
  bool active_ = false;
  QHash<qint64, BestiaTexts> byId_;  // texts of each id
  QHash<QString, qint64> bySymbol_;  // kind, side, SYMBOL
  QHash<QString, qint64> byName_;    // kind, side, NAZWA
};

}  // namespace wertalo::mapping
