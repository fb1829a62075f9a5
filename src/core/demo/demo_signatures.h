// Wertalo demo: electronic forms of reports: signatures and XML kept from an earlier export.
#pragma once

#include <QString>

#include "core/demo/demo_world.h"

namespace wertalo::demo {

// A report that has an electronic form (year-end period); signatures 0 means unsigned.
struct SignedReport {
  int idJb;
  const char16_t* typspr;
  int year;
  int czast;
  bool kept;       // the XML of an earlier export is kept
  int signatures;  // number of signature rows
};

// The electronic form of the report, or nullptr when it has none.
const SignedReport* signedReport(const Report& report);

// Who signs: name, role and the demo signer whose committed test key signs for them.
struct Signer {
  QString name;
  QString role;
  QString key;
};
const Signer& signerOf(const Report& report, int index);

// The report's Besti@ element ("Rb-27s", "B-Jed"; for Rb-50 the part "D" or "W" gives
// "Rb-50D" or "Rb-50W").
QString bestiaElement(const Report& report, const QString& part = QString());

// The report element as an earlier export wrote it, indented for its place in a package,
// lines ended with CR LF.
QString keptXml(const Report& report, const QString& part);

// The report's signature number `index` (XML-DSig): a real signature of its kept XML (for
// Rb-50, of part D), whose reference points at the report's anchor, made with its signer's
// committed test key.
QString signatureXml(const Report& report, int index);

}  // namespace wertalo::demo
