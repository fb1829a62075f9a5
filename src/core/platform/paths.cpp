#include "core/platform/paths.h"

#include <QDir>
#include <QFile>
#include <QtGlobal>

#include <cerrno>

#include <sys/stat.h>

#include "core/platform/file_write.h"

namespace wertalo::platform {

namespace {

// $XDG_CONFIG_HOME when set to an absolute path (as the XDG rules say), else ~/.config.
QString configHome() {
  const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return xdg;
  return joinPath(QDir::homePath(), QStringLiteral(".config"));
}

bool isFolder(const QByteArray& path) {
  struct stat info {};
  return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

QString winIniPath() {
  const QString overridden = qEnvironmentVariable("WERTALO_WIN_INI");
  if (!overridden.isEmpty()) return overridden;
  return joinPath(joinPath(configHome(), QStringLiteral("wertalo")), QStringLiteral("win.ini"));
}

QString configDir() {
  QString folder = qEnvironmentVariable("WERTALO_CONFIG_DIR");
  if (folder.isEmpty()) folder = joinPath(configHome(), QStringLiteral("wertalo"));
  while (folder.size() > 1 && folder.endsWith(u'/')) folder.chop(1);
  return folder;
}

QString nativePath(const QString& configuredPath) {
  QString path = configuredPath;
  path.replace(u'\\', u'/');
  return path;
}

QString joinPath(const QString& folder, const QString& name) {
  if (folder.isEmpty()) return name;
  if (name.isEmpty()) return folder;
  QString head = folder;
  while (head.size() > 1 && head.endsWith(u'/')) head.chop(1);
  qsizetype skip = 0;
  while (skip < name.size() && name[skip] == u'/') ++skip;
  if (head == QStringLiteral("/")) return head + name.mid(skip);
  return head + u'/' + name.mid(skip);
}

bool ensureFolder(const QString& folder, QString* errorText) {
  if (folder.isEmpty()) {
    if (errorText) *errorText = systemErrorText(ENOENT);
    return false;
  }
  const QString path = folder.endsWith(u'/') && folder.size() > 1 ? folder.chopped(1) : folder;
  // Most calls find the folder there (a run writes many files into one): one look.
  if (isFolder(QFile::encodeName(path))) return true;
  // Each prefix ending before a "/" is a parent; the folder itself comes last.
  for (qsizetype i = 1; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != u'/') continue;
    if (i < path.size() && path[i - 1] == u'/') continue;
    const QByteArray prefix = QFile::encodeName(path.left(i));
    if (isFolder(prefix)) continue;
    if (::mkdir(prefix.constData(), 0777) != 0 && !(errno == EEXIST && isFolder(prefix))) {
      // Something other than a folder in the way of a parent: the path is no folder path.
      const int failure = errno == EEXIST && i < path.size() ? ENOTDIR : errno;
      if (errorText) *errorText = systemErrorText(failure);
      return false;
    }
  }
  return true;
}

}  // namespace wertalo::platform
