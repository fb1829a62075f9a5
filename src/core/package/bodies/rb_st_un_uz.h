// Wertalo: bodies of Rb-ST (state of funds), Rb-UN (receivables) and Rb-UZ (liabilities and
// their structure).
#pragma once

#include "core/package/bodies/body.h"

namespace wertalo::package {

// Rb-ST from the one row of RBST, in the layout of its year.
XmlFragment RbST(const ReportContext& report, QString* id);
// Rb-UN: one position with the amounts of the receivables found by code in UN.
XmlFragment RbUN(const ReportContext& report, QString* id);
// Rb-UZ: liabilities by title, currency structure and four maturity structures, by code in UZ.
XmlFragment RbUZ(const ReportContext& report, QString* id);

}  // namespace wertalo::package
