// The budget result (Rb-NDS), local taxes (Rb-PDP), structural expenditure (Rb-WS), and the
// unit's financial statements: changes in the fund (F-Zzf) and profit and loss (F-Rzs).
#include <QStringList>

#include <map>

#include "core/demo/demo_bodies.h"

namespace wertalo::demo {

using namespace Qt::StringLiterals;

namespace {

qint64 amount(Random& rng, const Report& report, qint64 lo, qint64 hi) { return randomAmount(rng, *report.unit, lo, hi).units; }
qint64 executed(Random& rng, const Report& report, qint64 plan) {
  return executedPart(plan, report.period, rng.range(88, 104));
}

// Position names of the unit's fund statement, exactly as the product keeps them.
const char16_t* const kFundPositions[] = {
    u"I. Fundusz jednostki na początek okresu (BO)",
    u"1. Zwiększenia funduszu (z tytułu)",
    u"1.1. Zysk bilansowy za rok ubiegły",
    u"1.2. Zrealizowane wydatki budżetowe",
    u"1.3. Zrealizowane płatności ze środków europejskich",
    u"1.4. Środki na inwestycje",
    u"1.5. Aktualizacja wyceny środków trwałych",
    u"1.6. Nieodpłatnie otrzymane środki trwałe i środki trwałe w budowie oraz wartości niematerialne i prawne",
    u"1.7. Aktywa przejęte od zlikwidowanych lub połączonych jednostek",
    u"1.8. Aktywa otrzymane w ramach centralnego zaopatrzenia",
    u"1.9. Pozostałe odpisy z wyniku finansowego za rok bieżący",
    u"1.10. Inne zwiększenia",
    u"2. Zmniejszenia funduszu jednostki (z tytułu)",
    u"2.1. Strata za rok ubiegły",
    u"2.2. Zrealizowane dochody budżetowe",
    u"2.3. Rozliczenie wyniku finansowego i środków obrotowych za rok ubiegły",
    u"2.4. Dotacje i środki na inwestycje",
    u"2.5. Aktualizacja wyceny środków trwałych",
    u"2.6. Wartość sprzedanych i nieodpłatnie przekazanych środków trwałych i środków trwałych w budowie oraz "
    u"wartości niematerialnych i prawnych",
    u"2.7. Pasywa przejęte od zlikwidowanych lub połączonych jednostek",
    u"2.8. Aktywa przekazane w ramach centralnego zaopatrzenia",
    u"2.9. Inne zmniejszenia",
    u"II. Fundusz jednostki na koniec okresu (BZ)",
    u"III. Wynik finansowy netto za rok bieżący (+,-)",
    u"1. zysk netto (+)",
    u"2. strata netto (-)",
    u"IV. Nadwyżka dochodów jednostek budżetowych, nadwyżka środków obrotowych samorządowych zakładów budżetowych",
    u"V. Fundusz ( II+,-III-IV)",
};

// The profit and loss account: a position and its parent (index, -1 for a top position).
struct Account {
  const char16_t* name;
  int parent;
};
const Account kAccounts[] = {
    {u"A. Przychody netto z podstawowej działalności operacyjnej", -1},
    {u"I. Przychody netto ze sprzedaży produktów", 0},
    {u"II. Zmiana stanu produktów (zwiększenie – wartość dodatnia, zmniejszenie – wartość ujemna)", 0},
    {u"III. Koszt wytworzenia produktów na potrzeby własne jednostki", 0},
    {u"IV. Przychody netto ze sprzedaży towarów i materiałów", 0},
    {u"V. Dotacje na finansowanie działalności podstawowej", 0},
    {u"VI. Przychody z tytułu dochodów budżetowych", 0},
    {u"B. Koszty działalności operacyjnej", -1},
    {u"I. Amortyzacja", 7},
    {u"II. Zużycie materiałów i energii", 7},
    {u"III. Usługi obce", 7},
    {u"IV. Podatki i opłaty", 7},
    {u"V. Wynagrodzenia", 7},
    {u"VI. Ubezpieczenia społeczne i inne świadczenia", 7},
    {u"VII. Pozostałe koszty rodzajowe", 7},
    {u"VIII. Wartość sprzedanych towarów i materiałów", 7},
    {u"IX. Inne świadczenia finansowane z budżetu", 7},
    {u"X. Pozostałe obciążenia", 7},
    {u"C. Zysk (strata) z działalności podstawowej (A – B)", -1},
    {u"D. Pozostałe przychody operacyjne", -1},
    {u"I. Zysk ze zbycia niefinansowych aktywów trwałych", 19},
    {u"II. Dotacje", 19},
    {u"III. Inne przychody operacyjne", 19},
    {u"E. Pozostałe koszty operacyjne", -1},
    {u"I. Koszty inwestycji finansowanych ze środków własnych samorządowych zakładów budżetowych i dochodów "
     u"jednostek budżetowych gromadzonych na wydzielonym rachunku",
     23},
    {u"II. Pozostałe koszty operacyjne", 23},
    {u"F. Zysk (strata) z działalności operacyjnej (C + D – E)", -1},
    {u"G. Przychody finansowe", -1},
    {u"I. Dywidendy i udziały w zyskach", 27},
    {u"II. Odsetki", 27},
    {u"III. Inne", 27},
    {u"H. Koszty finansowe", -1},
    {u"I. Odsetki", 31},
    {u"II. Inne", 31},
    {u"I. Zysk (strata) z działalności gospodarczej (F + G – H)", -1},
    {u"J. Wynik zdarzeń nadzwyczajnych (J.I – J.II)", -1},
    {u"I. Zyski nadzwyczajne", 35},
    {u"II. Straty nadzwyczajne", 35},
    {u"K. Zysk (strata) brutto (I ± J)", -1},
    {u"L. Podatek dochodowy", -1},
    {u"M. Pozostałe obowiązkowe zmniejszenia zysku (zwiększenia straty)", -1},
    {u"N. Zysk (strata) netto (K – L – M)", -1},
    // Positions the report does not list: a detail line and one left from an old form.
    {u"1. Przychody ze sprzedaży usług edukacyjnych", 1},
    {u"II. Pozycja z nieaktualnego wzoru sprawozdania", -2},
};

}  // namespace

void writeRbNDS(const World&, const Report& report, Random& rng) {
  std::map<QString, qint64> p;  // plan by column stem
  p[u"A1"_s] = amount(rng, report, 380'000'000, 420'000'000);
  p[u"A2"_s] = amount(rng, report, 20'000'000, 60'000'000);
  p[u"A"_s] = p[u"A1"_s] + p[u"A2"_s];
  p[u"B3"_s] = amount(rng, report, 370'000'000, 400'000'000);  // current expenditure
  p[u"B1"_s] = amount(rng, report, 50'000'000, 90'000'000);    // investment expenditure
  p[u"B"_s] = p[u"B3"_s] + p[u"B1"_s];
  p[u"C"_s] = p[u"A"_s] - p[u"B"_s];
  const QStringList revenue = {u"D11"_s, u"D12"_s, u"D13"_s, u"D14"_s, u"D16"_s, u"D15"_s, u"D17"_s};
  const QStringList spending = {u"D21"_s, u"D22"_s, u"D24"_s, u"D26"_s};
  p[u"D1"_s] = p[u"D2"_s] = 0;
  for (const QString& s : revenue) p[u"D1"_s] += p[s] = rng.chance(30) ? 0 : amount(rng, report, 100'000, 25'000'000);
  for (const QString& s : spending) p[u"D2"_s] += p[s] = rng.chance(30) ? 0 : amount(rng, report, 100'000, 12'000'000);
  for (const QString& s : {u"D111"_s, u"D131"_s, u"D141"_s, u"D151"_s, u"D211"_s, u"D241"_s})
    p[s] = p[s.left(3)] / 100 * rng.range(0, 80) / 100 * 100;
  Fields row = {{u"IDSPRAW"_s, qint64(report.idspraw)}};
  const QStringList order = {u"A"_s,   u"A1"_s,   u"A2"_s,  u"B"_s,    u"B3"_s,  u"B1"_s,   u"C"_s,   u"D1"_s,  u"D11"_s,
                             u"D111"_s, u"D12"_s, u"D13"_s, u"D131"_s, u"D14"_s, u"D141"_s, u"D16"_s, u"D15"_s, u"D151"_s,
                             u"D17"_s, u"D2"_s,   u"D21"_s, u"D211"_s, u"D22"_s, u"D24"_s,  u"D241"_s, u"D26"_s};
  for (const QString& s : order) {
    row.push_back({s + u'P', units(p[s])});
    row.push_back({s + u'W', units(executed(rng, report, p[s]))});
  }
  report.target.insert(u"F2"_s, row);

  const char16_t* const supplementary[] = {
      u"E. Źródła finansowania deficytu", u"E1 kredyty i pożyczki", u"E2. nadwyżka z lat ubiegłych",
      u"E3. wolne środki, o których mowa w art. 217 ust. 2 pkt 6 ustawy", u"E4 papiery wartościowe",
      u"E5. inne źródła (prywatyzacja majątku)", u"F1. Wydatki na obsługę długu", u"F11 odsetki od kredytów i pożyczek",
      u"F12. odsetki od papierów wartościowych", u"F13. dyskonto", u"F14. prowizje i opłaty bankowe",
      u"F2. Spłaty rat kapitałowych kredytów i pożyczek", u"F3 Wykup papierów wartościowych",
      u"F4. Zobowiązania związane z finansowaniem programów z udziałem środków UE"};
  for (const char16_t* name : supplementary) {
    const qint64 plan = amount(rng, report, 0, 9'000'000);
    report.target.insert(u"F2UZUPELNIENIE"_s, {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"NAZWA"_s, QString::fromUtf16(name)},
                                               {u"R1"_s, units(plan)}, {u"R4"_s, units(executed(rng, report, plan))}});
  }
}

void writeRbPDP(const World&, const Report& report, Random& rng) {
  const QStringList columns = {
      u"A1WP"_s, u"U1"_s,  u"UU1P"_s, u"UUU1PZ"_s, u"UUU1PR"_s, u"A2W"_s,   u"A3W"_s,   u"A4W"_s,  u"U4"_s,    u"UU4"_s,
      u"UUU4Z"_s, u"UUU4R"_s, u"A5W"_s, u"U5"_s,   u"UU5"_s,    u"UUU5Z"_s, u"UUU5R"_s, u"A6W"_s,  u"U6"_s,    u"UU6"_s,
      u"UUU6Z"_s, u"UUU6R"_s, u"A7W"_s, u"U7"_s,   u"UU7"_s,    u"UUU7Z"_s, u"UUU7R"_s, u"A8W"_s,  u"UU8"_s,   u"UUU8Z"_s,
      u"UUU8R"_s, u"A9W"_s,  u"UU9"_s, u"UUU9Z"_s, u"UUU9R"_s, u"A10W"_s,  u"UU10"_s,  u"UUU10Z"_s, u"UUU10R"_s, u"A11W"_s,
      u"UU11"_s,  u"UUU11Z"_s, u"UUU11R"_s, u"A111W"_s, u"UU111"_s, u"UUU111Z"_s, u"UUU111R"_s};
  Fields row = {{u"IDSPRAW"_s, qint64(report.idspraw)}};
  for (const QString& c : columns) {
    // Revenue (A..W) in millions, effects of lowered rates, reliefs, remissions and instalments smaller.
    const bool revenue = c.startsWith(u'A');
    row.push_back({c, units(amount(rng, report, 0, revenue ? 40'000'000 : 600'000))});
  }
  report.target.insert(u"P2"_s, row);
}

void writeRbWS(const World&, const Report& report, Random& rng) {
  const char16_t* const areas[] = {u"01 Rolnictwo i rozwój obszarów wiejskich", u"04 Transport – infrastruktura drogowa",
                                   u"08 Ochrona środowiska – gospodarka wodno-ściekowa", u"13 Edukacja – infrastruktura szkolna",
                                   u"16 Pomoc społeczna & aktywizacja zawodowa", u"Razem"};
  qint64 prevTotal = 0;
  qint64 currTotal = 0;
  for (const char16_t* area : areas) {
    const bool total = QString::fromUtf16(area) == u"Razem"_s;
    const qint64 prev = total ? prevTotal : amount(rng, report, 0, 3'000'000);
    const qint64 curr = total ? currTotal : amount(rng, report, 0, 3'500'000);
    prevTotal += prev;
    currTotal += curr;
    report.target.insert(u"WS"_s, {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"NAZWA"_s, QString::fromUtf16(area)},
                                   {u"PREV"_s, units(prev)}, {u"CURR"_s, units(curr)},
                                   {u"UWAGI"_s, total ? u"Wydatki strukturalne ogółem"_s : u""_s}});
  }
}

void writeFZzf(const World&, const Report& report, Random& rng) {
  std::vector<qint64> prev(std::size(kFundPositions), 0);
  std::vector<qint64> curr(std::size(kFundPositions), 0);
  for (auto* values : {&prev, &curr}) {
    std::vector<qint64>& v = *values;
    v[0] = amount(rng, report, 2'000'000, 60'000'000);
    for (int i = 2; i <= 11; ++i) v[static_cast<size_t>(i)] = rng.chance(40) ? 0 : amount(rng, report, 0, 4'000'000);
    for (int i = 13; i <= 21; ++i) v[static_cast<size_t>(i)] = rng.chance(40) ? 0 : amount(rng, report, 0, 3'000'000);
    for (int i = 2; i <= 11; ++i) v[1] += v[static_cast<size_t>(i)];
    for (int i = 13; i <= 21; ++i) v[12] += v[static_cast<size_t>(i)];
    v[22] = v[0] + v[1] - v[12];
    // Either a profit or a loss; the loss is kept as a positive amount.
    const bool loss = rng.chance(50);
    v[24] = loss ? 0 : amount(rng, report, 0, 900'000);
    v[25] = loss ? amount(rng, report, 0, 900'000) : 0;
    v[23] = v[24] - v[25];
    v[26] = amount(rng, report, 0, 200'000);
    v[27] = v[22] + v[23] - v[26];
  }
  for (size_t i = 0; i < std::size(kFundPositions); ++i) {
    report.target.insert(u"FJ"_s, {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"NAZWA"_s, QString::fromUtf16(kFundPositions[i])},
                                   {u"PREV"_s, units(prev[i])}, {u"CURR"_s, units(curr[i])},
                                   {u"UWAGI"_s, i == 25 ? u"Strata z lat ubiegłych <pokryta funduszem>"_s : u""_s}});
  }
  report.target.insert(u"FJ"_s, {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"NAZWA"_s, u"Informacja: zmiany wg ksiąg & zestawienia obrotów"_s},
                                 {u"PREV"_s, units(0)}, {u"CURR"_s, units(0)}, {u"UWAGI"_s, u""_s}});
}

void writeFRzs(const World&, const Report& report, Random& rng) {
  const int count = static_cast<int>(std::size(kAccounts));
  std::vector<qint64> prev(static_cast<size_t>(count), 0);
  std::vector<qint64> curr(static_cast<size_t>(count), 0);
  for (auto* values : {&prev, &curr}) {
    std::vector<qint64>& v = *values;
    for (int i = 0; i < count; ++i)
      if (kAccounts[i].parent >= 0 || kAccounts[i].parent == -2) v[static_cast<size_t>(i)] = rng.chance(25) ? 0 : amount(rng, report, 0, 2'500'000);
    auto total = [&](int parent) {
      qint64 s = 0;
      for (int i = 0; i < count; ++i)
        if (kAccounts[i].parent == parent && i < 42) s += v[static_cast<size_t>(i)];
      return s;
    };
    for (int top : {0, 7, 19, 23, 27, 31}) v[static_cast<size_t>(top)] = total(top);
    v[18] = v[0] - v[7];
    v[26] = v[18] + v[19] - v[23];
    v[34] = v[26] + v[27] - v[31];
    v[35] = v[36] - v[37];
    v[38] = v[34] + v[35];
    v[39] = report.target.isBudgetUnit() ? 0 : amount(rng, report, 0, 50'000);
    v[40] = 0;
    v[41] = v[38] - v[39] - v[40];
  }
  const qint64 firstId = 5001;
  for (int i = 0; i < count; ++i) {
    const int parent = kAccounts[i].parent;
    const qint64 parentId = parent == -1 ? 0 : parent == -2 ? 5999 : firstId + parent;
    report.target.insert(u"ZS"_s, {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"IDD"_s, qint64(report.idspraw) * 100 + i + 1},
                                   {u"PARENT"_s, parentId}, {u"ID_S_SPRPO"_s, firstId + i}, {u"Nazwa"_s, QString::fromUtf16(kAccounts[i].name)},
                                   {u"PREV"_s, units(prev[static_cast<size_t>(i)])}, {u"CURR"_s, units(curr[static_cast<size_t>(i)])},
                                   {u"UWAGI"_s, i == 12 ? u"Wynagrodzenia wraz z dodatkowym wynagrodzeniem rocznym (\"13-tka\")"_s : u""_s}});
  }
}

}  // namespace wertalo::demo
