// Balance-sheet tests: a small position tree with its Besti@ links, balance-sheet rows and
// remark rows, for the unit's tables (BILPOZ) and the budget units' twins (JBBILPOZ).
#pragma once

#include <QString>

#include <string>

#include "fixture.h"

namespace wertalo::test {

// The position tree of both sides in BILPOZ and JBBILPOZ (unit 7) and the product's links
// to Besti@ symbols:
//   A 1 "A" > 2 "A.I" > 3 unlinked > 4 unlinked; A 5 unlinked, its parent 9 on the other side;
//   A 6 linked to an empty symbol, no parent; A 7 in the dictionary without a Besti@ link,
//   parent 1; A 8 linked to the empty symbol, parent 1; P 9 "P.A" (PARENT Null) > 10 unlinked.
void insertPositionTree(PackageModule& m);

// One row per position 1 to 10 of report `idspraw` in `table` (BILB, BILS, JBBILJ), in
// reverse display order, with the amounts and remarks the expected texts below show.
void insertSheetRows(PackageModule& m, const QString& table, qint64 idspraw);

// Aktywa and Pasywa of the rows of insertSheetRows under the statements that list every
// position (B-Wyk, single B-Jed), at the report's child level.
std::string everyPosition();
// The same under the statements that list linked positions only (B-Skon, combined B-Jed).
std::string linkedPositions();

// A ticked balance sheet of the selection (see test::selectRow).
catalogue::SelectRow sheet(qint64 id, const char* symbol, const char* typspr, qint64 idJb = 0);

// The report header of the selection rows of test::selectRow, at the report's child level.
std::string header();

}  // namespace wertalo::test
