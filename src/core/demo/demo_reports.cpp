#include "core/demo/demo_reports.h"

#include <QByteArray>

#include "core/demo/demo_bodies.h"
#include "core/demo/demo_signatures.h"

namespace wertalo::demo {

using namespace Qt::StringLiterals;

namespace {

enum class Every { Month, Quarter, HalfYear, Year };
enum class Filer { Everyone, City, Units, Group };

// Which reports are filed, how often and by whom.
struct Kind {
  const char16_t* typspr;
  Every every;
  Filer filer;
};
const Kind kKinds[] = {
    {u"D", Every::Month, Filer::City},         {u"W", Every::Month, Filer::City},
    {u"D", Every::Quarter, Filer::Everyone},   {u"W", Every::Quarter, Filer::Everyone},
    {u"RBZZ", Every::Quarter, Filer::Everyone}, {u"RB50", Every::Quarter, Filer::Everyone},
    {u"N", Every::Quarter, Filer::Everyone},   {u"Z", Every::Quarter, Filer::Everyone},
    {u"F", Every::Quarter, Filer::City},       {u"UN", Every::HalfYear, Filer::Everyone},
    {u"UZ", Every::HalfYear, Filer::Everyone},
    // Plans of establishments, auxiliary farms and funds: the city half-yearly, its units yearly.
    {u"RB30", Every::HalfYear, Filer::City},   {u"RB30", Every::Year, Filer::Units},
    {u"RB31", Every::HalfYear, Filer::City},   {u"RB31", Every::Year, Filer::Units},
    {u"RB33", Every::HalfYear, Filer::City},   {u"RB33", Every::Year, Filer::Units},
    {u"RB34", Every::HalfYear, Filer::Everyone}, {u"ZN", Every::HalfYear, Filer::Everyone},
    {u"ST", Every::Year, Filer::Everyone},     {u"NWS", Every::Year, Filer::Everyone},
    {u"WS", Every::Year, Filer::Everyone},     {u"FJ", Every::Year, Filer::Everyone},
    {u"ZS", Every::Year, Filer::Everyone},     {u"P", Every::Year, Filer::City},
    {u"BILB", Every::Year, Filer::City},       {u"BILS", Every::Year, Filer::City},
    {u"BILJ", Every::Year, Filer::Units},      {u"BILL", Every::Year, Filer::Group},
};

// Plan rows that give a report its budget classification (part, section, chapter); a null
// section means the unit's own. The establishment's plan (Rb-30s) is that of housing
// management, the fund's (Rb-33) that of environmental protection.
struct Plan {
  const char16_t* typspr;
  const char16_t* val1;
  const char16_t* dzial;
  const char16_t* rozdzial;
};
const Plan kPlans[] = {
    {u"RBZZ", u"85/24", u"750", u"75011"}, {u"RB50", u"85/24", u"852", u"85212"}, {u"ZN", u"85/24", u"", u""},
    {u"RB30", u"3", u"700", u"70001"},     {u"RB31", u"4", nullptr, nullptr},     {u"RB33", u"", u"900", u"90011"},
    {u"RB34", u"5", nullptr, nullptr},
};

using BodyWriter = void (*)(const World&, const Report&, Random&);
struct Body {
  const char16_t* typspr;
  BodyWriter write;
};
const Body kBodies[] = {
    {u"D", writeRb27s},    {u"W", writeRb28s},  {u"NWS", writeRb28nws}, {u"RBZZ", writeRb27zz}, {u"RB50", writeRb50},
    {u"N", writeRbN},      {u"Z", writeRbZ},    {u"UN", writeRbUN},     {u"UZ", writeRbUZ},     {u"ZN", writeRbZN},
    {u"ST", writeRbST},    {u"F", writeRbNDS},  {u"P", writeRbPDP},     {u"WS", writeRbWS},     {u"FJ", writeFZzf},
    {u"ZS", writeFRzs},    {u"RB30", writeRb30}, {u"RB31", writeRb31},  {u"RB33", writeRb33},   {u"RB34", writeRb34},
};

bool due(Every every, const Period& p) {
  switch (every) {
    case Every::Month: return !p.isQuarter();
    case Every::Quarter: return p.isQuarter();
    case Every::HalfYear: return p.isQuarter() && p.quarter % 2 == 0;
    case Every::Year: return p.isQuarter() && p.quarter == 4;
  }
  return false;
}

bool files(Filer filer, const Unit& unit) {
  switch (filer) {
    case Filer::Everyone: return true;
    case Filer::City: return unit.idJb == 0;
    case Filer::Units: return unit.idJb > 0;
    case Filer::Group: return unit.kind == u"G"_s;
  }
  return false;
}

bool is(const Report& r, const char16_t* typspr) { return r.typspr == QString::fromUtf16(typspr); }
bool isYearEnd(const Report& r) { return r.period.isQuarter() && r.period.quarter == 4; }

class ReportWriter {
 public:
  ReportWriter(RowWriter& writer, const World& world, const BalanceTrees& trees)
      : writer_(writer), world_(world), trees_(trees) {}

  void write(const Unit& unit, const Period& period, const Kind& kind, int czast) {
    Report r;
    r.unit = &unit;
    r.target = Target{&writer_, unit.idJb};
    r.period = period;
    r.typspr = QString::fromUtf16(kind.typspr);
    r.idspraw = nextId_++;
    r.czast = czast;
    Random rng(0x5EED0000ULL + static_cast<std::uint64_t>(r.idspraw) * 0x9E3779B97F4A7C15ULL);
    for (const Plan& plan : kPlans)
      if (is(r, plan.typspr)) r.podtyp = nextPodtyp_++;
    r.wersja = version(r);
    const int days = kind.every == Every::Month ? 12
                     : kind.every == Every::Year ? (r.typspr.startsWith(u"BIL"_s) ? 75 : 35)
                                                 : 20;
    r.date = period.last.addDays(days + rng.range(0, 9));
    if (r.wersja >= 0 && !isOpen(r)) r.approved = r.date.addDays(rng.range(0, 3));

    writeHeader(r);
    if (r.podtyp > 0) writePlan(r);
    writeParameters(r);
    if (r.wersja >= 0) writeBody(r, rng);
    if (signedReport(r) != nullptr) forms_.push_back(r);
    ++count_;
  }

  // The electronic forms, last: their kept XML is made from the rows written before.
  void writeElectronicForms() const {
    for (const Report& r : forms_) writeElectronicForm(world_, r);
  }

  int count() const { return count_; }

 private:
  // Corrections, and two reports that were never filed (version -1).
  int version(const Report& r) const {
    const bool city = r.unit->idJb == 0;
    if (r.period.year == 2013 && r.period.isQuarter() && r.period.quarter == 4 && ((city && is(r, u"NWS")) || (r.unit->idJb == 2 && is(r, u"WS"))))
      return -1;
    if (city && r.period.year == 2013 && r.period.isQuarter() && r.period.quarter == 4 && (is(r, u"D") || is(r, u"BILS"))) return 1;
    if (city && r.period.year == 2013 && r.period.isQuarter() && r.period.quarter == 2 && is(r, u"Z")) return 2;
    if (!city && r.idspraw % 13 == 0) return 1;
    return 0;
  }

  // Year-end statements of 2014 still being prepared.
  bool isOpen(const Report& r) const {
    if (r.period.year != 2014 || !isYearEnd(r)) return false;
    if (is(r, u"FJ") || is(r, u"ZS") || is(r, u"BILS")) return true;
    if (is(r, u"BILJ") && r.unit->idJb % 3 == 0) return true;
    return r.unit->idJb == 0 && is(r, u"W") && r.czast == 2;
  }

  void writeHeader(const Report& r) {
    const bool sent = r.approved && (r.period.year == 2013 || r.period.quarter == 1);
    const qint64 jst = World::kIdJst;
    r.target.insert(u"SPRAWAKT"_s, {{u"ID_JST"_s, jst}, {u"ROK"_s, r.period.rok()}, {u"OKRES"_s, r.period.code},
                                    {u"OKRES2"_s, qint64(0)}, {u"TYPSPR"_s, r.typspr}, {u"PODTYP"_s, qint64(r.podtyp)},
                                    {u"WERSJA"_s, qint64(r.wersja)}, {u"IDSPRAW"_s, qint64(r.idspraw)}, {u"DAT_SKW"_s, r.date},
                                    {u"PRZEKAZ"_s, sent ? u"T"_s : u"N"_s},
                                    {u"OBOW"_s, is(r, u"NWS") || is(r, u"WS") ? u"N"_s : u"T"_s},
                                    {u"PRZEKPUSTE"_s, r.wersja < 0 ? u"T"_s : u"N"_s}, {u"CZAST"_s, qint64(r.czast)}});
    Value remark;
    if (r.wersja > 0)
      remark = u"Korekta nr %1: zmiana klasyfikacji § 0750 → § 0770 & uzupełnienie danych <rozdz. 70005>"_s.arg(r.wersja);
    else if (r.unit->idJb == 0 && r.period.year == 2014 && isYearEnd(r) && is(r, u"Z"))
      remark = longRemark();
    else if (r.unit->idJb == 0 && isYearEnd(r))
      remark = u"Sprawozdanie sporządzone na podstawie ewidencji księgowej; kwoty w zł i gr."_s;
    const QDate stampDay = r.approved.value_or(r.date);
    const QString login = r.unit->idJb == 0 ? u"anowak"_s : u"ksiegowa.jb%1"_s.arg(r.unit->idJb);
    const QString stamp = login + u' ' + stampDay.toString(u"yyyy-MM-dd"_s) + u' ' +
                          QTime(8 + r.idspraw % 9, r.idspraw % 60, (r.idspraw * 7) % 60).toString(u"HH:mm:ss"_s);
    r.target.insert(u"SPRAWOZD"_s,
                    {{u"IDSPRAW"_s, qint64(r.idspraw)}, {u"ID_JST"_s, jst}, {u"ROK"_s, r.period.rok()},
                     {u"OKRES"_s, r.period.code}, {u"OKRES2"_s, qint64(0)}, {u"TYPSPR"_s, r.typspr},
                     {u"PODTYP"_s, qint64(r.podtyp)}, {u"WERSJA"_s, qint64(r.wersja)}, {u"DAT_SKW"_s, r.date},
                     {u"DATAROZP"_s, r.period.last.addDays(1)}, {u"DATAZAK"_s, r.approved ? Value(*r.approved) : Value()},
                     {u"UWAGI"_s, remark},
                     {u"DATAWYSLANIA"_s, sent ? Value(QDateTime(r.approved->addDays(1), QTime(9 + r.idspraw % 8, r.idspraw % 60, 0)))
                                              : Value()},
                     {u"STAMP"_s, stamp}});
  }

  static QString longRemark() {
    QString text;
    for (int i = 1; i <= 12; ++i) {
      text += u"%1. Zobowiązania z tytułu kredytu odnawialnego w rachunku bieżącym (umowa nr %2/2014) "
              u"spłacono w terminie; odsetki naliczone wg stawki WIBOR 1M + marża 0,85 p.p. & prowizja "
              u"\"od niewykorzystanej kwoty\" <0,1%>.\r\n"_s.arg(i).arg(100 + i);
    }
    return text;
  }

  void writePlan(const Report& r) {
    for (const Plan& plan : kPlans) {
      if (!is(r, plan.typspr)) continue;
      const Classification home = homeOf(r.unit->profile);
      // One plan of an own-revenue account has no part number: its report is an Rb-34s.
      const bool noPart = is(r, u"RB34") && r.unit->idJb == 2 && r.period.year == 2014 && isYearEnd(r);
      r.target.insert(u"SPRAWPLAN"_s, {{u"ID_JST"_s, qint64(World::kIdJst)}, {u"ROK"_s, r.period.rok()}, {u"OKRES2"_s, qint64(0)},
                                       {u"KWARTAL"_s, r.period.code}, {u"PODTYP"_s, qint64(r.podtyp)},
                                       {u"VAL1"_s, noPart ? u"0"_s : QString::fromUtf16(plan.val1)},
                                       {u"DZIAL"_s, plan.dzial ? QString::fromUtf16(plan.dzial) : home.dzial},
                                       {u"ROZDZIAL"_s, plan.rozdzial ? QString::fromUtf16(plan.rozdzial) : home.rozdzial}});
    }
  }

  void writeParameters(const Report& r) {
    if (!isYearEnd(r) || (r.unit->idJb > 0 && !is(r, u"D"))) return;
    const bool city = r.unit->idJb == 0;
    const QString phone = city ? u"+48 32 555 01 23"_s : u"+48 32 555 %1"_s.arg(100 + r.unit->idJb);
    const std::pair<QString, QString> parameters[] = {
        {u"Telefon"_s, phone},
        {u"Email"_s, city ? u"budzet@lomnica-zdroj.pl"_s : u"sekretariat.jb%1@lomnica-zdroj.pl"_s.arg(r.unit->idJb)},
        {u"Osoba sporządzająca"_s, city ? u"Anna Nowak"_s : u"Ewa Kowalczyk"_s}};
    for (const auto& [name, value] : parameters)
      r.target.insert(u"SPRAWOZDPARAMS"_s, {{u"IDSPRAW"_s, qint64(r.idspraw)}, {u"NAZWA"_s, name}, {u"WARTOSC"_s, value}});
  }

  void writeBody(const Report& r, Random& rng) {
    if (r.typspr.startsWith(u"BIL"_s)) {
      writeBalanceSheet(r, rng, trees_);
      return;
    }
    for (const Body& b : kBodies)
      if (is(r, b.typspr)) b.write(world_, r, rng);
  }

  RowWriter& writer_;
  const World& world_;
  const BalanceTrees& trees_;
  std::vector<Report> forms_;  // reports with an electronic form
  int nextId_ = 1001;
  int nextPodtyp_ = 1;
  int count_ = 0;
};

}  // namespace

int writeReports(RowWriter& writer, const World& world, const std::vector<Period>& periods, const BalanceTrees& trees) {
  ReportWriter reports(writer, world, trees);
  std::vector<const Unit*> filers = {&world.city};
  for (const Unit& u : world.units) filers.push_back(&u);
  for (const Period& period : periods) {
    for (const Unit* unit : filers) {
      for (const Kind& kind : kKinds) {
        if (!due(kind.every, period) || !files(kind.filer, *unit)) continue;
        // The city's quarterly expenditure report comes in two parts.
        const bool parts = unit->idJb == 0 && kind.every == Every::Quarter && QString::fromUtf16(kind.typspr) == u"W"_s;
        if (parts) {
          reports.write(*unit, period, kind, 1);
          reports.write(*unit, period, kind, 2);
        } else {
          reports.write(*unit, period, kind, 0);
        }
      }
    }
  }
  reports.writeElectronicForms();
  return reports.count();
}

}  // namespace wertalo::demo
