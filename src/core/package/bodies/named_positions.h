// Wertalo: bodies of Rb-ZN, Rb-WS, F-Zzf and F-Rzs, whose rows are told apart by their position names.
#pragma once

#include "core/package/bodies/body.h"

namespace wertalo::package {

// Rb-ZN from ZN2: liabilities and receivables, each position found by the first word of its name.
XmlFragment RbZN(const ReportContext& report, QString* id);
// Rb-WS from WS: one position per row, its symbol the first word of its name.
XmlFragment RbWS(const ReportContext& report, QString* id);
// F-Zzf from FJ: the listed positions of the unit's fund, each found by its whole name.
XmlFragment RbZFJ(const ReportContext& report, QString* id);
// F-Rzs from ZS: the listed positions of the profit and loss account, each found by the full
// symbol of its place in the position tree.
XmlFragment RbZS(const ReportContext& report, QString* id);

}  // namespace wertalo::package
