// Bodies of Rb-N and Rb-Z: fixed lists of positions, each identified by its symbol.
#include "core/package/bodies/rb_n_z.h"

#include "core/package/bodies/position_lists.h"
#include "core/package/value_rules.h"

namespace wertalo::package {

namespace {

// ---- Rb-N ------------------------------------------------------------------------------

// Receivables, from N21.
const char* const tabSymb_Naleznosci[] = {"N1",   "N1.1", "N1.2", "N2",   "N2.1", "N2.2", "N3",   "N3.1", "N3.2",
                                          "N3.3", "N4",   "N4.1", "N4.2", "N.5",  "N5.1", "N5.2", "N5.3"};
const ColumnEntry tabRBN_Naleznosci[] = {
    {"N", "K_0", tFloat},   {"KO", "KO", tFloat},   {"KFP", "KF", tFloat}, {"KG1", "KR", tFloat},    {"KG2", "KP", tFloat},
    {"KG3", "KS", tFloat},  {"KG4", "KU", tFloat},  {"KBC", "KC", tFloat}, {"KBK", "KK", tFloat},    {"KIF", "KI", tFloat},
    {"KPN", "KB", tFloat},  {"KGD", "KG", tFloat},  {"KIN", "KD", tFloat}, {"ZO", "ZO", tFloat},     {"ZSE", "ZZ", tFloat},
    {"ZPZ", "ZF", tFloat},  {"Uwagi", "UWAGI", tString},
};

// Sureties and guarantees, from N21B.
const char* const tabSymb_PorGw[] = {"B1", "B2", "B3", "B4"};
const ColumnEntry tabRBN_PorGw[] = {
    {"O", "K_0", tFloat}, {"FP", "F", tFloat}, {"G1", "R", tFloat}, {"G2", "P", tFloat},
    {"G3", "S", tFloat},  {"G4", "U", tFloat}, {"PP", "Z", tFloat}, {"Uwagi", "UWAGI", tString},
};

// ---- Rb-Z ------------------------------------------------------------------------------
// In the fixed lists each position has one column per element; an empty column name leaves
// the element out.

// Debt titles, from Z2: the columns of a symbol are the symbol without its dots and a suffix.
const char* const tabSymb_RbZ_Dluzne[] = {"E", "E1", "E1.1", "E1.2", "E2", "E2.1", "E2.2", "E3", "E4", "E4.1", "E4.2"};
const char* const tabRbZ_Best_Dluzne[] = {"Z",   "KO",  "KFP", "KG1", "KG2", "KG3", "KG4", "KBC",
                                          "KBK", "KIF", "KPN", "KGD", "KIN", "ZO",  "ZSE", "ZPZ"};
const char* const tabRbZ_Halvo_Dluzne[] = {
    "E", "EKO", "EKF", "EKR", "EKP", "EKS", "EKU", "EKC", "EKK", "EKI", "EKB", "EKG", "EKD", "EZO", "EZZ", "EZF",
    "E1", "E1KO", "E1KF", "E1KR", "E1KP", "E1KS", "E1KU", "E1KC", "E1KK", "E1KI", "E1KB", "E1KG", "E1KD", "E1ZO", "E1ZZ", "E1ZF",
    "E11", "E11KO", "E11KF", "E11KR", "E11KP", "E11KS", "E11KU", "E11KC", "E11KK", "E11KI", "E11KB", "E11KG", "E11KD", "E11ZO", "E11ZZ", "E11ZF",
    "E12", "E12KO", "E12KF", "E12KR", "E12KP", "E12KS", "E12KU", "E12KC", "E12KK", "E12KI", "E12KB", "E12KG", "E12KD", "E12ZO", "E12ZZ", "E12ZF",
    "E2", "E2KO", "E2KF", "E2KR", "E2KP", "E2KS", "E2KU", "E2KC", "E2KK", "E2KI", "E2KB", "E2KG", "E2KD", "E2ZO", "E2ZZ", "E2ZF",
    "E21", "E21KO", "E21KF", "E21KR", "E21KP", "E21KS", "E21KU", "E21KC", "E21KK", "E21KI", "E21KB", "E21KG", "E21KD", "E21ZO", "E21ZZ", "E21ZF",
    "E22", "E22KO", "E22KF", "E22KR", "E22KP", "E22KS", "E22KU", "E22KC", "E22KK", "E22KI", "E22KB", "E22KG", "E22KD", "E22ZO", "E22ZZ", "E22ZF",
    "E3", "E3KO", "E3KF", "E3KR", "E3KP", "E3KS", "E3KU", "E3KC", "E3KK", "E3KI", "E3KB", "E3KG", "E3KD", "E3ZO", "E3ZZ", "E3ZF",
    "E4", "E4KO", "E4KF", "E4KR", "E4KP", "E4KS", "E4KU", "E4KC", "E4KK", "E4KI", "E4KB", "E4KG", "E4KD", "E4ZO", "E4ZZ", "E4ZF",
    "E41", "E41KO", "E41KF", "E41KR", "E41KP", "E41KS", "E41KU", "E41KC", "E41KK", "E41KI", "E41KB", "E41KG", "E41KD", "E41ZO", "E41ZZ", "E41ZF",
    "E42", "E42KO", "E42KF", "E42KR", "E42KP", "E42KS", "E42KU", "E42KC", "E42KK", "E42KI", "E42KB", "E42KG", "E42KD", "E42ZO", "E42ZZ", "E42ZF",
};
constexpr auto tabRbZ_Dluzne = repeatedElements(tabRbZ_Best_Dluzne, tabRbZ_Halvo_Dluzne, tFloat);

// Sureties and guarantees, from Z2.
const char* const tabSymb_RbZ_PorGw[] = {"F1", "F2", "F3"};
const char* const tabRbZ_Best_PorGw[] = {"O", "FP", "G1", "G2", "G3", "G4", "PP"};
const char* const tabRbZ_Halvo_PorGw[] = {
    "F2",  "F2F",  "F2R",  "F2P",  "F2S",  "F2U",  "F2I",   //
    "F8",  "F8F",  "F8R",  "F8P",  "F8S",  "F8U",  "F8I",   //
    "F12", "F12F", "F12R", "F12P", "F12S", "F12U", "F12I",  //
};
constexpr auto tabRbZ_PorGw = repeatedElements(tabRbZ_Best_PorGw, tabRbZ_Halvo_PorGw, tFloat);

// Credits and loans, from z2KP.
const char* const tabSymb_RbZ_Kredt[] = {"1", "2"};
const char* const tabRbZ_Best_Kredt[] = {"BPO", "BPD", "IZO", "IZD"};
const char* const tabRbZ_Halvo_Kredt[] = {"KPB", "KPBD", "KPI", "KPID", "", "", "KPI1", "KPI1D"};
constexpr auto tabRbZ_Kredt = repeatedElements(tabRbZ_Best_Kredt, tabRbZ_Halvo_Kredt, tFloat);

// Supplementary data, from z2KP.
const char* const tabSymb_RbZ_DaneUzupel[] = {"1", "2", "3", "4"};
const char* const tabRbZ_Best_DaneUzupel[] = {"P", "W"};
const char* const tabRbZ_Halvo_DaneUzupel[] = {"KP_C1", "KP_C2", "", "KP_C3", "KP_C4", "KP_C5", "KP_C6", "KP_C7"};
constexpr auto tabRbZ_DaneUzupel = repeatedElements(tabRbZ_Best_DaneUzupel, tabRbZ_Halvo_DaneUzupel, tFloat);

// Short-term liabilities, from z2KP.
const char* const tabSymb_RbZ_ZobKr[] = {"A", "B"};
const char* const tabRbZ_Best_ZobKr[] = {"O"};
const char* const tabRbZ_Halvo_ZobKr[] = {"KP_D1", "KP_D2"};
constexpr auto tabRbZ_ZobKr = repeatedElements(tabRbZ_Best_ZobKr, tabRbZ_Halvo_ZobKr, tFloat);

// The fixed lists of the one row of Z2, and of the first row of z2KP.
const FixedList kZ2Lists[] = {
    {"TytulyDluzne", slicedList(tabSymb_RbZ_Dluzne, tabRbZ_Dluzne)},
    {"PoreczeniaGwarancje", slicedList(tabSymb_RbZ_PorGw, tabRbZ_PorGw)},
};
const FixedList kZ2kpLists[] = {
    {"KredytyPozyczki", slicedList(tabSymb_RbZ_Kredt, tabRbZ_Kredt)},
    {"DaneUzupelniajace", slicedList(tabSymb_RbZ_DaneUzupel, tabRbZ_DaneUzupel)},
    {"ZobowiazaniaKrotkoterminowe", slicedList(tabSymb_RbZ_ZobKr, tabRbZ_ZobKr)},
};

// Concluded agreements, every row of z2ZB with an amount.
const ColumnEntry tabRbZ_Halvo_Umowy[] = {
    {"LP", "LP", tInteger}, {"BWN", "ZBAN", tFloat}, {"BDZ", "ZBAP", tDate}, {"BDP", "ZBAS", tDate}, {"BDK", "ZBAZ", tDate},
    {"IWN", "ZBBN", tFloat}, {"IDZ", "ZBBP", tDate}, {"IDP", "ZBBS", tDate}, {"IDK", "ZBBZ", tDate},
};

// Interest, every row of z2KP with an amount.
const ColumnEntry tabRbZ_Halvo_Odsetki[] = {{"ZO", "KPB2", tFloat}, {"ZN", "KPB2D", tFloat}, {"ZW", "KPI2", tFloat}};

// The units the report covers: number, REGON with its local part (padded with blanks to the
// 14 characters of a full REGON), office.
void writeUnits(XmlElement& jednostki, db::DataSet& rows) {
  for (rows.first(); !rows.eof(); rows.next()) {
    XmlElement& pozycja = jednostki.appendElement(QStringLiteral("Pozycja"));
    XMLWstawPoleDoBestia(pozycja, QStringLiteral("LP"), rows.text(u"LP"));
    XMLWstawPoleDoBestia(pozycja, QStringLiteral("REGON"),
                         (rows.text(u"JBREGON") + rows.text(u"JBREGON_2")).leftJustified(14, QLatin1Char(' ')));
    XMLWstawPoleDoBestia(pozycja, QStringLiteral("UWAGI"), rows.text(u"URZAD"));
  }
}

}  // namespace

XmlFragment RbN(const ReportContext& report, QString* id) {
  XmlFragment fragment;
  XmlElement& element = reportWithHeader(fragment, QStringLiteral("Rb-N"), report, id);
  db::DataSet receivables = reportRows(report, report.table(QStringLiteral("N21")));
  writeNamedPositions(element.appendElement(QStringLiteral("Naleznosci")), receivables, {tabSymb_Naleznosci, tabRBN_Naleznosci},
                      EmptyText::Write);
  db::DataSet sureties = reportRows(report, report.table(QStringLiteral("N21B")));
  writeNamedPositions(element.appendElement(QStringLiteral("PoreczeniaGwarancje")), sureties, {tabSymb_PorGw, tabRBN_PorGw},
                      EmptyText::Write);
  return fragment;
}

XmlFragment RbZ(const ReportContext& report, QString* id) {
  XmlFragment fragment;
  XmlElement& element = reportWithHeader(fragment, QStringLiteral("Rb-Z"), report, id);

  // Every fixed position is written; without its row all its amounts are 0.00.
  db::DataSet z2 = reportRows(report, report.table(QStringLiteral("Z2")));
  writeFixedLists(element, firstRow(z2), kZ2Lists, EmptyText::Write);
  db::DataSet kp = reportRows(report, report.table(QStringLiteral("z2KP")));
  writeFixedLists(element, firstRow(kp), kZ2kpLists, EmptyText::Write);

  // Agreements and interest row by row, leaving out rows without amounts.
  db::DataSet agreements = reportRows(report, report.table(QStringLiteral("z2ZB")));
  writePositions(element.appendElement(QStringLiteral("ZawarteUmowy")), agreements, tabRbZ_Halvo_Umowy, RowFilter::AmountRows,
                 EmptyText::Write);
  writePositions(element.appendElement(QStringLiteral("Odsetki")), kp, tabRbZ_Halvo_Odsetki, RowFilter::AmountRows, EmptyText::Write);

  db::DataSet units = reportRows(report, report.table(QStringLiteral("Z2JEDNOSTKI")));
  writeUnits(element.appendElement(QStringLiteral("Jednostki")), units);
  return fragment;
}

}  // namespace wertalo::package
