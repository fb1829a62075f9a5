// Wertalo demo: rows as lists of column values, written with prepared inserts.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QString>

#include <map>
#include <memory>
#include <variant>
#include <vector>

#include "core/text/currency.h"

namespace wertalo::db {
class Connection;
class Query;
}

namespace wertalo::demo {

// A column value: Null, integer, text, date, date-time or amount.
using Value = std::variant<std::monostate, qint64, QString, QDate, QDateTime, text::Currency>;

// One column of a row.
struct Field {
  QString column;
  Value value;
};
using Fields = std::vector<Field>;

// An amount of whole złoty and grosze.
inline text::Currency zl(qint64 zloty, qint64 grosze = 0) { return text::Currency{(zloty * 100 + grosze) * 100}; }
// An amount given in ten-thousandths (four decimals).
inline text::Currency units(qint64 tenThousandths) { return text::Currency{tenThousandths}; }
// The amount as exact decimal text with four decimals ("-1234.5600").
QString decimalText(text::Currency amount);

// Writes rows through one prepared insert per row (named parameters), counting them.
class RowWriter {
 public:
  explicit RowWriter(db::Connection& connection);
  ~RowWriter();

  // Inserts one row into the table; only the columns given are written.
  void insert(const QString& table, const Fields& fields);
  // Rows written so far.
  int rowCount() const { return rows_; }
  // The database the rows go to.
  db::Connection& connection() const { return connection_; }

 private:
  db::Connection& connection_;
  std::map<QString, std::unique_ptr<db::Query>> statements_;
  int rows_ = 0;
};

// Where a unit's rows go: the plain table for the local government unit itself, the "JB" twin
// (with ID_JB) for a budget unit.
struct Target {
  RowWriter* writer = nullptr;
  int idJb = 0;  // 0 for the local government unit itself

  bool isBudgetUnit() const { return idJb > 0; }
  // The table name for this unit ("D2" or "JBD2").
  QString table(const QString& name) const { return isBudgetUnit() ? QStringLiteral("JB") + name : name; }
  // Inserts into this unit's table; a budget unit's row also gets its ID_JB.
  void insert(const QString& name, Fields fields) const;
};

}  // namespace wertalo::demo
