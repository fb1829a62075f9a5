#include "core/sending/sending_error.h"

namespace wertalo::sending {

SendingError::SendingError(const QString& message)
    : Error(ErrorKind::Sending, message) {}

}  // namespace wertalo::sending
