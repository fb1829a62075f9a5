#include "core/platform/platform_error.h"

namespace wertalo::platform {

namespace {

QString compose(const QString& what, const QString& path, const QString& systemText) {
  return what + QStringLiteral(" \"") + path + QStringLiteral("\": ") + systemText;
}

}  // namespace

PlatformError::PlatformError(const QString& what, const QString& path, const QString& systemText)
    : std::runtime_error(compose(what, path, systemText).toStdString()),
      what_(what),
      path_(path),
      systemText_(systemText) {}

QString PlatformError::message() const { return compose(what_, path_, systemText_); }

}  // namespace wertalo::platform
