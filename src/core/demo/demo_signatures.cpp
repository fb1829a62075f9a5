#include "core/demo/demo_signatures.h"

#include <QStringList>

#include <vector>

#include "core/signing/demo_keys.h"

namespace wertalo::demo {

using namespace Qt::StringLiterals;

namespace {

// Every signed report keeps the XML its signatures sign.
const SignedReport kSigned[] = {
    {0, u"D", 2014, 0, true, 2},    {0, u"RB50", 2014, 0, true, 1}, {0, u"N", 2014, 0, true, 2},
    {0, u"BILB", 2014, 0, true, 1},  {0, u"W", 2014, 1, false, 0},  {1, u"Z", 2014, 0, true, 1},
    {1, u"D", 2014, 0, false, 0},   {1, u"RB50", 2014, 0, false, 0}, {2, u"BILJ", 2014, 0, true, 1},
};

const Signer kCitySigners[] = {{u"Anna Nowak"_s, u"Skarbnik Miasta"_s, u"skarbnik-miasta"_s},
                               {u"Tadeusz Żółkiewski"_s, u"Prezydent Miasta"_s, u"prezydent-miasta"_s}};
const Signer kUnitSigners[] = {{u"Ewa Kowalczyk"_s, u"Główna księgowa"_s, u"glowna-ksiegowa"_s},
                               {u"Marek Dąbrowski"_s, u"Dyrektor jednostki"_s, u"dyrektor-jednostki"_s}};

struct Symbol {
  const char16_t* typspr;
  const char16_t* element;
};
const Symbol kSymbols[] = {{u"D", u"Rb-27s"}, {u"W", u"Rb-28s"}, {u"N", u"Rb-N"},     {u"Z", u"Rb-Z"},
                           {u"BILB", u"B-Wyk"}, {u"BILS", u"B-Skon"}, {u"BILJ", u"B-Jed"}, {u"BILL", u"B-Jed"}};

// The remark of a kept position.
constexpr const char16_t* kRemark = u"    <Uwagi>Wersja złożona i podpisana w Besti@ &amp; zatwierdzona</Uwagi>";

// The lists of a kept report after its header, by report type (a prefix "BIL" for every
// balance sheet); each line as it stands below the report element, without its indentation.
struct KeptBody {
  const char16_t* typspr;
  std::vector<const char16_t*> lines;
};
const KeptBody kKeptBodies[] = {
    {u"BIL",
     {u"<Aktywa>", u"  <Pozycja>", u"    <Symbol>A</Symbol>", u"    <P>1843920.55</P>", u"    <K>1912004.10</K>",
      u"  </Pozycja>", u"</Aktywa>", u"<Pasywa/>"}},
    // A revenue position of Rb-27s, with the report's own amounts.
    {u"D",
     {u"<Pozycje>", u"  <Pozycja>", u"    <Dzial>756</Dzial>", u"    <Rozdzial>75615</Rozdzial>", u"    <Paragraf>031</Paragraf>",
      u"    <P4>0</P4>", u"    <PL>18450000.00</PL>", u"    <NA>18612344.17</NA>", u"    <PO>0.00</PO>", u"    <DW>18377012.48</DW>",
      u"    <DO>0.00</DO>", u"    <NO>0.00</NO>", u"    <NZ>235331.69</NZ>", u"    <NP>0.00</NP>", u"    <SO>0.00</SO>",
      u"    <SU>0.00</SU>", u"    <UZ>0.00</UZ>", u"    <OT>0.00</OT>", kRemark, u"  </Pozycja>", u"</Pozycje>"}},
    // Receivables of Rb-N.
    {u"N",
     {u"<Naleznosci>", u"  <Pozycja>", u"    <Symbol>N1</Symbol>", u"    <N>4218305.12</N>", u"    <KO>0.00</KO>",
      u"    <KFP>0.00</KFP>", u"    <ZO>312004.87</ZO>", kRemark, u"  </Pozycja>", u"</Naleznosci>",
      u"<PoreczeniaGwarancje/>"}},
    // Debt titles of Rb-Z.
    {u"Z",
     {u"<TytulyDluzne>", u"  <Pozycja>", u"    <Symbol>E1</Symbol>", u"    <Z>12500000.00</Z>", u"    <KO>0.00</KO>",
      u"    <ZO>0.00</ZO>", u"  </Pozycja>", u"</TytulyDluzne>"}},
    // A position of an Rb-50 part: plan and execution.
    {u"RB50",
     {u"<Pozycje>", u"  <Pozycja>", u"    <Dzial>852</Dzial>", u"    <Rozdzial>85212</Rozdzial>", u"    <Paragraf>201</Paragraf>",
      u"    <P4>0</P4>", u"    <P>1250000.00</P>", u"    <W>1187412.37</W>", kRemark, u"  </Pozycja>", u"</Pozycje>"}},
};

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

QString bestiaElement(const Report& r, const QString& part) {
  if (r.typspr == u"RB50"_s) return u"Rb-50"_s + part;
  for (const Symbol& s : kSymbols)
    if (r.typspr == QString::fromUtf16(s.typspr)) return QString::fromUtf16(s.element);
  return r.typspr;
}

QString keptXml(const Report& r, const QString& part) {
  const QString element = bestiaElement(r, part);
  QStringList lines;
  lines << u"<%1 Id=\"%1%2\">"_s.arg(element).arg(r.idspraw);
  lines << u"  <Naglowek>"_s;
  lines << u"    <Wersja>%1</Wersja>"_s.arg(r.wersja);
  lines << u"    <DataSprawozdania>%1</DataSprawozdania>"_s.arg(r.date.toString(u"yyyy-MM-dd"_s));
  if (r.typspr == u"RB50"_s) {
    lines << u"    <DysponentDotacji>85/24</DysponentDotacji>"_s;
    lines << u"    <RodzajZadania>Gminna</RodzajZadania>"_s;
  }
  lines << u"  </Naglowek>"_s;
  for (const KeptBody& body : kKeptBodies) {
    if (!r.typspr.startsWith(QString::fromUtf16(body.typspr))) continue;
    for (const char16_t* line : body.lines) lines << u"  "_s + QString::fromUtf16(line);
    break;
  }
  lines << u"</%1>"_s.arg(element);
  for (QString& line : lines) line.prepend(u"        "_s);  // its place in a package
  return lines.join(u"\r\n"_s);
}

QString signatureXml(const Report& r, int index) {
  return signing::signWithDemoKey(keptXml(r, u"D"_s), signerOf(r, index).key);
}

}  // namespace wertalo::demo
