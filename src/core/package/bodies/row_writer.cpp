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
    if (column.kind != tFloat || *column.column == '\0') continue;
    sum += std::fabs(rows.currency(QString::fromLatin1(column.column)).toDouble());
  }
  return sum;
}

// A date as year, month and day, month and day with two digits ("2014-03-05").
QString dateText(const QDate& date) {
  return QStringLiteral("%1-%2-%3")
      .arg(date.year())
      .arg(date.month(), 2, 10, QLatin1Char('0'))
      .arg(date.day(), 2, 10, QLatin1Char('0'));
}

}  // namespace

void writeColumns(XmlElement& pozycja, const db::DataSet* row, std::span<const ColumnEntry> columns, EmptyText emptyText) {
  for (const ColumnEntry& column : columns) {
    if (*column.column == '\0') continue;
    const QString element = QString::fromLatin1(column.element);
    const QString source = QString::fromLatin1(column.column);
    switch (column.kind) {
      case tString: {
        const QString text = row != nullptr ? row->text(source) : QString();
        if (!text.isEmpty() || emptyText == EmptyText::Write) XMLWstawPoleDoBestia(pozycja, element, text);
        break;
      }
      case tFloat:
        XMLWstawFloat(pozycja, element, row != nullptr ? row->currencyOrNull(source) : std::nullopt);
        break;
      case tInteger:
        XMLWstawPoleDoBestia(pozycja, element, QString::number(row != nullptr ? row->integer(source) : 0));
        break;
      case tDate: {
        const QDate date = row != nullptr ? row->date(source) : db::zeroDate();
        if (date.isValid() && date != db::zeroDate()) XMLWstawPoleDoBestia(pozycja, element, dateText(date));
        break;
      }
      case tMemo:
        break;
    }
  }
}

void writePositions(XmlElement& list, db::DataSet& rows, std::span<const ColumnEntry> columns, RowFilter filter,
                    EmptyText emptyText) {
  for (rows.first(); !rows.eof(); rows.next()) {
    if (filter == RowFilter::ParagraphRows && rows.text(u"PAR").size() != 3) continue;
    if (amountSum(rows, columns) == 0.0) continue;
    writeColumns(list.appendElement(QStringLiteral("Pozycja")), &rows, columns, emptyText);
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

XmlElement& writePosition(XmlElement& list, const QString& symbol, const db::DataSet& rows,
                          std::span<const ColumnEntry> columns, EmptyText emptyText) {
  XmlElement& pozycja = list.appendElement(QStringLiteral("Pozycja"));
  XMLWstawPoleDoBestia(pozycja, QStringLiteral("Symbol"), symbol);
  writeColumns(pozycja, &rows, columns, emptyText);
  return pozycja;
}

bool locateByFirstWord(db::DataSet& rows, const QString& symbol, FinalDot dot) {
  for (rows.first(); !rows.eof(); rows.next()) {
    const QString nazwa = rows.text(u"NAZWA");
    QString word = nazwa.left(nazwa.indexOf(QLatin1Char(' ')));
    if (dot == FinalDot::Drop && word.endsWith(QLatin1Char('.'))) word.chop(1);
    if (word == symbol) return true;
  }
  return false;
}

void writeFirstWordPositions(XmlElement& list, db::DataSet& rows, std::span<const char* const> symbols, FinalDot dot,
                             SymbolText written, std::span<const ColumnEntry> columns, EmptyText emptyText) {
  for (const char* listed : symbols) {
    const QString symbol = QString::fromLatin1(listed);
    if (!locateByFirstWord(rows, symbol, dot)) continue;
    writePosition(list, written == SymbolText::WithoutLastCharacter ? symbol.left(symbol.size() - 1) : symbol, rows, columns, emptyText);
  }
}

}  // namespace wertalo::package
