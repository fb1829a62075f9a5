// The report headers (Naglowek in its five forms).
#include "core/package/headers.h"

#include "core/db/data_set.h"
#include "core/package/value_rules.h"

namespace wertalo::package {

namespace {

// Naglowek with Wersja and DataSprawozdania; the caller adds the rest.
XmlElement& headerStart(XmlFragment& fragment, int Wersja, const QDate& DataSpr) {
  XmlElement& naglowek = fragment.appendElement(QStringLiteral("Naglowek"));
  XMLWstawPoleDoBestia(naglowek, QStringLiteral("Wersja"), QString::number(Wersja));
  // A report without its date is dated like any empty date: the zero of the date scale.
  const QDate date = DataSpr.isValid() ? DataSpr : db::zeroDate();
  XMLWstawPoleDoBestia(naglowek, QStringLiteral("DataSprawozdania"), date.toString(QStringLiteral("yyyy-MM-dd")));
  return naglowek;
}

}  // namespace

XmlFragment ElementNaglowek(const ReportContext& report, int Wersja, const QDate& DataSpr) {
  XmlFragment fragment;
  XmlElement& naglowek = headerStart(fragment, Wersja, DataSpr);
  if (report.selectionOpen() && report.row().CZAST > 0) {
    XMLWstawPoleDoBestia(naglowek, QStringLiteral("CZAST"), QString::number(report.row().CZAST));
  }
  return fragment;
}

XmlFragment ElementNaglowekRB50(int Wersja, const QString& sDysponent, const QString& sRodzajZad, const QDate& DataSpr) {
  XmlFragment fragment;
  XmlElement& naglowek = headerStart(fragment, Wersja, DataSpr);
  XMLWstawPoleDoBestia(naglowek, QStringLiteral("DysponentDotacji"), sDysponent);
  if (!sRodzajZad.isEmpty()) XMLWstawPoleDoBestia(naglowek, QStringLiteral("RodzajZadania"), sRodzajZad);
  return fragment;
}

XmlFragment ElementNaglowekRBZN(int Wersja, const QString& sDysponent, const QDate& DataSpr) {
  XmlFragment fragment;
  XmlElement& naglowek = headerStart(fragment, Wersja, DataSpr);
  XMLWstawPoleDoBestia(naglowek, QStringLiteral("DysponentDotacji"), sDysponent);
  return fragment;
}

XmlFragment ElementNaglowekRB27ZZ(int Wersja, const QString& sDysponent, const QDate& DataSpr) {
  return ElementNaglowekRBZN(Wersja, sDysponent, DataSpr);
}

XmlFragment ElementNaglowekRB3X(int Wersja, const QString& sSymbol, const QString& sDzial, const QString& sRozdzial,
                                bool bRB34s, const QDate& DataSpr) {
  XmlFragment fragment;
  XmlElement& naglowek = headerStart(fragment, Wersja, DataSpr);
  if (!bRB34s) {
    XMLWstawPoleDoBestia(naglowek, QStringLiteral("SymbolPozabudzetowy"), sSymbol.isEmpty() ? QStringLiteral("500") : sSymbol);
    XMLWstawPoleDoBestia(naglowek, QStringLiteral("Dzial"), sDzial);
    XMLWstawPoleDoBestia(naglowek, QStringLiteral("Rozdzial"), sRozdzial);
  }
  return fragment;
}

}  // namespace wertalo::package
