// Wertalo: the exception of the package writer (data the package cannot be built from).
#pragma once

#include <QString>


#include "core/base/error.h"

namespace wertalo::package {

// A package that cannot be built as asked (ErrorKind::Package); the message is Polish and says why.
class PackageError : public Error {
 public:
  // The whole message.
  explicit PackageError(const QString& message);
};

// The lead of an error met while a report was being written: "Nie można zapisać sprawozdania
// Rb-27s (identyfikator 1513)."
QString reportErrorLead(const QString& symbol, qint64 idspraw);

}  // namespace wertalo::package
