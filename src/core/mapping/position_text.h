// Wertalo mapping: what the mapping reads from a position's name (its computed symbol, its
// name without the label) and the status word of an assignment.
#pragma once

#include <QString>

#include <optional>

#include "core/mapping/mapping_types.h"

namespace wertalo::mapping {

// The names above a position: parent, grandparent and great-grandparent (the last is read
// for budget-unit positions only, cut to 16 characters). Empty where there is none.
struct ParentNames {
  QString sParent1;
  QString sParent2;
  QString sParent3;
};

// The computed symbol `sBestiaId` of a position (at most 20 characters): the label of its name
// ("1" of "1. Grunty"; for a budget-unit position without ". " the text before ".P"), preceded
// by the labels of its parents with their dots ("A.I.1"). A BILB position (a BILJ one in
// JBBILPOZ) takes no "1." or "2." from its parent.
QString computedSymbol(PositionTable table, const QString& typspr, const QString& nazwa, const ParentNames& parents);

// The name without its label: the text after the first blank, or the whole name without one.
QString nameWithoutLabel(const QString& nazwa);

// `sMapStatus`: "<>" for a Besti@ position, "-" for one marked not to be assigned, "?" for
// none (0 or no row).
QString mapStatus(std::optional<qint64> iBilBestiaMap);

// The widths of the looked-up and calculated texts.
inline constexpr int kSymbolWidth = 20;        // sBestiaId
inline constexpr int kGreatGrandparentWidth = 16;  // sParent3
inline constexpr int kBestiaSymbolWidth = 16;  // sBestiaSymbol
inline constexpr int kBestiaNameWidth = 252;   // sBestiaNazwa

}  // namespace wertalo::mapping
