#include "core/package/export_run.h"

#include "core/catalogue/wertalo_main.h"
#include "core/package/paczka.h"

namespace wertalo::package {

bool WykonajEksport(catalogue::TdtmWertaloMain& dtm, TXMLPaczkaSprawozdan& writer) {
  writer.setPeriod(dtm.PrzygotujDane(dtm.frmWertalo.sWybraneJB));
  const bool balances = dtm.TypEksportu == catalogue::teBilanse;
  if (dtm.frmWertalo.chkZapiszPojedynczo) {
    if (balances) writer.TworzWieleDokumentow();
    else writer.TworzWieleDokumentowSPR();
    return true;
  }
  // The rows are numbered and ordered by unit for balance sheets too, so that each budget
  // unit's sheets stand together in one Jednostka of the package.
  writer.IDMemSprawozd();
  if (balances) writer.TworzDokument();
  else writer.TworzDokument_SPR();
  return writer.ZapiszDokument(true, QString(), 0);
}

}  // namespace wertalo::package
