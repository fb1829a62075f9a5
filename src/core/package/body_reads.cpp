#include "core/package/body_reads.h"

#include <algorithm>

#include "core/db/ids_read.h"

namespace wertalo::package {

BodyReads::BodyReads(db::Connection& connection, const std::vector<qint64>& runIds, int windowSize)
    : connection_(&connection), windowSize_(std::max(1, windowSize)) {
  ids_.reserve(runIds.size());
  for (const qint64 id : runIds) {
    if (positions_.contains(id)) continue;
    positions_.insert(id, static_cast<int>(ids_.size()));
    ids_.push_back(id);
  }
}

std::optional<db::DataSet> BodyReads::rowsOf(const QString& table, qint64 idspraw) {
  // A table's window is kept under its name: the statement is made only when a window is read.
  return rowsOfWindow(table, idspraw, QString(), QString());
}

std::optional<db::DataSet> BodyReads::rowsOf(const QString& selectWhere, const QString& rest, qint64 idspraw) {
  return rowsOfWindow(selectWhere + QLatin1Char('\n') + rest, idspraw, selectWhere, rest);
}

std::optional<db::DataSet> BodyReads::rowsOfWindow(const QString& key, qint64 idspraw, const QString& selectWhere,
                                                   const QString& rest) {
  const auto position = positions_.constFind(idspraw);
  if (position == positions_.constEnd()) return std::nullopt;
  const int number = *position / windowSize_;
  Window& window = windows_[key];
  if (window.number != number) {
    const size_t from = static_cast<size_t>(number) * static_cast<size_t>(windowSize_);
    const size_t to = std::min(ids_.size(), from + static_cast<size_t>(windowSize_));
    const std::vector<qint64> ids(ids_.begin() + static_cast<std::ptrdiff_t>(from), ids_.begin() + static_cast<std::ptrdiff_t>(to));
    // The previous window goes before the next one is read (never two held); a read that
    // failed is made again by the next report.
    window.number = -1;
    window.rows = db::RowsByKey();
    const QString select = selectWhere.isEmpty() ? QStringLiteral("select * from %1 where ").arg(key) : selectWhere;
    window.rows = db::RowsByKey(
        db::openForIdStretches(*connection_, select + QStringLiteral("IDSPRAW "), QStringLiteral("IDSPRAW"), ids, rest), u"IDSPRAW");
    window.number = number;
    ++reads_;
  }
  return window.rows.rowsOf(idspraw);
}

}  // namespace wertalo::package
