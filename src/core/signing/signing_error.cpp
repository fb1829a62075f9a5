#include "core/signing/signing_error.h"

namespace wertalo::signing {

SigningError::SigningError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}

}  // namespace wertalo::signing
