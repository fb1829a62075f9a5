#include "core/platform/file_write.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/platform/platform_error.h"

namespace wertalo::platform {

namespace {

const QString kWriteFailed = QStringLiteral("Nie można zapisać pliku");

// The file that a write really replaces: the target of a symbolic link, else the path itself.
QString realTarget(const QString& path) {
  const QFileInfo info(path);
  if (info.isSymLink()) {
    const QString target = info.canonicalFilePath();
    if (!target.isEmpty()) return target;
  }
  return path;
}

// Opens a new temporary file beside the target; returns its descriptor and name, or -1 with errno set.
int openTemporary(const QString& target, mode_t mode, QByteArray& temporaryName) {
  const QFileInfo info(target);
  const QString folder = info.path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QString suffix = QString::number(QRandomGenerator::global()->generate64(), 36);
    temporaryName = QFile::encodeName(folder + QStringLiteral("/.") + info.fileName() + QStringLiteral(".") + suffix);
    const int fd = ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool writeAll(int fd, const QByteArray& bytes) {
  const char* data = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    left -= written;
  }
  return true;
}

}  // namespace

QString systemErrorText(int errorNumber) { return QString::fromLocal8Bit(std::strerror(errorNumber)); }

void writeFileWhole(const QString& path, const QByteArray& bytes, NewFileAccess access) {
  const QString target = realTarget(path);
  const QByteArray targetName = QFile::encodeName(target);

  struct stat existing {};
  const bool exists = ::stat(targetName.constData(), &existing) == 0;
  const mode_t mode = access == NewFileAccess::OwnerOnly ? 0600 : 0666;

  QByteArray temporaryName;
  const int fd = openTemporary(target, exists ? 0600 : mode, temporaryName);
  if (fd < 0) throw PlatformError(kWriteFailed, path, systemErrorText(errno));

  bool ok = writeAll(fd, bytes);
  if (ok && exists) ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
  if (ok) ok = ::fsync(fd) == 0;
  int failure = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    failure = errno;
  }
  if (ok && ::rename(temporaryName.constData(), targetName.constData()) != 0) {
    ok = false;
    failure = errno;
  }
  if (!ok) {
    ::unlink(temporaryName.constData());
    throw PlatformError(kWriteFailed, path, systemErrorText(failure));
  }
}

}  // namespace wertalo::platform
