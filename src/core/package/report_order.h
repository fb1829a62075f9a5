// Wertalo: the order of reports inside a unit of a package (and of the files of a run).
#pragma once

#include <QString>

namespace wertalo::package {

// The Besti@ symbols in package order; a report's number is its place from 1.
inline constexpr const char* tabKolejnoscSpr[24] = {
    "B-Jed",  "B-Skon", "B-Wyk",  "F-Rzs", "F-Zzf", "Rb-WS",  "Rb-27s", "Rb-27ZZ",
    "Rb-28s", "Rb-30",  "Rb-31",  "Rb-33", "Rb-34s", "Rb-34", "Rb-50",  "Rb-N",
    "Rb-UN",  "Rb-NDS", "Rb-PDP", "Rb-Z",  "Rb-UZ", "Rb-ST",  "Rb-ZN",  "Rb-28nws",
};

// The order number of a symbol (compared exactly, with case), 0 when it is not in the order.
int reportOrderNumber(const QString& symbol);

}  // namespace wertalo::package
