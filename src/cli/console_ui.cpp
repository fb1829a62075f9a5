#include "cli/console_ui.h"

#include <algorithm>
#include <cstdio>

namespace wertalo::cli {

void out(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

void err(const QString& text) {
  std::fflush(stdout);
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
}

QString terminalText(const QString& text, bool keepLineBreaks) {
  const auto unsafe = [keepLineBreaks](QChar c) {
    const char16_t u = c.unicode();
    if (keepLineBreaks && u == u'\n') return false;
    const bool control = u < 0x20 || (u >= 0x7F && u <= 0x9F);
    const bool bidi = (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
    return control || bidi;
  };
  // Most texts have nothing to replace: they are shown as they are, without a copy.
  if (std::none_of(text.begin(), text.end(), unsafe)) return text;
  QString shown = text;
  if (keepLineBreaks) shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  for (QChar& c : shown) {
    if (unsafe(c)) c = QChar(0xFFFD);
  }
  return shown;
}

QString errorText(const Error& error) {
  QString lead = QStringLiteral("Błąd: ");
  switch (error.kind()) {
    case ErrorKind::Database: lead = QStringLiteral("Błąd bazy danych: "); break;
    case ErrorKind::Installation:
    case ErrorKind::Input: lead.clear(); break;
    case ErrorKind::File:
    case ErrorKind::Package:
    case ErrorKind::Sending:
    case ErrorKind::Signature: break;
  }
  return terminalText(lead + error.message());
}

void ConsoleUserInterface::showMessage(const QString& text) { err(text + QLatin1Char('\n')); }

std::optional<QString> ConsoleUserInterface::askSaveFileName(const platform::SaveFileRequest& request) {
  if (saveAnswer_) return saveAnswer_;
  return platform::proposedSavePath(request);
}

bool ConsoleUserInterface::askYesNo(const QString& question) {
  err(question + QStringLiteral(" [nie]\n"));
  return false;
}

}  // namespace wertalo::cli
