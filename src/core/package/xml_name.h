// Wertalo: XML names made from data (report parameter names, codes) for the package.
#pragma once

#include <QString>

namespace wertalo::package {

// Whether a character may start an element or attribute name ("_", letters, ideographs).
bool isXmlNameStartChar(char32_t c);
// Whether a character may stand in a name after its first character.
bool isXmlNameChar(char32_t c);

// Makes a text a valid XML name: each character that cannot stand in a name becomes "_"
// (a character outside the basic plane, a surrogate pair, becomes one "_"), and "_" goes in
// front when the first character may stand in a name but not start it; empty gives "_".
// The names are not namespaced, so ":" is replaced too. A valid name comes back unchanged.
QString validXmlName(const QString& name);

}  // namespace wertalo::package
