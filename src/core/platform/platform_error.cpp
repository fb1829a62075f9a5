#include "core/platform/platform_error.h"

namespace wertalo::platform {

namespace {

QString compose(const QString& what, const QString& path, const QString& systemText) {
  return what + QStringLiteral(" \"") + path + QStringLiteral("\": ") + systemText;
}

}  // namespace

PlatformError::PlatformError(const QString& what, const QString& path, const QString& systemText)
    : Error(ErrorKind::File, compose(what, path, systemText)),
      path_(path),
      systemText_(systemText) {}

}  // namespace wertalo::platform
