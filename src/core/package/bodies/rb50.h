// Wertalo: body of Rb-50, written as its D part and its W part, each for a kind of task.
#pragma once

#include "core/package/bodies/body.h"

namespace wertalo::package {

// Rb-50D from the D rows of RB50 (rows of the task's KODN only, unless tBrak).
XmlFragment Rb50D(const ReportContext& report, TRodzajZad sRodzajZad, QString* id);
// Rb-50W from the W rows of RB50, with the expenditure lists WydatkiA and WydatkiB from its
// A and B rows (rows of the task's KODN only, unless tBrak).
XmlFragment Rb50W(const ReportContext& report, TRodzajZad sRodzajZad, QString* id);

}  // namespace wertalo::package
