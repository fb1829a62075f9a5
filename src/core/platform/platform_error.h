// Wertalo: the exception of the platform layer (files, folders, processes).
#pragma once

#include <QString>


#include "core/base/error.h"

namespace wertalo::platform {

// A failed file or folder operation (ErrorKind::File). Carries the path and the system's own
// error text; the message is the lead, the path in quotes and the system text.
class PlatformError : public Error {
 public:
  // `what` is the Polish lead ("Nie można zapisać pliku"), followed by the path and the system text.
  PlatformError(const QString& what, const QString& path, const QString& systemText);

  // The file or folder the operation was about.
  const QString& path() const { return path_; }
  // The system's text of the failure ("Permission denied", ...).
  const QString& systemText() const { return systemText_; }

 private:
  QString path_;
  QString systemText_;
};

}  // namespace wertalo::platform
