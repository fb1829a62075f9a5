#include "core/db/query.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "core/db/connection.h"
#include "core/db/db_error.h"

namespace wertalo::db {

namespace {

bool isNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// Binds the parameters of the prepared statement and runs it.
void bindAndRun(QSqlQuery& query, const Dialect& dialect, const QString& sql, const QMap<QString, QVariant>& params) {
  for (const QString& name : Query::parameterNames(sql)) {
    const auto it = params.constFind(name.toUpper());
    if (it == params.constEnd()) throw DbError(QStringLiteral("Parametr :%1 nie ma wartości").arg(name), sql);
    // Bound under the spelling used in the statement.
    query.bindValue(QLatin1Char(':') + name, dialect.parameterValue(it.value()));
  }
  if (!query.exec()) throw DbError(query.lastError().text().trimmed(), sql);
}

}  // namespace

Query::Query(Connection& connection) : connection_(&connection) {}

void Query::setSql(const QString& sql) { lines_ = sql.split(QLatin1Char('\n')); }

void Query::setLine(int index, const QString& line) {
  while (lines_.size() <= index) lines_.append(QString());
  lines_[index] = line;
}

QStringList Query::parameterNames(const QString& sql) {
  QStringList names;
  QChar quote;
  for (qsizetype i = 0; i < sql.size(); ++i) {
    const QChar c = sql[i];
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
      continue;
    }
    if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
      quote = c;
      continue;
    }
    if (c == QLatin1Char(':') && i + 1 < sql.size() && isNameStart(sql[i + 1]) &&
        (i == 0 || !isNameChar(sql[i - 1]))) {
      qsizetype j = i + 1;
      while (j < sql.size() && isNameChar(sql[j])) ++j;
      const QString name = sql.mid(i + 1, j - i - 1);
      if (!names.contains(name)) names.append(name);
      i = j - 1;
    }
  }
  return names;
}

QSqlQuery& Query::prepared() const {
  const QString sql = connection_->dialect().adapt(this->sql());
  // A statement run again with other parameters is prepared once, within one transaction (or
  // for as long as the engine lets a statement see the changes made after it was prepared).
  const bool reusable = prepared_ && preparedSql_ == sql && preparedSerial_ == connection_->transactionSerial() &&
                        (connection_->inTransaction() || connection_->dialect().reusesStatements());
  if (!reusable) {
    prepared_.reset();
    QSqlQuery query(connection_->database());
    query.setForwardOnly(true);
    query.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!query.prepare(sql)) throw DbError(query.lastError().text().trimmed(), sql);
    prepared_ = std::move(query);
    preparedSql_ = sql;
    preparedSerial_ = connection_->transactionSerial();
  }
  return *prepared_;
}

DataSet Query::open() const {
  QSqlQuery& query = prepared();
  bindAndRun(query, connection_->dialect(), preparedSql_, params_);
  const QSqlRecord record = query.record();
  QStringList fields;
  for (int i = 0; i < record.count(); ++i) fields.append(record.fieldName(i));
  std::vector<DataSet::Row> rows;
  while (query.next()) {
    DataSet::Row row;
    row.reserve(static_cast<size_t>(fields.size()));
    for (int i = 0; i < fields.size(); ++i) row.push_back(query.value(i));
    rows.push_back(std::move(row));
  }
  if (query.lastError().isValid()) throw DbError(query.lastError().text().trimmed(), sql());
  query.finish();
  return DataSet(fields, std::move(rows));
}

int Query::execSql() const {
  QSqlQuery& query = prepared();
  bindAndRun(query, connection_->dialect(), preparedSql_, params_);
  const int affected = query.numRowsAffected();
  query.finish();
  return affected;
}

DataSet openSql(Connection& connection, const QString& sql) {
  Query query(connection);
  query.setSql(sql);
  return query.open();
}

}  // namespace wertalo::db
