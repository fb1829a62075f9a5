// Body of Rb-50: the D part (grants) and the W part (expenditure, with the lists A and B), each
// read from RB50 by its part letter in SYMBOL and, for a city with county rights, by KODN.
#include "core/package/bodies/rb50.h"

#include "core/package/headers.h"

namespace wertalo::package {

namespace {

// Positions of the D and W parts.
constexpr ColumnEntry tabRb50D_Halvo[] = {
    {"Dzial", "DZIAL", tString}, {"Rozdzial", "ROZDZIAL", tString}, {"Paragraf", "PAR", tString}, {"P4", "PAR4", tString},
    {"P", "KW1", tFloat},        {"W", "KW2", tFloat},              {"Uwagi", "UWAGI", tString},
};
constexpr auto& tabRb50W_Halvo = tabRb50D_Halvo;

// Expenditure lists A and B: execution only, so only KW2 decides whether a row is written.
constexpr ColumnEntry tabRb50W_HalvoAB[] = {
    {"Dzial", "DZIAL", tString}, {"Rozdzial", "ROZDZIAL", tString}, {"Paragraf", "PAR", tString}, {"P4", "PAR4", tString},
    {"W", "KW2", tFloat},
};

// One list of a part: its element, the part letter of its rows and its column table.
struct Rb50List {
  const char* element;
  const char* symbol;
  std::span<const ColumnEntry> columns;
};

const Rb50List kListsD[] = {{"Pozycje", "D", tabRb50D_Halvo}};
const Rb50List kListsW[] = {{"Pozycje", "W", tabRb50W_Halvo}, {"WydatkiA", "A", tabRb50W_HalvoAB}, {"WydatkiB", "B", tabRb50W_HalvoAB}};

// The header text of the kind of task and the unit-kind code of its rows (none for tBrak).
struct Task {
  const char* sRodzajZad;
  const char* sTyp;
};

Task taskOf(TRodzajZad rodzaj) {
  switch (rodzaj) {
    case tGminna: return {"Gminna", "G"};
    case tPowiatowa: return {"Powiatowa", "P"};
    case tBrak: break;
  }
  return {"", nullptr};
}

// The part's element: the header with the grant disposer (the budget part number) and the
// kind of task, then each list from the part's rows of that task.
XmlFragment rb50Part(const ReportContext& report, TRodzajZad rodzaj, QString* id, const char* element,
                     std::span<const Rb50List> lists) {
  const catalogue::SelectRow& row = report.row();
  const Task task = taskOf(rodzaj);
  XmlFragment fragment;
  XmlElement& part = report.reportElement(fragment, QString::fromLatin1(element), id);
  part.append(ElementNaglowekRB50(row.Wersja, row.sCzesc, QString::fromLatin1(task.sRodzajZad), row.Data));
  // Without a kind of task the rows of every unit kind are read.
  const QString table = report.table(QStringLiteral("RB50"));
  for (const Rb50List& list : lists) {
    const QString symbol = QString::fromLatin1(list.symbol);
    db::DataSet rows = task.sTyp != nullptr ? report.tableRows(table, {{"KODN", QString::fromLatin1(task.sTyp)}, {"SYMBOL", symbol}})
                                            : report.tableRows(table, {{"SYMBOL", symbol}});
    writePositions(part.appendElement(QString::fromLatin1(list.element)), rows, list.columns, RowFilter::ParagraphRows,
                   EmptyText::Write);
  }
  return fragment;
}

}  // namespace

XmlFragment Rb50D(const ReportContext& report, TRodzajZad sRodzajZad, QString* id) {
  return rb50Part(report, sRodzajZad, id, "Rb-50D", kListsD);
}

XmlFragment Rb50W(const ReportContext& report, TRodzajZad sRodzajZad, QString* id) {
  return rb50Part(report, sRodzajZad, id, "Rb-50W", kListsW);
}

}  // namespace wertalo::package
