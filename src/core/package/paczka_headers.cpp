// The report headers (Naglowek in its five forms) and the report anchors.
#include "core/catalogue/wertalo_main.h"
#include "core/package/paczka.h"

namespace wertalo::package {

namespace {

// Naglowek with Wersja and DataSprawozdania; the caller adds the rest.
XmlElement& headerStart(XmlFragment& fragment, int Wersja, const QDate& DataSpr) {
  XmlElement& naglowek = fragment.appendElement(QStringLiteral("Naglowek"));
  TXMLPaczkaSprawozdan::XMLWstawPoleDoBestia(naglowek, QStringLiteral("Wersja"), QString::number(Wersja));
  TXMLPaczkaSprawozdan::XMLWstawPoleDoBestia(naglowek, QStringLiteral("DataSprawozdania"),
                                             DataSpr.toString(QStringLiteral("yyyy-MM-dd")));
  return naglowek;
}

}  // namespace

XmlFragment TXMLPaczkaSprawozdan::ElementNaglowek(int Wersja, const QDate& DataSpr) const {
  XmlFragment fragment;
  XmlElement& naglowek = headerStart(fragment, Wersja, DataSpr);
  const catalogue::SelectTable& selection = dtm_.memSelectSpraw;
  if (selection.isOpen() && !selection.eof() && selection.current().CZAST > 0) {
    XMLWstawPoleDoBestia(naglowek, QStringLiteral("CZAST"), QString::number(selection.current().CZAST));
  }
  return fragment;
}

XmlFragment TXMLPaczkaSprawozdan::ElementNaglowekRB50(int Wersja, const QString& sDysponent, const QString& sRodzajZad,
                                                      const QDate& DataSpr) const {
  XmlFragment fragment;
  XmlElement& naglowek = headerStart(fragment, Wersja, DataSpr);
  XMLWstawPoleDoBestia(naglowek, QStringLiteral("DysponentDotacji"), sDysponent);
  if (!sRodzajZad.isEmpty()) XMLWstawPoleDoBestia(naglowek, QStringLiteral("RodzajZadania"), sRodzajZad);
  return fragment;
}

XmlFragment TXMLPaczkaSprawozdan::ElementNaglowekRBZN(int Wersja, const QString& sDysponent, const QDate& DataSpr) const {
  XmlFragment fragment;
  XmlElement& naglowek = headerStart(fragment, Wersja, DataSpr);
  XMLWstawPoleDoBestia(naglowek, QStringLiteral("DysponentDotacji"), sDysponent);
  return fragment;
}

XmlFragment TXMLPaczkaSprawozdan::ElementNaglowekRB27ZZ(int Wersja, const QString& sDysponent, const QDate& DataSpr) const {
  return ElementNaglowekRBZN(Wersja, sDysponent, DataSpr);
}

XmlFragment TXMLPaczkaSprawozdan::ElementNaglowekRB3X(int Wersja, const QString& sSymbol, const QString& sDzial,
                                                      const QString& sRozdzial, bool bRB34s, const QDate& DataSpr) const {
  XmlFragment fragment;
  XmlElement& naglowek = headerStart(fragment, Wersja, DataSpr);
  if (!bRB34s) {
    XMLWstawPoleDoBestia(naglowek, QStringLiteral("SymbolPozabudzetowy"), sSymbol.isEmpty() ? QStringLiteral("500") : sSymbol);
    XMLWstawPoleDoBestia(naglowek, QStringLiteral("Dzial"), sDzial);
    XMLWstawPoleDoBestia(naglowek, QStringLiteral("Rozdzial"), sRozdzial);
  }
  return fragment;
}

QString TXMLPaczkaSprawozdan::anchorText(const QString& symbol, qint64 idspraw) {
  return QLatin1Char('#') + symbol + QString::number(idspraw);
}

XmlElement& TXMLPaczkaSprawozdan::reportElement(XmlFragment& fragment, const QString& symbol, QString* id) const {
  const QString anchor = anchorText(symbol, currentRow().IDSPRAW);
  if (id != nullptr) *id = anchor;
  XmlElement& report = fragment.appendElement(symbol);
  report.setAttribute(QStringLiteral("Id"), anchor.mid(1));
  return report;
}

}  // namespace wertalo::package
