// Bodies of Rb-ST, Rb-UN and Rb-UZ: fixed lists of positions from one row per report, or
// from rows found by their code.
#include "core/package/bodies/rb_st_un_uz.h"

#include "core/package/bodies/position_lists.h"
#include "core/package/value_rules.h"

namespace wertalo::package {

namespace {

// ---- Rb-ST -----------------------------------------------------------------------------

// State of funds: one amount K per position. Reports up to the year 13 have four positions
// ("I", "1", "2", "3"); later ones three, the first without a symbol, the others with a dot.
const char* const poleRbST_Bestia[] = {"K"};
const char* const poleRbST_Halvo_Stan[] = {"RJST", "RN", "RD", "RR"};
constexpr auto tabRbST_Stan = repeatedElements(poleRbST_Bestia, poleRbST_Halvo_Stan, tFloat);
const char* const tabRbST_Best_Dluzne[] = {"I", "1", "2", "3"};
const char* const tabRbST_Best_Stan14[] = {nullptr, "1.", "2."};

// Information: the amount of RFP.
const ColumnEntry poleRbST_Halvo_Info[] = {{"K", "RFP", tFloat}};
const char* const poleRbST_Best_Info[] = {"1"};
const char* const poleRbST_Best_Info14[] = {"1."};

// The two layouts of the report.
const FixedList kRbST13[] = {
    {"Stan", {tabRbST_Best_Dluzne, tabRbST_Stan, 1}},
    {"Informacje", {poleRbST_Best_Info, poleRbST_Halvo_Info}},
};
const FixedList kRbST14[] = {
    {"Stan", {tabRbST_Best_Stan14, tabRbST_Stan, 1}},
    {"Informacje", {poleRbST_Best_Info14, poleRbST_Halvo_Info}},
};

// ---- Rb-UN and Rb-UZ -------------------------------------------------------------------

// Receivables by code, the amount in KWOTA1.
const CodeElement tabRbUN_Nal[] = {
    {"A02", "N"},   {"A03", "KO"},  {"A04", "KFP"}, {"A05", "KG1"}, {"A06", "KG2"}, {"A07", "KG3"}, {"A08", "KG4"}, {"A09", "KBC"},
    {"A10", "KBK"}, {"A11", "KIF"}, {"A12", "KPN"}, {"A13", "KGD"}, {"A14", "KIN"}, {"A15", "ZO"},  {"A16", "ZSE"}, {"A17", "ZPZ"},
};
const char* const poleRbUN_Halvo_Nal = "KWOTA1";

// Liabilities by title: the codes and elements of the receivables, but the total (A02) is Z.
constexpr auto tabRbUZ_Dluzne = [] {
  std::array<CodeElement, std::size(tabRbUN_Nal)> table{};
  for (std::size_t i = 0; i < table.size(); ++i) table[i] = tabRbUN_Nal[i];
  table[0].element = "Z";
  return table;
}();
const char* const poleRbUZ_Halvo_Dluzne = "KWOTA1";

// Currency structure: the total and its currencies.
const CodeSymbol tabSymb_RbUZ_StrWal[] = {{"B02", "B"}, {"B03", "B1"}, {"B04", "B2"}, {"B05", "B3"}, {"B06", "B4"}};
const ColumnEntry tabRbUZ_StrWal[] = {
    {"O", "KWOTA1", tFloat},   {"PLZ", "KWOTA2", tFloat}, {"EUR", "KWOTA3", tFloat},   {"USD", "KWOTA4", tFloat},
    {"CHF", "KWOTA5", tFloat}, {"PWA", "KWOTA6", tFloat}, {"PWASA", "KWOTA7", tFloat},
};

// Maturity structure, four sections of thirteen lines with the same columns.
const CodeSymbol tabSymb_RbUZ_StrC1[] = {
    {"C101", "1"}, {"C102", "2"}, {"C103", "3"}, {"C104", "4"},   {"C105", "5"},   {"C106", "6"},   {"C107", "7"},
    {"C108", "8"}, {"C109", "9"}, {"C110", "10"}, {"C111", "11"}, {"C112", "12"}, {"C113", "13"},
};
const CodeSymbol tabSymb_RbUZ_StrC2[] = {
    {"C201", "1"}, {"C202", "2"}, {"C203", "3"}, {"C204", "4"},   {"C205", "5"},   {"C206", "6"},   {"C207", "7"},
    {"C208", "8"}, {"C209", "9"}, {"C210", "10"}, {"C211", "11"}, {"C212", "12"}, {"C213", "13"},
};
const CodeSymbol tabSymb_RbUZ_StrC3[] = {
    {"C301", "1"}, {"C302", "2"}, {"C303", "3"}, {"C304", "4"},   {"C305", "5"},   {"C306", "6"},   {"C307", "7"},
    {"C308", "8"}, {"C309", "9"}, {"C310", "10"}, {"C311", "11"}, {"C312", "12"}, {"C313", "13"},
};
const CodeSymbol tabSymb_RbUZ_StrC4[] = {
    {"C401", "1"}, {"C402", "2"}, {"C403", "3"}, {"C404", "4"},   {"C405", "5"},   {"C406", "6"},   {"C407", "7"},
    {"C408", "8"}, {"C409", "9"}, {"C410", "10"}, {"C411", "11"}, {"C412", "12"}, {"C413", "13"},
};
const ColumnEntry tabRbUZ_StrC[] = {{"KWL", "KWOTA1", tFloat}, {"K01", "KWOTA2", tFloat}, {"K15", "KWOTA3", tFloat}, {"KP5", "KWOTA4", tFloat}};

struct Section {
  const char* element;
  std::span<const CodeSymbol> codes;
};
const Section kMaturity[] = {
    {"StrukturaTerminowaC1", tabSymb_RbUZ_StrC1},
    {"StrukturaTerminowaC2", tabSymb_RbUZ_StrC2},
    {"StrukturaTerminowaC3", tabSymb_RbUZ_StrC3},
    {"StrukturaTerminowaC4", tabSymb_RbUZ_StrC4},
};

// One Pozycja without a symbol holding the amount of each code found.
void writeCodeAmountPosition(XmlElement& list, db::DataSet& rows, std::span<const CodeElement> codes, const char* column) {
  XmlElement& pozycja = list.appendElement(QStringLiteral("Pozycja"));
  XMLWstawZnacznik(pozycja, QStringLiteral("Symbol"));
  writeCodeAmounts(pozycja, rows, codes, column);
}

}  // namespace

XmlFragment RbST(const ReportContext& report, QString* id) {
  XmlFragment fragment;
  XmlElement& element = reportWithHeader(fragment, QStringLiteral("Rb-ST"), report, id);
  db::DataSet rows = reportRows(report, report.table(QStringLiteral("RBST")));
  const db::DataSet* row = firstRow(rows);
  // The year is compared as the two-digit text it is kept as; without a row it is empty.
  const bool from14 = row != nullptr && row->text(u"ROK") > QLatin1String("13");
  writeFixedLists(element, row, from14 ? std::span<const FixedList>(kRbST14) : kRbST13, EmptyText::Omit);
  return fragment;
}

XmlFragment RbUN(const ReportContext& report, QString* id) {
  XmlFragment fragment;
  XmlElement& element = reportWithHeader(fragment, QStringLiteral("Rb-UN"), report, id);
  db::DataSet rows = reportRows(report, report.table(QStringLiteral("UN")));
  writeCodeAmountPosition(element.appendElement(QStringLiteral("Naleznosci")), rows, tabRbUN_Nal, poleRbUN_Halvo_Nal);
  return fragment;
}

XmlFragment RbUZ(const ReportContext& report, QString* id) {
  XmlFragment fragment;
  XmlElement& element = reportWithHeader(fragment, QStringLiteral("Rb-UZ"), report, id);
  db::DataSet rows = reportRows(report, report.table(QStringLiteral("UZ")));
  writeCodeAmountPosition(element.appendElement(QStringLiteral("TytulyDluzne")), rows, tabRbUZ_Dluzne, poleRbUZ_Halvo_Dluzne);
  writeCodePositions(element.appendElement(QStringLiteral("StrukturaWalutowa")), rows, tabSymb_RbUZ_StrWal, tabRbUZ_StrWal);
  for (const Section& section : kMaturity)
    writeCodePositions(element.appendElement(QString::fromLatin1(section.element)), rows, section.codes, tabRbUZ_StrC);
  return fragment;
}

}  // namespace wertalo::package
