#include "core/package/report_context.h"

#include "core/db/connection.h"
#include "core/db/db_error.h"
#include "core/package/body_reads.h"

#include <algorithm>

namespace wertalo::package {

ReportContext::ReportContext(db::Connection& connection, catalogue::TRodzajEksportu kind, const catalogue::SelectRow& row,
                             bool selectionOpen, BodyReads* reads)
    : connection_(&connection), kind_(kind), row_(&row), selectionOpen_(selectionOpen), reads_(reads) {}

db::Query ReportContext::query(const QString& sql) const {
  db::Query query(*connection_);
  query.setSql(sql);
  query.bindInt(QStringLiteral("IDSPRAW"), row_->IDSPRAW);
  return query;
}

db::DataSet ReportContext::rows(const QString& sql) const { return query(sql).open(); }

db::DataSet ReportContext::tableRows(const QString& table) const {
  if (reads_ != nullptr) {
    if (std::optional<db::DataSet> read = reads_->rowsOf(table, row_->IDSPRAW)) return *read;
  }
  return rows(QStringLiteral("select * from %1 where IDSPRAW=:IDSPRAW").arg(table));
}

db::DataSet ReportContext::windowRows(const QString& selectWhere, const QString& rest) const {
  if (reads_ != nullptr) {
    if (std::optional<db::DataSet> read = reads_->rowsOf(selectWhere, rest, row_->IDSPRAW)) return *read;
  }
  return rows(selectWhere + QStringLiteral("IDSPRAW=:IDSPRAW ") + rest);
}

db::DataSet ReportContext::tableRows(const QString& table, std::initializer_list<FieldIs> where) const {
  const db::DataSet all = tableRows(table);
  struct Test {
    int field;
    const QString* text;
  };
  std::vector<Test> tests;
  for (const FieldIs& condition : where) {
    const QString field = QString::fromLatin1(condition.field);
    const int index = all.fieldIndex(field);
    if (index < 0) throw db::DbError(QStringLiteral("Tabela %1 nie ma pola %2").arg(table, field));
    tests.push_back({index, &condition.text});
  }
  const db::Dialect& dialect = connection_->dialect();
  std::vector<int> picked;
  const std::vector<db::DataSet::Row>& rows = all.rows();
  for (size_t r = 0; r < rows.size(); ++r) {
    const bool matches = std::all_of(tests.begin(), tests.end(), [&](const Test& test) {
      return dialect.textEquals(rows[r][static_cast<size_t>(test.field)], *test.text);
    });
    if (matches) picked.push_back(static_cast<int>(r));
  }
  return all.subset(picked);
}

XmlElement& ReportContext::reportElement(XmlFragment& fragment, const QString& symbol, QString* id) const {
  const QString anchor = anchorText(symbol, row_->IDSPRAW);
  if (id != nullptr) *id = anchor;
  XmlElement& report = fragment.appendElement(symbol);
  report.setAttribute(QStringLiteral("Id"), anchor.mid(1));
  return report;
}

QString anchorText(const QString& symbol, qint64 idspraw) { return QLatin1Char('#') + symbol + QString::number(idspraw); }

}  // namespace wertalo::package
