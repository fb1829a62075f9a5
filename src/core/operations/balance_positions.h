// Wertalo: the balance positions shown beside the balance sheet being exported (the wizard's
// report page): the positions of the selection's current sheet with their amounts in it and
// their assigned Besti@ symbols, on the chosen side.
#pragma once

#include <vector>

#include "core/mapping/export_positions.h"
#include "core/mapping/mapping_types.h"

namespace wertalo::operations {

class Session;

// The export-side view of the mapping over a session's selection and mapping module.
class BalancePositions {
 public:
  explicit BalancePositions(Session& session);

  // The selection's current row changed (not a field of it): the view follows the sheet of the
  // row. Nothing happens while the selection has no current row.
  void followSelection();
  // The side shown (0 assets, 1 liabilities, 2 both); a shown list is run anew.
  void EkspSetMapFilter(mapping::TAktywaPasywa ap);
  // Runs the shown list anew, e.g. after the mapping form changed the assignments.
  void refresh();

  // Whether positions are shown, and the positions in KOLEJ order.
  bool active() const { return view_.active(); }
  const std::vector<mapping::ExportPosition>& rows() const { return view_.rows(); }
  // The view itself (which list, its statements).
  const mapping::ExportPositions& view() const { return view_; }

 private:
  Session& session_;
  mapping::ExportPositions view_;
};

}  // namespace wertalo::operations
