// Wertalo: the exception of signing and signature checking.
#pragma once

#include <QString>


#include "core/base/error.h"

namespace wertalo::signing {

// A text that cannot be signed, a key or certificate that cannot be read, or a file that is not
// a well-formed package (ErrorKind::Signature); the message is Polish and carries the underlying library's text.
class SigningError : public Error {
 public:
  // The whole message.
  explicit SigningError(const QString& message);
};

}  // namespace wertalo::signing
