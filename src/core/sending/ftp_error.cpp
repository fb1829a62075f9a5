#include "core/sending/ftp_client.h"

namespace wertalo::sending {

QString FtpServer::text() const {
  const QString shownHost = host.contains(u':') ? u'[' + host + u']' : host;
  return shownHost + u':' + QString::number(port);
}

FtpError::FtpError(Kind kind, const QString& message)
    : Error(ErrorKind::Sending, message), failure_(kind) {}

}  // namespace wertalo::sending
