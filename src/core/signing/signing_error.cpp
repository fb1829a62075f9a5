#include "core/signing/signing_error.h"

namespace wertalo::signing {

SigningError::SigningError(const QString& message) : Error(ErrorKind::Signature, message) {}

}  // namespace wertalo::signing
