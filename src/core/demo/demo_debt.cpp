// Receivables and liabilities: Rb-N, Rb-Z, Rb-UN, Rb-UZ, Rb-ZN and the state of funds Rb-ST.
// Amounts are broken down by creditor or debtor sector: domestic (KO) split into eleven
// sectors, foreign (ZO) into two; totals are the sums of their positions.
#include <QStringList>

#include "core/demo/demo_bodies.h"

namespace wertalo::demo {

using namespace Qt::StringLiterals;

namespace {

// Columns of one sector breakdown, in the order of the tables: total, domestic, eleven
// domestic sectors, foreign, two foreign sectors.
const QStringList kSectorSuffixes = {u""_s,   u"KO"_s, u"KF"_s, u"KR"_s, u"KP"_s, u"KS"_s, u"KU"_s, u"KC"_s,
                                     u"KK"_s, u"KI"_s, u"KB"_s, u"KG"_s, u"KD"_s, u"ZO"_s, u"ZZ"_s, u"ZF"_s};
// The same breakdown in the receivables tables (total in K_0).
const QStringList kReceivableColumns = {u"K_0"_s, u"KO"_s, u"KF"_s, u"KR"_s, u"KP"_s, u"KS"_s, u"KU"_s, u"KC"_s,
                                        u"KK"_s,  u"KI"_s, u"KB"_s, u"KG"_s, u"KD"_s, u"ZO"_s, u"ZZ"_s, u"ZF"_s};
using Breakdown = std::vector<qint64>;

// Splits `total` (ten-thousandths) into `parts` amounts of whole grosze.
std::vector<qint64> split(Random& rng, qint64 total, int parts) {
  std::vector<qint64> out(static_cast<size_t>(parts), 0);
  qint64 rest = total / 100;
  for (int i = 0; i < parts - 1 && rest != 0; ++i) {
    const qint64 share = rng.chance(35) ? 0 : rest / 100 * rng.range(0, 60);
    out[static_cast<size_t>(i)] = share * 100;
    rest -= share;
  }
  out.back() += rest * 100;
  return out;
}

Breakdown breakdown(Random& rng, qint64 total, int foreignPercent) {
  const qint64 foreign = total / 10000 * foreignPercent * 100;
  const qint64 domestic = total - foreign;
  Breakdown b = {total, domestic};
  for (qint64 v : split(rng, domestic, 11)) b.push_back(v);
  b.push_back(foreign);
  for (qint64 v : split(rng, foreign, 2)) b.push_back(v);
  return b;
}

Breakdown plus(const Breakdown& a, const Breakdown& b) {
  Breakdown out = a;
  for (size_t i = 0; i < out.size(); ++i) out[i] += b[i];
  return out;
}

qint64 amount(Random& rng, const Report& report, qint64 lo, qint64 hi) { return randomAmount(rng, *report.unit, lo, hi).units; }

struct Named {
  const char16_t* name;
  int parent;  // index of the position it adds up to, -1 for none
};

// Writes rows named by position, their amounts broken down, parents summed from their children.
void writeNamed(const Report& report, Random& rng, const QString& table, const Named* positions, int count,
                const std::vector<int>& order, int firstId, qint64 hi, int foreignPercent, bool withId) {
  std::vector<Breakdown> values(static_cast<size_t>(count), Breakdown(16, 0));
  std::vector<bool> parent(static_cast<size_t>(count), false);
  for (int i = 0; i < count; ++i)
    if (positions[i].parent >= 0) parent[static_cast<size_t>(positions[i].parent)] = true;
  for (int i = 0; i < count; ++i)
    if (!parent[static_cast<size_t>(i)] && !rng.chance(20))
      values[static_cast<size_t>(i)] = breakdown(rng, amount(rng, report, 0, hi), foreignPercent);
  for (int i = count - 1; i >= 0; --i)
    if (positions[i].parent >= 0)
      values[static_cast<size_t>(positions[i].parent)] = plus(values[static_cast<size_t>(positions[i].parent)], values[static_cast<size_t>(i)]);
  const QStringList remarks = {u"Należności sporne skierowane na drogę sądową"_s, u""_s,
                               u"Stan wg ksiąg na koniec okresu & potwierdzenia sald <2014>"_s, u""_s};
  for (int i : order) {
    Fields row = {{u"IDSPRAW"_s, qint64(report.idspraw)}};
    if (withId) row.push_back({u"ID_S_SPRPO"_s, qint64(firstId + i)});
    row.push_back({u"NAZWA"_s, QString::fromUtf16(positions[i].name)});
    for (int k = 0; k < 16; ++k) row.push_back({kReceivableColumns.at(k), units(values[static_cast<size_t>(i)][static_cast<size_t>(k)])});
    row.push_back({u"UWAGI"_s, remarks.at(i % remarks.size())});
    report.target.insert(table, row);
  }
}

const Named kRbN[] = {
    {u"N1. Gotówka i depozyty", -1},
    {u"N1.1. gotówka", 0},
    {u"N1.2 depozyty na żądanie i terminowe", 0},
    {u"N2. Papiery wartościowe (bez akcji i udziałów)", -1},
    {u"N2.1. krótkoterminowe", 3},
    {u"N2.2. długoterminowe", 3},
    {u"N3. Pożyczki", -1},
    {u"N3.1. krótkoterminowe", 6},
    {u"N3.2. długoterminowe", 6},
    {u"N3.3 w tym udzielone na finansowanie programów i projektów UE", -1},
    {u"N4 Należności wymagalne", -1},
    {u"N4.1. z tytułu dostaw towarów i usług", 10},
    {u"N4.2. pozostałe", 10},
    {u"N.5. Pozostałe należności", -1},
    {u"N5.1. z tytułu podatków i składek na ubezpieczenia społeczne", 13},
    {u"N5.2 z tytułu dostaw towarów i usług", 13},
    {u"N5.3. pozostałe", 13},
    {u"Razem należności (N1+N2+N3+N4+N.5)", -1},
};

const Named kRbZN[] = {
    {u"E2. Kredyty i pożyczki", -1},
    {u"E2.1. krótkoterminowe", 0},
    {u"E2.2. długoterminowe", 0},
    {u"E4. Wymagalne zobowiązania", -1},
    {u"E4.1. z tytułu dostaw towarów i usług", 3},
    {u"E4.2. pozostałe", 3},
    {u"N3 Pożyczki", -1},
    {u"N3.1 krótkoterminowe", 6},
    {u"N3.2 długoterminowe", 6},
    {u"N3.3 w tym na finansowanie programów UE", -1},
    {u"N4 Należności wymagalne", -1},
    {u"N4.1 z tytułu dostaw towarów i usług", 10},
    {u"N4.2 pozostałe", 10},
    {u"N5 Pozostałe należności", -1},
    {u"N5.1 z tytułu podatków i składek", 13},
    {u"N5.2 z tytułu dostaw towarów i usług", 13},
    {u"N5.3 pozostałe", 13},
};

}  // namespace

void writeRbN(const World&, const Report& report, Random& rng) {
  // The product keeps the positions in its own order, not in the order of the report.
  const std::vector<int> order = {10, 11, 12, 0, 1, 2, 13, 14, 15, 16, 3, 4, 5, 6, 7, 8, 9, 17};
  writeNamed(report, rng, u"N21"_s, kRbN, int(std::size(kRbN)), order, 2101, 400'000, 2, true);

  // Sureties are granted by the city and its office; the other units' reports have none.
  if (report.target.isBudgetUnit() && report.unit->profile != Profile::Office) return;
  const char16_t* const sureties[] = {
      u"B1. Poręczenia i gwarancje udzielone jednostkom sektora finansów publicznych",
      u"B2. Poręczenia i gwarancje udzielone przedsiębiorstwom",
      u"B3 Poręczenia i gwarancje udzielone pozostałym podmiotom krajowym",
      u"B4. Poręczenia i gwarancje udzielone podmiotom zagranicznym"};
  int id = 2201;
  for (const char16_t* name : sureties) {
    const std::vector<qint64> parts = split(rng, amount(rng, report, 0, 300'000), 6);
    qint64 total = 0;
    for (qint64 p : parts) total += p;
    Fields row = {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"ID_S_SPRPO"_s, qint64(id++)}, {u"NAZWA"_s, QString::fromUtf16(name)},
                  {u"K_0"_s, units(total)}};
    const QStringList columns = {u"F"_s, u"R"_s, u"P"_s, u"S"_s, u"U"_s, u"Z"_s};
    for (int k = 0; k < 6; ++k) row.push_back({columns.at(k), units(parts[static_cast<size_t>(k)])});
    row.push_back({u"UWAGI"_s, id % 2 == 0 ? u"Poręczenie spłaty kredytu \"MPK\" sp. z o.o."_s : u""_s});
    report.target.insert(u"N21B"_s, row);
  }
}

void writeRbZN(const World&, const Report& report, Random& rng) {
  std::vector<int> order;
  for (int i = 0; i < int(std::size(kRbZN)); ++i) order.push_back(i);
  writeNamed(report, rng, u"ZN2"_s, kRbZN, int(std::size(kRbZN)), order, 0, 250'000, 0, false);
  report.target.insert(u"ZN2"_s, {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"NAZWA"_s, u"Ogółem zobowiązania i należności"_s},
                                  {u"K_0"_s, units(0)}, {u"UWAGI"_s, u""_s}});
}

void writeRbZ(const World& world, const Report& report, Random& rng) {
  const bool city = !report.target.isBudgetUnit();
  // Debt titles: securities, credits and loans, deposits, liabilities due.
  auto leaf = [&](qint64 hi, int foreign) { return breakdown(rng, amount(rng, report, 0, hi), foreign); };
  const Breakdown e11 = leaf(city ? 2'000'000 : 0, 0);
  const Breakdown e12 = leaf(city ? 25'000'000 : 0, 0);
  const Breakdown e21 = leaf(city ? 6'000'000 : 20'000, 0);
  const Breakdown e22 = leaf(city ? 90'000'000 : 0, city ? 18 : 0);
  const Breakdown e3 = leaf(city ? 400'000 : 15'000, 0);
  const Breakdown e41 = leaf(60'000, 0);
  const Breakdown e42 = leaf(25'000, 3);
  const Breakdown e1 = plus(e11, e12);
  const Breakdown e2 = plus(e21, e22);
  const Breakdown e4 = plus(e41, e42);
  const Breakdown e = plus(plus(e1, e2), plus(e3, e4));
  const std::vector<std::pair<QString, const Breakdown*>> titles = {
      {u"E"_s, &e},     {u"E1"_s, &e1},   {u"E11"_s, &e11}, {u"E12"_s, &e12}, {u"E2"_s, &e2},   {u"E21"_s, &e21},
      {u"E22"_s, &e22}, {u"E3"_s, &e3},   {u"E4"_s, &e4},   {u"E41"_s, &e41}, {u"E42"_s, &e42}};
  Fields z2 = {{u"IDSPRAW"_s, qint64(report.idspraw)}};
  for (const auto& [symbol, values] : titles)
    for (int k = 0; k < 16; ++k) z2.push_back({symbol + kSectorSuffixes.at(k), units((*values)[static_cast<size_t>(k)])});
  // Sureties and guarantees by beneficiary sector.
  for (const QString& stem : {u"F2"_s, u"F8"_s, u"F12"_s}) {
    const std::vector<qint64> parts = split(rng, amount(rng, report, 0, city ? 3'000'000 : 50'000), 6);
    qint64 total = 0;
    for (qint64 p : parts) total += p;
    z2.push_back({stem, units(total)});
    const QStringList suffixes = {u"F"_s, u"R"_s, u"P"_s, u"S"_s, u"U"_s, u"I"_s};
    for (int k = 0; k < 6; ++k) z2.push_back({stem + suffixes.at(k), units(parts[static_cast<size_t>(k)])});
  }
  z2.push_back({u"UWAGI"_s, city ? Value(u"Zadłużenie z tytułu kredytu w Europejskim Banku Inwestycyjnym & obligacji "
                                         u"komunalnych serii A/2012 <wykup w latach 2016–2022>.\r\nRelacja z art. 243 "
                                         u"ustawy o finansach publicznych zachowana."_s)
                                 : Value(u"Zobowiązania wymagalne uregulowano w styczniu."_s)});
  report.target.insert(u"Z2"_s, z2);

  // Credits and loans, supplementary data, short-term liabilities; a second row with interest
  // only. Of the budget units only the office pays interest; the others' reports have no row.
  const QStringList kp = {u"KPB"_s,   u"KPBD"_s,  u"KPI"_s,   u"KPID"_s,  u"KPI1"_s,  u"KPI1D"_s, u"KP_C1"_s, u"KP_C2"_s, u"KP_C3"_s,
                          u"KP_C4"_s, u"KP_C5"_s, u"KP_C6"_s, u"KP_C7"_s, u"KP_D1"_s, u"KP_D2"_s, u"KPB2"_s,  u"KPB2D"_s, u"KPI2"_s};
  const int kpRows = city ? 2 : report.unit->profile == Profile::Office ? 1 : 0;
  for (int r = 0; r < kpRows; ++r) {
    Fields row = {{u"IDSPRAW"_s, qint64(report.idspraw)}};
    for (const QString& column : kp) {
      const bool interest = column == u"KPB2"_s || column == u"KPB2D"_s || column == u"KPI2"_s;
      const bool filled = city ? (r == 0 || interest) : interest;
      row.push_back({column, units(filled ? amount(rng, report, 1'000, city ? 4'000'000 : 2'000) : 0)});
    }
    report.target.insert(u"z2KP"_s, row);
  }

  // Concluded agreements: a credit, a loan, an agreement without amounts, one without dates.
  struct Agreement {
    qint64 a;
    qint64 b;
    bool aDates;
    bool bDates;
  };
  const Agreement agreements[] = {{city ? 5'000'000 : 180'000, 0, true, false},
                                  {0, city ? 2'000'000 : 40'000, false, true},
                                  {0, 0, true, true},
                                  {5, 0, false, false}};
  qint64 lp = 1;
  for (const Agreement& a : agreements) {
    const QDate signedOn = report.period.first.addDays(17 + lp);
    auto date = [&](bool set, int months) { return set ? Value(signedOn.addMonths(months)) : Value(); };
    report.target.insert(u"z2ZB"_s, {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"LP"_s, lp++}, {u"ZBAN"_s, zl(a.a)},
                                     {u"ZBAP"_s, date(a.aDates, 0)}, {u"ZBAS"_s, date(a.aDates, 12)}, {u"ZBAZ"_s, date(a.aDates, 120)},
                                     {u"ZBBN"_s, zl(a.b)}, {u"ZBBP"_s, date(a.bDates, 0)}, {u"ZBBS"_s, date(a.bDates, 6)},
                                     {u"ZBBZ"_s, date(a.bDates, 60)}});
  }

  // The units the report covers: all budget units for the city, the unit itself otherwise.
  qint64 n = 1;
  for (const Unit& u : world.units) {
    if (report.target.isBudgetUnit() && u.idJb != report.unit->idJb) continue;
    report.target.insert(u"Z2JEDNOSTKI"_s, {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"LP"_s, n++}, {u"JBREGON"_s, u.regon},
                                            {u"JBREGON_2"_s, u.regon2}, {u"URZAD"_s, u.name}});
  }
}

void writeRbUN(const World&, const Report& report, Random& rng) {
  const Breakdown b = breakdown(rng, amount(rng, report, 10'000, 800'000), 1);
  for (int k = 0; k < 16; ++k) {
    Fields row = {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"KOD"_s, u"A"_s + QString::number(k + 2).rightJustified(2, u'0')},
                  {u"KWOTA1"_s, units(b[static_cast<size_t>(k)])}};
    // Further columns: the part due and its structure.
    for (int c = 2; c <= 7; ++c) row.push_back({u"KWOTA"_s + QString::number(c), units(b[static_cast<size_t>(k)] / 1000 * (8 - c) * 10)});
    row.push_back({u"UWAGI"_s, k == 0 ? u"Należności ogółem wg ewidencji; w tym sporne & przedawnione"_s : k == 13 ? u"Należności od <podmiotów zagranicznych>"_s : u""_s});
    report.target.insert(u"UN"_s, row);
  }
}

void writeRbUZ(const World&, const Report& report, Random& rng) {
  const Breakdown b = breakdown(rng, amount(rng, report, 5'000, 1'200'000), 4);
  auto row = [&](const QString& code, const std::vector<qint64>& amounts, const QString& remark) {
    Fields r = {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"KOD"_s, code}};
    for (int c = 1; c <= 7; ++c)
      r.push_back({u"KWOTA"_s + QString::number(c), units(c <= int(amounts.size()) ? amounts[static_cast<size_t>(c - 1)] : 0)});
    r.push_back({u"UWAGI"_s, remark});
    report.target.insert(u"UZ"_s, r);
  };
  for (int k = 0; k < 16; ++k)
    row(u"A"_s + QString::number(k + 2).rightJustified(2, u'0'), {b[static_cast<size_t>(k)]},
        k == 0 ? u"Zobowiązania według tytułów dłużnych"_s : u""_s);
  // Currency structure: total, then złoty, euro, dollars, francs, other currencies.
  for (int k = 2; k <= 6; ++k) {
    const std::vector<qint64> parts = split(rng, b[0] / 10 * (k == 2 ? 10 : 2), 5);
    std::vector<qint64> amounts = {0};
    for (qint64 p : parts) {
      amounts.push_back(p);
      amounts[0] += p;
    }
    amounts.push_back(parts.back() / 2);
    row(u"B0"_s + QString::number(k), amounts, k == 3 ? u"Kurs NBP z ostatniego dnia okresu"_s : u""_s);
  }
  // Maturity structure, four sections; not every line has a row.
  for (int section = 1; section <= 4; ++section) {
    for (int line : {1, 5, 13}) {
      const QString code = u"C"_s + QString::number(section) + QString::number(line).rightJustified(2, u'0');
      row(code, split(rng, amount(rng, report, 0, 200'000), 4), u""_s);
    }
  }
}

void writeRbST(const World&, const Report& report, Random& rng) {
  report.target.insert(u"RBST"_s, {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"ROK"_s, report.period.rok()},
                                   {u"RJST"_s, units(amount(rng, report, 1'000'000, 40'000'000))},
                                   {u"RN"_s, units(amount(rng, report, 0, 900'000))},
                                   {u"RD"_s, units(amount(rng, report, 0, 2'500'000))},
                                   {u"RR"_s, units(amount(rng, report, 0, 300'000))},
                                   {u"RFP"_s, units(amount(rng, report, 0, 150'000))},
                                   {u"UWAGI"_s, u"Stan środków na rachunkach budżetu na dzień 31 grudnia; środki "
                                                u"\"niewygasające\" na wyodrębnionym rachunku & lokaty <overnight>."_s}});
}

}  // namespace wertalo::demo
