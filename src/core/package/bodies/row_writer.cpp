#include "core/package/bodies/row_writer.h"

#include <cmath>

#include "core/db/data_set.h"
#include "core/db/db_error.h"
#include "core/package/value_rules.h"
#include "core/package/xml_node.h"

namespace wertalo::package {

namespace {

// The sum of the absolute values of the row's amount columns (Null counts as 0).
double amountSum(const db::DataSet& rows, std::span<const ColumnEntry> columns) {
  double sum = 0.0;
  for (const ColumnEntry& column : columns) {
    if (column.kind != tFloat) continue;
    sum += std::fabs(rows.currency(QString::fromLatin1(column.column)).toDouble());
  }
  return sum;
}

}  // namespace

void writePositions(XmlElement& list, db::DataSet& rows, std::span<const ColumnEntry> columns, RowFilter filter,
                    EmptyText emptyText) {
  for (rows.first(); !rows.eof(); rows.next()) {
    if (filter == RowFilter::ParagraphRows && rows.text(u"PAR").size() != 3) continue;
    if (amountSum(rows, columns) == 0.0) continue;
    XmlElement& pozycja = list.appendElement(QStringLiteral("Pozycja"));
    for (const ColumnEntry& column : columns) {
      const QString element = QString::fromLatin1(column.element);
      const QString source = QString::fromLatin1(column.column);
      switch (column.kind) {
        case tString: {
          const QString text = rows.text(source);
          if (!text.isEmpty() || emptyText == EmptyText::Write) XMLWstawPoleDoBestia(pozycja, element, text);
          break;
        }
        case tFloat:
          XMLWstawFloat(pozycja, element, rows.currencyOrNull(source));
          break;
        case tInteger:
        case tDate:
        case tMemo:
          break;
      }
    }
  }
}

void writeEntries(XmlElement& pozycja, const db::DataSet& rows, std::span<const ColumnEntry> columns, const char* emptyColumn) {
  for (const ColumnEntry& column : columns) {
    const QString source = QString::fromLatin1(column.column);
    if (!rows.hasField(source)) throw db::DbError(QStringLiteral("Pole '%1' nie istnieje").arg(source));
    const QString element = QString::fromLatin1(column.element);
    if (emptyColumn != nullptr && qstrcmp(column.column, emptyColumn) == 0) {
      XMLWstawZnacznik(pozycja, element);
    } else {
      WstawPozycjeDoBestia(pozycja, element, column.kind, rows.eof() ? QVariant() : rows.value(source));
    }
  }
}

void writeRows(XmlElement& list, db::DataSet& rows, std::span<const ColumnEntry> columns) {
  for (rows.first(); !rows.eof(); rows.next()) writeEntries(list.appendElement(QStringLiteral("Pozycja")), rows, columns);
}

}  // namespace wertalo::package
