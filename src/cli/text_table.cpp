#include "cli/text_table.h"

#include <algorithm>

#include "cli/console_ui.h"

namespace wertalo::cli {

QString textTable(const QStringList& header, const std::vector<QStringList>& cells) {
  // A cell is one line: what the database holds is shown without its control characters.
  std::vector<QStringList> rows;
  for (const QStringList& row : cells) {
    QStringList shown;
    for (const QString& cell : row) shown << terminalText(cell, false);
    rows.push_back(shown);
  }
  std::vector<qsizetype> widths(static_cast<size_t>(header.size()), 0);
  auto measure = [&](const QStringList& row) {
    for (qsizetype i = 0; i < row.size() && i < header.size(); ++i)
      widths[static_cast<size_t>(i)] = std::max(widths[static_cast<size_t>(i)], row[i].size());
  };
  measure(header);
  for (const QStringList& row : rows) measure(row);
  auto line = [&](const QStringList& row) {
    QString text;
    for (qsizetype i = 0; i < header.size(); ++i) {
      const QString cell = i < row.size() ? row[i] : QString();
      text += i + 1 < header.size() ? cell.leftJustified(widths[static_cast<size_t>(i)]) + QStringLiteral("  ") : cell;
    }
    while (text.endsWith(QLatin1Char(' '))) text.chop(1);
    return text + QLatin1Char('\n');
  };
  QString out = line(header);
  QStringList rule;
  for (qsizetype w : widths) rule << QString(w, QLatin1Char('-'));
  out += line(rule);
  for (const QStringList& row : rows) out += line(row);
  return out;
}

}  // namespace wertalo::cli
