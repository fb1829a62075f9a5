#include "core/sending/ftp_browser.h"

#include <QFileInfo>

#include "core/sending/ftp_text.h"

namespace wertalo::sending {

FtpBrowser::FtpBrowser(FtpClient& client, QString hostFile) : client_(client), hostFile_(std::move(hostFile)) {}

void FtpBrowser::readHostInfo() {
  if (!hostFile_.isEmpty()) host = GetHostInfo(hostFile_);
}

void FtpBrowser::saveHostInfo() const {
  if (!hostFile_.isEmpty()) SaveFTPHostInfo(hostFile_, host);
}

FtpServer FtpBrowser::server() const {
  QString error;
  const auto hostAndPort = parseServerName(host.ServerName, &error);
  if (!hostAndPort) throw FtpError(FtpError::Kind::BadName, error);
  FtpServer server;
  server.host = hostAndPort->host;
  server.port = hostAndPort->port;
  server.user = host.UserName;
  server.password = host.Password;
  server.passive = passive;
  server.timeoutSeconds = timeoutSeconds;
  return server;
}

void FtpBrowser::connect() {
  client_.connect(server());
  ChageDir(host.CurrentDir);
  saveHostInfo();
}

void FtpBrowser::disconnect() {
  client_.abort();
  client_.quit();
  listing.clear();
}

void FtpBrowser::ChageDir(const QString& DirName) {
  host.CurrentDir = client_.changeDir(DirName.isEmpty() ? QStringLiteral("/") : DirName);
  saveHostInfo();
  listing.clear();
  listing = client_.list();
}

void FtpBrowser::upload(const QString& localPath) {
  client_.setPassive(passive);
  client_.upload(localPath, QFileInfo(localPath).fileName());
  ChageDir(host.CurrentDir);
}

void FtpBrowser::download(const QString& name, const QString& localPath) {
  client_.setPassive(passive);
  try {
    meter.BytesToTransfer = client_.size(name);
  } catch (const FtpError& e) {
    // A server without SIZE still serves the file; the progress then has no range.
    if (e.failure() != FtpError::Kind::Refused) throw;
    meter.BytesToTransfer = 0;
  }
  client_.download(name, localPath);
}

void FtpBrowser::makeDir(const QString& name) {
  client_.makeDir(name);
  ChageDir(host.CurrentDir);
}

void FtpBrowser::deleteEntry(const QString& line) {
  bool isDirectory = false;
  const QString name = GetNameFromDirLine(line, isDirectory);
  if (name.isEmpty()) return;
  if (isDirectory) client_.removeDir(name);
  else client_.deleteFile(name);
  ChageDir(host.CurrentDir);
}

}  // namespace wertalo::sending
