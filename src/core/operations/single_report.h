// Wertalo: one report's element without any user interface, as a host program asks for it.
#pragma once

#include <QString>

#include "core/catalogue/select_table.h"

namespace wertalo::db {
class Connection;
}

namespace wertalo::platform {
class UserInterface;
}

namespace wertalo::package {
class ReportRegistry;
}

namespace wertalo::operations {

// What a host asks for: one report by its identifier.
struct SingleReportRequest {
  qint64 idspraw = 0;  // IDSPRAW of the report
  bool bJST = true;    // true: the unit's own tables (SPRAWAKT, ...); false: the budget units' "JB" twins
  QString typ;         // appended to the report's symbol: the Rb-50 part, "D" or "W"; usually empty
  QString winIni;      // empty: $WERTALO_WIN_INI, else the default WIN.INI
};

// The element of one report.
struct SingleReport {
  QString symbol;  // the symbol the report was dispatched by ("Rb-27s", "Rb-50W"); empty for an unknown id
  QString xml;     // the report element alone, compact; empty when the symbol has no body
  QString anchor;  // the element's anchor ("#Rb-27s57"); empty when no element was built
};

// Opens the installation for this one report (the connection, and the unit only where an
// Rb-50 part needs its type), builds the report's selection row, runs the body of its symbol
// and closes everything again. Raises Error (installation, database).
SingleReport exportSingleReport(const SingleReportRequest& request, platform::UserInterface& ui);

// The selection row of a host call: the report's row of SPRAWAKT (JBSPRAWAKT when `bJST` is
// false) by identifier, ticked, with the fields CalculatedSprMemo derives. An identifier that
// is not there gives a row with empty fields and an empty symbol.
catalogue::SelectRow hostSelectionRow(db::Connection& db, const package::ReportRegistry& registry, qint64 idspraw,
                                      bool bJST);

// The derived fields of a host's selection row: sCzesc, sDzial and sRozdzial from the report's
// own plan row (left as they are when it has none), and the Besti@ symbol of its TYPSPR.
void CalculatedSprMemo(db::Connection& db, const package::ReportRegistry& registry, catalogue::SelectRow& row, bool bJST);

}  // namespace wertalo::operations
