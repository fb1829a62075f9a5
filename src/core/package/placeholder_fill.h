// Wertalo: filling the placeholder lines of a saved package (kept XML, signatures).
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace wertalo::package {

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
