// Wertalo wizard: the program's command line, as the product starts it.
#pragma once

#include <QString>
#include <QStringList>

namespace wertalo::gui {

// What the wizard was started with.
struct WizardCommandLine {
  bool hasList = false;  // one or more parameters: the report list decides the start
  QString userid;        // the login given before the list (two parameters)
  QString list;          // report identifiers, each followed by "," ("226444,226726,")
  bool help = false;     // --help: print the usage and end
};

// The parameters after the program's name: nothing; a report list; a login and a report list;
// three or more parameters give an empty list. "--help" alone asks for the usage.
WizardCommandLine parseWizardCommandLine(const QStringList& parameters);

// What `wertalo --help` prints.
QString wizardUsage();

}  // namespace wertalo::gui
