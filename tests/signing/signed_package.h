// Signing tests: packages built the way the saving builds them, and the xmlsec1 tool as a
// second, independent judge of their signatures.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace wertalo::test {

// A report element as an earlier export wrote it, indented for its place in a package, lines
// ended with CR LF: a header and one position holding `amount` and a remark with awkward text.
QString keptReport(const QString& symbol, int idspraw, const QString& amount);

// The package text as the saving makes it: one unit whose report list holds one kept-XML
// placeholder per kept text, followed by the signature placeholder; each placeholder line then
// replaced by its kept text, the signature placeholder by the block "<Podpisy>", each
// signature text (with its signer's extended information), "</Podpisy>" ("<Podpisy/>" when
// there is none).
QByteArray signedPackage(const std::vector<QString>& keptTexts, const std::vector<QString>& signatures);

// What the xmlsec1 tool said.
struct ToolResult {
  int exitCode = -1;
  QString output;
};

// `xmlsec1 --verify` of the `number`-th signature (from 1) of a file, with the Id attributes
// of the named report elements declared, and the certificates of `trustedPemFile` trusted
// (without one, the certificate is not checked).
ToolResult xmlsecVerify(const QString& file, const QStringList& reportElements, int number,
                        const QString& trustedPemFile = QString());

// Writes the bytes to a file and returns its path; the test fails when it cannot.
QString writeFile(const QString& path, const QByteArray& bytes);

// The names of the report elements of a package that its signatures refer to, each once.
QStringList reportElementNames(const QByteArray& package);

}  // namespace wertalo::test
