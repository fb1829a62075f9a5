#include "core/sending/ftp_host.h"

#include <QFileInfo>

#include <array>
#include <utility>

#include "core/platform/ini_file.h"
#include "core/platform/paths.h"
#include "core/platform/platform_error.h"

namespace wertalo::sending {

namespace {

const QString kSection = QStringLiteral("Server");

// The keys in the order the file gets them, with the value each one holds.
std::array<std::pair<QString, QString FtpHostInfo::*>, 4> keys() {
  return {{{QStringLiteral("ServerName"), &FtpHostInfo::ServerName},
           {QStringLiteral("UserName"), &FtpHostInfo::UserName},
           {QStringLiteral("CurrentDir"), &FtpHostInfo::CurrentDir},
           {QStringLiteral("Password"), &FtpHostInfo::Password}}};
}

}  // namespace

QString ftpHostFilePath() { return platform::joinPath(platform::configDir(), QStringLiteral("FtpHost.ini")); }

FtpHostInfo GetHostInfo(const QString& file) {
  FtpHostInfo info;
  for (const auto& [key, field] : keys()) info.*field = platform::readProfileString(file, kSection, key);
  return info;
}

void SaveFTPHostInfo(const QString& file, const FtpHostInfo& info) {
  const QString folder = QFileInfo(file).path();
  QString errorText;
  if (!platform::ensureFolder(folder, &errorText))
    throw platform::PlatformError(QStringLiteral("Nie można utworzyć katalogu"), folder, errorText);
  for (const auto& [key, field] : keys())
    platform::writeProfileString(file, kSection, key, info.*field, platform::NewFileAccess::OwnerOnly);
}

}  // namespace wertalo::sending
