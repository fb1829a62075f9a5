// The Besti@ report order of a package and the file name of a report written alone.
#include "core/catalogue/wertalo_main.h"
#include "core/package/paczka.h"

namespace wertalo::package {

void TXMLPaczkaSprawozdan::IDMemSprawozd() {
  catalogue::SelectTable& selection = dtm_.memSelectSpraw();
  selection.first();
  selection.setIndex(catalogue::SelectTable::Index::IDSPRAW);
  for (selection.first(); !selection.eof(); selection.next()) {
    catalogue::SelectRow& row = selection.current();
    const int number = registry_.orderOf(row.sTypSprBestia);
    if (number > 0) row.ID = number;  // a symbol outside the order keeps its number
  }
  selection.setIndex(catalogue::SelectTable::Index::ID_JB_ID_CZAST_sCzesc);
  selection.first();
}

QString TXMLPaczkaSprawozdan::NazwaPlikuXml() const { return catalogue::NazwaPlikuXml(currentRow()); }

}  // namespace wertalo::package
