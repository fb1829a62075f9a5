// Wertalo wizard: the forms the wizard opens (settings, mapping) and the balance-position view.
#pragma once

#include <QTableWidget>
#include <QWidget>

#include "core/catalogue/select_table.h"
#include "core/operations/session.h"

namespace wertalo::gui {

// The settings form "Ustawienia", modally over `parent`. The values it leaves are the session's
// settings (stored when the user saves them).
void showSettingsForm(QWidget* parent, operations::Session& session);

// The mapping form "Przypisanie do pozycji bilansu w programie Bestia", modally over `parent`.
void showMappingForm(QWidget* parent, operations::Session& session);

// The positions of the balance sheet `report` (none: the grid is emptied) on a side (0 assets,
// 1 liabilities) with their Besti@ symbols and amounts, into the report page's grid.
void showBalancePositions(QTableWidget* grid, operations::Session& session, const catalogue::SelectRow* report, int side);

}  // namespace wertalo::gui
