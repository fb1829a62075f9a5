// Wertalo: bodies of Rb-27s, Rb-28s, Rb-28nws (one table each) and Rb-27ZZ.
#pragma once

#include "core/package/bodies/body.h"

namespace wertalo::package {

extern const TableBody R27S;    // Rb-27s from D2
extern const TableBody R28S;    // Rb-28s from W2
extern const TableBody R28NWS;  // Rb-28nws from NWS
// Rb-27ZZ from RBZZ, with the receivables A and B summed by chapter from RBZZDU.
XmlFragment R27ZZ(const ReportContext& report, QString* id);

}  // namespace wertalo::package
