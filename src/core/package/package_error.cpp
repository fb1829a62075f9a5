#include "core/package/package_error.h"

namespace wertalo::package {

PackageError::PackageError(const QString& message) : Error(ErrorKind::Package, message) {}

}  // namespace wertalo::package
