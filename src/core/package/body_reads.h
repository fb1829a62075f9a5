// Wertalo: the rows a run's report bodies read from their tables, read for many reports at once.
#pragma once

#include <QHash>
#include <QString>

#include <optional>
#include <vector>

#include "core/db/data_set.h"
#include "core/db/query.h"

namespace wertalo::db {
class Connection;
}

namespace wertalo::package {

// The rows a body reads from one of its report's tables ("select * from T where
// IDSPRAW=:IDSPRAW"), read with one statement for a window of the run's reports instead of one
// statement per report: the run's reports in the order they are written, `windowSize` at a
// time. A table holds only its latest window, so memory stays bounded by the window whatever
// the size of the run, and a database without an index on IDSPRAW is scanned once per window
// rather than once per report. The rows of one report come in the order its own statement
// gives them (see db::openForIds).
class BodyReads {
 public:
  static constexpr int kWindowSize = 500;

  // `runIds`: the reports of the run in the order they are written (repeats count once).
  BodyReads(db::Connection& connection, const std::vector<qint64>& runIds, int windowSize = kWindowSize);

  // The rows of report `idspraw` in `table` (the name as read: plain or "JB" twin); nothing
  // when the report is not one of the run's.
  std::optional<db::DataSet> rowsOf(const QString& table, qint64 idspraw);
  // The rows of report `idspraw` that the statement `selectWhere` "IDSPRAW" `rest` gives (see
  // ReportContext::windowRows); nothing when the report is not one of the run's.
  std::optional<db::DataSet> rowsOf(const QString& selectWhere, const QString& rest, qint64 idspraw);
  // How many window reads were made so far.
  int readCount() const { return reads_; }

 private:
  // The rows of report `idspraw` in the window kept under `key`, read with `selectWhere`
  // "IDSPRAW" `rest` (an empty `selectWhere`: "select * from <key> where ").
  std::optional<db::DataSet> rowsOfWindow(const QString& key, qint64 idspraw, const QString& selectWhere, const QString& rest);

  struct Window {
    int number = -1;
    db::RowsByKey rows;
  };

  db::Connection* connection_;
  std::vector<qint64> ids_;
  QHash<qint64, int> positions_;  // place of each report in ids_
  int windowSize_;
  QHash<QString, Window> windows_;  // by table name, or by statement
  int reads_ = 0;
};

}  // namespace wertalo::package
