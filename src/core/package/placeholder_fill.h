// Wertalo: filling the placeholder lines of a saved package (kept XML, signatures).
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

#include "core/package/xml_node.h"

namespace wertalo::package {

// The nesting level of a report element in a package (PaczkaSprawozdan, Jednostki, Jednostka,
// Sprawozdania, the report), where a kept-XML placeholder stands.
inline constexpr int kReportElementLevel = 4;

// The kept text of report elements: the lines the writer makes of them at the level of a
// report element, so that in place of a kept-XML placeholder they stand exactly as they would
// built there; without the last line end (the filling ends the line it replaces).
QString keptXmlText(const XmlFragment& elements);

// The signature text with its first reference (URI="...") pointing at the anchor; a text
// without a complete reference comes back unchanged.
QString rewriteSignatureReference(const QString& dane, const QString& anchor);

// The document's lines with the placeholders filled. Lines are the document's CR LF lines;
// from the second line on, a line that reads "<WYEKSPORTOWANY_XML/>" once its surrounding blanks
// and control characters are removed is replaced by the next kept text, and a line that reads
// "<PODPIS/>" by the next signature block (one line per entry). Inserted lines are not
// examined again. A placeholder line beyond the given texts and blocks stays as it is. Every
// line of the result ends with CR LF.
QByteArray fillPlaceholderLines(const QByteArray& document, const std::vector<QByteArray>& keptTexts,
                                const std::vector<std::vector<QByteArray>>& signatureBlocks);

}  // namespace wertalo::package
