#include "core/base/error.h"

namespace wertalo {

Error::Error(ErrorKind kind, const QString& message)
    : std::runtime_error(message.toStdString()), kind_(kind), message_(message) {}

}  // namespace wertalo
