// Wertalo: column tables of Rb-27s, Rb-28s, Rb-28nws and Rb-27ZZ: Besti@ element, source
// column and kind, in element order. The kind and element lists are views of the same tables.
#pragma once

#include <array>
#include <cstddef>

#include "core/package/column_kind.h"

namespace wertalo::package {

// The kinds of a column table, in its order.
template <std::size_t N>
constexpr std::array<TTypPola, N> kindsOf(const ColumnEntry (&table)[N]) {
  std::array<TTypPola, N> kinds{};
  for (std::size_t i = 0; i < N; ++i) kinds[i] = table[i].kind;
  return kinds;
}

// The Besti@ element names of a column table, in its order.
template <std::size_t N>
constexpr std::array<const char*, N> elementsOf(const ColumnEntry (&table)[N]) {
  std::array<const char*, N> names{};
  for (std::size_t i = 0; i < N; ++i) names[i] = table[i].element;
  return names;
}

// Rb-27s, from D2.
inline constexpr ColumnEntry tablRb27S[] = {
    {"Dzial", "DZIAL", tString}, {"Rozdzial", "ROZDZIAL", tString}, {"Paragraf", "PAR", tString},
    {"P4", "Par4", tString},     {"PL", "R1", tFloat},              {"NA", "R2", tFloat},
    {"PO", "R3", tFloat},        {"DW", "R4", tFloat},              {"DO", "R9", tFloat},
    {"NO", "R10", tFloat},       {"NZ", "R5", tFloat},              {"NP", "R6", tFloat},
    {"SO", "R7", tFloat},        {"SU", "R8", tFloat},              {"UZ", "R11Z", tFloat},
    {"OT", "R11R", tFloat},      {"Uwagi", "UWAGI", tString},
};
inline constexpr auto tabPTypRb27S = kindsOf(tablRb27S);

// Rb-28s, from W2.
inline constexpr ColumnEntry tabRb28S[] = {
    {"Dzial", "DZIAL", tString}, {"Rozdzial", "ROZDZIAL", tString}, {"Paragraf", "PAR", tString},
    {"P4", "Par4", tString},     {"PL", "R1", tFloat},              {"ZA", "R10", tFloat},
    {"WW", "R4", tFloat},        {"ZO", "R11", tFloat},             {"WN", "R9", tFloat},
    {"LU", "R12U", tFloat},      {"RB", "R12B", tFloat},            {"WFS", "R14", tFloat},
    {"Uwagi", "UWAGI", tString},
};
inline constexpr auto tabPTypRb28S = kindsOf(tabRb28S);

// Rb-28nws, from NWS.
inline constexpr ColumnEntry tabRb28NWS[] = {
    {"Dzial", "DZIAL", tString}, {"Rozdzial", "ROZDZIAL", tString}, {"Paragraf", "PAR", tString},
    {"P4", "Par4", tString},     {"P", "R1", tFloat},               {"W", "R4", tFloat},
    {"Uwagi", "UWAGI", tString},
};
inline constexpr auto tabPTypRb28NWS = kindsOf(tabRb28NWS);

// Rb-27ZZ positions, from RBZZ (columns: tabRb27ZZ_Halvo, elements: tabRb27ZZ_Best).
inline constexpr ColumnEntry tabRb27ZZ_Halvo[] = {
    {"Dzial", "DZIAL", tString}, {"Rozdzial", "ROZDZIAL", tString}, {"Paragraf", "PAR", tString},
    {"P4", "PAR4", tString},     {"PL", "R1", tFloat},              {"NA", "R2", tFloat},
    {"DW", "R4", tFloat},        {"DJ", "R11", tFloat},             {"DP", "R12", tFloat},
    {"NO", "R10", tFloat},       {"NZ", "R5", tFloat},              {"NP", "R6", tFloat},
    {"Uwagi", "UWAGI", tString},
};
inline constexpr auto tabPTypRb27ZZ_Halvo = kindsOf(tabRb27ZZ_Halvo);
inline constexpr auto tabRb27ZZ_Best = elementsOf(tabRb27ZZ_Halvo);

// Rb-27ZZ receivables A and B, sums of RBZZDU by chapter (columns: tabRb27ZZ_HalvoAB,
// elements: tabRb27ZZ_BestAB).
inline constexpr ColumnEntry tabRb27ZZ_HalvoAB[] = {
    {"Rozdzial", "ROZDZIAL", tString},
    {"NA", "R2", tFloat},
    {"NZ", "R5", tFloat},
    {"NP", "R6", tFloat},
};
inline constexpr auto tabPTypRb27ZZ_HalvoAB = kindsOf(tabRb27ZZ_HalvoAB);
inline constexpr auto tabRb27ZZ_BestAB = elementsOf(tabRb27ZZ_HalvoAB);

}  // namespace wertalo::package
