#include "core/package/report_context.h"

namespace wertalo::package {

ReportContext::ReportContext(db::Connection& connection, catalogue::TRodzajEksportu kind, const catalogue::SelectRow& row,
                             bool selectionOpen)
    : connection_(&connection), kind_(kind), row_(&row), selectionOpen_(selectionOpen) {}

db::Query ReportContext::query(const QString& sql) const {
  db::Query query(*connection_);
  query.setSql(sql);
  query.bindInt(QStringLiteral("IDSPRAW"), row_->IDSPRAW);
  return query;
}

db::DataSet ReportContext::rows(const QString& sql) const { return query(sql).open(); }

XmlElement& ReportContext::reportElement(XmlFragment& fragment, const QString& symbol, QString* id) const {
  const QString anchor = anchorText(symbol, row_->IDSPRAW);
  if (id != nullptr) *id = anchor;
  XmlElement& report = fragment.appendElement(symbol);
  report.setAttribute(QStringLiteral("Id"), anchor.mid(1));
  return report;
}

QString anchorText(const QString& symbol, qint64 idspraw) { return QLatin1Char('#') + symbol + QString::number(idspraw); }

}  // namespace wertalo::package
