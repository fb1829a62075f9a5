// Wertalo: bodies of the financial plan reports Rb-30s (and Rb-30), Rb-31, Rb-33, Rb-34 and
// Rb-34s: a header with the plan's classification, then a fixed series of sections.
#pragma once

#include "core/package/report_context.h"
#include "core/package/xml_node.h"

namespace wertalo::package {

// Rb-30s or Rb-30 (the element is named by the report's symbol), from RB30.
XmlFragment Rb30(const ReportContext& report, QString* id);
// Rb-31, from RB31.
XmlFragment Rb31(const ReportContext& report, QString* id);
// Rb-33, from RB33.
XmlFragment Rb33(const ReportContext& report, QString* id);
// Rb-34, from RB34.
XmlFragment Rb34(const ReportContext& report, QString* id);
// Rb-34s, from RB34: the short header and revenue and expenditure named Dochody and Wydatki.
XmlFragment Rb34s(const ReportContext& report, QString* id);

}  // namespace wertalo::package
