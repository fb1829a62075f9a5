#include "core/package/bodies/body.h"

#include "core/package/headers.h"

namespace wertalo::package {

XmlFragment buildBody(const Body& body, const QString& symbol, const ReportContext& report, TRodzajZad task, QString* id) {
  if (body.table != nullptr) return tableReport(*body.table, symbol, report, id);
  if (body.build != nullptr) return body.build(report, id);
  if (body.buildTask != nullptr) return body.buildTask(report, task, id);
  return {};
}

XmlFragment tableReport(const TableBody& body, const QString& symbol, const ReportContext& report, QString* id) {
  const catalogue::SelectRow& row = report.row();
  XmlFragment fragment;
  XmlElement& element = report.reportElement(fragment, symbol, id);
  element.append(ElementNaglowek(report, row.Wersja, row.Data));
  XmlElement& pozycje = element.appendElement(QStringLiteral("Pozycje"));
  db::DataSet rows = report.rows(QStringLiteral("select * from %1 where IDSPRAW=:IDSPRAW").arg(report.table(QString::fromLatin1(body.table))));
  writePositions(pozycje, rows, body.columns, body.filter, body.emptyText);
  return fragment;
}

}  // namespace wertalo::package
