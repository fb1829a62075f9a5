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

// The wizard's choices that the core reads (the wizard and the command line fill them).
struct WizardState {
  // "Zapisz każde sprawozdanie w oddzielnym pliku": one file per report.
  bool chkZapiszPojedynczo = false;
  // "Eksportuj grupowe z danymi JST": group units are described with the unit's own data.
  bool cbGrupoweJst = true;
  // While set, the selection is not rebuilt (the wizard is changing pages by itself).
  bool bZamianStronyAutomatyczna = false;
  // Chosen budget units, each ID_JB followed by ",".
  QString sWybraneJB;
};

// Table name for the unit kind: the plain name, or the "JB" twin for budget units.
inline QString tableFor(TRodzajEksportu kind, const QString& plainName) {
  return kind == rJB ? QStringLiteral("JB") + plainName : plainName;
}

}  // namespace wertalo::catalogue
