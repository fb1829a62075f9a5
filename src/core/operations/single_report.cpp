// One report's element for a host program: the installation opened for the one call, the
// report's selection row, the body of its symbol, the element written compact.
#include "core/operations/single_report.h"

#include "core/catalogue/wertalo_main.h"
#include "core/db/query.h"
#include "core/package/bodies/body.h"
#include "core/package/registry.h"
#include "core/package/xml_writer.h"
#include "core/platform/paths.h"

namespace wertalo::operations {

using catalogue::SelectRow;

namespace {

// The Besti@ symbol a host call gives a report type: the selection's symbol, except that RB34
// is always "Rb-34s" (a host call does not look at the plan row's VAL1 for it).
QString hostSymbolOf(const package::ReportRegistry& registry, const QString& typspr) {
  if (typspr == QLatin1String("RB34")) return QStringLiteral("Rb-34s");
  return registry.symbolOf(typspr);
}

// The kind of task an Rb-50 part is written for: a municipality with county rights ("M")
// reports its county tasks to a host (the wizard writes both), any other unit none.
package::TRodzajZad hostTask(catalogue::TdtmWertaloMain& dtm) {
  dtm.openUnit();
  return dtm.memMain().TYP == QLatin1String("M") ? package::tPowiatowa : package::tBrak;
}

}  // namespace

void CalculatedSprMemo(db::Connection& db, const package::ReportRegistry& registry, SelectRow& row, bool bJST) {
  // The report's own plan row: of its unit (and budget unit), year and period, as the selection
  // reads it, so that a report is never labelled with another unit's or year's classification.
  const QString sql = bJST ? QStringLiteral(
                                 "select x.* from SPRAWPLAN x, SPRAWOZD s where x.PODTYP=s.PODTYP and x.ID_JST=s.ID_JST "
                                 "and x.ROK=s.ROK and x.KWARTAL=s.OKRES and x.OKRES2=s.OKRES2 and s.IDSPRAW=:IDSPRAW")
                           : QStringLiteral(
                                 "select x.* from JBSPRAWPLAN x, JBSPRAWOZD s where x.PODTYP=s.PODTYP and x.ID_JST=s.ID_JST "
                                 "and x.ID_JB=s.ID_JB and x.ROK=s.ROK and x.KWARTAL=s.OKRES and x.OKRES2=s.OKRES2 "
                                 "and s.IDSPRAW=:IDSPRAW");
  db::Query query(db);
  query.setSql(sql);
  query.bindInt(QStringLiteral("IDSPRAW"), row.IDSPRAW);
  db::DataSet plan = query.open();
  if (plan.locate(QStringLiteral("PODTYP"), row.PODTYP)) {
    row.sCzesc = plan.text(u"VAL1");
    row.sDzial = plan.text(u"DZIAL");
    row.sRozdzial = plan.text(u"ROZDZIAL");
  }
  row.sTypSprBestia = hostSymbolOf(registry, row.TYPSPR);
}

SelectRow hostSelectionRow(db::Connection& db, const package::ReportRegistry& registry, qint64 idspraw, bool bJST) {
  const QString table = bJST ? QStringLiteral("SPRAWAKT") : QStringLiteral("JBSPRAWAKT");
  db::Query query(db);
  query.setSql(QStringLiteral("select * from %1 where IDSPRAW=:IDSPRAW").arg(table));
  query.bindInt(QStringLiteral("IDSPRAW"), idspraw);
  const db::DataSet report = query.open();
  SelectRow row;
  row.SELEKCJA = true;
  if (!report.isEmpty()) {
    row.ROK = report.text(u"ROK");
    row.TYPSPR = report.text(u"TYPSPR");
    row.IDSPRAW = report.integer(u"IDSPRAW");
    row.Data = report.isNull(u"DAT_SKW") ? QDate() : report.date(u"DAT_SKW");
    row.Wersja = static_cast<int>(report.integer(u"WERSJA"));
    row.CZAST = static_cast<int>(report.integer(u"CZAST"));
    row.PODTYP = static_cast<int>(report.integer(u"PODTYP"));
  }
  CalculatedSprMemo(db, registry, row, bJST);
  return row;
}

SingleReport exportSingleReport(const SingleReportRequest& request, platform::UserInterface& ui) {
  const package::ReportRegistry& registry = package::ReportRegistry::instance();
  const QString winIni = request.winIni.isEmpty() ? platform::winIniPath() : request.winIni;
  // Only the connection: a report's body needs no catalogue list.
  catalogue::TdtmWertaloMain dtm(ui, winIni, registry);
  dtm.ConnectTervik();
  dtm.setRodzajEksportu(request.bJST ? catalogue::rJST : catalogue::rJB);

  catalogue::SelectTable& selection = dtm.memSelectSpraw();
  selection.clear();
  selection.append(hostSelectionRow(dtm.DB(), registry, request.idspraw, request.bJST));
  selection.first();
  const SelectRow& row = selection.current();

  SingleReport result;
  result.symbol = row.sTypSprBestia + request.typ;
  const package::ReportFamily* family = registry.bySymbol(result.symbol);
  // A symbol without a body (an unknown report, Rb-50 without its part) builds nothing.
  if (family == nullptr || !family->body.isWritten()) return result;
  const package::TRodzajZad task = family->body.takesTask() ? hostTask(dtm) : package::tBrak;
  const package::ReportContext report(dtm.DB(), dtm.RodzajEksportu(), row);
  const package::XmlFragment fragment = package::buildBody(family->body, result.symbol, report, task, &result.anchor);
  result.xml = package::writeXmlCompact(fragment);
  return result;
}

}  // namespace wertalo::operations
