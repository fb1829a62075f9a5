#include "core/sending/ftp_client.h"

namespace wertalo::sending {

QString FtpServer::text() const {
  const QString shownHost = host.contains(u':') ? u'[' + host + u']' : host;
  return shownHost + u':' + QString::number(port);
}

FtpError::FtpError(Kind kind, const QString& message)
    : std::runtime_error(message.toStdString()), kind_(kind), message_(message) {}

}  // namespace wertalo::sending
