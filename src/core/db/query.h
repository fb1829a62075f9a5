// Wertalo: a statement with named parameters, run on a connection.
#pragma once

#include <QDate>
#include <QSqlQuery>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

#include "core/db/data_set.h"

namespace wertalo::db {

class Connection;

// SQL text set whole or line by line (the product rewrites single lines of some
// statements), parameters bound by name as integer, text, date or date-time.
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
  // The statement prepared on the connection, kept while its text stays the same.
  QSqlQuery& prepared() const;

  Connection* connection_;
  QStringList lines_;
  QMap<QString, QVariant> params_;
  mutable std::optional<QSqlQuery> prepared_;
  mutable QString preparedSql_;
  mutable int preparedSerial_ = 0;  // the connection's transaction serial when prepared
};

// Runs a statement without parameters and returns its rows.
DataSet openSql(Connection& connection, const QString& sql);

}  // namespace wertalo::db
