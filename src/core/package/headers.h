// Wertalo: the report header Naglowek in its five forms.
#pragma once

#include <QDate>
#include <QString>

#include "core/package/report_context.h"
#include "core/package/xml_node.h"

namespace wertalo::package {

// Naglowek: Wersja, DataSprawozdania, and the report's CZAST when the selection is open and
// CZAST is above 0.
XmlFragment ElementNaglowek(const ReportContext& report, int Wersja, const QDate& DataSpr);
// Naglowek of Rb-50: DysponentDotacji always, RodzajZadania when not empty.
XmlFragment ElementNaglowekRB50(int Wersja, const QString& sDysponent, const QString& sRodzajZad, const QDate& DataSpr);
// Naglowek of Rb-ZN: DysponentDotacji always.
XmlFragment ElementNaglowekRBZN(int Wersja, const QString& sDysponent, const QDate& DataSpr);
// Naglowek of Rb-27ZZ: DysponentDotacji always.
XmlFragment ElementNaglowekRB27ZZ(int Wersja, const QString& sDysponent, const QDate& DataSpr);
// Naglowek of Rb-30/31/33/34: symbol ("500" when empty), section and chapter unless Rb-34s.
XmlFragment ElementNaglowekRB3X(int Wersja, const QString& sSymbol, const QString& sDzial, const QString& sRozdzial,
                                bool bRB34s, const QDate& DataSpr);

}  // namespace wertalo::package
