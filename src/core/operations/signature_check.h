// Wertalo: the signatures of the files an export wrote, checked as the command line's verify
// checks them, in lines for the wizard's completion page.
#pragma once

#include <QStringList>

#include "core/catalogue/export_result.h"

namespace wertalo::operations {

// One line per written file that holds signatures ("Podpisy w pliku NAME: zgodne 2 z 2"), one
// more per signature that does not verify (its number, its report and what was found), and one
// per file that could not be checked, with the reason. No line when no file holds a signature.
// Only the files that hold a signed report are read.
QStringList signatureCheckLines(const catalogue::ExportResult& result);

}  // namespace wertalo::operations
