#include "core/platform/process.h"

#include <QProcess>

namespace wertalo::platform {

bool startDetached(const QString& program, const QString& argument) {
  return QProcess::startDetached(program, QStringList{argument});
}

}  // namespace wertalo::platform
