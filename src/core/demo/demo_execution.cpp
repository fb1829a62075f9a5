// Budget execution reports: revenue (Rb-27s), expenditure (Rb-28s, Rb-28nws), revenue of
// commissioned tasks (Rb-27ZZ) and grants for commissioned tasks (Rb-50). Rows follow the
// budget classification, with section, chapter and grand totals whose PAR is empty.
#include <QStringList>

#include "core/demo/demo_bodies.h"

namespace wertalo::demo {

using namespace Qt::StringLiterals;

namespace {

// A position of the budget classification with its planned amount for the year (złoty).
struct Paragraph {
  const char16_t* dzial;
  const char16_t* rozdzial;
  const char16_t* par;
  const char16_t* par4;
  qint64 yearly;
};

const Paragraph kCityRevenue[] = {
    {u"600", u"60015", u"069", u"0", 850'000},     {u"700", u"70005", u"075", u"0", 4'200'000},
    {u"700", u"70005", u"077", u"0", 3'100'000},   {u"756", u"75601", u"035", u"0", 95'000},
    {u"756", u"75615", u"031", u"0", 38'500'000},  {u"756", u"75615", u"034", u"0", 1'250'000},
    {u"756", u"75616", u"031", u"0", 16'400'000},  {u"756", u"75616", u"036", u"0", 820'000},
    {u"756", u"75618", u"041", u"0", 1'900'000},   {u"756", u"75621", u"001", u"0", 96'000'000},
    {u"756", u"75621", u"002", u"0", 7'400'000},   {u"758", u"75801", u"292", u"0", 71'500'000},
    {u"758", u"75832", u"292", u"0", 12'300'000},  {u"801", u"80101", u"083", u"0", 310'000},
    {u"852", u"85203", u"201", u"0", 640'000},     {u"852", u"85219", u"092", u"0", 0},
    {u"900", u"90002", u"097", u"0", 0},
};
const Paragraph kUnitRevenue[] = {
    {nullptr, nullptr, u"069", u"0", 30'000}, {nullptr, nullptr, u"083", u"0", 120'000},
    {nullptr, nullptr, u"092", u"0", 2'000},  {nullptr, nullptr, u"097", u"0", 5'000},
};
const Paragraph kCityExpenditure[] = {
    {u"600", u"60015", u"430", u"0", 6'200'000},   {u"600", u"60015", u"605", u"7", 18'000'000},
    {u"750", u"75023", u"401", u"0", 14'800'000},  {u"750", u"75023", u"404", u"0", 1'150'000},
    {u"750", u"75023", u"411", u"0", 2'500'000},   {u"750", u"75023", u"412", u"0", 360'000},
    {u"750", u"75023", u"426", u"0", 780'000},     {u"757", u"75702", u"811", u"0", 3'900'000},
    {u"801", u"80101", u"401", u"0", 41'000'000},  {u"801", u"80101", u"411", u"0", 7'100'000},
    {u"801", u"80101", u"444", u"0", 2'300'000},   {u"852", u"85219", u"401", u"0", 5'600'000},
    {u"900", u"90015", u"426", u"0", 2'750'000},   {u"900", u"90015", u"605", u"0", 0},
};
const Paragraph kUnitExpenditure[] = {
    {nullptr, nullptr, u"401", u"0", 2'000'000}, {nullptr, nullptr, u"404", u"0", 150'000},
    {nullptr, nullptr, u"411", u"0", 350'000},   {nullptr, nullptr, u"412", u"0", 50'000},
    {nullptr, nullptr, u"421", u"0", 120'000},   {nullptr, nullptr, u"426", u"0", 90'000},
    {nullptr, nullptr, u"430", u"0", 180'000},   {nullptr, nullptr, u"444", u"0", 60'000},
    {nullptr, nullptr, u"605", u"0", 500'000},
};

// One row of a report table: its classification, amounts by column and a remark.
struct Line {
  QString dzial;
  QString rozdzial;
  QString par;
  QString par4;
  std::vector<std::pair<QString, qint64>> amounts;
  Value remark;
};

QString str(const char16_t* s) { return s ? QString::fromUtf16(s) : QString(); }

// The report's paragraphs: the city's own list, or the unit's list in its home chapter.
template <size_t N, size_t M>
std::vector<Paragraph> paragraphsOf(const Report& report, const Paragraph (&city)[N], const Paragraph (&unit)[M]) {
  if (!report.target.isBudgetUnit()) return std::vector<Paragraph>(std::begin(city), std::end(city));
  return std::vector<Paragraph>(std::begin(unit), std::end(unit));
}

Line lineOf(const Report& report, const Paragraph& p) {
  const Classification home = homeOf(report.unit->profile);
  Line line;
  line.dzial = p.dzial ? str(p.dzial) : home.dzial;
  line.rozdzial = p.rozdzial ? str(p.rozdzial) : home.rozdzial;
  line.par = str(p.par);
  line.par4 = str(p.par4);
  return line;
}

qint64 plannedUnits(const Report& report, const Paragraph& p) {
  return p.yearly * 10000 / 100 * report.unit->scale;
}

qint64 part(qint64 value, qint64 percent) { return value / 100 * percent / 100 * 100; }

// Writes the lines with a total row before each section and chapter and a grand total at
// the end (their PAR is empty). `leading` columns come first in every row.
void writeLines(const Report& report, const QString& table, const QString& par4Column, const Fields& leading,
                const std::vector<Line>& lines, bool totals) {
  auto write = [&](const QString& dzial, const QString& rozdzial, const QString& par, const QString& par4,
                   const std::vector<std::pair<QString, qint64>>& amounts, const Value& remark) {
    Fields row = leading;
    row.push_back({u"DZIAL"_s, dzial});
    row.push_back({u"ROZDZIAL"_s, rozdzial});
    row.push_back({u"PAR"_s, par});
    row.push_back({par4Column, par4});
    for (const auto& [column, value] : amounts) row.push_back({column, units(value)});
    row.push_back({u"UWAGI"_s, remark});
    report.target.insert(table, row);
  };
  auto sum = [&](auto predicate) {
    std::vector<std::pair<QString, qint64>> total = lines.front().amounts;
    for (auto& t : total) t.second = 0;
    for (const Line& l : lines)
      if (predicate(l))
        for (size_t i = 0; i < total.size(); ++i) total[i].second += l.amounts[i].second;
    return total;
  };
  if (lines.empty()) return;
  QString dzial;
  QString rozdzial;
  for (const Line& l : lines) {
    if (totals && l.dzial != dzial) {
      dzial = l.dzial;
      write(dzial, u""_s, u""_s, u""_s, sum([&](const Line& x) { return x.dzial == dzial; }), Value());
    }
    if (totals && (l.rozdzial != rozdzial)) {
      rozdzial = l.rozdzial;
      write(dzial, rozdzial, u""_s, u""_s,
            sum([&](const Line& x) { return x.dzial == dzial && x.rozdzial == rozdzial; }), Value());
    }
    write(l.dzial, l.rozdzial, l.par, l.par4, l.amounts, l.remark);
  }
  if (totals) write(u""_s, u""_s, u""_s, u""_s, sum([](const Line&) { return true; }), u"Ogółem"_s);
}

Fields idspraw(const Report& report) { return {{u"IDSPRAW"_s, qint64(report.idspraw)}}; }

bool isTax(const QString& par) { return par == u"031"_s || par == u"032"_s || par == u"034"_s || par == u"035"_s; }

}  // namespace

void writeRb27s(const World&, const Report& report, Random& rng) {
  std::vector<Line> lines;
  for (const Paragraph& p : paragraphsOf(report, kCityRevenue, kUnitRevenue)) {
    Line line = lineOf(report, p);
    const qint64 plan = plannedUnits(report, p);
    qint64 done = executedPart(plan, report.period, rng.range(90, 105));
    const bool tax = isTax(line.par);
    const qint64 arrears = part(done, tax ? rng.range(3, 8) : rng.range(0, 2));
    qint64 overpaid = tax ? part(done, 1) / 3 : 0;
    if (line.par == u"092"_s && plan > 0) {
      // Interest is booked to the ten-thousandth of a złoty.
      done = 12345650;
      overpaid = 50;
    }
    if (line.par == u"097"_s && plan == 0) done = -1234567;  // refunds larger than receipts
    line.amounts = {{u"R1"_s, plan},
                    {u"R2"_s, done + arrears},
                    {u"R3"_s, line.par == u"075"_s ? part(done, 2) : 0},
                    {u"R4"_s, done},
                    {u"R9"_s, done},
                    {u"R10"_s, tax ? part(arrears, 10) : 0},
                    {u"R5"_s, arrears},
                    {u"R6"_s, overpaid},
                    {u"R7"_s, tax ? part(plan, 4) : 0},
                    {u"R8"_s, tax ? part(plan, 1) : 0},
                    {u"R11Z"_s, tax ? part(arrears, 5) : 0},
                    {u"R11R"_s, tax ? part(arrears, 3) : 0}};
    if (tax && line.rozdzial == u"75615"_s) line.remark = u"Zaległości objęte tytułami wykonawczymi & hipoteką przymusową"_s;
    if (line.par == u"097"_s) line.remark = u"Zwrot nienależnie pobranych opłat <decyzja SKO> \"korekta\""_s;
    lines.push_back(line);
  }
  writeLines(report, u"D2"_s, u"Par4"_s, idspraw(report), lines, true);
}

void writeRb28s(const World&, const Report& report, Random& rng) {
  std::vector<Line> lines;
  const bool yearEnd = report.period.isQuarter() && report.period.quarter == 4;
  for (const Paragraph& p : paragraphsOf(report, kCityExpenditure, kUnitExpenditure)) {
    Line line = lineOf(report, p);
    const qint64 plan = plannedUnits(report, p);
    const qint64 done = executedPart(plan, report.period, rng.range(80, 100));
    const bool investment = line.par == u"605"_s;
    line.amounts = {{u"R1"_s, plan},
                    {u"R10"_s, done + part(plan - done, rng.range(30, 60))},
                    {u"R4"_s, done},
                    {u"R11"_s, part(done, rng.range(3, 9))},
                    {u"R9"_s, investment && yearEnd ? part(plan, rng.range(10, 20)) : 0},
                    {u"R12U"_s, line.par == u"430"_s ? part(done, 1) : 0},
                    {u"R12B"_s, 0},
                    {u"R14"_s, line.par == u"421"_s && report.target.isBudgetUnit() ? part(done, 5) : 0}};
    if (investment) line.remark = u"Przebudowa ul. Źródlanej – etap II (umowa ZP/41/2013)"_s;
    lines.push_back(line);
  }
  writeLines(report, u"W2"_s, u"Par4"_s, idspraw(report), lines, true);
}

void writeRb28nws(const World&, const Report& report, Random& rng) {
  std::vector<Line> lines;
  const Classification home = homeOf(report.unit->profile);
  const char16_t* const names[][3] = {{u"600", u"60015", u"605"}, {u"900", u"90015", u"605"}, {u"801", u"80101", u"606"}};
  for (const auto& n : names) {
    Line line;
    line.dzial = report.target.isBudgetUnit() ? home.dzial : str(n[0]);
    line.rozdzial = report.target.isBudgetUnit() ? home.rozdzial : str(n[1]);
    line.par = str(n[2]);
    line.par4 = u"0"_s;
    const qint64 plan = randomAmount(rng, *report.unit, 20'000, 900'000).units;
    line.amounts = {{u"R1"_s, plan}, {u"R4"_s, part(plan, rng.range(60, 100))}};
    line.remark = u"Termin realizacji: 30 czerwca następnego roku"_s;
    lines.push_back(line);
  }
  writeLines(report, u"NWS"_s, u"Par4"_s, idspraw(report), lines, true);
}

void writeRb27zz(const World&, const Report& report, Random& rng) {
  const char16_t* const names[][3] = {
      {u"700", u"70005", u"075"}, {u"700", u"70005", u"077"}, {u"750", u"75011", u"069"},
      {u"852", u"85212", u"098"}, {u"853", u"85321", u"083"}};
  std::vector<Line> lines;
  for (const auto& n : names) {
    // A budget unit collects only the rents and fees of its own office.
    if (report.target.isBudgetUnit() && str(n[0]) != u"700"_s && str(n[1]) != u"75011"_s) continue;
    Line line;
    line.dzial = str(n[0]);
    line.rozdzial = str(n[1]);
    line.par = str(n[2]);
    line.par4 = u"0"_s;
    const qint64 plan = randomAmount(rng, *report.unit, 5'000, 600'000).units;
    const qint64 done = executedPart(plan, report.period, rng.range(85, 110));
    const qint64 arrears = part(done, rng.range(0, 12));
    line.amounts = {{u"R1"_s, plan},
                    {u"R2"_s, done + arrears},
                    {u"R4"_s, done},
                    {u"R11"_s, part(done, 5)},
                    {u"R12"_s, part(done, 95)},
                    {u"R10"_s, part(arrears, 20)},
                    {u"R5"_s, arrears},
                    {u"R6"_s, line.par == u"098"_s ? part(done, 1) : 0}};
    if (line.par == u"098"_s) line.remark = u"Zwroty świadczeń z funduszu alimentacyjnego – dłużnicy alimentacyjni"_s;
    lines.push_back(line);
  }
  writeLines(report, u"RBZZ"_s, u"PAR4"_s, {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"STATUS"_s, u"0"_s}}, lines, true);
  // A row of an earlier state of the report, which the export leaves out.
  Line old = lines.front();
  old.remark = u"Stan sprzed korekty"_s;
  writeLines(report, u"RBZZ"_s, u"PAR4"_s, {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"STATUS"_s, u"1"_s}}, {old}, false);

  // Receivables A and B by chapter; a chapter may have several rows.
  const char16_t* const chapters[] = {u"70005", u"75011", u"85212", u"85212", u"85321"};
  for (const char16_t* du : {u"A", u"B"}) {
    int k = 0;
    for (const char16_t* chapter : chapters) {
      if (report.target.isBudgetUnit() && k >= 3) break;
      const bool empty = QString::fromUtf16(du) == u"B"_s && k == 2;  // a chapter whose sums are zero
      auto amount = [&] { return empty ? units(0) : randomAmount(rng, *report.unit, 100, 90'000); };
      report.target.insert(u"RBZZDU"_s, {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"DU"_s, str(du)}, {u"STATUS"_s, u"0"_s},
                                         {u"ROZDZIAL"_s, str(chapter)}, {u"R2"_s, amount()}, {u"R5"_s, amount()},
                                         {u"R6"_s, amount()}});
      ++k;
    }
    report.target.insert(u"RBZZDU"_s, {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"DU"_s, str(du)}, {u"STATUS"_s, u"1"_s},
                                       {u"ROZDZIAL"_s, u"70005"_s}, {u"R2"_s, zl(999)}, {u"R5"_s, zl(999)}, {u"R6"_s, zl(1)}});
  }
}

void writeRb50(const World&, const Report& report, Random& rng) {
  struct Task {
    const char16_t* kodn;
    const char16_t* symbol;
    const char16_t* dzial;
    const char16_t* rozdzial;
    const char16_t* par;
  };
  // Municipal ("G") and county ("P") tasks of a city with county rights.
  const Task tasks[] = {
      {u"G", u"D", u"750", u"75011", u"201"}, {u"G", u"D", u"852", u"85212", u"201"}, {u"G", u"D", u"852", u"85213", u"201"},
      {u"G", u"W", u"750", u"75011", u"401"}, {u"G", u"W", u"750", u"75011", u"411"}, {u"G", u"W", u"852", u"85212", u"311"},
      {u"G", u"W", u"852", u"85213", u"413"}, {u"G", u"A", u"852", u"85212", u"311"}, {u"G", u"B", u"750", u"75011", u"605"},
      {u"P", u"D", u"710", u"71015", u"201"}, {u"P", u"D", u"754", u"75411", u"201"}, {u"P", u"D", u"853", u"85321", u"201"},
      {u"P", u"W", u"710", u"71015", u"401"}, {u"P", u"W", u"754", u"75411", u"405"}, {u"P", u"W", u"853", u"85321", u"430"},
      {u"P", u"A", u"754", u"75411", u"405"}, {u"P", u"B", u"754", u"75411", u"605"},
  };
  for (const Task& t : tasks) {
    // A budget unit reports only the tasks of its own field, always some municipal ones.
    if (report.target.isBudgetUnit() && QString::fromUtf16(t.kodn) == u"P"_s && report.unit->profile != Profile::Office) continue;
    const qint64 plan = randomAmount(rng, *report.unit, 10'000, 2'000'000).units;
    const qint64 done = executedPart(plan, report.period, rng.range(85, 100));
    Fields row = {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"SYMBOL"_s, str(t.symbol)}, {u"KODN"_s, str(t.kodn)},
                  {u"DZIAL"_s, str(t.dzial)}, {u"ROZDZIAL"_s, str(t.rozdzial)}, {u"PAR"_s, str(t.par)},
                  {u"PAR4"_s, u"0"_s}, {u"KW1"_s, units(plan)}, {u"KW2"_s, units(done)},
                  {u"UWAGI"_s, QString::fromUtf16(t.par) == u"311"_s ? Value(u"Świadczenia rodzinne & zaliczka alimentacyjna"_s)
                                                                   : Value(u""_s)}};
    report.target.insert(u"RB50"_s, row);
  }
  // A chapter total and a line without amounts, both left out of the export.
  for (const char16_t* symbol : {u"D", u"W"}) {
    if (report.target.isBudgetUnit() && QString::fromUtf16(symbol) == u"D"_s) continue;
    report.target.insert(u"RB50"_s, {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"SYMBOL"_s, str(symbol)}, {u"KODN"_s, u"G"_s},
                                     {u"DZIAL"_s, u"750"_s}, {u"ROZDZIAL"_s, u"75011"_s}, {u"PAR"_s, u""_s}, {u"PAR4"_s, u""_s},
                                     {u"KW1"_s, zl(250'000)}, {u"KW2"_s, zl(187'500)}, {u"UWAGI"_s, u"Razem rozdział"_s}});
    report.target.insert(u"RB50"_s, {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"SYMBOL"_s, str(symbol)}, {u"KODN"_s, u"G"_s},
                                     {u"DZIAL"_s, u"750"_s}, {u"ROZDZIAL"_s, u"75011"_s}, {u"PAR"_s, u"421"_s}, {u"PAR4"_s, u"0"_s},
                                     {u"KW1"_s, units(0)}, {u"KW2"_s, units(0)}, {u"UWAGI"_s, Value()}});
  }
}

}  // namespace wertalo::demo
