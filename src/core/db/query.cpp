#include "core/db/query.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSet>

#include "core/db/connection.h"
#include "core/db/db_error.h"
#include "core/db/select_all.h"

namespace wertalo::db {

namespace {

bool isNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// Binds the parameters of the prepared statement and runs it.
void bindAndRun(PreparedStatement& statement, const Dialect& dialect, const QMap<QString, QVariant>& params) {
  for (int i = 0; i < statement.parameterNames.size(); ++i) {
    const QString& name = statement.parameterNames[i];
    const auto it = params.constFind(name.toUpper());
    if (it == params.constEnd()) throw DbError(QStringLiteral("Parametr :%1 nie ma wartości").arg(name), statement.sql);
    // Bound under the spelling used in the statement.
    statement.query.bindValue(QLatin1Char(':') + name, dialect.parameterValue(it.value()));
  }
  if (!statement.query.exec()) {
    const QString text = statement.query.lastError().text().trimmed();
    statement.query.finish();
    throw DbError(text, statement.sql);
  }
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

DataSet Query::open() const {
  const QString text = sql();
  const std::optional<SpelledSelect> spelled = spelledOutSelectAll(*connection_, text);
  if (!spelled) return *run(text, nullptr, false);
  try {
    if (std::optional<DataSet> rows = run(spelled->sql, spelled->columns->fields, spelled->columns->longTextFlag))
      return std::move(*rows);
  } catch (const DbError&) {
    // A row too wide for the server with its texts inline, or a statement that fails: read as
    // written (its own error, if it has one, is the one the user sees).
  }
  return *run(text, spelled->columns->fields, false);
}

std::optional<DataSet> Query::run(const QString& sql, const std::shared_ptr<const FieldIndex>& knownFields, bool longTextFlagLast) const {
  const std::shared_ptr<PreparedStatement> statement = connection_->prepare(connection_->dialect().adapt(sql));
  QSqlQuery& query = statement->query;
  bindAndRun(*statement, connection_->dialect(), params_);
  // The fields of a statement's result are looked up once, on its first run, unless known.
  if (!statement->fields) {
    if (knownFields) {
      statement->fields = knownFields;
    } else {
      const QSqlRecord record = query.record();
      QStringList fields;
      for (int i = 0; i < record.count(); ++i) fields.append(record.fieldName(i));
      statement->fields = std::make_shared<FieldIndex>(fields);
    }
  }
  const int fieldCount = statement->fields->count();
  std::vector<DataSet::Row> rows;
  while (query.next()) {
    if (longTextFlagLast && DataSet::integerOf(query.value(fieldCount)) != 0) {
      query.finish();
      return std::nullopt;
    }
    DataSet::Row row;
    row.reserve(static_cast<size_t>(fieldCount));
    for (int i = 0; i < fieldCount; ++i) row.push_back(query.value(i));
    rows.push_back(std::move(row));
  }
  if (query.lastError().isValid()) {
    const QString text = query.lastError().text().trimmed();
    query.finish();
    throw DbError(text, sql);
  }
  query.finish();
  return DataSet(statement->fields, std::move(rows));
}

int Query::execSql() const {
  // A statement that may change tables makes the tables' columns be looked up again.
  connection_->forgetTableColumns();
  const std::shared_ptr<PreparedStatement> statement = connection_->prepare(connection_->dialect().adapt(sql()));
  bindAndRun(*statement, connection_->dialect(), params_);
  const int affected = statement->query.numRowsAffected();
  statement->query.finish();
  return affected;
}

DataSet openSql(Connection& connection, const QString& sql) {
  Query query(connection);
  query.setSql(sql);
  return query.open();
}

}  // namespace wertalo::db

namespace wertalo::db {

std::vector<QString> idListTexts(const std::vector<qint64>& ids, int partSize) {
  std::vector<QString> lists;
  const size_t part = static_cast<size_t>(qMax(1, partSize));
  for (size_t from = 0; from < ids.size(); from += part) {
    QString list(QLatin1Char('('));
    for (size_t i = from; i < qMin(ids.size(), from + part); ++i) {
      if (i > from) list += QLatin1Char(',');
      list += QString::number(ids[i]);
    }
    lists.push_back(list + QLatin1Char(')'));
  }
  return lists;
}

DataSet openForIds(Connection& connection, const QString& sqlEndingInIn, const std::vector<qint64>& ids, int partSize,
                   const QString& rest) {
  const QString tail = rest.isEmpty() ? QString() : QLatin1Char(' ') + rest;
  std::vector<qint64> listed;
  QSet<qint64> seen;
  for (const qint64 id : ids) {
    if (!seen.contains(id)) {
      seen.insert(id);
      listed.push_back(id);
    }
  }
  std::shared_ptr<const FieldIndex> fields;
  std::vector<DataSet::Row> rows;
  const std::vector<QString> lists = idListTexts(listed, partSize);
  for (const QString& list : lists) {
    DataSet part = openSql(connection, sqlEndingInIn + QLatin1Char(' ') + list + tail);
    if (lists.size() == 1) return part;  // one part: its rows as they are
    if (!fields) fields = std::make_shared<FieldIndex>(part.fieldNames());
    for (const DataSet::Row& row : part.rows()) rows.push_back(row);
  }
  // Without identifiers the statement still runs (with a list that matches nothing), so that
  // the result has its fields and a statement that cannot run fails alike.
  if (!fields) return openSql(connection, sqlEndingInIn + QStringLiteral(" (NULL)") + tail);
  return DataSet(fields, std::move(rows));
}

RowsByKey::RowsByKey(DataSet rows, QStringView keyField) {
  const int key = rows.fieldIndex(keyField);
  if (key < 0) throw DbError(QStringLiteral("Pole '%1' nie istnieje").arg(keyField.toString()));
  fields_ = std::make_shared<FieldIndex>(rows.fieldNames());
  QHash<qint64, std::vector<DataSet::Row>> byKey;
  std::vector<qint64> keys;  // in order of first appearance
  for (const DataSet::Row& row : rows.rows()) {
    const QVariant& value = row[static_cast<size_t>(key)];
    if (value.isNull()) continue;
    bool ok = false;
    const qlonglong id = value.toLongLong(&ok);
    if (!ok) continue;  // a key that is no number matches no report
    auto it = byKey.find(id);
    if (it == byKey.end()) {
      it = byKey.insert(id, {});
      keys.push_back(id);
    }
    it->push_back(row);
  }
  rowsByKey_.reserve(static_cast<qsizetype>(keys.size()));
  for (const qint64 id : keys) rowsByKey_.insert(id, DataSet(fields_, std::move(byKey[id])));
}

DataSet RowsByKey::rowsOf(qint64 key) const {
  const auto it = rowsByKey_.constFind(key);
  return it == rowsByKey_.constEnd() ? DataSet(fields_, {}) : it.value();
}

}  // namespace wertalo::db
