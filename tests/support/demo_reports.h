// Tests over the demo installation: which budget units' reports a report list can name.
#pragma once

#include <vector>

#include "core/db/query.h"

namespace wertalo::test {

// The approved budget units' reports (no balance sheets) of one period, the newest report's,
// in identifier order; none when the budget units have no report.
inline std::vector<qint64> latestBudgetUnitReports(db::Connection& db) {
  const db::DataSet newest = db::openSql(db, QStringLiteral("SELECT ROK, OKRES FROM JBSPRAWOZD ORDER BY IDSPRAW DESC"));
  if (newest.isEmpty()) return {};
  db::DataSet rows = db::openSql(db, QStringLiteral("SELECT IDSPRAW FROM JBSPRAWOZD WHERE ROK='%1' AND OKRES='%2' "
                                                    "AND DATAZAK IS NOT NULL AND TYPSPR NOT LIKE 'BIL%' ORDER BY IDSPRAW")
                                         .arg(newest.text(u"ROK"), newest.text(u"OKRES")));
  std::vector<qint64> ids;
  for (rows.first(); !rows.eof(); rows.next()) ids.push_back(rows.integer(u"IDSPRAW"));
  return ids;
}

}  // namespace wertalo::test
