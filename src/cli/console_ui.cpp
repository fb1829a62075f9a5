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

QString errorText(const Error& error) {
  switch (error.kind()) {
    case ErrorKind::Database: return QStringLiteral("Błąd bazy danych: ") + error.message();
    case ErrorKind::Installation:
    case ErrorKind::Input: return error.message();
    case ErrorKind::File:
    case ErrorKind::Package:
    case ErrorKind::Sending:
    case ErrorKind::Signature: break;
  }
  return QStringLiteral("Błąd: ") + error.message();
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
