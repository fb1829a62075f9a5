// Bodies of Rb-ZN (liabilities and receivables by listed first word), Rb-WS (every named row),
// F-Zzf (listed whole names) and F-Rzs (listed full symbols in a position tree).
#include "core/package/bodies/named_positions.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "core/catalogue/wertalo_main.h"
#include "core/package/headers.h"
#include "core/package/value_rules.h"

namespace wertalo::package {

namespace {

// Liabilities and receivables of Rb-ZN: the same columns, the first element Z or N.
constexpr std::array<ColumnEntry, 17> rznTable(const char* first) {
  std::array<ColumnEntry, 17> table{{
      {"", "K_0", tFloat},   {"KO", "KO", tFloat},  {"KFP", "KF", tFloat}, {"KG1", "KR", tFloat}, {"KG2", "KP", tFloat},
      {"KG3", "KS", tFloat}, {"KG4", "KU", tFloat}, {"KBC", "KC", tFloat}, {"KBK", "KK", tFloat}, {"KIF", "KI", tFloat},
      {"KPN", "KB", tFloat}, {"KGD", "KG", tFloat}, {"KIN", "KD", tFloat}, {"ZO", "ZO", tFloat},   {"ZSE", "ZZ", tFloat},
      {"ZPZ", "ZF", tFloat}, {"Uwagi", "UWAGI", tString},
  }};
  table[0].element = first;
  return table;
}
constexpr auto tabRZN_Dluzne = rznTable("Z");
constexpr auto tabRZN_Naleznosci = rznTable("N");

// The first words the positions are found by; a liability is written without its final dot.
constexpr const char* tabSymbRZN_Dluzne[] = {"E2.", "E2.1.", "E2.2.", "E4.", "E4.1.", "E4.2."};
constexpr const char* tabSymbRZN_Naleznosci[] = {"N3", "N3.1", "N3.2", "N3.3", "N4", "N4.1", "N4.2", "N5", "N5.1", "N5.2", "N5.3"};

// Rb-WS, F-Zzf and F-Rzs: the amounts of the previous and of this period, and the remark.
constexpr ColumnEntry tabRB_ZFJ_Halvo[] = {{"P", "PREV", tFloat}, {"B", "CURR", tFloat}, {"Uwagi", "UWAGI", tString}};
constexpr auto& tabRB_ZS_Halvo = tabRB_ZFJ_Halvo;

// A position of the fund statement F-Zzf: the symbol written, the whole name its row is found
// by, and whether its amounts are written as negative (the net loss).
struct FundPosition {
  const char* symbol;
  const char* name;
  bool negative = false;
};
const FundPosition tabSymb_ZFJ[] = {
    {"I", "I. Fundusz jednostki na początek okresu (BO)"},
    {"I.1", "1. Zwiększenia funduszu (z tytułu)"},
    {"I.1.1", "1.1. Zysk bilansowy za rok ubiegły"},
    {"I.1.2", "1.2. Zrealizowane wydatki budżetowe"},
    {"I.1.3", "1.3. Zrealizowane płatności ze środków europejskich"},
    {"I.1.4", "1.4. Środki na inwestycje"},
    {"I.1.5", "1.5. Aktualizacja wyceny środków trwałych"},
    {"I.1.6", "1.6. Nieodpłatnie otrzymane środki trwałe i środki trwałe w budowie oraz wartości niematerialne i prawne"},
    {"I.1.7", "1.7. Aktywa przejęte od zlikwidowanych lub połączonych jednostek"},
    {"I.1.8", "1.8. Aktywa otrzymane w ramach centralnego zaopatrzenia"},
    {"I.1.9", "1.9. Pozostałe odpisy z wyniku finansowego za rok bieżący"},
    {"I.1.10", "1.10. Inne zwiększenia"},
    {"I.2", "2. Zmniejszenia funduszu jednostki (z tytułu)"},
    {"I.2.1", "2.1. Strata za rok ubiegły"},
    {"I.2.2", "2.2. Zrealizowane dochody budżetowe"},
    {"I.2.3", "2.3. Rozliczenie wyniku finansowego i środków obrotowych za rok ubiegły"},
    {"I.2.4", "2.4. Dotacje i środki na inwestycje"},
    {"I.2.5", "2.5. Aktualizacja wyceny środków trwałych"},
    {"I.2.6", "2.6. Wartość sprzedanych i nieodpłatnie przekazanych środków trwałych i środków trwałych w budowie oraz "
              "wartości niematerialnych i prawnych"},
    {"I.2.7", "2.7. Pasywa przejęte od zlikwidowanych lub połączonych jednostek"},
    {"I.2.8", "2.8. Aktywa przekazane w ramach centralnego zaopatrzenia"},
    {"I.2.9", "2.9. Inne zmniejszenia"},
    {"II", "II. Fundusz jednostki na koniec okresu (BZ)"},
    {"III", "III. Wynik finansowy netto za rok bieżący (+,-)"},
    {"III.1", "1. zysk netto (+)"},
    {"III.2", "2. strata netto (-)", true},
    {"IV", "IV. Nadwyżka dochodów jednostek budżetowych, nadwyżka środków obrotowych samorządowych zakładów budżetowych"},
    {"V", "V. Fundusz ( II+,-III-IV)"},
};

// The positions of the profit and loss account F-Rzs, by the full symbol of their place in
// the position tree.
constexpr const char* tabSymb_ZS_Best[] = {
    "A", "A.I", "A.II", "A.III", "A.IV", "A.V", "A.VI", "B", "B.I", "B.II", "B.III", "B.IV", "B.V", "B.VI",
    "B.VII", "B.VIII", "B.IX", "B.X", "C", "D", "D.I", "D.II", "D.III", "E", "E.I", "E.II", "F", "G",
    "G.I", "G.II", "G.III", "H", "H.I", "H.II", "I", "J", "J.I", "J.II", "K", "L", "M", "N",
};

// The amount with its sign made negative: -|amount|.
text::Currency negative(text::Currency amount) { return text::Currency{amount.units < 0 ? amount.units : -amount.units}; }

// The report element with its Id and the usual header.
XmlElement& reportWithHeader(XmlFragment& fragment, const ReportContext& report, const char* symbol, QString* id) {
  XmlElement& element = report.reportElement(fragment, QString::fromLatin1(symbol), id);
  element.append(ElementNaglowek(report, report.row().Wersja, report.row().Data));
  return element;
}

// The rows of the report in one of its tables.
db::DataSet reportRows(const ReportContext& report, const char* table) {
  return report.tableRows(report.table(QString::fromLatin1(table)));
}

// The full symbol of the row whose IDD is `idd`: the first word of its name after the first
// words of its ancestors' names, the top one first ("A." and "II." give "A.II."); empty when
// no row has that IDD. A parent that is not among the rows ends the climb with the symbols
// collected so far, and so does a parent already passed (a chain that runs in a circle).
QString NazwaNadrzed(db::DataSet& tree, const QVariant& idd) {
  QString text;
  if (!tree.locate(QStringLiteral("IDD"), idd)) return text;
  std::vector<bool> passed(static_cast<size_t>(tree.recordCount()), false);
  for (;;) {
    passed[static_cast<size_t>(tree.recNo())] = true;
    text.prepend(catalogue::SymbolZNazwy(tree.text(u"Nazwa")));
    const qint64 parent = tree.integer(u"PARENT");
    if (parent == 0 || !tree.locate(QStringLiteral("ID_S_SPRPO"), QVariant(parent)) || passed[static_cast<size_t>(tree.recNo())]) break;
  }
  return text;
}

}  // namespace

XmlFragment RbZN(const ReportContext& report, QString* id) {
  const catalogue::SelectRow& row = report.row();
  XmlFragment fragment;
  XmlElement& element = report.reportElement(fragment, QStringLiteral("Rb-ZN"), id);
  // The selection row's budget part is the grant disposer.
  element.append(ElementNaglowekRBZN(row.Wersja, row.sCzesc, row.Data));
  db::DataSet rows = reportRows(report, "ZN2");
  writeFirstWordPositions(element.appendElement(QStringLiteral("TytulyDluzne")), rows, tabSymbRZN_Dluzne, FinalDot::Keep,
                          SymbolText::WithoutLastCharacter, tabRZN_Dluzne, EmptyText::Write);
  writeFirstWordPositions(element.appendElement(QStringLiteral("Naleznosci")), rows, tabSymbRZN_Naleznosci, FinalDot::Keep,
                          SymbolText::AsListed, tabRZN_Naleznosci, EmptyText::Write);
  return fragment;
}

XmlFragment RbWS(const ReportContext& report, QString* id) {
  XmlFragment fragment;
  XmlElement& pozycje = reportWithHeader(fragment, report, "Rb-WS", id).appendElement(QStringLiteral("Pozycje"));
  db::DataSet rows = reportRows(report, "WS");
  for (rows.first(); !rows.eof(); rows.next()) {
    // The symbol is what stands before the first blank of the name; a name without a blank has none.
    const QString nazwa = rows.text(u"NAZWA");
    const qsizetype blank = nazwa.indexOf(QLatin1Char(' '));
    writePosition(pozycje, blank < 0 ? QString() : nazwa.left(blank), rows, tabRB_ZFJ_Halvo, EmptyText::Write);
  }
  return fragment;
}

XmlFragment RbZFJ(const ReportContext& report, QString* id) {
  XmlFragment fragment;
  XmlElement& pozycje = reportWithHeader(fragment, report, "F-Zzf", id).appendElement(QStringLiteral("Pozycje"));
  db::DataSet rows = reportRows(report, "FJ");
  for (const FundPosition& position : tabSymb_ZFJ) {
    // Only a name equal to the listed one, character for character, is the position's row.
    if (!rows.locate(QStringLiteral("NAZWA"), QString::fromUtf8(position.name))) continue;
    const QString symbol = QString::fromLatin1(position.symbol);
    if (!position.negative) {
      writePosition(pozycje, symbol, rows, tabRB_ZFJ_Halvo, EmptyText::Write);
      continue;
    }
    // The net loss is written as negative amounts, whatever sign it is kept with.
    XmlElement& pozycja = pozycje.appendElement(QStringLiteral("Pozycja"));
    XMLWstawPoleDoBestia(pozycja, QStringLiteral("Symbol"), symbol);
    XMLWstawFloat(pozycja, QStringLiteral("P"), negative(rows.currency(u"PREV")));
    XMLWstawFloat(pozycja, QStringLiteral("B"), negative(rows.currency(u"CURR")));
    XMLWstawPoleDoBestia(pozycja, QStringLiteral("Uwagi"), rows.text(u"UWAGI"));
  }
  return fragment;
}

XmlFragment RbZS(const ReportContext& report, QString* id) {
  XmlFragment fragment;
  XmlElement& pozycje = reportWithHeader(fragment, report, "F-Rzs", id).appendElement(QStringLiteral("Pozycje"));
  db::DataSet rows = reportRows(report, "ZS");
  // The climb walks a copy of the rows of its own, so the row found stays where it is.
  db::DataSet tree = rows;
  std::vector<std::pair<QString, db::DataSet::Bookmark>> fullSymbols;
  for (rows.first(); !rows.eof(); rows.next()) fullSymbols.emplace_back(NazwaNadrzed(tree, rows.value(u"IDD")), rows.bookmark());
  for (const char* listed : tabSymb_ZS_Best) {
    // The first row whose full symbol is the listed one followed by a dot.
    const QString wanted = QString::fromLatin1(listed) + QLatin1Char('.');
    const auto found = std::find_if(fullSymbols.begin(), fullSymbols.end(), [&wanted](const auto& row) { return row.first == wanted; });
    if (found == fullSymbols.end()) continue;
    rows.gotoBookmark(found->second);
    writePosition(pozycje, QString::fromLatin1(listed), rows, tabRB_ZS_Halvo, EmptyText::Write);
  }
  return fragment;
}

}  // namespace wertalo::package
