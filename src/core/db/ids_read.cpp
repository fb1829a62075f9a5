#include "core/db/ids_read.h"

#include <algorithm>

#include <QSet>

#include "core/db/connection.h"
#include "core/db/db_error.h"
#include "core/db/query.h"

namespace wertalo::db {

IdStretches splitIds(std::vector<qint64> ids, bool exact) {
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  IdStretches split;
  for (size_t from = 0; from < ids.size();) {
    size_t to = from + 1;
    // The span of numbers from the first to the next identifier, against the identifiers it would hold.
    const auto fits = [&](size_t next) {
      const quint64 span = static_cast<quint64>(ids[next]) - static_cast<quint64>(ids[from]) + 1;
      const quint64 count = next - from + 1;
      return exact ? span == count : span <= 2 * count;
    };
    while (to < ids.size() && fits(to)) ++to;
    if (to - from >= IdStretches::kRangeFrom) {
      split.ranges.emplace_back(ids[from], ids[to - 1]);
    } else {
      split.listed.insert(split.listed.end(), ids.begin() + static_cast<std::ptrdiff_t>(from),
                          ids.begin() + static_cast<std::ptrdiff_t>(to));
    }
    from = to;
  }
  return split;
}

DataSet openForIdStretches(Connection& connection, const QString& selectWhere, const QString& keyField,
                           const std::vector<qint64>& ids, const QString& rest) {
  const IdStretches split = splitIds(ids, false);
  // Without identifiers the statement still runs, so that a table that cannot be read fails alike.
  if (split.ranges.empty() && split.listed.empty()) return openForIds(connection, selectWhere + QStringLiteral("in"), {}, 1000, rest);

  std::vector<DataSet> parts;
  for (const auto& [first, last] : split.ranges) {
    Query range(connection);
    range.setSql(selectWhere + QStringLiteral("between :FIRST_ID and :LAST_ID") + (rest.isEmpty() ? QString() : QLatin1Char(' ') + rest));
    range.bindInt(QStringLiteral("FIRST_ID"), first);
    range.bindInt(QStringLiteral("LAST_ID"), last);
    parts.push_back(range.open());
  }
  if (!split.listed.empty()) parts.push_back(openForIds(connection, selectWhere + QStringLiteral("in"), split.listed, 1000, rest));

  // The rows of the wanted identifiers (a range holds others too).
  const int key = parts.front().fieldIndex(keyField);
  if (key < 0) throw DbError(QStringLiteral("Pole '%1' nie istnieje").arg(keyField));
  const QSet<qint64> wanted(ids.begin(), ids.end());
  std::vector<DataSet::Row> rows;
  for (const DataSet& part : parts) {
    for (const DataSet::Row& row : part.rows()) {
      const QVariant& id = row[static_cast<size_t>(key)];
      bool ok = false;
      if (!id.isNull() && wanted.contains(id.toLongLong(&ok)) && ok) rows.push_back(row);
    }
  }
  return DataSet(parts.front().fieldNames(), std::move(rows));
}

}  // namespace wertalo::db
