// Wertalo: what the catalogue needs to know of the report types (the package layer's
// registry of report families answers).
#pragma once

#include <QString>

#include "core/catalogue/enums.h"

namespace wertalo::catalogue {

// The product's report type codes as the selection sees them.
class ReportTypes {
 public:
  virtual ~ReportTypes() = default;
  // The Besti@ symbol of a type code ("D" gives "Rb-27s"); empty for a code it does not know.
  virtual QString symbolOf(const QString& typspr) const = 0;
  // Whether a report of this type is offered in report mode for the unit itself (rJST) or for
  // budget units (rJB).
  virtual bool offered(const QString& typspr, TRodzajEksportu kind) const = 0;
};

}  // namespace wertalo::catalogue
