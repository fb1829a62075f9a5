// Wertalo: the value rules every report body writes through.
#pragma once

#include <QString>
#include <QVariant>

#include <optional>

#include "core/package/column_kind.h"
#include "core/package/xml_node.h"
#include "core/text/currency.h"

namespace wertalo::package {

// Appends the element with one text child, also when the text is empty.
void XMLWstawPoleDoBestia(XmlNodeList& xParentNode, const QString& sPoleTagName, const QString& sValueText);
// Appends the empty element.
void XMLWstawZnacznik(XmlNodeList& xParentNode, const QString& sPoleTagName);
// Appends the element with the amount text of the value ("1234.50").
void XMLWstawFloat(XmlNodeList& xParentNode, const QString& sPoleTagName, double value);
// Appends the element with the amount text of a currency value (Null gives "0.00").
void XMLWstawFloat(XmlNodeList& xParentNode, const QString& sPoleTagName, std::optional<text::Currency> value);
// Appends by column kind: texts unless Null, amounts always ("0.00" for Null), nothing else.
void WstawPozycjeDoBestia(XmlNodeList& xParentNode, const QString& sPole, TTypPola sTypPola, const QVariant& Wartosc);

}  // namespace wertalo::package
