// Wertalo: an export run as the wizard makes it, from the prepared selection to the files.
#pragma once

namespace wertalo::catalogue {
class TdtmWertaloMain;
}

namespace wertalo::package {

class TXMLPaczkaSprawozdan;

// Prepares the writer's period and budget-unit queries, then writes one file per ticked
// report (or sheet), or the whole package into one file whose name the user is asked for.
// The completion text can be made afterwards (TdtmWertaloMain::Zakonczenie). False when the
// user cancelled the save (nothing written, nothing recorded).
bool WykonajEksport(catalogue::TdtmWertaloMain& dtm, TXMLPaczkaSprawozdan& writer);

}  // namespace wertalo::package
