#include "core/package/package_error.h"

namespace wertalo::package {

PackageError::PackageError(const QString& message) : Error(ErrorKind::Package, message) {}

QString reportErrorLead(const QString& symbol, qint64 idspraw) {
  return QStringLiteral("Nie można zapisać sprawozdania %1 (identyfikator %2).").arg(symbol).arg(idspraw);
}

}  // namespace wertalo::package
