// Financial plan reports (Rb-30s, Rb-31, Rb-33, Rb-34): one table per report whose rows carry
// a one-letter section code (KOD): revenue positions G, cost positions M, summary lines by
// code and paragraph, state W, financing U, cash settlement Z, result settlement S/Q/R,
// profit distribution T, receivables X and liabilities Y.
#include "core/demo/demo_bodies.h"

namespace wertalo::demo {

using namespace Qt::StringLiterals;

namespace {

// Writes the rows of one plan report.
class PlanRows {
 public:
  PlanRows(const Report& report, Random& rng, const QString& table, bool withR5, bool withClassification)
      : report_(report), rng_(rng), table_(table), withR5_(withR5), withClassification_(withClassification) {}

  // One row; the amounts are random within the bound (whole złoty).
  void add(const char16_t* kod, const QString& par, const QString& par4, qint64 hi, const Value& remark = Value()) {
    const qint64 plan = randomAmount(rng_, *report_.unit, 0, hi).units;
    const qint64 done = executedPart(plan, report_.period, rng_.range(85, 105));
    Fields row = {{u"IDSPRAW"_s, qint64(report_.idspraw)}, {u"KOD"_s, QString::fromUtf16(kod)}, {u"PAR"_s, par}, {u"PAR4"_s, par4}};
    if (withClassification_) {
      const Classification home = homeOf(report_.unit->profile);
      row.push_back({u"DZIAL"_s, home.dzial});
      row.push_back({u"ROZDZIAL"_s, home.rozdzial});
    }
    row.push_back({u"R1"_s, units(plan)});
    row.push_back({u"R4"_s, units(done)});
    if (withR5_) row.push_back({u"R5"_s, units(done / 1000 * rng_.range(0, 80) * 10)});
    row.push_back({u"UWAGI"_s, remark});
    report_.target.insert(table_, row);
  }
  // Revenue (G) and cost (M) positions by paragraph.
  void positions(qint64 hi) {
    // A budget unit's plan has fewer paragraphs than the city's.
    const bool unit = report_.target.isBudgetUnit();
    for (const QString& par : {u"083"_s, u"092"_s, u"097"_s, u"231"_s}) {
      if (unit && (par == u"092"_s || par == u"231"_s)) continue;
      add(u"G", par, u"0"_s, hi, par == u"097"_s ? Value(u"Wpływy z różnych dochodów & refundacje <PUP>"_s) : Value());
    }
    for (const QString& par : {u"401"_s, u"411"_s, u"421"_s, u"426"_s, u"430"_s}) {
      if (unit && (par == u"421"_s || par == u"426"_s)) continue;
      add(u"M", par, u"0"_s, hi, par == u"430"_s ? Value(u"Usługi remontowe – \"Żwirek\" sp.j."_s) : Value());
    }
  }
  // Rows by code and paragraph; a paragraph "0" stands for a line without one.
  void lines(const char16_t* kod, std::initializer_list<const char16_t*> pars, qint64 hi) {
    for (const char16_t* par : pars) add(kod, QString::fromUtf16(par), u""_s, hi, Value(u""_s));
  }

 private:
  const Report& report_;
  Random& rng_;
  QString table_;
  bool withR5_;
  bool withClassification_;
};

}  // namespace

void writeRb30(const World&, const Report& report, Random& rng) {
  PlanRows rows(report, rng, u"RB30"_s, true, false);
  rows.positions(900'000);
  rows.lines(u"I", {u"110"}, 300'000);
  rows.lines(u"K", {u"100", u"110"}, 300'000);
  rows.lines(u"H", {u"0"}, 2'000'000);
  rows.lines(u"L", {u"190"}, 100'000);
  rows.lines(u"J", {u"100"}, 200'000);
  rows.lines(u"I", {u"100"}, 200'000);
  rows.lines(u"P", {u"100", u"110", u"120", u"130"}, 400'000);
  rows.lines(u"N", {u"300", u"310"}, 1'800'000);
  rows.lines(u"S", {u"190"}, 100'000);
  rows.lines(u"W", {u"100", u"110", u"120"}, 250'000);
  rows.lines(u"U", {u"100", u"200"}, 150'000);
  rows.lines(u"Z", {u"100", u"110", u"200"}, 120'000);
}

void writeRb31(const World&, const Report& report, Random& rng) {
  PlanRows rows(report, rng, u"RB31"_s, true, false);
  rows.positions(400'000);
  rows.lines(u"I", {u"110", u"100"}, 150'000);
  rows.lines(u"K", {u"100"}, 150'000);
  rows.lines(u"H", {u"0"}, 900'000);
  rows.lines(u"P", {u"100"}, 150'000);
  rows.lines(u"S", {u"100"}, 90'000);
  rows.lines(u"Q", {u"110", u"120"}, 90'000);
  rows.lines(u"R", {u"200", u"210", u"100"}, 90'000);
  rows.lines(u"T", {u"100", u"110"}, 60'000);
  rows.lines(u"W", {u"100", u"110"}, 120'000);
  rows.lines(u"Z", {u"100", u"200"}, 80'000);
}

void writeRb33(const World&, const Report& report, Random& rng) {
  PlanRows rows(report, rng, u"RB33"_s, true, false);
  rows.positions(700'000);
  rows.lines(u"I", {u"110", u"100"}, 200'000);
  rows.lines(u"K", {u"100", u"110"}, 200'000);
  rows.lines(u"H", {u"0"}, 1'500'000);
  rows.lines(u"L", {u"190"}, 80'000);
  rows.lines(u"P", {u"100", u"130"}, 300'000);
  rows.lines(u"N", {u"300"}, 1'200'000);
  rows.lines(u"S", {u"190"}, 80'000);
  rows.lines(u"W", {u"100", u"110"}, 200'000);
  // Receivables and liabilities: the summary ("100" and a one-character line), positions
  // by paragraph, and a two-character line that belongs to neither list.
  for (const char16_t* kod : {u"X", u"Y"}) {
    rows.add(kod, u"100"_s, u""_s, 300'000, Value(u"Stan na koniec okresu"_s));
    rows.add(kod, u"210"_s, u"0"_s, 150'000);
    rows.add(kod, u"220"_s, u"0"_s, 150'000);
    rows.add(kod, u"2"_s, u""_s, 50'000);
    rows.add(kod, u"21"_s, u""_s, 50'000);
  }
}

void writeRb34(const World&, const Report& report, Random& rng) {
  PlanRows rows(report, rng, u"RB34"_s, false, true);
  rows.positions(250'000);
  rows.lines(u"H", {u"0"}, 600'000);
  rows.lines(u"K", {u"150"}, 60'000);
  rows.lines(u"L", {u"190"}, 30'000);
  rows.lines(u"N", {u"300"}, 550'000);
  rows.lines(u"P", {u"150"}, 60'000);
  rows.lines(u"S", {u"190"}, 30'000);
  rows.lines(u"W", {u"100", u"110"}, 90'000);
}

}  // namespace wertalo::demo
