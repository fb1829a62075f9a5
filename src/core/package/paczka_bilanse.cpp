// The balance-sheet package: its frame and units, the balance-sheet list of a unit, the
// choice of body by the product's report type, and one file per balance sheet.
#include <stdexcept>

#include "core/catalogue/wertalo_main.h"
#include "core/package/paczka.h"

namespace wertalo::package {

namespace {

using P = TXMLPaczkaSprawozdan;

// The product's balance-sheet type → body builder. Types are compared exactly, with case.
struct BalanceSheetEntry {
  const char* typspr;
  P::PlainBuilder builder;
};

const BalanceSheetEntry kBalanceSheets[] = {
    {"BILB", &P::BilanseBILB},
    {"BILJ", &P::BilanseBILJ},
    {"BILL", &P::BilanseBILL},
    {"BILS", &P::BilanseBILS},
};

}  // namespace

void TXMLPaczkaSprawozdan::TworzDokument() {
  XmlElement& root = startDocument(PackageKind::Bilanse);
  root.append(ElementJednostka());
}

XmlFragment TXMLPaczkaSprawozdan::ElementJednostka() {
  return buildUnits(PackageKind::Bilanse, dtm_.RodzajEksportu, &TXMLPaczkaSprawozdan::ElementBilanse);
}

void TXMLPaczkaSprawozdan::TworzWieleDokumentow() { writeEachTickedRow(&TXMLPaczkaSprawozdan::TworzDokument); }

XmlFragment TXMLPaczkaSprawozdan::ElementBilanse(qint64 ID_JB) {
  // Like the report list, only ticked rows go into the package: an unticked balance sheet is
  // one the user chose not to send (the summary does not list it, and it gets no sending date).
  return buildList(ID_JB, &TXMLPaczkaSprawozdan::addBalanceSheetOfRow);
}

void TXMLPaczkaSprawozdan::addBalanceSheetOfRow() {
  if (list_ == nullptr) throw std::logic_error("a balance sheet outside of a list");
  Bilanse(*list_->sprawozdania);
}

void TXMLPaczkaSprawozdan::Bilanse(XmlElement& xParent) {
  const catalogue::SelectRow& row = currentRow();
  // A signed balance sheet with a kept XML goes out as exported earlier; no position is read.
  if (placeKeptXml(xParent, row.sTypSprBestia)) return;
  for (const BalanceSheetEntry& entry : kBalanceSheets) {
    if (row.TYPSPR != QLatin1String(entry.typspr)) continue;
    xParent.append((this->*entry.builder)(nullptr));
    return;
  }
}

}  // namespace wertalo::package
