// Wertalo: the tables of the financial plan reports Rb-30s, Rb-31, Rb-33, Rb-34 and Rb-34s:
// each section's column table (Besti@ element, source column, kind, in element order), its
// section code (KOD) and, for the summaries, its fixed lines.
#pragma once

#include "core/package/column_kind.h"

namespace wertalo::package {

// One fixed line of a summary: its line code and its paragraph (empty: a line without one).
struct SummaryLine {
  char kod;
  const char* par;
};

// ---- Entry shapes shared by several sections ---------------------------------------------

// A line with its code and symbol, the plan and the state at the end (K).
inline constexpr ColumnEntry kLineKodPK[] = {
    {"Kod", "KOD", tString}, {"Symbol", "PAR", tString}, {"P", "R1", tFloat}, {"K", "R4", tFloat}, {"Uwagi", "UWAGI", tMemo},
};
// A line with its code and symbol, the plan and the outcome (O).
inline constexpr ColumnEntry kLineKodPO[] = {
    {"Kod", "KOD", tString}, {"Symbol", "PAR", tString}, {"P", "R1", tFloat}, {"O", "R4", tFloat}, {"Uwagi", "UWAGI", tMemo},
};
// A line with its code and symbol, the plan and the execution (W).
inline constexpr ColumnEntry kLineKodPW[] = {
    {"Kod", "KOD", tString}, {"Symbol", "PAR", tString}, {"P", "R1", tFloat}, {"W", "R4", tFloat}, {"Uwagi", "UWAGI", tMemo},
};
// A paragraph position with the plan and the state at the end (K).
inline constexpr ColumnEntry kParagraphPK[] = {
    {"Paragraf", "PAR", tString}, {"P4", "PAR4", tString}, {"P", "R1", tFloat}, {"K", "R4", tFloat}, {"Uwagi", "UWAGI", tMemo},
};
// A paragraph position with the plan and the execution (W).
inline constexpr ColumnEntry kParagraphPW[] = {
    {"Paragraf", "PAR", tString}, {"P4", "PAR4", tString}, {"P", "R1", tFloat}, {"W", "R4", tFloat}, {"Uwagi", "UWAGI", tMemo},
};

// ---- Revenue (G) and cost (M) positions ---------------------------------------------------

inline constexpr char KOD_Rb30PrzychZm = 'G';
inline constexpr char KOD_Rb31PrzychZm = 'G';
inline constexpr char KOD_Rb33PrzychZm = 'G';
inline constexpr char KOD_Rb34PrzychZm = 'G';
inline constexpr char KOD_Rb30KosztZm = 'M';
inline constexpr char KOD_Rb31KosztZm = 'M';
inline constexpr char KOD_Rb33KosztZm = 'M';
inline constexpr char KOD_Rb34KosztZm = 'M';

inline constexpr ColumnEntry tabRb30Przych_Halvo[] = {
    {"Paragraf", "PAR", tString}, {"P4", "PAR4", tString}, {"P", "R1", tFloat},
    {"W", "R4", tFloat},          {"N", "R5", tFloat},     {"Uwagi", "UWAGI", tMemo},
};
inline constexpr auto& tabRb31Przych_Halvo = tabRb30Przych_Halvo;
inline constexpr auto& tabRb33Przych_Halvo = tabRb30Przych_Halvo;
inline constexpr auto& tabRb34Przych_Halvo = kParagraphPW;
inline constexpr ColumnEntry tabRb34sPrzych_Halvo[] = {
    {"Dzial", "DZIAL", tString}, {"Rozdzial", "ROZDZIAL", tString}, {"Paragraf", "PAR", tString}, {"P4", "PAR4", tString},
    {"P", "R1", tFloat},         {"W", "R4", tFloat},               {"Uwagi", "UWAGI", tMemo},
};

inline constexpr ColumnEntry tabRb30KosztZm_Halvo[] = {
    {"Paragraf", "PAR", tString}, {"P4", "PAR4", tString}, {"P", "R1", tFloat},
    {"W", "R4", tFloat},          {"Z", "R5", tFloat},     {"Uwagi", "UWAGI", tMemo},
};
inline constexpr auto& tabRb31KosztZm_Halvo = tabRb30KosztZm_Halvo;
inline constexpr auto& tabRb33KosztZm_Halvo = tabRb30KosztZm_Halvo;
inline constexpr auto& tabRb34KosztZm_Halvo = kParagraphPW;
inline constexpr auto& tabRb34sKosztZm_Halvo = tabRb34sPrzych_Halvo;

// ---- Revenue and cost summaries -----------------------------------------------------------

inline constexpr ColumnEntry tabRb30PrzychSt_Halvo[] = {
    {"Kod", "KOD", tString}, {"Symbol", "PAR", tString}, {"P", "R1", tFloat},
    {"W", "R4", tFloat},     {"N", "R5", tFloat},        {"Uwagi", "UWAGI", tMemo},
};
inline constexpr auto& tabRb31PrzychSt_Halvo = tabRb30PrzychSt_Halvo;
inline constexpr auto& tabRb33PrzychSt_Halvo = tabRb30PrzychSt_Halvo;
inline constexpr auto& tabRb34PrzychSt_Halvo = kLineKodPW;

inline constexpr ColumnEntry tabRb30KosztSt_Halvo[] = {
    {"Kod", "KOD", tString}, {"Symbol", "PAR", tString}, {"P", "R1", tFloat},
    {"W", "R4", tFloat},     {"Z", "R5", tFloat},        {"Uwagi", "UWAGI", tMemo},
};
inline constexpr auto& tabRb31KosztSt_Halvo = tabRb30KosztSt_Halvo;
inline constexpr auto& tabRb33KosztSt_Halvo = tabRb30KosztSt_Halvo;
inline constexpr auto& tabRb34KosztSt_Halvo = kLineKodPW;

// Summary lines in order, each (line code, paragraph).
inline constexpr SummaryLine tabKodParagf_Rb30PrzychSt[] = {{'I', "110"}, {'K', "100"}, {'H', ""}, {'K', "110"}, {'L', "190"}};
inline constexpr SummaryLine tabKodParagf_Rb30KosztSt[] = {
    {'J', "100"}, {'I', "100"}, {'P', "100"}, {'N', ""}, {'P', "110"}, {'P', "120"}, {'P', "130"}, {'S', "190"}, {'T', "140"},
};
inline constexpr SummaryLine tabKodParagf_Rb31PrzychSt[] = {{'I', "110"}, {'K', "100"}, {'H', ""}};
inline constexpr SummaryLine tabKodParagf_Rb31KosztSt[] = {{'I', "100"}, {'P', "100"}, {'N', ""}};
inline constexpr SummaryLine tabKodParagf_Rb33PrzychSt[] = {{'I', "110"}, {'K', "100"}, {'H', ""}, {'K', "110"}, {'L', "190"}};
inline constexpr SummaryLine tabKodParagf_Rb33KosztSt[] = {{'I', "100"}, {'P', "100"}, {'N', ""}, {'P', "130"}, {'S', "190"}};
inline constexpr SummaryLine tabKodParagf_Rb34PrzychSt[] = {{'H', ""}, {'K', "150"}, {'L', "190"}};
inline constexpr SummaryLine tabKodParagf_Rb34KosztSt[] = {{'N', ""}, {'P', "150"}, {'S', "190"}};

// ---- State, financing, cash settlement ------------------------------------------------------

inline constexpr char tabKod_Rb30Stan = 'W';
inline constexpr char tabKod_Rb31Stan = 'W';
inline constexpr char tabKod_Rb33Stan = 'W';
inline constexpr char tabKod_Rb34Stan = 'W';
inline constexpr auto& tabRb30Stan_Halvo = kLineKodPK;
inline constexpr auto& tabRb31Stan_Halvo = kLineKodPO;
inline constexpr auto& tabRb33Stan_Halvo = kLineKodPK;
inline constexpr auto& tabRb34Stan_Halvo = kLineKodPK;

inline constexpr char tabKod_Rb30Fin = 'U';
inline constexpr auto& tabRb30Fin_Halvo = kLineKodPW;

inline constexpr char tabKod_Rb30RozK = 'Z';
inline constexpr char tabKod_Rb31RozlK = 'Z';
inline constexpr auto& tabRb30RozK_Halvo = kLineKodPO;
inline constexpr auto& tabRb31RozlK_Halvo = kLineKodPO;

// ---- Rb-31: profit distribution and the settlement of the result ----------------------------

inline constexpr char tabKod_Rb31PodzZys = 'T';
inline constexpr auto& tabRb31PodzZys_Halvo = kLineKodPW;

inline constexpr auto& tabRb31Rozl_Halvo = kLineKodPW;
// The eight lines of the settlement of the result, each (code, paragraph).
inline constexpr SummaryLine tabKodParagf_Rb31Rozl[] = {
    {'S', "100"}, {'Q', "110"}, {'Q', "111"}, {'Q', "120"}, {'R', "200"}, {'R', "210"}, {'R', "100"}, {'R', "110"},
};

// ---- Rb-33: receivables (X) and liabilities (Y) ---------------------------------------------

inline constexpr char KOD_Rb33NalZm = 'X';
inline constexpr char KOD_Rb33ZobZm = 'Y';
inline constexpr auto& tabRb33NalZm_Halvo = kParagraphPK;
inline constexpr auto& tabRb33NalSt_Halvo = kLineKodPK;
inline constexpr auto& tabRb33ZobZm_Halvo = kParagraphPK;
inline constexpr auto& tabRb33ZobSt_Halvo = kLineKodPK;

}  // namespace wertalo::package
