#include "core/operations/signature_check.h"

#include <QFileInfo>

#include <algorithm>

#include "core/signing/signing_error.h"
#include "core/signing/verifier.h"

namespace wertalo::operations {

QStringList signatureCheckLines(const catalogue::ExportResult& result) {
  QStringList lines;
  for (const catalogue::WrittenFile& file : result.files) {
    // Only a signed report brings signatures into a file: the others need no reading.
    if (std::none_of(file.reports.begin(), file.reports.end(), [](const catalogue::WrittenReport& r) { return r.report.podpisane; }))
      continue;
    const QString name = QFileInfo(file.path).fileName();
    std::vector<signing::SignatureCheck> checks;
    try {
      checks = signing::verifyPackageFile(file.path);
    } catch (const signing::SigningError& error) {
      lines << QStringLiteral("Nie sprawdzono podpisów w pliku %1: %2").arg(name, error.message());
      continue;
    }
    if (checks.empty()) continue;
    const auto verified = std::count_if(checks.begin(), checks.end(), [](const signing::SignatureCheck& c) { return c.verified(); });
    lines << QStringLiteral("Podpisy w pliku %1: zgodne %2 z %3").arg(name).arg(verified).arg(checks.size());
    for (const signing::SignatureCheck& check : checks) {
      if (check.verified()) continue;
      const QString report = check.referenceUri().startsWith(u'#') ? check.referenceUri().mid(1) : check.referenceUri();
      lines << QStringLiteral("  podpis %1 (%2): %3").arg(check.index).arg(report, check.message);
    }
  }
  return lines;
}

}  // namespace wertalo::operations
