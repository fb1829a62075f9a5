// The sections of the financial plan reports: row lists by section code, summaries of fixed
// lines, and Rb-33's receivables and liabilities split by PAR.
#include "core/package/bodies/plan_sections.h"

#include "core/db/data_set.h"
#include "core/package/bodies/row_writer.h"

namespace wertalo::package {

namespace {

constexpr RowList kNoList{nullptr, 0, {}};

// Revenue summaries show an empty Symbol for a line without paragraph; cost summaries show
// the PAR of the line's first row. Rb-30's cost lines without rows are left out.
constexpr LineList revenueSummary(const char* element, std::span<const SummaryLine> lines, std::span<const ColumnEntry> columns) {
  return {element, lines, columns, SymbolRule::ZeroLongOrNoParagraph, LineWithoutRows::Written};
}
constexpr LineList costSummary(const char* element, std::span<const SummaryLine> lines, std::span<const ColumnEntry> columns,
                               LineWithoutRows withoutRows = LineWithoutRows::Written) {
  return {element, lines, columns, SymbolRule::ZeroOrLong, withoutRows};
}

QString kodText(char kod) { return QString(QLatin1Char(kod)); }

// The rows of one report and one section code of a table.
db::DataSet sectionRows(const ReportContext& report, const char* table, char kod) {
  return report.tableRows(report.table(QString::fromLatin1(table)), {{"KOD", kodText(kod)}});
}

// Appends the list element with one Pozycja per row of its code.
void appendRowList(XmlFragment& fragment, const ReportContext& report, const char* table, const RowList& list) {
  db::DataSet rows = sectionRows(report, table, list.kod);
  writeRows(fragment.appendElement(QString::fromLatin1(list.element)), rows, list.columns);
}

// Whether a summary line shows an empty Symbol, given the PAR of its first row.
bool symbolIsEmpty(SymbolRule rule, const SummaryLine& line, const QString& par) {
  switch (rule) {
    case SymbolRule::AsRead: return false;
    case SymbolRule::ZeroOrLong: return par == QLatin1String("0") || par.size() > 3;
    case SymbolRule::ZeroLongOrNoParagraph: return *line.par == '\0' || par == QLatin1String("0") || par.size() > 3;
  }
  return false;
}

// Appends the list element with one Pozycja per line, from the first row of the line's code
// and, when the line has one, its paragraph.
void appendLineList(XmlFragment& fragment, const ReportContext& report, const char* table, const LineList& list) {
  XmlElement& element = fragment.appendElement(QString::fromLatin1(list.element));
  const QString source = report.table(QString::fromLatin1(table));
  for (const SummaryLine& line : list.lines) {
    const db::DataSet rows = *line.par != '\0'
                                 ? report.tableRows(source, {{"KOD", kodText(line.kod)}, {"PAR", QString::fromLatin1(line.par)}})
                                 : report.tableRows(source, {{"KOD", kodText(line.kod)}});
    if (rows.isEmpty() && list.withoutRows == LineWithoutRows::LeftOut) continue;
    const QString par = rows.isEmpty() ? QString() : rows.text(u"PAR");
    writeEntries(element.appendElement(QStringLiteral("Pozycja")), rows, list.columns,
                 symbolIsEmpty(list.symbol, line, par) ? "PAR" : nullptr);
  }
}

// Rb-33's receivables or liabilities: the positions by paragraph and the summary.
struct SplitLists {
  const char* positions;
  const char* summary;
  char kod;
  std::span<const ColumnEntry> positionColumns;
  std::span<const ColumnEntry> summaryColumns;
};

const SplitLists kNaleznosci{"NaleznosciPozycje", "NaleznosciPodsumowanie", KOD_Rb33NalZm, tabRb33NalZm_Halvo,
                             tabRb33NalSt_Halvo};
const SplitLists kZobowiazania{"ZobowiazaniaPozycje", "ZobowiazaniaPodsumowanie", KOD_Rb33ZobZm, tabRb33ZobZm_Halvo,
                               tabRb33ZobSt_Halvo};

// Positions: rows whose PAR is a paragraph (three characters or more) other than "100".
// Summary: the row with PAR "100", and rows with PAR under two characters with an empty
// Symbol. A row with a two-character PAR is in neither list.
XmlFragment splitByParagraph(const ReportContext& report, const SplitLists& lists) {
  XmlFragment fragment;
  db::DataSet rows = sectionRows(report, "RB33", lists.kod);
  XmlElement& positions = fragment.appendElement(QString::fromLatin1(lists.positions));
  for (rows.first(); !rows.eof(); rows.next()) {
    const QString par = rows.text(u"PAR");
    if (par != QLatin1String("100") && par.size() >= 3)
      writeEntries(positions.appendElement(QStringLiteral("Pozycja")), rows, lists.positionColumns);
  }
  XmlElement& summary = fragment.appendElement(QString::fromLatin1(lists.summary));
  for (rows.first(); !rows.eof(); rows.next()) {
    const QString par = rows.text(u"PAR");
    if (par == QLatin1String("100"))
      writeEntries(summary.appendElement(QStringLiteral("Pozycja")), rows, lists.summaryColumns);
    else if (par.size() < 2)
      writeEntries(summary.appendElement(QStringLiteral("Pozycja")), rows, lists.summaryColumns, "PAR");
  }
  return fragment;
}

// A fragment with one row list of a table.
XmlFragment rowListOf(const ReportContext& report, const char* table, const RowList& list) {
  XmlFragment fragment;
  appendRowList(fragment, report, table, list);
  return fragment;
}

// A fragment with a positions list and its summary.
XmlFragment positionsAndSummary(const ReportContext& report, const char* table, const RowList& positions,
                                const LineList& summary) {
  XmlFragment fragment;
  appendRowList(fragment, report, table, positions);
  appendLineList(fragment, report, table, summary);
  return fragment;
}

}  // namespace

const PlanTable kPlanRB30{
    "RB30",
    {"PrzychodyPozycje", KOD_Rb30PrzychZm, tabRb30Przych_Halvo},
    revenueSummary("PrzychodyPodsumowanie", tabKodParagf_Rb30PrzychSt, tabRb30PrzychSt_Halvo),
    {"KosztyPozycje", KOD_Rb30KosztZm, tabRb30KosztZm_Halvo},
    costSummary("KosztyPodsumowanie", tabKodParagf_Rb30KosztSt, tabRb30KosztSt_Halvo, LineWithoutRows::LeftOut),
    {"Stan", tabKod_Rb30Stan, tabRb30Stan_Halvo},
    {"RozliczenieKasowe", tabKod_Rb30RozK, tabRb30RozK_Halvo},
};

const PlanTable kPlanRB31{
    "RB31",
    {"PrzychodyPozycje", KOD_Rb31PrzychZm, tabRb31Przych_Halvo},
    revenueSummary("PrzychodyPodsumowanie", tabKodParagf_Rb31PrzychSt, tabRb31PrzychSt_Halvo),
    {"KosztyPozycje", KOD_Rb31KosztZm, tabRb31KosztZm_Halvo},
    costSummary("KosztyPodsumowanie", tabKodParagf_Rb31KosztSt, tabRb31KosztSt_Halvo),
    {"Stan", tabKod_Rb31Stan, tabRb31Stan_Halvo},
    {"RozliczenieKasowe", tabKod_Rb31RozlK, tabRb31RozlK_Halvo},
};

const PlanTable kPlanRB33{
    "RB33",
    {"PrzychodyPozycje", KOD_Rb33PrzychZm, tabRb33Przych_Halvo},
    revenueSummary("PrzychodyPodsumowanie", tabKodParagf_Rb33PrzychSt, tabRb33PrzychSt_Halvo),
    {"KosztyPozycje", KOD_Rb33KosztZm, tabRb33KosztZm_Halvo},
    costSummary("KosztyPodsumowanie", tabKodParagf_Rb33KosztSt, tabRb33KosztSt_Halvo),
    {"Stan", tabKod_Rb33Stan, tabRb33Stan_Halvo},
    kNoList,
};

const PlanTable kPlanRB34{
    "RB34",
    {"PrzychodyPozycje", KOD_Rb34PrzychZm, tabRb34Przych_Halvo},
    revenueSummary("PrzychodyPodsumowanie", tabKodParagf_Rb34PrzychSt, tabRb34PrzychSt_Halvo),
    {"KosztyPozycje", KOD_Rb34KosztZm, tabRb34KosztZm_Halvo},
    costSummary("KosztyPodsumowanie", tabKodParagf_Rb34KosztSt, tabRb34KosztSt_Halvo),
    {"Stan", tabKod_Rb34Stan, tabRb34Stan_Halvo},
    kNoList,
};

// Rb-34s reads RB34 with its own position lists and names, and Rb-34's summary lines.
const PlanTable kPlanRB34s{
    "RB34",
    {"DochodyPozycje", KOD_Rb34PrzychZm, tabRb34sPrzych_Halvo},
    revenueSummary("DochodyPodsumowanie", tabKodParagf_Rb34PrzychSt, tabRb34PrzychSt_Halvo),
    {"WydatkiPozycje", KOD_Rb34KosztZm, tabRb34sKosztZm_Halvo},
    costSummary("WydatkiPodsumowanie", tabKodParagf_Rb34KosztSt, tabRb34KosztSt_Halvo),
    kNoList,
    kNoList,
};

XmlFragment ElementRb30xPrzychody(const ReportContext& report, const PlanTable& table) {
  return positionsAndSummary(report, table.source, table.revenuePositions, table.revenueSummary);
}

XmlFragment ElementRb30xKoszty(const ReportContext& report, const PlanTable& table) {
  return positionsAndSummary(report, table.source, table.costPositions, table.costSummary);
}

XmlFragment ElementRb30xStan(const ReportContext& report, const PlanTable& table) {
  return rowListOf(report, table.source, table.stan);
}

XmlFragment ElementRb30Finansowanie(const ReportContext& report) {
  return rowListOf(report, "RB30", {"Finansowanie", tabKod_Rb30Fin, tabRb30Fin_Halvo});
}

XmlFragment ElementRb30xRozKasowe(const ReportContext& report, const PlanTable& table) {
  return rowListOf(report, table.source, table.rozliczenieKasowe);
}

XmlFragment ElementRb31RozWyniku(const ReportContext& report) {
  XmlFragment fragment;
  appendLineList(fragment, report, "RB31",
                 {"RozliczenieWyniku", tabKodParagf_Rb31Rozl, tabRb31Rozl_Halvo, SymbolRule::AsRead, LineWithoutRows::Written});
  return fragment;
}

XmlFragment ElementRb31PodzZysku(const ReportContext& report) {
  return rowListOf(report, "RB31", {"PodzialZysku", tabKod_Rb31PodzZys, tabRb31PodzZys_Halvo});
}

XmlFragment ElementRb33Naleznosci(const ReportContext& report) { return splitByParagraph(report, kNaleznosci); }

XmlFragment ElementRb33Zobowiazania(const ReportContext& report) { return splitByParagraph(report, kZobowiazania); }

}  // namespace wertalo::package
