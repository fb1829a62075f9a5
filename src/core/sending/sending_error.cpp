#include "core/sending/sending_error.h"

namespace wertalo::sending {

SendingError::SendingError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message) {}

}  // namespace wertalo::sending
