// Wertalo: the sections of the financial plan reports: what each section lists and the
// section builders, each returning a fragment with its list element or elements.
#pragma once

#include <span>

#include "core/package/bodies/plan_tables.h"
#include "core/package/report_context.h"
#include "core/package/xml_node.h"

namespace wertalo::package {

// A list of every row of one section code, in the order the rows come.
struct RowList {
  const char* element;
  char kod;
  std::span<const ColumnEntry> columns;
};

// When a summary line's Symbol is an empty element instead of the row's PAR.
enum class SymbolRule {
  AsRead,                  // never
  ZeroOrLong,              // the row's PAR is "0" or longer than three characters
  ZeroLongOrNoParagraph,   // as ZeroOrLong, and always for a line without paragraph
};

// What a summary line without any row gives.
enum class LineWithoutRows {
  Written,  // a Pozycja of Null values: amounts "0.00", no texts
  LeftOut,  // nothing
};

// A list of fixed lines, each written from the first row of its code (and paragraph).
struct LineList {
  const char* element;
  std::span<const SummaryLine> lines;
  std::span<const ColumnEntry> columns;
  SymbolRule symbol;
  LineWithoutRows withoutRows;
};

// The sections read from one plan table, known by the product's name of the table ("RB30",
// "RB31", "RB33", "RB34", or "RB34s", the Rb-34s form of RB34).
struct PlanTable {
  const char* source;  // the table read (plain name; the "JB" twin for budget units)
  RowList revenuePositions;
  LineList revenueSummary;
  RowList costPositions;
  LineList costSummary;
  RowList stan;                // only for RB30, RB31, RB33, RB34
  RowList rozliczenieKasowe;   // only for RB30, RB31
};

extern const PlanTable kPlanRB30;
extern const PlanTable kPlanRB31;
extern const PlanTable kPlanRB33;
extern const PlanTable kPlanRB34;
extern const PlanTable kPlanRB34s;

// Revenue positions (every row of code G) and the revenue summary lines.
XmlFragment ElementRb30xPrzychody(const ReportContext& report, const PlanTable& table);
// Cost positions (every row of code M) and the cost summary lines.
XmlFragment ElementRb30xKoszty(const ReportContext& report, const PlanTable& table);
// Stan: every row of code W.
XmlFragment ElementRb30xStan(const ReportContext& report, const PlanTable& table);
// Finansowanie of Rb-30: every row of code U.
XmlFragment ElementRb30Finansowanie(const ReportContext& report);
// RozliczenieKasowe of Rb-30 and Rb-31: every row of code Z.
XmlFragment ElementRb30xRozKasowe(const ReportContext& report, const PlanTable& table);
// RozliczenieWyniku of Rb-31: always its eight lines.
XmlFragment ElementRb31RozWyniku(const ReportContext& report);
// PodzialZysku of Rb-31: every row of code T.
XmlFragment ElementRb31PodzZysku(const ReportContext& report);
// Receivables of Rb-33 (code X): NaleznosciPozycje and NaleznosciPodsumowanie split by PAR.
XmlFragment ElementRb33Naleznosci(const ReportContext& report);
// Liabilities of Rb-33 (code Y): ZobowiazaniaPozycje and ZobowiazaniaPodsumowanie split by PAR.
XmlFragment ElementRb33Zobowiazania(const ReportContext& report);

}  // namespace wertalo::package
