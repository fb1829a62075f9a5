// Wertalo demo: the city, its budget units, the period calendar and the dictionaries.
#pragma once

#include <vector>

#include "core/demo/demo_world.h"

namespace wertalo::demo {

// The years the demo covers.
inline constexpr int kFirstYear = 2013;
inline constexpr int kLastYear = 2014;

// The city and `unitCount` budget units (the first six are an office, a school, a group
// unit, a kindergarten, a social-welfare centre and a budget establishment).
World makeWorld(int unitCount);

// Every month and quarter of the demo years, in calendar order (the three months of a
// quarter, then the quarter).
std::vector<Period> demoPeriods();

// A nine-digit REGON with its check digit, from its first eight digits.
QString regon9(const QString& firstEight);
// The check digit that completes a fourteen-digit REGON, from its first thirteen digits.
QChar regon14CheckDigit(const QString& firstThirteen);

// The period calendar, the unit register and its additional data, the owner of the database,
// the report types, the budget units of every period and the users.
void writeCatalogue(RowWriter& writer, const World& world, const std::vector<Period>& periods);

}  // namespace wertalo::demo
