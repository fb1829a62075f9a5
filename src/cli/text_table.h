// Wertalo command line: a plain text table for the terminal.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace wertalo::cli {

// Columns padded to their widest cell, separated by two blanks, header underlined; each cell
// is shown on one line, its control characters replaced (terminalText).
QString textTable(const QStringList& header, const std::vector<QStringList>& rows);

}  // namespace wertalo::cli
