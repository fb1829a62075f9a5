// The extended information of a report (SprawozdanieRozwiniecie) and of a signature.
#include "core/catalogue/wertalo_main.h"
#include "core/db/data_set.h"
#include "core/db/query.h"
#include "core/package/paczka.h"
#include "core/package/value_rules.h"
#include "core/package/xml_writer.h"

namespace wertalo::package {

namespace {

db::DataSet openForReport(db::Connection& connection, const QString& sql, qint64 idspraw) {
  db::Query query(connection);
  query.setSql(sql);
  query.bindInt(QStringLiteral("IDSPRAW"), idspraw);
  return query.open();
}

}  // namespace

db::DataSet TXMLPaczkaSprawozdan::reportTableRows(const char* plainTable, qint64 idspraw) {
  // In a run every report's header and parameters were read at once.
  if (runDepth_ > 0) {
    const ReportReads& reads = reportReads();
    return qstrcmp(plainTable, "SPRAWOZD") == 0 ? reads.headers.rowsOf(idspraw) : reads.parameters.rowsOf(idspraw);
  }
  return openForReport(dtm_.DB(),
                       QStringLiteral("SELECT * FROM %1 WHERE IDSPRAW=:IDSPRAW")
                           .arg(catalogue::tableFor(dtm_.RodzajEksportu(), QString::fromLatin1(plainTable))),
                       idspraw);
}

void TXMLPaczkaSprawozdan::ElementSprawozdanieRozwiniecie(XmlElement& el) {
  const catalogue::SelectRow& row = currentRow();
  const catalogue::TRodzajEksportu kind = dtm_.RodzajEksportu();
  XmlElement rozwiniecie(QStringLiteral("SprawozdanieRozwiniecie"));
  rozwiniecie.setAttribute(QStringLiteral("Sprawozdanie"), anchorText(row.sTypSprBestia, row.IDSPRAW));

  const db::DataSet header = reportTableRows("SPRAWOZD", row.IDSPRAW);
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

  const ReportFamily* family = registry_.byType(row.TYPSPR);
  const Remarks remarks = family != nullptr ? family->remarks : Remarks{};
  XmlElement* informacje = nullptr;
  for (const char* table : remarks.tables) {
    if (table == nullptr) continue;
    db::DataSet rows = currentReport().tableRows(catalogue::tableFor(kind, QString::fromLatin1(table)));
    if (remarks.rows == RemarkRows::FirstRowText) {
      XMLWstawPoleDoBestia(rozwiniecie, QStringLiteral("INFORMACJE_DODATKOWE"), rows.isEmpty() ? QString() : rows.text(u"UWAGI"));
      continue;
    }
    // Both statements of Rb-N feed one element.
    if (informacje == nullptr) informacje = &rozwiniecie.appendElement(QStringLiteral("INFORMACJE_DODATKOWE"));
    for (rows.first(); !rows.eof(); rows.next()) {
      const QString name = remarks.rows == RemarkRows::ByKod ? rows.text(u"KOD") : QStringLiteral("ID_S_PRO") + rows.text(u"ID_S_SPRPO");
      informacje->appendDataElement(name).appendText(rows.text(u"UWAGI"));
    }
  }

  db::DataSet params = reportTableRows("SPRAWOZDPARAMS", row.IDSPRAW);
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
