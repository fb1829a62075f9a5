// Wertalo: the rows of a table for lists of identifiers, read by ranges where they are dense.
#pragma once

#include <QString>

#include <utility>
#include <vector>

#include "core/db/data_set.h"

namespace wertalo::db {

class Connection;

// Identifiers split for statements by key: stretches named as a range of the key, the rest
// listed. A stretch holds at least kRangeFrom identifiers; when `exact`, it holds every number
// between its ends (a write may name the range), otherwise at least half of them (a read
// drops the rows of the others).
struct IdStretches {
  static constexpr size_t kRangeFrom = 8;
  std::vector<std::pair<qint64, qint64>> ranges;  // first and last identifier, ascending
  std::vector<qint64> listed;                     // ascending
};
IdStretches splitIds(std::vector<qint64> ids, bool exact);

// The rows a statement "select … from <table> where … <key> " `rest` gives for a list of
// identifiers (`rest`, e.g. "group by <key>, …", follows the condition on the key): its
// columns, names and values, each identifier's rows in the order the engine gives them for
// "<key> = :id" (an index, or none, keeps a key's rows in their stored order), the identifiers
// in ascending order, each counted once. A stretch of identifiers at least half of whose
// numbers are wanted is read as one range of the key ("between"; an index finds a range at the
// cost of one lookup, a list at the cost of one per identifier) and the rows of the others
// dropped; the rest is listed ("in").
DataSet openForIdStretches(Connection& connection, const QString& selectWhere, const QString& keyField,
                           const std::vector<qint64>& ids, const QString& rest = QString());

}  // namespace wertalo::db
