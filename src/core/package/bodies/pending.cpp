// Bodies whose report families are not written yet: each gives an empty fragment, so a
// ticked report of these kinds adds no report element to its list (its extended information
// and signature placeholder are still written).
#include "core/package/paczka.h"

namespace wertalo::package {

XmlFragment TXMLPaczkaSprawozdan::Rb30(QString*) { return {}; }
XmlFragment TXMLPaczkaSprawozdan::Rb31(QString*) { return {}; }
XmlFragment TXMLPaczkaSprawozdan::Rb33(QString*) { return {}; }
XmlFragment TXMLPaczkaSprawozdan::Rb34s(QString*) { return {}; }
XmlFragment TXMLPaczkaSprawozdan::Rb34(QString*) { return {}; }
XmlFragment TXMLPaczkaSprawozdan::Rb50D(TRodzajZad, QString*) { return {}; }
XmlFragment TXMLPaczkaSprawozdan::Rb50W(TRodzajZad, QString*) { return {}; }
XmlFragment TXMLPaczkaSprawozdan::RbN(QString*) { return {}; }
XmlFragment TXMLPaczkaSprawozdan::RbZ(QString*) { return {}; }
XmlFragment TXMLPaczkaSprawozdan::RbNDS(QString*) { return {}; }
XmlFragment TXMLPaczkaSprawozdan::RbPDP(QString*) { return {}; }
XmlFragment TXMLPaczkaSprawozdan::RbUZ(QString*) { return {}; }
XmlFragment TXMLPaczkaSprawozdan::RbST(QString*) { return {}; }
XmlFragment TXMLPaczkaSprawozdan::RbZN(QString*) { return {}; }
XmlFragment TXMLPaczkaSprawozdan::RbUN(QString*) { return {}; }
XmlFragment TXMLPaczkaSprawozdan::RbZFJ(QString*) { return {}; }
XmlFragment TXMLPaczkaSprawozdan::RbZS(QString*) { return {}; }
XmlFragment TXMLPaczkaSprawozdan::RbWS(QString*) { return {}; }

}  // namespace wertalo::package
