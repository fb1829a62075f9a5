#include "table_dump.h"

#include <QRegularExpression>

#include "core/db/connection.h"
#include "core/db/data_set.h"
#include "core/db/query.h"
#include "core/db/schema.h"
#include "core/demo/demo_rows.h"

namespace wertalo::test {

using namespace Qt::StringLiterals;

QMap<QString, QList<SchemaColumn>> schemaColumns() {
  static const QRegularExpression table(u"^\\s*CREATE\\s+TABLE\\s+(\\w+)\\s*\\((.*)\\)\\s*$"_s,
                                        QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression column(
      u"(\\w+)\\s+(VARCHAR\\(\\d+\\)|INTEGER|DATE|TIMESTAMP|NUMERIC\\(\\d+,\\d+\\)|BLOB SUB_TYPE TEXT)"_s);
  QMap<QString, QList<SchemaColumn>> result;
  for (const QString& statement : db::splitScript(db::schemaSql())) {
    const QRegularExpressionMatch t = table.match(statement);
    if (!t.hasMatch()) continue;
    QList<SchemaColumn> columns;
    auto it = column.globalMatch(t.captured(2));
    while (it.hasNext()) {
      const QRegularExpressionMatch c = it.next();
      const QString type = c.captured(2);
      ColumnKind kind = ColumnKind::Text;
      if (type == u"INTEGER"_s) kind = ColumnKind::Integer;
      else if (type == u"DATE"_s) kind = ColumnKind::Date;
      else if (type == u"TIMESTAMP"_s) kind = ColumnKind::Timestamp;
      else if (type.startsWith(u"NUMERIC"_s)) kind = ColumnKind::Amount;
      columns.append({c.captured(1), kind});
    }
    result.insert(t.captured(1), columns);
  }
  return result;
}

namespace {

QString normalised(db::DataSet& rows, const SchemaColumn& c) {
  if (rows.isNull(c.name)) return u"∅"_s;
  switch (c.kind) {
    case ColumnKind::Integer: return QString::number(rows.integer(c.name));
    case ColumnKind::Amount: return demo::decimalText(rows.currency(c.name));
    case ColumnKind::Date: return rows.date(c.name).toString(u"yyyy-MM-dd"_s);
    case ColumnKind::Timestamp: return rows.dateTime(c.name).toString(u"yyyy-MM-dd HH:mm:ss"_s);
    case ColumnKind::Text: return rows.text(c.name);
  }
  return QString();
}

}  // namespace

QStringList dumpTable(db::Connection& connection, const QString& table) {
  const QList<SchemaColumn> columns = schemaColumns().value(table);
  db::DataSet rows = db::openSql(connection, u"select * from "_s + table);
  QStringList lines;
  for (rows.first(); !rows.eof(); rows.next()) {
    QStringList values = {table};
    for (const SchemaColumn& c : columns) values.append(normalised(rows, c));
    lines.append(values.join(u'|'));
  }
  lines.sort();
  return lines;
}

QStringList dumpDatabase(db::Connection& connection) {
  QStringList lines;
  for (const QString& table : db::schemaTableNames()) lines += dumpTable(connection, table);
  return lines;
}

}  // namespace wertalo::test
