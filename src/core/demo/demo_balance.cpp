#include "core/demo/demo_balance.h"

#include "core/demo/demo_catalogue.h"

namespace wertalo::demo {

using namespace Qt::StringLiterals;

namespace {

enum Flags { kUnlinked = 1, kNegative = 2, kBalancing = 4 };

// A position of a tree: its level (0 for the side's sum), its name with the product's label,
// and flags.
struct Def {
  int level;
  const char16_t* name;
  int flags;
};

// Balance sheet of the budget's execution.
const Def kBudgetAssets[] = {
    {1, u"I. Środki pieniężne", 0},
    {2, u"1. Środki pieniężne na rachunkach budżetu", 0},
    {2, u"2. Środki pieniężne budżetu pozostające do dyspozycji jednostek budżetowych", 0},
    {2, u"3. Inne środki pieniężne", kUnlinked},
    {1, u"II. Należności i rozliczenia", 0},
    {2, u"1. Należności od budżetów", 0},
    {2, u"2. Należności z tytułu dochodów budżetowych", 0},
    {2, u"3. Należności z tytułu udzielonych pożyczek", 0},
    {2, u"4. Pozostałe należności", 0},
    {2, u"5. Rozliczenia", 0},
    {1, u"III. Inne aktywa", 0},
    {0, u"Suma aktywów", 0},
};
const Def kBudgetLiabilities[] = {
    {1, u"I. Zobowiązania", 0},
    {2, u"1. Zobowiązania finansowe", 0},
    {3, u"1.1. Długoterminowe", 0},
    {3, u"1.2. Krótkoterminowe", 0},
    {2, u"2. Zobowiązania wobec budżetów", 0},
    {2, u"3. Zobowiązania wobec jednostek budżetowych", 0},
    {2, u"4. Pozostałe zobowiązania", 0},
    {2, u"5. Rozliczenia", 0},
    {1, u"II. Rezerwy", 0},
    {1, u"III. Skumulowany wynik budżetu", kBalancing},
    {1, u"IV. Inne pasywa", 0},
    {0, u"Suma pasywów", 0},
};

// Balance sheet of a unit (also the consolidated sheet of the city).
const Def kUnitAssets[] = {
    {1, u"A. Aktywa trwałe", 0},
    {2, u"I. Rzeczowe aktywa trwałe", 0},
    {3, u"1. Grunty", 0},
    {4, u"1.1. Grunty stanowiące własność jednostki samorządu terytorialnego, przekazane w użytkowanie wieczyste innym podmiotom", 0},
    {3, u"2. Budynki, lokale i obiekty inżynierii lądowej i wodnej", 0},
    {3, u"3. Urządzenia techniczne i maszyny", 0},
    {3, u"4. Środki transportu", 0},
    {3, u"5. Inne środki trwałe", 0},
    {3, u"6. Środki trwałe w budowie (inwestycje)", 0},
    {2, u"II. Wartości niematerialne i prawne", 0},
    {2, u"III. Należności długoterminowe", 0},
    {2, u"IV. Długoterminowe aktywa finansowe", 0},
    {1, u"B. Aktywa obrotowe", 0},
    {2, u"I. Zapasy", 0},
    {2, u"II. Należności krótkoterminowe", 0},
    {3, u"1. Należności z tytułu dostaw i usług", 0},
    {3, u"2. Należności od budżetów", 0},
    {3, u"3. Należności z tytułu ubezpieczeń i innych świadczeń", 0},
    {3, u"4. Pozostałe należności", 0},
    {2, u"III. Krótkoterminowe aktywa finansowe", 0},
    {3, u"1. Środki pieniężne w kasie", 0},
    {3, u"2. Środki pieniężne na rachunkach bankowych", 0},
    {3, u"3. Inne środki pieniężne", kUnlinked},
    {2, u"IV. Rozliczenia międzyokresowe", 0},
    {0, u"Suma aktywów", 0},
};
const Def kUnitLiabilities[] = {
    {1, u"A. Fundusz", 0},
    {2, u"I. Fundusz jednostki", kBalancing},
    {2, u"II. Wynik finansowy netto (+, -)", 0},
    {3, u"1. Zysk netto (+)", 0},
    {3, u"2. Strata netto (-)", kNegative},
    {2, u"III. Odpisy z wyniku finansowego (nadwyżka środków obrotowych) (-)", kNegative},
    {2, u"IV. Fundusz mienia zlikwidowanych jednostek", kUnlinked},
    {1, u"B. Państwowe fundusze celowe", 0},
    {1, u"C. Zobowiązania i rezerwy na zobowiązania", 0},
    {2, u"I. Zobowiązania długoterminowe", 0},
    {2, u"II. Zobowiązania krótkoterminowe", 0},
    {3, u"1. Zobowiązania z tytułu dostaw i usług", 0},
    {3, u"2. Zobowiązania wobec budżetów", 0},
    {3, u"3. Zobowiązania z tytułu ubezpieczeń i innych świadczeń", 0},
    {3, u"4. Zobowiązania z tytułu wynagrodzeń", 0},
    {3, u"5. Pozostałe zobowiązania", 0},
    {3, u"6. Sumy obce (depozytowe, zabezpieczenie wykonania umów)", 0},
    {3, u"7. Rozliczenia z tytułu środków na wydatki budżetowe i z tytułu dochodów budżetowych", 0},
    {3, u"8. Fundusze specjalne", 0},
    {2, u"III. Rezerwy na zobowiązania", 0},
    {2, u"IV. Rozliczenia międzyokresowe", 0},
    {0, u"Suma pasywów", 0},
};

struct Side {
  const Def* defs;
  int count;
  const char16_t* side;
};

struct Kind {
  const char16_t* typspr;
  Side assets;
  Side liabilities;
  bool budgetUnits;  // JBBILPOZ instead of BILPOZ
};

const Kind kKinds[] = {
    {u"BILB", {kBudgetAssets, int(std::size(kBudgetAssets)), u"A"}, {kBudgetLiabilities, int(std::size(kBudgetLiabilities)), u"P"}, false},
    {u"BILS", {kUnitAssets, int(std::size(kUnitAssets)), u"A"}, {kUnitLiabilities, int(std::size(kUnitLiabilities)), u"P"}, false},
    {u"BILJ", {kUnitAssets, int(std::size(kUnitAssets)), u"A"}, {kUnitLiabilities, int(std::size(kUnitLiabilities)), u"P"}, true},
};

// What a user assigned by hand before, in the latest year: a position that only its name
// matches, given its Besti@ position; a position with no Besti@ counterpart, marked not to be
// assigned.
struct HandAssignment {
  const char16_t* typspr;
  const char16_t* name;
  bool marked;  // -1 instead of the Besti@ position
};
const HandAssignment kHandAssignments[] = {
    {u"BILS", u"1.1. Grunty stanowiące własność jednostki samorządu terytorialnego, przekazane w użytkowanie wieczyste innym podmiotom", false},
    {u"BILS", u"3. Inne środki pieniężne", true},
};

// The hand assignment of a position, or nullptr.
const HandAssignment* handAssignment(const QString& typspr, const char16_t* name) {
  for (const HandAssignment& h : kHandAssignments)
    if (typspr == QStringView(h.typspr) && QStringView(name) == QStringView(h.name)) return &h;
  return nullptr;
}

// The label of a position name ("II" of "II. Rzeczowe aktywa trwałe"), empty for a sum.
QString labelOf(const QString& name) {
  const qsizetype dot = name.indexOf(u". "_s);
  return dot < 0 ? QString() : name.left(dot);
}

QString nameWithoutLabel(const QString& name) {
  const qsizetype dot = name.indexOf(u". "_s);
  return dot < 0 ? name : name.mid(dot + 2);
}

// One side's positions in order with the index of their parents.
struct Node {
  const Def* def;
  int parent;
  QString side;
};

std::vector<Node> nodesOf(const Kind& kind) {
  std::vector<Node> nodes;
  for (const Side& s : {kind.assets, kind.liabilities}) {
    std::vector<int> open;  // the positions above the current one, one per level
    for (int i = 0; i < s.count; ++i) {
      const Def& d = s.defs[i];
      open.resize(static_cast<size_t>(std::max(d.level - 1, 0)));
      const int parent = open.empty() ? -1 : open.back();
      nodes.push_back({&d, parent, QString::fromUtf16(s.side)});
      if (d.level > 0) open.push_back(static_cast<int>(nodes.size()) - 1);
    }
  }
  return nodes;
}

// The Besti@ symbol: the labels from the top down ("A.II.1.1"); a sum has a single blank.
QString bestiaSymbol(const std::vector<Node>& nodes, int index) {
  if (nodes[static_cast<size_t>(index)].def->level == 0) return u" "_s;
  QStringList labels;
  for (int i = index; i >= 0; i = nodes[static_cast<size_t>(i)].parent) {
    const QString label = labelOf(QString::fromUtf16(nodes[static_cast<size_t>(i)].def->name));
    if (!labels.isEmpty() && labels.first().startsWith(label + u'.')) continue;
    labels.prepend(label);
  }
  return labels.join(u'.');
}

}  // namespace

const std::vector<BalancePosition>& BalanceTrees::tree(const QString& kind, int year) const {
  static const std::vector<BalancePosition> none;
  const auto it = trees_.constFind(kind + QString::number(year));
  return it == trees_.constEnd() ? none : it.value();
}

void BalanceTrees::set(const QString& kind, int year, std::vector<BalancePosition> positions) {
  trees_.insert(kind + QString::number(year), std::move(positions));
}

BalanceTrees writeBalancePositions(RowWriter& w, const World&) {
  BalanceTrees trees;
  qint64 nextBestia = 1;
  qint64 nextDictionary = 101;
  int nextCityPosition = 1;
  int nextUnitPosition = 5001;
  for (const Kind& kind : kKinds) {
    const QString typspr = QString::fromUtf16(kind.typspr);
    const std::vector<Node> nodes = nodesOf(kind);
    std::vector<qint64> dictionary;
    std::vector<Value> bestiaOf;  // the Besti@ position of each node
    for (int i = 0; i < static_cast<int>(nodes.size()); ++i) {
      const Node& n = nodes[static_cast<size_t>(i)];
      Value bestia;  // Null: the position has no Besti@ counterpart
      if (!(n.def->flags & kUnlinked)) {
        bestia = nextBestia;
        const QString name = QString::fromUtf16(n.def->name);
        w.insert(u"S_BILBESTIA"_s, {{u"ID_BILBESTIA"_s, nextBestia++}, {u"SYMBOL"_s, bestiaSymbol(nodes, i)},
                                    {u"NAZWA"_s, nameWithoutLabel(name)}, {u"TYPSPR"_s, typspr}, {u"RODZAJ"_s, n.side},
                                    {u"DPOCZ"_s, QDate(2010, 1, 1)}, {u"DKON"_s, QDate(2099, 12, 31)}});
      }
      w.insert(u"S_BILANSPOZ"_s, {{u"ID_S_BILPOZ"_s, nextDictionary}, {u"ID_BILBESTIA"_s, bestia}});
      bestiaOf.push_back(bestia);
      dictionary.push_back(nextDictionary++);
    }
    // A Besti@ position no longer valid in the demo years.
    w.insert(u"S_BILBESTIA"_s, {{u"ID_BILBESTIA"_s, nextBestia++}, {u"SYMBOL"_s, u"A.V"_s},
                                {u"NAZWA"_s, u"Aktywa zlikwidowanych jednostek (pozycja wycofana)"_s}, {u"TYPSPR"_s, typspr},
                                {u"RODZAJ"_s, u"A"_s}, {u"DPOCZ"_s, QDate(2005, 1, 1)}, {u"DKON"_s, QDate(2011, 12, 31)}});

    for (int year = kFirstYear; year <= kLastYear; ++year) {
      std::vector<BalancePosition> positions;
      for (int i = 0; i < static_cast<int>(nodes.size()); ++i) {
        const Node& n = nodes[static_cast<size_t>(i)];
        BalancePosition p;
        p.id = kind.budgetUnits ? nextUnitPosition++ : nextCityPosition++;
        p.parent = n.parent;
        p.side = n.side;
        p.name = QString::fromUtf16(n.def->name);
        p.isSum = n.def->level == 0;
        p.sign = (n.def->flags & kNegative) ? -1 : 1;
        p.balancing = (n.def->flags & kBalancing) != 0;
        const qint64 parentId = n.parent < 0 ? 0 : positions[static_cast<size_t>(n.parent)].id;
        Fields row = {{u"ID_BILPOZ"_s, qint64(p.id)}, {u"ID_JST"_s, qint64(World::kIdJst)},
                      {u"ROK"_s, QString::number(year % 100)}, {u"OKRES"_s, u"4"_s}, {u"OKRES2"_s, qint64(0)},
                      {u"TYP"_s, p.side}, {u"NAZWA"_s, p.name},
                      {u"MOZNADODAC"_s, n.def->level >= 3 ? u"T"_s : u"N"_s}, {u"WIDOCZNE"_s, u"T"_s},
                      {u"KOLEJ"_s, qint64(10 * (i + 1))}, {u"PARENT"_s, parentId}, {u"TYPSPR"_s, typspr},
                      {u"DPOCZ"_s, QDate(year, 1, 1)}, {u"DKON"_s, QDate(year, 12, 31)}, {u"STATUS"_s, u"A"_s},
                      {u"ID_S_BILPOZ"_s, dictionary[static_cast<size_t>(i)]}};
        // The budget units' positions are shared by all units of the city.
        if (kind.budgetUnits) row.push_back({u"ID_JB"_s, qint64(0)});
        w.insert(kind.budgetUnits ? u"JBBILPOZ"_s : u"BILPOZ"_s, row);
        if (const HandAssignment* h = handAssignment(typspr, n.def->name); h && year == kLastYear) {
          w.insert(u"BILTOBESTIAMAP"_s, {{u"TYPSPR"_s, typspr}, {u"ID_BILPOZ"_s, qint64(p.id)},
                                         {u"ID_BILBESTIA"_s, h->marked ? Value(qint64(-1)) : bestiaOf[static_cast<size_t>(i)]}});
        }
        positions.push_back(p);
      }
      trees.set(typspr, year, std::move(positions));
    }
  }
  return trees;
}

namespace {

// Parents and sums are the totals of their positions; the balancing position takes the
// difference, so that both sides agree.
void addUp(const std::vector<BalancePosition>& tree, std::vector<qint64>& values) {
  std::vector<bool> hasChildren(tree.size(), false);
  for (const BalancePosition& p : tree)
    if (p.parent >= 0) hasChildren[static_cast<size_t>(p.parent)] = true;
  for (size_t i = 0; i < tree.size(); ++i)
    if (hasChildren[i] || tree[i].isSum) values[i] = 0;
  // Children follow their parents, so a backward pass adds every finished child into its parent.
  for (size_t i = tree.size(); i-- > 0;)
    if (tree[i].parent >= 0) values[static_cast<size_t>(tree[i].parent)] += values[i];
  for (size_t i = 0; i < tree.size(); ++i) {
    if (!tree[i].isSum) continue;
    for (size_t j = 0; j < tree.size(); ++j)
      if (tree[j].parent < 0 && !tree[j].isSum && tree[j].side == tree[i].side) values[i] += values[j];
  }
}

void balance(const std::vector<BalancePosition>& tree, std::vector<qint64>& values) {
  addUp(tree, values);
  qint64 assets = 0;
  qint64 liabilities = 0;
  for (size_t i = 0; i < tree.size(); ++i) {
    if (!tree[i].isSum) continue;
    (tree[i].side == u"A"_s ? assets : liabilities) = values[i];
  }
  for (size_t i = 0; i < tree.size(); ++i) {
    if (tree[i].balancing) values[i] += assets - liabilities;
  }
  addUp(tree, values);
}

}  // namespace

void writeBalanceSheet(const Report& report, Random& rng, const BalanceTrees& trees) {
  const QString kind = report.typspr == u"BILL"_s ? u"BILJ"_s : report.typspr;
  const std::vector<BalancePosition>& tree = trees.tree(kind, report.period.year);
  // Amounts in whole złoty: the budget's and the consolidated sheets are the city's millions.
  const qint64 hi = kind == u"BILS"_s ? 90'000'000 : kind == u"BILB"_s ? 30'000'000 : report.typspr == u"BILL"_s ? 8'000'000 : 2'500'000;
  std::vector<qint64> open(tree.size(), 0);
  std::vector<qint64> close(tree.size(), 0);
  for (size_t i = 0; i < tree.size(); ++i) {
    if (tree[i].isSum || tree[i].balancing) continue;
    const int zeroChance = tree[i].sign < 0 ? 40 : 12;
    open[i] = rng.chance(zeroChance) ? 0 : tree[i].sign * randomAmount(rng, *report.unit, 0, hi / 10).units;
    close[i] = rng.chance(zeroChance) ? 0 : tree[i].sign * randomAmount(rng, *report.unit, 0, hi / 10).units;
  }
  balance(tree, open);
  balance(tree, close);

  const QString table = report.typspr == u"BILL"_s ? u"BILJ"_s : report.typspr;
  const QStringList remarks = {u"Korekta wyceny po inwentaryzacji & spisie z natury"_s,
                               u"Stan zgodny z ewidencją <konto 130>"_s,
                               u"Wartość \"w drodze\" – przelew z 31 grudnia"_s};
  for (size_t i = 0; i < tree.size(); ++i) {
    Value remark;
    if (!tree[i].isSum && rng.chance(8)) remark = remarks.at(rng.range(0, remarks.size() - 1));
    report.target.insert(table, {{u"IDSPRAW"_s, qint64(report.idspraw)}, {u"ID_BILPOZ"_s, qint64(tree[i].id)},
                                 {u"SPOCZ"_s, units(open[i])}, {u"SKON"_s, units(close[i])}, {u"UWAGI"_s, remark}});
  }

  // Remarks and supplementary amounts of the sheet.
  Fields uwagi = {{u"IDSPRAW"_s, qint64(report.idspraw)}};
  const QStringList texts = {
      u"poręczenie kredytu dla Miejskiego Przedsiębiorstwa Komunikacji sp. z o.o. – 2 400 000,00 zł"_s,
      u"gwarancja należytego wykonania umowy <ZP/12/2013> & aneks nr 2"_s,
      u"umorzenie środków trwałych: \"metoda liniowa\""_s,
      u"odpisy aktualizujące należności wątpliwe"_s,
      u"zabezpieczenia wekslowe <weksel in blanco>"_s,
      u"depozyty i wadia przetargowe"_s,
      u"należności z tytułu kar umownych"_s};
  for (int k = 1; k <= 7; ++k) {
    // Not every remark is filled: some sheets leave a pair empty (Null amount, empty text).
    const bool filled = (report.idspraw + k) % 3 != 0;
    uwagi.push_back({u"UwagiA"_s + QString::number(k), filled ? Value(texts.at(k - 1)) : Value(u""_s)});
    uwagi.push_back({u"UwagiF"_s + QString::number(k),
                     filled || k == 3 ? Value(k == 3 ? units(0) : randomAmount(rng, *report.unit, 1000, 250000)) : Value()});
  }
  uwagi.push_back({u"UWAGIM1"_s, report.idspraw % 2 == 0
                                     ? Value(u"Bilans sporządzono na podstawie ksiąg rachunkowych & zbiorczych "
                                             u"sprawozdań <Rb> jednostek; dane w zł i gr."_s)
                                     : Value(u""_s)});
  report.target.insert(u"UWAGI"_s, uwagi);
}

}  // namespace wertalo::demo
