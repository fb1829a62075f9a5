#include "core/package/bodies/body.h"

#include "core/db/db_error.h"
#include "core/package/headers.h"
#include "core/package/package_error.h"

namespace wertalo::package {

XmlFragment buildBody(const Body& body, const QString& symbol, const ReportContext& report, TRodzajZad task, QString* id) {
  try {
    if (body.table != nullptr) return tableReport(*body.table, symbol, report, id);
    if (body.build != nullptr) return body.build(report, id);
    if (body.buildTask != nullptr) return body.buildTask(report, task, id);
    return {};
  } catch (const db::DbError& e) {
    // The user learns which report the database could not give.
    throw e.withLead(reportErrorLead(symbol, report.row().IDSPRAW));
  }
}

XmlFragment buildReportElements(const Body& body, const QString& symbol, const ReportContext& report, const QString& typJst) {
  // A municipality with county rights reports the municipal and the county tasks apart.
  if (!body.takesTask() || typJst != QLatin1String("M")) return buildBody(body, symbol, report, tBrak, nullptr);
  XmlFragment fragment;
  for (TRodzajZad task : {tGminna, tPowiatowa}) fragment.append(buildBody(body, symbol, report, task, nullptr));
  return fragment;
}

XmlFragment tableReport(const TableBody& body, const QString& symbol, const ReportContext& report, QString* id) {
  XmlFragment fragment;
  XmlElement& pozycje = reportWithHeader(fragment, symbol, report, id).appendElement(QStringLiteral("Pozycje"));
  db::DataSet rows = reportRows(report, report.table(QString::fromLatin1(body.table)));
  writePositions(pozycje, rows, body.columns, body.filter, body.emptyText);
  return fragment;
}

XmlElement& reportWithHeader(XmlFragment& fragment, const QString& symbol, const ReportContext& report, QString* id) {
  XmlElement& element = report.reportElement(fragment, symbol, id);
  element.append(ElementNaglowek(report, report.row().Wersja, report.row().Data));
  return element;
}

db::DataSet reportRows(const ReportContext& report, const QString& table) { return report.tableRows(table); }

}  // namespace wertalo::package
