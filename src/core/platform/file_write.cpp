#include "core/platform/file_write.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/platform/platform_error.h"

namespace wertalo::platform {

namespace {

const QString kWriteFailed = QStringLiteral("Nie można zapisać pliku");

// The file that a write really replaces: the target of a symbolic link, else the path itself;
// `existing` tells whether it exists, and if so its status.
QString realTarget(const QString& path, struct stat& status, bool& existing) {
  existing = ::lstat(QFile::encodeName(path).constData(), &status) == 0;
  if (existing && S_ISLNK(status.st_mode)) {
    const QString target = QFileInfo(path).canonicalFilePath();
    if (!target.isEmpty()) {
      existing = ::stat(QFile::encodeName(target).constData(), &status) == 0;
      return target;
    }
    existing = false;  // a link to nothing: written as the path itself, as a new file
  }
  return path;
}

// What every temporary name ends with; nothing else in a folder is taken for ours.
const QString kTemporaryMark = QStringLiteral(".wertalo-tmp");

// A new random temporary name beside the target.
QByteArray temporaryNameFor(const QFileInfo& target) {
  const QString suffix = QString::number(QRandomGenerator::global()->generate64(), 36);
  return QFile::encodeName(target.path() + QStringLiteral("/.") + target.fileName() + QLatin1Char('.') + suffix + kTemporaryMark);
}

// Opens a new temporary file beside the target and locks it for as long as it is open, so that
// removeLeftTemporaries leaves it alone; returns its descriptor and name, or -1 with errno set.
int openTemporary(const QString& target, mode_t mode, QByteArray& temporaryName) {
  const QFileInfo info(target);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporaryName = temporaryNameFor(info);
    const int fd = ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return -1;
    }
    struct stat opened {};
    // A clean-up that took the file between its creation and the lock removed it: another name.
    if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &opened) == 0 && opened.st_nlink > 0) return fd;
    const int failure = errno;
    ::close(fd);
    errno = failure;
  }
  if (errno == 0) errno = EEXIST;
  return -1;
}

// Whether files can be opened without a name and named later (O_TMPFILE, then a link through
// /proc/self/fd); asked once.
bool namesUnnamedFiles() {
  static const bool available = ::access("/proc/self/fd", X_OK) == 0;
  return available;
}

// Opens a file without a name in the target's folder; -1 when the system cannot.
int openUnnamed(const QString& target, mode_t mode) {
  if (!namesUnnamedFiles()) return -1;
  const QByteArray folder = QFile::encodeName(QFileInfo(target).path());
  return ::open(folder.constData(), O_WRONLY | O_TMPFILE | O_CLOEXEC, mode);
}

// Gives the open file a name (fails with EEXIST when the name is taken).
int linkUnnamed(int fd, const QByteArray& name) {
  const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
  return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW);
}

// Names the locked unnamed file with a new temporary name beside the target; 0, or -1 with errno.
int linkTemporary(int fd, const QString& target, QByteArray& temporaryName) {
  const QFileInfo info(target);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporaryName = temporaryNameFor(info);
    if (linkUnnamed(fd, temporaryName) == 0) return 0;
    if (errno != EEXIST) break;
  }
  temporaryName.clear();
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

bool isTemporaryName(const QString& fileName) {
  static const QRegularExpression form(QRegularExpression::anchoredPattern(QStringLiteral("\\..+\\.[0-9a-z]{1,13}\\.wertalo-tmp")));
  return form.match(fileName).hasMatch();
}

QStringList removeLeftTemporaries(const QString& folder) {
  QStringList removed;
  const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
  for (const QString& name : names) {
    if (!isTemporaryName(name)) continue;
    const QByteArray path = QFile::encodeName(QDir(folder).filePath(name));
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    // A write in progress holds its lock; a killed one's lock went with its process.
    struct stat held {};
    struct stat named {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && ::lstat(path.constData(), &named) == 0 &&
        held.st_ino == named.st_ino && held.st_dev == named.st_dev && ::unlink(path.constData()) == 0)
      removed << name;
    ::close(fd);
  }
  return removed;
}

QString systemErrorText(int errorNumber) { return QString::fromLocal8Bit(std::strerror(errorNumber)); }

void writeFileWhole(const QString& path, const QByteArray& bytes, NewFileAccess access, Durability durability) {
  WholeFileWriter writer(path, access, durability);
  writer.write(bytes);
  writer.commit();
}

WholeFileWriter::WholeFileWriter(const QString& path, NewFileAccess access, Durability durability)
    : path_(path), durability_(durability) {
  struct stat existing {};
  const QString target = realTarget(path, existing, keepMode_);
  targetName_ = QFile::encodeName(target);
  mode_ = keepMode_ ? (existing.st_mode & 07777) : (access == NewFileAccess::OwnerOnly ? 0600 : 0666);
  const mode_t openMode = keepMode_ ? 0600 : static_cast<mode_t>(mode_);
  fd_ = openUnnamed(target, openMode);
  if (fd_ < 0) fd_ = openTemporary(target, openMode, temporaryName_);
  if (fd_ < 0) throw PlatformError(kWriteFailed, path, systemErrorText(errno));
}

WholeFileWriter::~WholeFileWriter() {
  if (fd_ < 0) return;
  ::close(fd_);
  if (!temporaryName_.isEmpty()) ::unlink(temporaryName_.constData());
}

void WholeFileWriter::fail(int errorNumber) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporaryName_.isEmpty()) ::unlink(temporaryName_.constData());
  throw PlatformError(kWriteFailed, path_, systemErrorText(errorNumber));
}

void WholeFileWriter::write(const QByteArray& bytes) {
  if (fd_ < 0) throw PlatformError(kWriteFailed, path_, systemErrorText(EBADF));
  if (!writeAll(fd_, bytes)) fail(errno);
}

void WholeFileWriter::commit() {
  if (fd_ < 0) throw PlatformError(kWriteFailed, path_, systemErrorText(EBADF));
  if (keepMode_ && ::fchmod(fd_, static_cast<mode_t>(mode_)) != 0) fail(errno);
  if (durability_ == Durability::Synced && ::fsync(fd_) != 0) fail(errno);
  if (temporaryName_.isEmpty()) {
    // A new file is given its name at once; one that replaces another is named beside it
    // (locked, so that no clean-up takes it) and renamed over it, in one step.
    if (!keepMode_ && linkUnnamed(fd_, targetName_) == 0) {
      closeNamed(targetName_);
      return;
    }
    if (!keepMode_ && errno != EEXIST) fail(errno);
    if (::flock(fd_, LOCK_EX) != 0 || linkTemporary(fd_, QFile::decodeName(targetName_), temporaryName_) != 0) fail(errno);
  }
  closeNamed(temporaryName_);
  if (::rename(temporaryName_.constData(), targetName_.constData()) != 0) removeAndThrow(temporaryName_, errno);
}

void WholeFileWriter::closeNamed(const QByteArray& name) {
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) removeAndThrow(name, errno);
}

void WholeFileWriter::removeAndThrow(const QByteArray& name, int errorNumber) {
  ::unlink(name.constData());
  throw PlatformError(kWriteFailed, path_, systemErrorText(errorNumber));
}

void syncFolder(const QString& folder) {
  const QByteArray name = QFile::encodeName(folder);
  const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) throw PlatformError(QStringLiteral("Nie można zapisać na dysku plików folderu"), folder, systemErrorText(errno));
  // One call writes out the files' data (syncfs: the whole file system), then the folder's entries.
  const bool ok = ::syncfs(fd) == 0 && ::fsync(fd) == 0;
  const int failure = errno;
  ::close(fd);
  if (!ok) throw PlatformError(QStringLiteral("Nie można zapisać na dysku plików folderu"), folder, systemErrorText(failure));
}

}  // namespace wertalo::platform
