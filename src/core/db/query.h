// Wertalo: a statement with named parameters, run on a connection.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

#include "core/db/data_set.h"

namespace wertalo::db {

class Connection;

// SQL text set whole or line by line (the product rewrites single lines of some
// statements), parameters bound by name as integer, text, date or date-time. The statement is
// prepared through the connection, which keeps it for the next query of the same text.
class Query {
 public:
  explicit Query(Connection& connection);

  void setSql(const QString& sql);
  QString sql() const { return lines_.join(QLatin1Char('\n')); }
  void setLines(const QStringList& lines) { lines_ = lines; }
  const QStringList& lines() const { return lines_; }
  // Replaces line `index` (from 0); lines are added up to it when the text is shorter.
  void setLine(int index, const QString& line);

  void bindInt(const QString& name, qint64 value) { params_.insert(name.toUpper(), QVariant(value)); }
  void bindText(const QString& name, const QString& value) { params_.insert(name.toUpper(), QVariant(value)); }
  void bindDate(const QString& name, const QDate& value) { params_.insert(name.toUpper(), QVariant(value)); }
  void bindDateTime(const QString& name, const QDateTime& value) { params_.insert(name.toUpper(), QVariant(value)); }
  void bindNull(const QString& name) { params_.insert(name.toUpper(), QVariant()); }
  void clearBindings() { params_.clear(); }

  // Runs a statement that returns rows. Failure raises DbError with the engine's text and
  // the statement.
  DataSet open() const;
  // Runs an update; returns the number of rows it changed.
  int execSql() const;

  // Names of the parameters in a statement as spelled there, in order of first appearance
  // (text inside quotes is skipped). Bindings match them without regard to case.
  static QStringList parameterNames(const QString& sql);

 private:
  // Runs `sql` with the bindings; its fields are `knownFields` when given (else looked up);
  // with `longTextFlagLast`, the column after them is the long-text flag of a spelled-out
  // "select *", left out of the rows, and a row that has it set gives nothing.
  std::optional<DataSet> run(const QString& sql, const std::shared_ptr<const FieldIndex>& knownFields,
                             bool longTextFlagLast) const;

  Connection* connection_;
  QStringList lines_;
  QMap<QString, QVariant> params_;
};

// Runs a statement without parameters and returns its rows.
DataSet openSql(Connection& connection, const QString& sql);

// The identifiers as value lists "(1,2,3)" of at most `partSize` each (servers limit a list
// of values; Firebird to 1500), in their order.
std::vector<QString> idListTexts(const std::vector<qint64>& ids, int partSize = 1000);

// The rows of a statement that ends in "IN" (followed by `rest`, when given) for many
// identifiers: the statement is run with the identifiers as its list, in parts of at most `partSize` (servers limit a list of values;
// Firebird to 1500), and the rows come part after part. Each identifier is listed once; the rows
// of one identifier therefore come in the order the engine returns them.
DataSet openForIds(Connection& connection, const QString& sqlEndingInIn, const std::vector<qint64>& ids,
                   int partSize = 1000, const QString& rest = QString());

// The rows of a data set by an integer key field, each key's rows in their order; a read made
// once and looked up per key. Rows whose key is Null belong to no key.
class RowsByKey {
 public:
  RowsByKey() : fields_(std::make_shared<FieldIndex>()) {}
  RowsByKey(DataSet rows, QStringView keyField);

  // Whether any row has the key.
  bool contains(qint64 key) const { return rowsByKey_.contains(key); }
  // The rows of the key as a data set of their own (no rows when none has it).
  DataSet rowsOf(qint64 key) const;

 private:
  std::shared_ptr<const FieldIndex> fields_;
  QHash<qint64, DataSet> rowsByKey_;
};

}  // namespace wertalo::db
