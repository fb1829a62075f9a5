#include "core/demo/demo_rows.h"

#include <QStringList>

#include <cstdlib>

#include "core/db/query.h"

namespace wertalo::demo {

using namespace Qt::StringLiterals;

QString decimalText(text::Currency amount) {
  const qint64 value = amount.units;
  const quint64 magnitude = value < 0 ? 0ULL - static_cast<quint64>(value) : static_cast<quint64>(value);
  QString text = QString::number(magnitude / 10000) + u'.' + QString::number(magnitude % 10000).rightJustified(4, u'0');
  return value < 0 ? u'-' + text : text;
}

namespace {

void bind(db::Query& query, const QString& name, const Value& value) {
  if (const auto* i = std::get_if<qint64>(&value)) query.bindInt(name, *i);
  else if (const auto* s = std::get_if<QString>(&value)) query.bindText(name, *s);
  else if (const auto* d = std::get_if<QDate>(&value)) query.bindDate(name, *d);
  else if (const auto* t = std::get_if<QDateTime>(&value)) query.bindDateTime(name, *t);
  else if (const auto* c = std::get_if<text::Currency>(&value)) query.bindText(name, decimalText(*c));
  else query.bindNull(name);
}

}  // namespace

RowWriter::RowWriter(db::Connection& connection) : connection_(connection) {}
RowWriter::~RowWriter() = default;

void RowWriter::insert(const QString& table, const Fields& fields) {
  QString key = table;
  for (const Field& f : fields) key += u',' + f.column;
  auto it = statements_.find(key);
  if (it == statements_.end()) {
    QStringList columns;
    QStringList parameters;
    for (const Field& f : fields) {
      columns.append(f.column);
      parameters.append(u':' + f.column);
    }
    auto query = std::make_unique<db::Query>(connection_);
    query->setSql(u"INSERT INTO "_s + table + u" ("_s + columns.join(u", "_s) + u") VALUES ("_s +
                  parameters.join(u", "_s) + u')');
    it = statements_.emplace(key, std::move(query)).first;
  }
  // The same insert is prepared once and run with each row's values.
  db::Query& query = *it->second;
  query.clearBindings();
  for (const Field& f : fields) bind(query, f.column, f.value);
  query.execSql();
  ++rows_;
}

void Target::insert(const QString& name, Fields fields) const {
  if (isBudgetUnit()) fields.push_back({u"ID_JB"_s, Value{static_cast<qint64>(idJb)}});
  writer->insert(table(name), fields);
}

}  // namespace wertalo::demo
