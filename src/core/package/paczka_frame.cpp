// The document frame: root, period, and the unit loop with each unit's description.
#include "core/catalogue/wertalo_main.h"
#include "core/package/package_error.h"
#include "core/package/paczka.h"
#include "core/package/value_rules.h"
#include "core/package/xml_writer.h"

namespace wertalo::package {

using catalogue::rJB;
using catalogue::rJST;
using catalogue::TRodzajEksportu;

TXMLPaczkaSprawozdan::TXMLPaczkaSprawozdan(catalogue::TdtmWertaloMain& dtm, const ReportRegistry& registry)
    : dtm_(dtm), registry_(registry) {}

const catalogue::SelectRow& TXMLPaczkaSprawozdan::currentRow() const {
  if (dtm_.memSelectSpraw().eof()) throw PackageError(QStringLiteral("Brak bieżącego sprawozdania w wykazie wybranych sprawozdań"));
  return dtm_.memSelectSpraw().current();
}

bool TXMLPaczkaSprawozdan::perReport() const { return perReportRun_ || dtm_.options().chkZapiszPojedynczo; }

ReportContext TXMLPaczkaSprawozdan::currentReport() {
  const catalogue::SelectTable& selection = dtm_.memSelectSpraw();
  if (runDepth_ > 0 && !bodyReads_) {
    std::vector<qint64> ticked;
    for (int i = 0; i < selection.recordCount(); ++i)
      if (selection.at(i).SELEKCJA) ticked.push_back(selection.at(i).IDSPRAW);
    bodyReads_.emplace(dtm_.DB(), ticked);
  }
  return ReportContext(dtm_.DB(), dtm_.RodzajEksportu(), currentRow(), selection.isOpen(), bodyReads_ ? &*bodyReads_ : nullptr);
}

XmlElement& TXMLPaczkaSprawozdan::startDocument(PackageKind kind) {
  // A per-report run counts its progress over all its files; a single build over its own rows.
  if (!progressRun_) {
    progressDone_ = 0;
    progressTotal_ = dtm_.memSelectSpraw().tickedCount();
  }
  DOM.clear();
  record_ = BuildRecord();
  if (runDepth_ == 0) reads_.reset();
  XmlElement& root = DOM.setRoot(QStringLiteral("PaczkaSprawozdan"));
  root.setAttribute(QStringLiteral("Wersja"), kind == PackageKind::Bilanse ? QStringLiteral("0.1") : QStringLiteral("0.3"));
  root.append(ElementOkres());
  return root;
}

void TXMLPaczkaSprawozdan::TworzDokument_SPR() {
  XmlElement& root = startDocument(PackageKind::Sprawozdania);
  buildUnits(root, PackageKind::Sprawozdania, dtm_.RodzajEksportu(), &TXMLPaczkaSprawozdan::ElementSprawozdania);
}

XmlFragment TXMLPaczkaSprawozdan::ElementOkres() const {
  XmlFragment fragment;
  XmlElement& okres = fragment.appendElement(QStringLiteral("Okres"));
  XMLWstawPoleDoBestia(okres, QStringLiteral("Rok"), sRok);
  XMLWstawPoleDoBestia(okres, QStringLiteral("TypOkresu"),
                       TypOkresu == catalogue::toKwartal ? QStringLiteral("Kwartal") : QStringLiteral("Miesiac"));
  XMLWstawPoleDoBestia(okres, QStringLiteral("Okres"), sOkres);
  return fragment;
}

XmlFragment TXMLPaczkaSprawozdan::ElementJednostkaSPR(TRodzajEksportu Rodzaj) {
  XmlFragment fragment;
  buildUnits(fragment, PackageKind::Sprawozdania, Rodzaj, &TXMLPaczkaSprawozdan::ElementSprawozdania);
  return fragment;
}

void TXMLPaczkaSprawozdan::buildUnits(XmlNodeList& parent, PackageKind kind, TRodzajEksportu Rodzaj, ListBuilder list) {
  const bool perReport = this->perReport();
  catalogue::SelectTable& selection = dtm_.memSelectSpraw();
  XmlElement& jednostki = parent.appendElement(QStringLiteral("Jednostki"));
  for (;;) {
    XmlElement& jednostka = jednostki.appendElement(QStringLiteral("Jednostka"));
    describeUnit(jednostka, kind, Rodzaj, perReport);
    // A report package written one file per report takes the one row whatever its unit;
    // otherwise a budget unit's list takes the consecutive rows of that unit.
    const bool unitFilter = Rodzaj == rJB && !(perReport && kind == PackageKind::Sprawozdania);
    const qint64 filter = unitFilter ? dtm_.budgetUnitsOfRun().integer(u"ID_JB") : 0;
    const int before = selection.position();
    jednostka.append((this->*list)(filter));
    // A package written while it is built takes each unit as soon as it is complete.
    if (stream_ != nullptr) stream_->flush(DOM, jednostka);
    if (perReport || selection.eof() || selection.position() == before) break;
  }
}

void TXMLPaczkaSprawozdan::describeUnit(XmlElement& jednostka, PackageKind kind, TRodzajEksportu Rodzaj, bool perReport) {
  const catalogue::MemMain& unit = dtm_.memMain();
  if (kind == PackageKind::Bilanse) XMLWstawPoleDoBestia(jednostka, QStringLiteral("Typ"), QStringLiteral("JB"));

  struct Description {
    QString nazwa, typ, regon, wk, pk, gk, gt, pt;
  } d;
  const Description own{unit.NAZWA, unit.TYP, unit.REGON, unit.WK, unit.PK, unit.GK, unit.GT, unit.PT};
  if (Rodzaj == rJST) {
    d = own;
  } else {
    const catalogue::SelectRow& row = currentRow();
    db::DataSet& units = dtm_.budgetUnitsOfRun();
    if (!units.locate(QStringLiteral("ID_JB"), QVariant(row.ID_JB))) {
      throw PackageError(QStringLiteral("Brak danych jednostki budżetowej o identyfikatorze %1 w okresie sprawozdania")
                             .arg(row.ID_JB));
    }
    if (units.text(u"TYP_JB") == QLatin1String("G") && dtm_.options().cbGrupoweJst) {
      // A group unit is described with the data of the local government unit itself.
      d = own;
      if (dtm_.options().bRegonSpacje) d.regon = unit.REGON.trimmed() + QStringLiteral("     ");
    } else {
      const bool wrsjo = kind == PackageKind::Sprawozdania && perReport && row.sTypSprBestia == QLatin1String("Rb-34s");
      d.nazwa = units.text(u"Nazwa");
      d.typ = wrsjo ? QStringLiteral("WRSJO") : QStringLiteral("JB");
      d.regon = units.text(u"REGON") + units.text(u"REGON_2");
      if (kind == PackageKind::Sprawozdania && dtm_.options().bRegonSpacje) d.regon = d.regon.leftJustified(14, QLatin1Char(' '));
      d.wk = units.text(u"WK");
      d.pk = units.text(u"PK");
      d.gk = units.text(u"GK");
      d.gt = units.text(u"GT");
      d.pt = units.text(u"PT");
    }
  }
  XMLWstawPoleDoBestia(jednostka, QStringLiteral("Nazwa"), d.nazwa);
  XMLWstawPoleDoBestia(jednostka, QStringLiteral("Typ"), d.typ);
  XMLWstawPoleDoBestia(jednostka, QStringLiteral("Regon"), d.regon);
  XMLWstawPoleDoBestia(jednostka, QStringLiteral("WK"), d.wk);
  XMLWstawPoleDoBestia(jednostka, QStringLiteral("PK"), d.pk);
  XMLWstawPoleDoBestia(jednostka, QStringLiteral("GK"), d.gk);
  XMLWstawPoleDoBestia(jednostka, QStringLiteral("GT"), d.gt);
  XMLWstawPoleDoBestia(jednostka, QStringLiteral("PT"), d.pt);
}

}  // namespace wertalo::package
