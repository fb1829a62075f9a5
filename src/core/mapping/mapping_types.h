// Wertalo mapping: the report kinds and sides of the balance-sheet position mapping, and the
// year it works in.
#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace wertalo::mapping {

// Report kind chosen on the mapping form: the budget's balance sheet, the consolidated one,
// the budget units' one, or all kinds.
enum TTypSpr { tsBILB, tsBILS, tsBILJ, tsRazem };
// Side chosen on the mapping form: assets, liabilities, or both.
enum TAktywaPasywa { apAktywa, apPasywa, apRazem };

// The product's two position tables: the local government unit's and the budget units'.
enum class PositionTable { BILPOZ, JBBILPOZ };

// The year the mapping works in, given by its caller (the main data module's current choice).
struct MappingPeriod {
  QString ROK;              // two-digit year of the positions
  QString OKRES;            // period code of the positions (the uniqueness check reads it)
  QDate DATAKONCAOKRESU;    // 31 December of the year: positions and Besti@ positions valid then
};

// "BILB", "BILS", "BILJ"; "*" for tsRazem.
QString kindText(TTypSpr kind);
// "A", "P"; "*" for apRazem.
QString sideText(TAktywaPasywa side);
// The kind of a code ("BILB", "BILS", "BILJ"); nothing for any other text.
std::optional<TTypSpr> kindOf(const QString& code);
// The side of a code ("A", "P"); nothing for any other text.
std::optional<TAktywaPasywa> sideOf(const QString& code);
// The table whose positions have this report kind: JBBILPOZ for "BILJ", BILPOZ otherwise.
PositionTable tableForKind(const QString& kindCode);
// "BILPOZ" or "JBBILPOZ".
QString tableName(PositionTable table);

}  // namespace wertalo::mapping
