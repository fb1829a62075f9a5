#include "ftp_test_server.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace wertalo::test {

namespace {

// A TCP socket bound to 127.0.0.1 on a port the system chooses; -1 when none could be had.
int boundLoopbackSocket(int& port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ::close(fd);
    return -1;
  }
  port = ntohs(address.sin_port);
  return fd;
}

}  // namespace

FtpTestServer::FtpTestServer(int bytesPerSecond) {
  if (!home_.isValid()) {
    failure_ = QStringLiteral("no temporary folder");
    return;
  }
  process_.setProgram(QStringLiteral("/usr/bin/python3"));
  process_.setArguments({QStringLiteral(WERTALO_FTP_SERVER_SCRIPT), home_.path(), kUser, kPassword,
                          QString::number(bytesPerSecond)});
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.start();
  if (!process_.waitForStarted(10000)) {
    failure_ = QStringLiteral("cannot start /usr/bin/python3: ") + process_.errorString();
    return;
  }
  while (!process_.canReadLine() && process_.waitForReadyRead(15000)) {
  }
  bool ok = false;
  port_ = QString::fromUtf8(process_.readLine()).trimmed().toInt(&ok);
  if (!ok || port_ <= 0)
    failure_ = QStringLiteral("the FTP test server did not start (is python3-pyftpdlib installed? scripts/install-deps)");
}

FtpTestServer::~FtpTestServer() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.closeWriteChannel();  // the server leaves when its input closes
  if (!process_.waitForFinished(5000)) {
    process_.kill();
    process_.waitForFinished(5000);
  }
}

sending::FtpServer FtpTestServer::server(bool passive) const {
  sending::FtpServer server;
  server.host = QStringLiteral("127.0.0.1");
  server.port = port_;
  server.user = kUser;
  server.password = kPassword;
  server.passive = passive;
  server.timeoutSeconds = 10;
  return server;
}

int closedPort() {
  int port = 0;
  const int fd = boundLoopbackSocket(port);
  if (fd >= 0) ::close(fd);
  return port;
}

SilentServer::SilentServer() {
  fd_ = boundLoopbackSocket(port_);
  if (fd_ >= 0) ::listen(fd_, 4);
}

SilentServer::~SilentServer() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace wertalo::test
