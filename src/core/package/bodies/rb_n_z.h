// Wertalo: bodies of Rb-N (receivables) and Rb-Z (liabilities by debt title).
#pragma once

#include "core/package/bodies/body.h"

namespace wertalo::package {

// Rb-N from N21 and N21B: the positions found by the first word of their names.
XmlFragment RbN(const ReportContext& report, QString* id);
// Rb-Z: fixed positions from the one row of Z2 and of z2KP, then agreements (z2ZB), interest
// (z2KP) and units (Z2JEDNOSTKI) row by row.
XmlFragment RbZ(const ReportContext& report, QString* id);

}  // namespace wertalo::package
