// The extended information of a report (SprawozdanieRozwiniecie) and of a signature.
#include "core/catalogue/wertalo_main.h"
#include "core/db/data_set.h"
#include "core/db/query.h"
#include "core/package/paczka.h"
#include "core/package/xml_writer.h"

namespace wertalo::package {

namespace {

// The remark statements by report type: plain and "JB" text, and how the rows are written.
enum class Remarks { FirstRowText, ByKod, ByPosition };
struct RemarkStatement {
  const char* typspr;
  const char* plain;
  const char* jb;
  Remarks kind;
};

const RemarkStatement kRemarkStatements[] = {
    {"Z", "select * from Z2 where IDSPRAW=:IDSPRAW ", "select * from JBZ2 where IDSPRAW=:IDSPRAW ", Remarks::FirstRowText},
    {"ST", "select * from RBST where IDSPRAW=:IDSPRAW ", "select * from JBRBST where IDSPRAW=:IDSPRAW ", Remarks::FirstRowText},
    {"UN", "select * from UN where IDSPRAW=:IDSPRAW", "select * from JBUN where IDSPRAW=:IDSPRAW ", Remarks::ByKod},
    {"UZ", "select * from UZ where IDSPRAW=:IDSPRAW ", "select * from JBUZ where IDSPRAW=:IDSPRAW ", Remarks::ByKod},
    {"N", "select * from N21 where IDSPRAW=:IDSPRAW", "select * from JBN21 where IDSPRAW=:IDSPRAW ", Remarks::ByPosition},
    {"N", "select * from N21B where IDSPRAW=:IDSPRAW", "select * from JBN21B where IDSPRAW=:IDSPRAW ", Remarks::ByPosition},
};

db::DataSet openForReport(db::Connection& connection, const char* sql, qint64 idspraw) {
  db::Query query(connection);
  query.setSql(QString::fromLatin1(sql));
  query.bindInt(QStringLiteral("IDSPRAW"), idspraw);
  return query.open();
}

}  // namespace

void TXMLPaczkaSprawozdan::ElementSprawozdanieRozwiniecie(XmlElement& el) {
  const catalogue::SelectRow& row = currentRow();
  const bool jb = dtm_.RodzajEksportu == catalogue::rJB;
  XmlElement rozwiniecie(QStringLiteral("SprawozdanieRozwiniecie"));
  rozwiniecie.setAttribute(QStringLiteral("Sprawozdanie"), anchorText(row.sTypSprBestia, row.IDSPRAW));

  db::DataSet header = db::openSql(
      dtm_.DB, (jb ? QStringLiteral("SELECT * FROM JBSPRAWOZD WHERE IDSPRAW=") : QStringLiteral("SELECT * FROM SPRAWOZD WHERE IDSPRAW=")) +
                   QString::number(row.IDSPRAW));
  QString stamp, uwagi, datazak;
  if (!header.isEmpty()) {
    stamp = header.text(u"STAMP");
    uwagi = header.text(u"UWAGI");
    const QDate closed = header.date(u"DATAZAK");
    if (closed > db::zeroDate()) datazak = closed.toString(QStringLiteral("yyyy-MM-dd"));
  }
  XMLWstawPoleDoBestia(rozwiniecie, QStringLiteral("STAMP"), stamp);
  XMLWstawPoleDoBestia(rozwiniecie, QStringLiteral("UWAGI"), uwagi);
  XMLWstawPoleDoBestia(rozwiniecie, QStringLiteral("DATAZAK"), datazak);

  XmlElement* informacje = nullptr;
  for (const RemarkStatement& statement : kRemarkStatements) {
    if (row.TYPSPR != QLatin1String(statement.typspr)) continue;
    db::DataSet rows = openForReport(dtm_.DB, jb ? statement.jb : statement.plain, row.IDSPRAW);
    if (statement.kind == Remarks::FirstRowText) {
      XMLWstawPoleDoBestia(rozwiniecie, QStringLiteral("INFORMACJE_DODATKOWE"), rows.isEmpty() ? QString() : rows.text(u"UWAGI"));
      continue;
    }
    // Both statements of Rb-N feed one element.
    if (informacje == nullptr) informacje = &rozwiniecie.appendElement(QStringLiteral("INFORMACJE_DODATKOWE"));
    for (rows.first(); !rows.eof(); rows.next()) {
      const QString name = statement.kind == Remarks::ByKod ? rows.text(u"KOD") : QStringLiteral("ID_S_PRO") + rows.text(u"ID_S_SPRPO");
      informacje->appendDataElement(name).appendText(rows.text(u"UWAGI"));
    }
  }

  db::DataSet params = db::openSql(dtm_.DB, (jb ? QStringLiteral("SELECT * FROM JBSPRAWOZDPARAMS WHERE IDSPRAW=")
                                                : QStringLiteral("SELECT * FROM SPRAWOZDPARAMS WHERE IDSPRAW=")) +
                                                QString::number(row.IDSPRAW));
  for (params.first(); !params.eof(); params.next()) {
    rozwiniecie.appendDataElement(params.text(u"NAZWA")).appendText(params.text(u"WARTOSC"));
  }
  el.appendElement(std::move(rozwiniecie));
}

QString TXMLPaczkaSprawozdan::ElementSignatureRozwiniecie(const db::DataSet& ds) {
  return QStringLiteral("<SignatureRozwiniecie><Podpisujacy>") + escapeXmlText(ds.text(u"PODPISUJACY")) +
         QStringLiteral("</Podpisujacy><Rola>") + escapeXmlText(ds.text(u"ROLA")) +
         QStringLiteral("</Rola></SignatureRozwiniecie>");
}

}  // namespace wertalo::package
