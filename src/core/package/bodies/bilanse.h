// Wertalo: bodies of the balance sheets B-Wyk, B-Skon and B-Jed.
#pragma once

#include "core/db/data_set.h"
#include "core/package/bodies/body.h"

namespace wertalo::package {

XmlFragment BilanseBILB(const ReportContext& report, QString* id);  // B-Wyk from BILB
XmlFragment BilanseBILS(const ReportContext& report, QString* id);  // B-Skon from BILS
XmlFragment BilanseBILJ(const ReportContext& report, QString* id);  // B-Jed of one budget unit, from JBBILJ
XmlFragment BilanseBILL(const ReportContext& report, QString* id);  // B-Jed combined, from JBBILJ

// The symbol of the parent of the current row of an open position statement, looked up one
// level on the same side; "" when the row has no parent or the parent is not among the rows.
QString ZnajdzSymbolNadrzednejPozycji(db::DataSet& qr);

}  // namespace wertalo::package
