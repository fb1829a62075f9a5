// Bodies of Rb-27s, Rb-28s, Rb-28nws (one table each) and Rb-27ZZ (positions and receivables).
#include "core/package/bodies/rb27_28.h"

#include "core/package/bodies/column_tables.h"
#include "core/package/headers.h"

namespace wertalo::package {

const TableBody R27S{"D2", tablRb27S, RowFilter::ParagraphRows, EmptyText::Omit};
const TableBody R28S{"W2", tabRb28S, RowFilter::ParagraphRows, EmptyText::Omit};
const TableBody R28NWS{"NWS", tabRb28NWS, RowFilter::ParagraphRows, EmptyText::Omit};

XmlFragment R27ZZ(const ReportContext& report, QString* id) {
  const catalogue::SelectRow& row = report.row();
  XmlFragment fragment;
  XmlElement& element = report.reportElement(fragment, QStringLiteral("Rb-27ZZ"), id);

  // The part number of the budget (VAL1) comes from the first plan row of the report's sub-type.
  const db::DataSet plan = report.windowRows(QStringLiteral("select s.IDSPRAW, x.VAL1 from %1 x, %2 s where x.podtyp=s.podtyp and s.")
                                                 .arg(report.table(QStringLiteral("SPRAWPLAN")), report.table(QStringLiteral("SPRAWOZD"))),
                                             QString());
  element.append(ElementNaglowekRB27ZZ(row.Wersja, plan.isEmpty() ? QString() : plan.text(u"VAL1"), row.Data));

  // The positions, every text written also when empty.
  XmlElement& pozycje = element.appendElement(QStringLiteral("Pozycje"));
  db::DataSet positions = report.tableRows(report.table(QStringLiteral("RBZZ")), {{"STATUS", QStringLiteral("0")}});
  writePositions(pozycje, positions, tabRb27ZZ_Halvo, RowFilter::ParagraphRows, EmptyText::Write);

  // Receivables A and B, summed by chapter.
  struct Receivables {
    const char* element;
    const char* du;
  };
  static const Receivables kReceivables[] = {{"NaleznosciA", "A"}, {"NaleznosciB", "B"}};
  for (const Receivables& receivables : kReceivables) {
    XmlElement& list = element.appendElement(QString::fromLatin1(receivables.element));
    db::DataSet sums = report.windowRows(
        QStringLiteral("select IDSPRAW, ROZDZIAL, Sum(R2) as R2, Sum(R5) as R5, Sum(R6) as R6 from %1 where DU='%2' and STATUS='0' and ")
            .arg(report.table(QStringLiteral("RBZZDU")), QString::fromLatin1(receivables.du)),
        QStringLiteral("group by IDSPRAW, ROZDZIAL order by IDSPRAW, ROZDZIAL"));
    writePositions(list, sums, tabRb27ZZ_HalvoAB, RowFilter::AmountRows, EmptyText::Write);
  }
  return fragment;
}

}  // namespace wertalo::package
