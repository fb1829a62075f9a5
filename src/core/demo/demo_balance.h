// Wertalo demo: the balance-position trees (BILPOZ, JBBILPOZ), the Besti@ positions and the
// product's dictionary between them, and the balance sheets themselves.
#pragma once

#include <QMap>
#include <QString>

#include <vector>

#include "core/demo/demo_world.h"

namespace wertalo::demo {

// One product position of a balance-sheet tree in one year.
struct BalancePosition {
  int id = 0;        // ID_BILPOZ
  int parent = -1;   // index of the parent position in its tree, -1 for a top position
  QString side;      // "A" assets, "P" liabilities
  QString name;
  bool isSum = false;     // "Suma aktywów", "Suma pasywów"
  int sign = 1;           // -1 for positions that reduce their parent ("Strata netto (-)")
  bool balancing = false;  // the unit's fund: takes the difference of the two sides
};

// The trees by position kind ("BILB", "BILS", "BILJ") and year.
class BalanceTrees {
 public:
  const std::vector<BalancePosition>& tree(const QString& kind, int year) const;
  void set(const QString& kind, int year, std::vector<BalancePosition> positions);

 private:
  QMap<QString, std::vector<BalancePosition>> trees_;
};

// Writes S_BILBESTIA, S_BILANSPOZ and, for every year, the trees of BILPOZ (BILB and BILS)
// and JBBILPOZ (BILJ); BILTOBESTIAMAP gets two entries made by hand in the latest year (one
// Besti@ position, one position marked not to be assigned).
BalanceTrees writeBalancePositions(RowWriter& writer, const World& world);

// The balance sheet of the report (BILB, BILS, BILJ or BILL) and its remarks row.
void writeBalanceSheet(const Report& report, Random& rng, const BalanceTrees& trees);

}  // namespace wertalo::demo
