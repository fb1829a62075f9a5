// Test support of the sending tests: a real FTP server on loopback, and addresses where none
// answers.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include "core/sending/ftp_client.h"

namespace wertalo::test {

// An FTP server (Debian's pyftpdlib) on 127.0.0.1 and a free port, serving a temporary home
// folder to one user; started by the constructor, stopped by the destructor.
class FtpTestServer {
 public:
  // With `bytesPerSecond`, every data connection is held to that speed.
  explicit FtpTestServer(int bytesPerSecond = 0);
  ~FtpTestServer();
  FtpTestServer(const FtpTestServer&) = delete;
  FtpTestServer& operator=(const FtpTestServer&) = delete;

  // Empty when the server runs, else why it does not.
  const QString& failure() const { return failure_; }
  int port() const { return port_; }
  // The folder the server shows as "/".
  QString home() const { return home_.path(); }
  // A path inside the home folder.
  QString homeFile(const QString& name) const { return home_.filePath(name); }
  // The server as a client connects to it (user "tester", password "sekret", 10 s time-out).
  sending::FtpServer server(bool passive = true) const;

  static inline const QString kUser = QStringLiteral("tester");
  static inline const QString kPassword = QStringLiteral("sekret");

 private:
  QTemporaryDir home_;
  QProcess process_;
  int port_ = 0;
  QString failure_;
};

// A loopback port where nothing listens (taken from the system and released again).
int closedPort();

// A socket on loopback that accepts connections but never says a word; closed when destroyed.
class SilentServer {
 public:
  SilentServer();
  ~SilentServer();
  SilentServer(const SilentServer&) = delete;
  SilentServer& operator=(const SilentServer&) = delete;
  int port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

}  // namespace wertalo::test

// Fails the current test when the FTP server did not start.
#define WERTALO_REQUIRE_FTP_SERVER(server) \
  ASSERT_TRUE((server).failure().isEmpty()) << (server).failure().toStdString()
