#include "core/operations/balance_positions.h"

#include "core/operations/session.h"

namespace wertalo::operations {

BalancePositions::BalancePositions(Session& session)
    : session_(session), view_(session.dataModule().DB()) {}

void BalancePositions::followSelection() {
  const catalogue::SelectTable& selection = session_.selection();
  if (selection.eof()) return;
  const catalogue::SelectRow& row = selection.current();
  view_.srcMemSelectSprawDataChange({row.ROK, row.TYPSPR, row.IDSPRAW}, &session_.mapping());
}

void BalancePositions::EkspSetMapFilter(mapping::TAktywaPasywa ap) { view_.EkspSetMapFilter(ap, &session_.mapping()); }

void BalancePositions::refresh() { view_.refresh(&session_.mapping()); }

}  // namespace wertalo::operations
