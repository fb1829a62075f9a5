#include "core/package/package_error.h"

namespace wertalo::package {

PackageError::PackageError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}

}  // namespace wertalo::package
