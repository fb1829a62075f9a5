// Wertalo: the name of the archive of an export.
#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace wertalo::sending {

// What the archive name is made of.
struct ZipNameParts {
  bool budgetUnits = false;      // unit kind: RodzajEksportu is rJB ("jb__"), else "jst_"
  QString OKRES;                 // memMain.OKRES
  QString ROK;                   // memMain.ROK
  QString REGON;                 // REGON of the current budget-unit row (empty when none)
  QString REGON_2;               // REGON_2 of the same row
  std::optional<bool> Nazwa_S;   // the selection row's Nazwa_S; unset gives an empty part
};

// A new GUID in its standard text form: braces, upper-case hexadecimal, 38 characters.
QString newGuidText();

// "jb__" or "jst_", OKRES, "_", ROK, "_", REGON + REGON_2, "_", the Nazwa_S text ("True",
// "False" or empty), the GUID from `guid`, ".zip". A "/" in the data becomes "_", so that the
// name never leads into another folder.
QString NazwaPlikuZip(const ZipNameParts& parts, const std::function<QString()>& guid = newGuidText);

}  // namespace wertalo::sending
