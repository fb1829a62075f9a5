// Wertalo: the export state's enumerations, in the product's order.
#pragma once

#include <QString>

namespace wertalo::catalogue {

// Which product is installed: only the budget-unit product, or the local-government one.
enum TRodzajProg { rBudzetJB, rBudzetJST };
// Export kind: balance sheets or reports.
enum TTypEksportu { teBilanse, teSprawozdania };
// Whose reports: the local government unit itself, or its budget units.
enum TRodzajEksportu { rJST, rJB };
// Period kind handed to the package writer.
enum TTypOkresu { toMiesiac, toKwartal };

// The period the package writer writes: four-digit year, period kind, Besti@ period number.
struct WriterPeriod {
  QString sRok;
  TTypOkresu TypOkresu = toMiesiac;
  QString sOkres;
};

// Table name for the unit kind: the plain name, or the "JB" twin for budget units.
inline QString tableFor(TRodzajEksportu kind, const QString& plainName) {
  return kind == rJB ? QStringLiteral("JB") + plainName : plainName;
}

}  // namespace wertalo::catalogue
