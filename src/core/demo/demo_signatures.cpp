#include "core/demo/demo_signatures.h"

#include <stdexcept>
#include <vector>

#include "core/catalogue/run_options.h"
#include "core/catalogue/wertalo_main.h"
#include "core/db/query.h"
#include "core/package/placeholder_fill.h"
#include "core/package/registry.h"
#include "core/signing/demo_keys.h"

namespace wertalo::demo {

using namespace Qt::StringLiterals;

namespace {

// The reports with an electronic form. The city's Rb-50 is signed (its two parts are kept) but
// has no signature row: the city has county rights, so each part is written twice, for the
// municipal and for the county tasks, and both elements carry the part's one Id; a signature
// cannot point at either of them unambiguously, and a checker refuses such a reference.
const SignedReport kSigned[] = {
    {0, u"D", 2014, 0, true, 2},    {0, u"RB50", 2014, 0, true, 0}, {0, u"N", 2014, 0, true, 2},
    {0, u"BILB", 2014, 0, true, 1},  {0, u"W", 2014, 1, false, 0},  {1, u"Z", 2014, 0, true, 1},
    {1, u"D", 2014, 0, false, 0},   {1, u"RB50", 2014, 0, false, 0}, {2, u"BILJ", 2014, 0, true, 1},
};

const Signer kCitySigners[] = {{u"Anna Nowak"_s, u"Skarbnik Miasta"_s, u"skarbnik-miasta"_s},
                               {u"Tadeusz Żółkiewski"_s, u"Prezydent Miasta"_s, u"prezydent-miasta"_s}};
const Signer kUnitSigners[] = {{u"Ewa Kowalczyk"_s, u"Główna księgowa"_s, u"glowna-ksiegowa"_s},
                               {u"Marek Dąbrowski"_s, u"Dyrektor jednostki"_s, u"dyrektor-jednostki"_s}};

// The selection row of the report as the selection makes it for an export of its unit: symbol,
// version, date, part number and the classification of its plan row.
catalogue::SelectRow selectionRow(db::Connection& connection, const Report& r) {
  catalogue::SelectRow row;
  row.IDSPRAW = r.idspraw;
  row.TYPSPR = r.typspr;
  row.ID_JB = r.unit->idJb;
  row.ROK = r.period.rok();
  row.Wersja = r.wersja;
  row.Data = r.date;
  row.CZAST = r.czast;
  row.PODTYP = r.podtyp;
  row.podpisane = true;
  row.sTypSprBestia = package::ReportRegistry::instance().symbolOf(r.typspr);
  if (r.podtyp > 0) {
    db::Query plan(connection);
    plan.setSql(u"select * from %1 where ID_JST=:ID_JST and ROK=:ROK and KWARTAL=:OKRES and OKRES2=0 and PODTYP=:PODTYP%2"_s.arg(
        r.target.table(u"SPRAWPLAN"_s), r.target.isBudgetUnit() ? u" and ID_JB=:ID_JB"_s : QString()));
    plan.bindInt(u"ID_JST"_s, World::kIdJst);
    plan.bindText(u"ROK"_s, r.period.rok());
    plan.bindText(u"OKRES"_s, r.period.code);
    plan.bindInt(u"PODTYP"_s, r.podtyp);
    if (r.target.isBudgetUnit()) plan.bindInt(u"ID_JB"_s, r.unit->idJb);
    const db::DataSet rows = plan.open();
    // The part number of an Rb-34 is the settings' special symbol: here its default.
    if (!rows.isEmpty()) catalogue::takePlanRow(row, rows, catalogue::RunOptions().edtSpecSymbl);
  }
  return row;
}

// A part of an electronic form: its TYP in the kept-XML table (empty for none), the symbol it
// is written as and the body that writes it.
struct FormPart {
  QString typ;
  QString symbol;
  const package::Body* body;
};

// The parts as the export writes them: a balance sheet by the product's type (BILJ and BILL are
// both B-Jed, with bodies of their own), a report as the symbols it is written as.
std::vector<FormPart> formParts(const catalogue::SelectRow& row) {
  const package::ReportRegistry& registry = package::ReportRegistry::instance();
  if (const package::ReportFamily* sheet = registry.balanceSheetByType(row.TYPSPR))
    return {{QString(), QString::fromLatin1(sheet->symbol), &sheet->body}};
  std::vector<FormPart> parts;
  for (const QString& symbol : registry.writtenAs(row.sTypSprBestia)) {
    const package::ReportFamily* family = registry.bySymbol(symbol);
    if (family == nullptr) throw std::logic_error("a demo electronic form of a report without a family");
    parts.push_back({family->keptXmlTyp != nullptr ? QString::fromLatin1(family->keptXmlTyp) : QString(), symbol, &family->body});
  }
  return parts;
}

}  // namespace

const SignedReport* signedReport(const Report& r) {
  if (!r.period.isQuarter() || r.period.quarter != 4) return nullptr;
  for (const SignedReport& s : kSigned)
    if (s.idJb == r.unit->idJb && r.typspr == QString::fromUtf16(s.typspr) && s.year == r.period.year && s.czast == r.czast)
      return &s;
  return nullptr;
}

const Signer& signerOf(const Report& r, int index) {
  return r.unit->idJb == 0 ? kCitySigners[index % 2] : kUnitSigners[index % 2];
}

void writeElectronicForm(const World& world, const Report& r) {
  const SignedReport* s = signedReport(r);
  if (s == nullptr) return;
  db::Connection& connection = r.target.writer->connection();
  const catalogue::SelectRow row = selectionRow(connection, r);
  const package::ReportContext report(connection, r.target.isBudgetUnit() ? catalogue::rJB : catalogue::rJST, row);
  // What the signatures sign: the kept XML of the first part, whose anchor they refer to.
  QString signedText;
  for (const FormPart& part : formParts(row)) {
    Value kept;
    if (s->isSigned) {
      // The Rb-50 tasks follow the type of the local government unit, also for its budget units.
      const QString text =
          package::keptXmlText(package::buildReportElements(*part.body, part.symbol, report, world.city.kind));
      if (text.isEmpty()) throw std::logic_error("a signed demo report whose body writes nothing");
      if (signedText.isEmpty()) signedText = text;
      kept = text;
    }
    r.target.insert(u"SPRAWOZDXML"_s, {{u"IDSPRAW"_s, qint64(r.idspraw)}, {u"TYP"_s, part.typ.isEmpty() ? Value() : Value(part.typ)},
                                       {u"czy_epodpisane"_s, qint64(s->isSigned ? 1 : 0)}, {u"WYEKSPORTOWANY_XML"_s, kept}});
  }
  for (int i = 0; i < s->signatures; ++i) {
    const Signer& signer = signerOf(r, i);
    r.target.insert(u"SPRAWOZDEPODPIS"_s, {{u"IDSPRAW"_s, qint64(r.idspraw)}, {u"DANE"_s, signing::signWithDemoKey(signedText, signer.key)},
                                           {u"PODPISUJACY"_s, signer.name}, {u"ROLA"_s, signer.role}});
  }
}

}  // namespace wertalo::demo
