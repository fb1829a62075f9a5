// The balance-sheet package: its frame and units, the balance-sheet list of a unit, the
// choice of body by the product's report type, and one file per balance sheet.
#include <stdexcept>

#include "core/catalogue/wertalo_main.h"
#include "core/package/paczka.h"

namespace wertalo::package {

void TXMLPaczkaSprawozdan::TworzDokument() {
  XmlElement& root = startDocument(PackageKind::Bilanse);
  buildUnits(root, PackageKind::Bilanse, dtm_.RodzajEksportu(), &TXMLPaczkaSprawozdan::ElementBilanse);
}

XmlFragment TXMLPaczkaSprawozdan::ElementJednostka() {
  XmlFragment fragment;
  buildUnits(fragment, PackageKind::Bilanse, dtm_.RodzajEksportu(), &TXMLPaczkaSprawozdan::ElementBilanse);
  return fragment;
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
  if (placeKeptXml(xParent, nullptr)) return;
  // The body follows the product's type: BILJ and BILL are both B-Jed, built apart.
  const ReportFamily* family = registry_.balanceSheetByType(row.TYPSPR);
  if (family == nullptr || !family->body.isWritten()) return;
  xParent.append(buildBody(family->body, QString::fromLatin1(family->symbol), currentReport(), tBrak, nullptr));
}

}  // namespace wertalo::package
