// Wertalo: the exception of the platform layer (files, folders, processes).
#pragma once

#include <QString>

#include <stdexcept>

namespace wertalo::platform {

// A failed file or folder operation. Carries the path and the system's own error text.
class PlatformError : public std::runtime_error {
 public:
  // `what` is the Polish lead ("Nie można zapisać pliku"), followed by the path and the system text.
  PlatformError(const QString& what, const QString& path, const QString& systemText);

  // The file or folder the operation was about.
  const QString& path() const { return path_; }
  // The system's text of the failure ("Permission denied", ...).
  const QString& systemText() const { return systemText_; }
  // The whole message: lead, path in quotes, system text.
  QString message() const;

 private:
  QString what_;
  QString path_;
  QString systemText_;
};

}  // namespace wertalo::platform
