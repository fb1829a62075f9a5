// Wertalo: how an export run is made: the choices of the settings and of the front end that
// the main data module and the package writer read.
#pragma once

#include <QString>

namespace wertalo::catalogue {

struct RunOptions {
  // "Zapisz każde sprawozdanie w oddzielnym pliku": one file per report.
  bool chkZapiszPojedynczo = false;
  // "Eksportuj grupowe z danymi JST": group units are described with the unit's own data.
  bool cbGrupoweJst = true;
  // The extended information (SprawozdaniaRozwiniecie, SignatureRozwiniecie) is written.
  bool bDodajInfo = true;
  // A budget unit's REGON is padded with blanks (the unit's own gets five after it).
  bool bRegonSpacje = false;
  // Only approved reports are offered.
  bool bEksportZatw = false;
  // The export folder.
  QString dirKatalog;
  // The special off-budget symbol: the part number of Rb-34 reports.
  QString edtSpecSymbl = QStringLiteral("500");
};

}  // namespace wertalo::catalogue
