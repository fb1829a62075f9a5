// Wertalo demo: the reports of the city and its budget units, period by period.
#pragma once

#include <vector>

#include "core/demo/demo_balance.h"
#include "core/demo/demo_world.h"

namespace wertalo::demo {

// Writes every report the units file in the periods (SPRAWAKT, SPRAWOZD, their plans,
// electronic forms, signatures and parameters, and the body rows). Returns how many reports
// were written.
int writeReports(RowWriter& writer, const World& world, const std::vector<Period>& periods, const BalanceTrees& trees);

}  // namespace wertalo::demo
