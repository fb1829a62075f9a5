// Bodies of Rb-27s, Rb-28s, Rb-28nws (one table each) and Rb-27ZZ (positions and receivables).
#include "core/catalogue/wertalo_main.h"
#include "core/db/query.h"
#include "core/package/bodies/column_tables.h"
#include "core/package/bodies/row_writer.h"
#include "core/package/paczka.h"

namespace wertalo::package {

// A report of one table: its symbol, its statements (unit itself, budget unit), its columns.
struct TXMLPaczkaSprawozdan::SingleTableBody {
  const char* symbol;
  const char* sqlJst;
  const char* sqlJb;
  std::span<const ColumnEntry> columns;
};

namespace {

using Body = TXMLPaczkaSprawozdan;

// The report's rows: the statement with IDSPRAW bound to the current report.
db::DataSet reportRows(db::Connection& connection, const QString& sql, qint64 idspraw) {
  db::Query query(connection);
  query.setSql(sql);
  query.bindInt(QStringLiteral("IDSPRAW"), idspraw);
  return query.open();
}

}  // namespace

XmlFragment TXMLPaczkaSprawozdan::singleTableReport(const SingleTableBody& body, QString* id) {
  const catalogue::SelectRow& row = currentRow();
  XmlFragment fragment;
  XmlElement& report = reportElement(fragment, QString::fromLatin1(body.symbol), id);
  report.append(ElementNaglowek(row.Wersja, row.Data));
  XmlElement pozycje(QStringLiteral("Pozycje"));
  const bool jb = dtm_.RodzajEksportu == catalogue::rJB;
  db::DataSet rows = reportRows(dtm_.DB, QString::fromLatin1(jb ? body.sqlJb : body.sqlJst), row.IDSPRAW);
  writePositions(pozycje, rows, body.columns, RowFilter::ParagraphRows, EmptyText::Omit);
  report.appendElement(std::move(pozycje));
  return fragment;
}

XmlFragment TXMLPaczkaSprawozdan::R27S(QString* id) {
  static const SingleTableBody body{"Rb-27s", "select * from D2 where IDSPRAW=:IDSPRAW ",
                                    "select * from JBD2 where IDSPRAW=:IDSPRAW  ", tablRb27S};
  return singleTableReport(body, id);
}

XmlFragment TXMLPaczkaSprawozdan::R28S(QString* id) {
  static const SingleTableBody body{"Rb-28s", "select * from W2 where IDSPRAW=:IDSPRAW ",
                                    "select * from JBW2 where IDSPRAW=:IDSPRAW ", tabRb28S};
  return singleTableReport(body, id);
}

XmlFragment TXMLPaczkaSprawozdan::R28NWS(QString* id) {
  static const SingleTableBody body{"Rb-28nws", "select * from NWS where IDSPRAW=:IDSPRAW ",
                                    "select * from JBNWS where IDSPRAW=:IDSPRAW ", tabRb28NWS};
  return singleTableReport(body, id);
}

XmlFragment TXMLPaczkaSprawozdan::R27ZZ(QString* id) {
  const catalogue::SelectRow& row = currentRow();
  const bool jb = dtm_.RodzajEksportu == catalogue::rJB;
  XmlFragment fragment;
  XmlElement& report = reportElement(fragment, QStringLiteral("Rb-27ZZ"), id);

  // The part number of the budget (VAL1) comes from the plan row of the report's sub-type.
  const db::DataSet plan = reportRows(
      dtm_.DB,
      jb ? QStringLiteral("select * from jbSPRAWPLAN x, jbSPRAWOZD s where x.podtyp=s.podtyp and  IDSPRAW=:IDSPRAW  ")
         : QStringLiteral("select * from SPRAWPLAN x, SPRAWOZD s where x.podtyp=s.podtyp and  IDSPRAW=:IDSPRAW  "),
      row.IDSPRAW);
  report.append(ElementNaglowekRB27ZZ(row.Wersja, plan.isEmpty() ? QString() : plan.text(u"VAL1"), row.Data));

  // WstawPozycje: the positions, every text written also when empty.
  XmlElement& pozycje = report.appendElement(QStringLiteral("Pozycje"));
  db::DataSet positions = reportRows(
      dtm_.DB,
      jb ? QStringLiteral("select * from JBRBZZ where IDSPRAW=:IDSPRAW and STATUS='0' ")
         : QStringLiteral("select * from RBZZ where IDSPRAW=:IDSPRAW and STATUS='0' "),
      row.IDSPRAW);
  writePositions(pozycje, positions, tabRb27ZZ_Halvo, RowFilter::ParagraphRows, EmptyText::Write);

  // WstawPozycjeAB: receivables A and B, summed by chapter.
  struct Receivables {
    const char* element;
    const char* sqlJst;
    const char* sqlJb;
  };
  static const Receivables kReceivables[] = {
      {"NaleznosciA",
       "select ROZDZIAL , Sum(R2) as R2,Sum(R5) as R5,Sum(R6) as R6 from RBZZDU where IDSPRAW=:IDSPRAW  and DU='A' and "
       "STATUS='0' group by ROZDZIAL",
       "select ROZDZIAL , Sum(R2) as R2,Sum(R5) as R5,Sum(R6) as R6 from JBRBZZDU where IDSPRAW=:IDSPRAW  and DU='A' and "
       "STATUS='0' group by ROZDZIAL"},
      {"NaleznosciB",
       "select ROZDZIAL ,Sum(R2) as R2,Sum(R5) as R5,Sum(R6) as R6 from RBZZDU where IDSPRAW=:IDSPRAW and DU='B' and "
       "STATUS='0' group by ROZDZIAL",
       "select ROZDZIAL ,Sum(R2) as R2,Sum(R5) as R5,Sum(R6) as R6 from JBRBZZDU where IDSPRAW=:IDSPRAW and DU='B' and "
       "STATUS='0' group by ROZDZIAL"},
  };
  for (const Receivables& receivables : kReceivables) {
    XmlElement& list = report.appendElement(QString::fromLatin1(receivables.element));
    db::DataSet sums = reportRows(dtm_.DB, QString::fromLatin1(jb ? receivables.sqlJb : receivables.sqlJst), row.IDSPRAW);
    writePositions(list, sums, tabRb27ZZ_HalvoAB, RowFilter::AmountRows, EmptyText::Write);
  }
  return fragment;
}

}  // namespace wertalo::package
