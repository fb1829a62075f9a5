// Wertalo: the rows of a table for lists of identifiers, read without a round trip per text.
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

// Reads the rows of a table whose key is one of a list of identifiers: the columns, names and
// values of "select * from <table>", each identifier's rows in the order the engine gives them
// for "where <key> = :id" (an index, or none, keeps a key's rows in their stored order), the
// identifiers in ascending order. A stretch of identifiers at least half of whose numbers are
// wanted is read as one range of the key (an index finds a range at the cost of one lookup, a
// list at the cost of one per identifier); the rest is listed. Where the engine would fetch
// every text BLOB with round trips of its own (Firebird), short texts come inline with their
// row, and identifiers with a longer text are read again with "select *".
class IdsRead {
 public:
  // Looks up the table's columns once (a table the engine cannot describe is read with "select *").
  IdsRead(Connection& connection, const QString& table, const QString& keyField);

  // The rows of the identifiers (each counted once).
  DataSet rows(const std::vector<qint64>& ids) const;
  // Whether texts come inline (for the tests).
  bool readsTextsInline() const { return !inlineColumns_.isEmpty(); }

 private:
  // "select <columns> from <table> where <key> ": inline texts and the long-text flag, or "*".
  QString selectFrom(bool inlineTexts) const;
  DataSet read(const std::vector<qint64>& ids, bool inlineTexts) const;

  Connection* connection_;
  QString table_;
  QString keyField_;
  QString inlineColumns_;  // the select list with short texts inline, then the long-text flag; "" for "select *"
};

}  // namespace wertalo::db
