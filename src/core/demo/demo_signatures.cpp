#include "core/demo/demo_signatures.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

namespace wertalo::demo {

using namespace Qt::StringLiterals;

namespace {

const SignedReport kSigned[] = {
    {0, u"D", 2014, 0, true, 2},    {0, u"RB50", 2014, 0, true, 1}, {0, u"N", 2014, 0, false, 2},
    {0, u"BILB", 2014, 0, false, 1}, {0, u"W", 2014, 1, false, 0},  {1, u"Z", 2014, 0, false, 1},
    {1, u"D", 2014, 0, false, 0},   {1, u"RB50", 2014, 0, false, 0}, {2, u"BILJ", 2014, 0, true, 1},
};

const Signer kCitySigners[] = {{u"Anna Nowak"_s, u"Skarbnik Miasta"_s}, {u"Tadeusz Żółkiewski"_s, u"Prezydent Miasta"_s}};
const Signer kUnitSigners[] = {{u"Ewa Kowalczyk"_s, u"Główna księgowa"_s}, {u"Marek Dąbrowski"_s, u"Dyrektor jednostki"_s}};

struct Symbol {
  const char16_t* typspr;
  const char16_t* element;
};
const Symbol kSymbols[] = {{u"D", u"Rb-27s"}, {u"W", u"Rb-28s"}, {u"N", u"Rb-N"},     {u"Z", u"Rb-Z"},
                           {u"BILB", u"B-Wyk"}, {u"BILS", u"B-Skon"}, {u"BILJ", u"B-Jed"}, {u"BILL", u"B-Jed"}};

QString base64(Random& rng, int bytes) {
  QByteArray data;
  for (int i = 0; i < bytes; ++i) data.append(static_cast<char>(rng.range(0, 255)));
  return QString::fromLatin1(data.toBase64());
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

QString bestiaElement(const Report& r, const QString& part) {
  if (r.typspr == u"RB50"_s) return u"Rb-50"_s + part;
  for (const Symbol& s : kSymbols)
    if (r.typspr == QString::fromUtf16(s.typspr)) return QString::fromUtf16(s.element);
  return r.typspr;
}

QString keptXml(const Report& r, const QString& part) {
  const QString element = bestiaElement(r, part);
  const QString indent = u"        "_s;
  QStringList lines;
  lines << indent + u"<%1 Id=\"%1%2\">"_s.arg(element).arg(r.idspraw);
  lines << indent + u"  <Naglowek>"_s;
  lines << indent + u"    <Wersja>%1</Wersja>"_s.arg(r.wersja);
  lines << indent + u"    <DataSprawozdania>%1</DataSprawozdania>"_s.arg(r.date.toString(u"yyyy-MM-dd"_s));
  if (r.typspr == u"RB50"_s) {
    lines << indent + u"    <DysponentDotacji>85/24</DysponentDotacji>"_s;
    lines << indent + u"    <RodzajZadania>Gminna</RodzajZadania>"_s;
  }
  lines << indent + u"  </Naglowek>"_s;
  if (r.typspr.startsWith(u"BIL"_s)) {
    lines << indent + u"  <Aktywa>"_s << indent + u"    <Pozycja>"_s << indent + u"      <Symbol>A</Symbol>"_s
          << indent + u"      <P>1843920.55</P>"_s << indent + u"      <K>1912004.10</K>"_s << indent + u"    </Pozycja>"_s
          << indent + u"  </Aktywa>"_s << indent + u"  <Pasywa/>"_s;
  } else if (r.typspr == u"D"_s) {
    // A revenue position of Rb-27s, with the report's own amounts.
    lines << indent + u"  <Pozycje>"_s << indent + u"    <Pozycja>"_s << indent + u"      <Dzial>756</Dzial>"_s
          << indent + u"      <Rozdzial>75615</Rozdzial>"_s << indent + u"      <Paragraf>031</Paragraf>"_s
          << indent + u"      <P4>0</P4>"_s << indent + u"      <PL>18450000.00</PL>"_s << indent + u"      <NA>18612344.17</NA>"_s
          << indent + u"      <PO>0.00</PO>"_s << indent + u"      <DW>18377012.48</DW>"_s << indent + u"      <DO>0.00</DO>"_s
          << indent + u"      <NO>0.00</NO>"_s << indent + u"      <NZ>235331.69</NZ>"_s << indent + u"      <NP>0.00</NP>"_s
          << indent + u"      <SO>0.00</SO>"_s << indent + u"      <SU>0.00</SU>"_s << indent + u"      <UZ>0.00</UZ>"_s
          << indent + u"      <OT>0.00</OT>"_s
          << indent + u"      <Uwagi>Wersja złożona i podpisana w Besti@ &amp; zatwierdzona</Uwagi>"_s
          << indent + u"    </Pozycja>"_s << indent + u"  </Pozycje>"_s;
  } else {
    // A position of an Rb-50 part: plan and execution.
    lines << indent + u"  <Pozycje>"_s << indent + u"    <Pozycja>"_s << indent + u"      <Dzial>852</Dzial>"_s
          << indent + u"      <Rozdzial>85212</Rozdzial>"_s << indent + u"      <Paragraf>201</Paragraf>"_s
          << indent + u"      <P4>0</P4>"_s << indent + u"      <P>1250000.00</P>"_s << indent + u"      <W>1187412.37</W>"_s
          << indent + u"      <Uwagi>Wersja złożona i podpisana w Besti@ &amp; zatwierdzona</Uwagi>"_s
          << indent + u"    </Pozycja>"_s << indent + u"  </Pozycje>"_s;
  }
  lines << indent + u"</%1>"_s.arg(element);
  return lines.join(u"\r\n"_s);
}

QString signatureXml(Random& rng, const Report& r, int index) {
  const QString anchor = u"#"_s + bestiaElement(r, u"D"_s) + QString::number(r.idspraw);
  const QString id = u"ID-%1-%2"_s.arg(r.idspraw).arg(index + 1);
  const QString time = QDateTime(r.date.addDays(1), QTime(10 + index, 15, 0), Qt::UTC).toString(Qt::ISODate);
  QStringList lines;
  lines << u"<ds:Signature xmlns:ds=\"http://www.w3.org/2000/09/xmldsig#\" Id=\"%1\">"_s.arg(id);
  lines << u"<ds:SignedInfo><ds:CanonicalizationMethod Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/>"_s
           u"<ds:SignatureMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#rsa-sha1\"/>"_s;
  lines << u"<ds:Reference URI=\"%1\"><ds:DigestMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#sha1\"/>"_s.arg(anchor) +
               u"<ds:DigestValue>%1</ds:DigestValue></ds:Reference></ds:SignedInfo>"_s.arg(base64(rng, 20));
  lines << u"<ds:SignatureValue>%1</ds:SignatureValue>"_s.arg(base64(rng, 128));
  lines << u"<ds:KeyInfo><ds:X509Data><ds:X509Certificate>%1</ds:X509Certificate></ds:X509Data></ds:KeyInfo>"_s.arg(base64(rng, 240));
  lines << u"<ds:Object><xades:QualifyingProperties xmlns:xades=\"http://uri.etsi.org/01903/v1.3.2#\" Target=\"#%1\">"_s.arg(id) +
               u"<xades:SignedProperties><xades:SignedSignatureProperties><xades:SigningTime>%1</xades:SigningTime>"_s.arg(time) +
               u"</xades:SignedSignatureProperties></xades:SignedProperties></xades:QualifyingProperties></ds:Object>"_s;
  lines << u"</ds:Signature>"_s;
  return lines.join(u"\r\n"_s);
}

}  // namespace wertalo::demo
