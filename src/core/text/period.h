// Wertalo: period codes of the period table, of the report tables and of Besti@.
#pragma once

#include <QString>

namespace wertalo::text {

// Period-table code (quarter digit and sub-period -200/-100/-50/0) to report-table code:
// a month letter "A" to "L", otherwise the code unchanged; empty gives empty.
QString OkresDToOkres(const QString& sOkres, int iOkres2);
// Period-table sub-period to the report tables' OKRES2, which is always 0.
int Okres2DToOkres2(const QString& Okres, int Okres2);
// Report-table code to the period number written to Besti@: "A" gives "1", "L" gives "12",
// a quarter digit stays as it is; empty gives empty.
QString OkresToOkresBestia(const QString& Okres);

}  // namespace wertalo::text
