// Wertalo: the checks of an XML document where Qt's reader is more lenient than XML.
#pragma once

#include <QByteArray>

namespace wertalo::platform {

// Whether the document is well-formed also where Qt's reader lets a fault pass: every element
// name, attribute name and processing-instruction target is an XML name, the XML declaration
// holds only version, encoding and standalone, and a document read as UTF-8 is valid UTF-8 to
// its last byte. A document Qt's reader refuses gives false too.
bool isStrictlyWellFormed(const QByteArray& bytes);

}  // namespace wertalo::platform
