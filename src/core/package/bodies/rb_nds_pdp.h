// Wertalo: bodies of Rb-NDS (budget result and its financing) and Rb-PDP (local taxes), read
// from the unit's own tables whatever the unit kind.
#pragma once

#include "core/package/bodies/body.h"

namespace wertalo::package {

// Rb-NDS: the positions of the one row of F2, then the financing of the deficit and the
// supplementary data found by name in F2UZUPELNIENIE.
XmlFragment RbNDS(const ReportContext& report, QString* id);
// Rb-PDP: the positions of the one row of P2.
XmlFragment RbPDP(const ReportContext& report, QString* id);

}  // namespace wertalo::package
