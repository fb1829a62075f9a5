#include "cli/console_ui.h"

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
  QString shown = text;
  if (keepLineBreaks) shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  for (QChar& c : shown) {
    const char16_t u = c.unicode();
    if (keepLineBreaks && u == u'\n') continue;
    const bool control = u < 0x20 || (u >= 0x7F && u <= 0x9F);
    const bool bidi = (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
    if (control || bidi) c = QChar(0xFFFD);
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
