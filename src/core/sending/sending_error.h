// Wertalo: the exception of packing and of the external sender.
#pragma once

#include <QString>


#include "core/base/error.h"

namespace wertalo::sending {

// A packing or sending step that failed (ErrorKind::Sending); the message is Polish and carries the underlying text.
class SendingError : public Error {
 public:
  explicit SendingError(const QString& message);
};

}  // namespace wertalo::sending
