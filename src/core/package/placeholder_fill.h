// Wertalo: filling the placeholder lines of a saved package (kept XML, signatures).
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
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

// What a saved package puts in place of its placeholders, by their order in the document.
struct PlaceholderTexts {
  // How many kept texts there are, and the n-th one.
  std::function<size_t()> keptCount;
  std::function<QByteArray(size_t n)> kept;
  // How many PODPIS placeholders have their entries, and the entries of the n-th one (the
  // lines of its signatures: DANE texts and SignatureRozwiniecie lines, in order).
  std::function<size_t()> signatureCount;
  std::function<std::vector<QByteArray>(size_t n)> signatures;
};

// Fills the placeholders of a package written part after part (each part whole CR LF lines,
// in document order), as fillPlaceholderLines fills a whole document, and hands the lines on.
// A package with neither a kept text nor a signature entry goes out as built (its "<PODPIS/>"
// lines stay); otherwise each PODPIS becomes its block: "<Podpisy>", the entries, "</Podpisy>",
// or "<Podpisy/>" when it has none. Until that is known, the lines from the first PODPIS on
// are held back.
class PlaceholderFiller {
 public:
  PlaceholderFiller(PlaceholderTexts texts, std::function<void(const QByteArray&)> sink);

  // Takes the next lines of the document.
  void write(const QByteArray& lines);
  // Hands on what was held back; the document is complete.
  void finish();

 private:
  // The package has something to fill: every placeholder is filled from now on.
  void startFilling();
  void emitLine(const QByteArray& line);

  PlaceholderTexts texts_;
  std::function<void(const QByteArray&)> sink_;
  QByteArray out_;
  qsizetype lineNumber_ = 0;
  size_t nextKept_ = 0;
  size_t nextSignatures_ = 0;
  bool filling_ = false;
  // Lines held back while it is not known whether the package is filled, and which of them
  // are PODPIS placeholders (all without signatures).
  std::vector<QByteArray> heldLines_;
  std::vector<bool> heldPlaceholder_;
};

}  // namespace wertalo::package
