// Bodies of Rb-NDS and Rb-PDP: fixed lists of positions from one row per report.
#include "core/package/bodies/rb_nds_pdp.h"

#include "core/package/bodies/position_lists.h"

namespace wertalo::package {

namespace {

// ---- Rb-NDS ----------------------------------------------------------------------------

// Positions, from F2: plan (P) and execution (W) of each. Some positions are read from
// columns of another number (B1 from B3P and B3W, D15 from D16P and D16W, ...).
const char* const tabSymb_RbNDS[] = {"A",   "A1",   "A2",  "B",   "B1",  "B2",   "C",    "D1",  "D11", "D111", "D12", "D13", "D131",
                                     "D14", "D141", "D15", "D16", "D161", "D17", "D2",   "D21", "D211", "D22", "D23", "D231", "D24"};
const ColumnEntry tabRbNDS[] = {
    {"P", "AP", tFloat},    {"W", "AW", tFloat},    {"P", "A1P", tFloat},   {"W", "A1W", tFloat},    // A, A1
    {"P", "A2P", tFloat},   {"W", "A2W", tFloat},   {"P", "BP", tFloat},    {"W", "BW", tFloat},     // A2, B
    {"P", "B3P", tFloat},   {"W", "B3W", tFloat},   {"P", "B1P", tFloat},   {"W", "B1W", tFloat},    // B1, B2
    {"P", "CP", tFloat},    {"W", "CW", tFloat},    {"P", "D1P", tFloat},   {"W", "D1W", tFloat},    // C, D1
    {"P", "D11P", tFloat},  {"W", "D11W", tFloat},  {"P", "D111P", tFloat}, {"W", "D111W", tFloat},  // D11, D111
    {"P", "D12P", tFloat},  {"W", "D12W", tFloat},  {"P", "D13P", tFloat},  {"W", "D13W", tFloat},   // D12, D13
    {"P", "D131P", tFloat}, {"W", "D131W", tFloat}, {"P", "D14P", tFloat},  {"W", "D14W", tFloat},   // D131, D14
    {"P", "D141P", tFloat}, {"W", "D141W", tFloat}, {"P", "D16P", tFloat},  {"W", "D16W", tFloat},   // D141, D15
    {"P", "D15P", tFloat},  {"W", "D15W", tFloat},  {"P", "D151P", tFloat}, {"W", "D151W", tFloat},  // D16, D161
    {"P", "D17P", tFloat},  {"W", "D17W", tFloat},  {"P", "D2P", tFloat},   {"W", "D2W", tFloat},    // D17, D2
    {"P", "D21P", tFloat},  {"W", "D21W", tFloat},  {"P", "D211P", tFloat}, {"W", "D211W", tFloat},  // D21, D211
    {"P", "D22P", tFloat},  {"W", "D22W", tFloat},  {"P", "D24P", tFloat},  {"W", "D24W", tFloat},   // D22, D23
    {"P", "D241P", tFloat}, {"W", "D241W", tFloat}, {"P", "D26P", tFloat},  {"W", "D26W", tFloat},   // D231, D24
};

// Financing of the deficit and supplementary data, rows of F2UZUPELNIENIE found by name; both
// lists have the plan in R1 and the execution in R4.
const char* const tabSymb_FinDef[] = {"E", "E1", "E2", "E3", "E4", "E5"};
const char* const tabSymb_Uzup[] = {"F1", "F11", "F12", "F13", "F14", "F2", "F3", "F4"};
const ColumnEntry tabNDS_FinDef[] = {{"P", "R1", tFloat}, {"W", "R4", tFloat}};

// ---- Rb-PDP ----------------------------------------------------------------------------

// Positions, from P2: five amounts each; an empty column name leaves its element out.
const char* const tabSymb_RbPDP[] = {"A1", "A2", "A3", "A4", "A5", "A6", "A7", "A8", "A9", "A10", "A11", "A12"};
const char* const tabRbPDP_Bestia[] = {"W", "O", "U", "P", "R"};
const char* const tabRbPDP_Halvo[] = {
    "A1WP",  "U1", "UU1P",  "UUU1PZ",  "UUU1PR",   //
    "A2W",   "",   "",      "",        "",         //
    "A3W",   "",   "",      "",        "",         //
    "A4W",   "U4", "UU4",   "UUU4Z",   "UUU4R",    //
    "A5W",   "U5", "UU5",   "UUU5Z",   "UUU5R",    //
    "A6W",   "U6", "UU6",   "UUU6Z",   "UUU6R",    //
    "A7W",   "U7", "UU7",   "UUU7Z",   "UUU7R",    //
    "A8W",   "",   "UU8",   "UUU8Z",   "UUU8R",    //
    "A9W",   "",   "UU9",   "UUU9Z",   "UUU9R",    //
    "A10W",  "",   "UU10",  "UUU10Z",  "UUU10R",   //
    "A11W",  "",   "UU11",  "UUU11Z",  "UUU11R",   //
    "A111W", "",   "UU111", "UUU111Z", "UUU111R",  //
};
constexpr auto tabRbPDP = repeatedElements(tabRbPDP_Bestia, tabRbPDP_Halvo, tFloat);

}  // namespace

XmlFragment RbNDS(const ReportContext& report, QString* id) {
  XmlFragment fragment;
  XmlElement& element = reportWithHeader(fragment, QStringLiteral("Rb-NDS"), report, id);
  db::DataSet positions = reportRows(report, QStringLiteral("F2"));
  writeSymbolPositions(element.appendElement(QStringLiteral("Pozycje")), firstRow(positions), slicedList(tabSymb_RbNDS, tabRbNDS),
                       EmptyText::Write);
  db::DataSet named = reportRows(report, QStringLiteral("F2UZUPELNIENIE"));
  writeNamedPositions(element.appendElement(QStringLiteral("FinansowanieDeficytu")), named, {tabSymb_FinDef, tabNDS_FinDef},
                      EmptyText::Write);
  writeNamedPositions(element.appendElement(QStringLiteral("DaneUzupelniajace")), named, {tabSymb_Uzup, tabNDS_FinDef},
                      EmptyText::Write);
  return fragment;
}

XmlFragment RbPDP(const ReportContext& report, QString* id) {
  XmlFragment fragment;
  XmlElement& element = reportWithHeader(fragment, QStringLiteral("Rb-PDP"), report, id);
  db::DataSet positions = reportRows(report, QStringLiteral("P2"));
  writeSymbolPositions(element.appendElement(QStringLiteral("Pozycje")), firstRow(positions), slicedList(tabSymb_RbPDP, tabRbPDP),
                       EmptyText::Write);
  return fragment;
}

}  // namespace wertalo::package
