#include "core/package/bodies/position_lists.h"

#include "core/db/data_set.h"
#include "core/package/value_rules.h"
#include "core/package/xml_node.h"

namespace wertalo::package {

namespace {

// A Pozycja that starts with its Symbol; a null symbol gives an empty Symbol element.
XmlElement& positionWithSymbol(XmlElement& list, const char* symbol) {
  XmlElement& pozycja = list.appendElement(QStringLiteral("Pozycja"));
  if (symbol == nullptr) XMLWstawZnacznik(pozycja, QStringLiteral("Symbol"));
  else XMLWstawPoleDoBestia(pozycja, QStringLiteral("Symbol"), QString::fromLatin1(symbol));
  return pozycja;
}

bool locateCode(db::DataSet& rows, const char* code) { return rows.locate(QStringLiteral("KOD"), QString::fromLatin1(code)); }

}  // namespace

const db::DataSet* firstRow(db::DataSet& rows) {
  rows.first();
  return rows.isEmpty() ? nullptr : &rows;
}

void writeSymbolPositions(XmlElement& list, const db::DataSet* row, const SymbolList& positions, EmptyText emptyText) {
  for (std::size_t i = 0; i < positions.symbols.size(); ++i)
    writeColumns(positionWithSymbol(list, positions.symbols[i]), row, positions.columnsOf(i), emptyText);
}

void writeFixedLists(XmlElement& report, const db::DataSet* row, std::span<const FixedList> lists, EmptyText emptyText) {
  for (const FixedList& list : lists)
    writeSymbolPositions(report.appendElement(QString::fromLatin1(list.element)), row, list.positions, emptyText);
}

bool ZnajdzSymbol(db::DataSet& rows, const QString& symbol) { return locateByFirstWord(rows, symbol, FinalDot::Drop); }

void writeNamedPositions(XmlElement& list, db::DataSet& rows, const SymbolList& positions, EmptyText emptyText) {
  for (std::size_t i = 0; i < positions.symbols.size(); ++i) {
    const char* symbol = positions.symbols[i];
    if (!ZnajdzSymbol(rows, QString::fromLatin1(symbol))) continue;
    writeColumns(positionWithSymbol(list, symbol), &rows, positions.columnsOf(i), emptyText);
  }
}

void writeCodeAmounts(XmlElement& pozycja, db::DataSet& rows, std::span<const CodeElement> codes, const char* column) {
  for (const CodeElement& code : codes) {
    if (!locateCode(rows, code.code)) continue;
    XMLWstawFloat(pozycja, QString::fromLatin1(code.element), rows.currencyOrNull(QString::fromLatin1(column)));
  }
}

void writeCodePositions(XmlElement& list, db::DataSet& rows, std::span<const CodeSymbol> codes,
                        std::span<const ColumnEntry> columns) {
  for (const CodeSymbol& code : codes) {
    XmlElement& pozycja = positionWithSymbol(list, code.symbol);
    if (locateCode(rows, code.code)) writeColumns(pozycja, &rows, columns, EmptyText::Omit);
  }
}

}  // namespace wertalo::package
