// Wertalo demo: electronic forms of reports: the XML kept from an earlier export, made by the
// export's own body builders from the report's rows, and real signatures of it.
#pragma once

#include <QString>

#include "core/demo/demo_world.h"

namespace wertalo::demo {

// A report that has an electronic form (year-end period).
struct SignedReport {
  int idJb;
  const char16_t* typspr;
  int year;
  int czast;
  bool isSigned;   // it carries an electronic signature: its XML is kept and goes out instead of a fresh body
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

// Writes the report's electronic form, when it has one: a row of SPRAWOZDXML per part (two for
// Rb-50, TYP "D" and "W"), holding for a signed report the kept XML of that part, and the
// signature rows, each a real signature of the kept XML of the first part made with its
// signer's committed test key. The kept XML is what the export writes in place of the part's
// placeholder: the elements the export's body builder makes from the report's rows, as they
// stand in a package; so it is written once every row of the demo is in the database.
void writeElectronicForm(const World& world, const Report& report);

}  // namespace wertalo::demo
