// Wertalo: the byte-exact writer of the package XML (the saved file is later edited line by line).
#pragma once

#include <QByteArray>
#include <QString>

#include "core/package/xml_node.h"

namespace wertalo::package {

// The whole document: UTF-8 byte-order mark, the declaration, then the root element; each
// element on its own line indented two spaces per level, an element with only text on one
// line ("<Rok>2013</Rok>", "<Uwagi></Uwagi>"), one without children as "<PODPIS/>"; every
// line ends with CR LF. A document without a root gives the declaration line alone.
QByteArray writeXml(const XmlDocument& document);

// The nodes of a fragment as the lines they make at the given nesting level (no mark, no
// declaration).
QByteArray writeXmlFragment(const XmlFragment& fragment, int indentLevel);

// The nodes of a fragment with no indentation and no line ends inside them (the report element
// a host program gets); top-level nodes, when there are several, are joined by CR LF. The
// rules of names, escapes and empty elements are those of writeXml.
QString writeXmlCompact(const XmlFragment& fragment);

// A text as element content: "&", "<", ">" escaped, characters XML forbids dropped.
QString escapeXmlText(const QString& text);

// A text as an attribute value: "&", "<", "\"" escaped, characters XML forbids dropped.
QString escapeXmlAttribute(const QString& value);

}  // namespace wertalo::package
