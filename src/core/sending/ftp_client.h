// Wertalo: the FTP client the FTP page and the command line use (libcurl behind an interface).
#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <stdexcept>

#include "core/base/error.h"

namespace wertalo::sending {

// Seconds any one step may wait for the server (connecting, a reply, accepting a data
// connection, or a transfer that moves no byte) unless the caller asks otherwise.
inline constexpr int kDefaultFtpTimeoutSeconds = 30;

// Which way a transfer goes.
enum class TransferDirection { Download, Upload };

// Where and how to connect.
struct FtpServer {
  QString host;                                      // name or address, IPv6 without brackets
  int port = 21;
  QString user;
  QString password;
  bool passive = true;                               // passive data connections, else active
  int timeoutSeconds = kDefaultFtpTimeoutSeconds;    // time-out of every step

  // "host:port" as the messages name the server.
  QString text() const;
};

// A failed FTP step (ErrorKind::Sending). The message is Polish and carries the server's reply or the client's text.
class FtpError : public Error {
 public:
  enum class Kind {
    NotConnected,  // no connection was made
    BadName,       // a name that cannot be sent (line breaks, an invalid server name)
    Connect,       // the server cannot be reached
    Login,         // the server refused the user name or password
    TimedOut,      // the server did not answer in time, or a transfer stalled
    Aborted,       // the transfer was aborted on request
    Refused,       // the server answered the command with an error reply
    LocalFile,     // a local file could not be read or written
    Other,
  };

  // A failure of the kind, with the whole Polish message.
  FtpError(Kind kind, const QString& message);

  // What went wrong, for callers that treat some failures apart (an abort, a refusal).
  Kind failure() const { return failure_; }

 private:
  Kind failure_;
};

// What the client tells while it works (all calls come on the calling thread, during a call).
class FtpEvents {
 public:
  virtual ~FtpEvents() = default;
  // One line of protocol traffic: a command sent (the password masked) or a reply received.
  virtual void status(const QString& line) { (void)line; }
  // A transfer begins; `expectedBytes` is its size when known, else 0.
  virtual void transferBegin(qint64 expectedBytes, TransferDirection direction) {
    (void)expectedBytes;
    (void)direction;
  }
  // Bytes moved so far; return false to abort the transfer.
  virtual bool transferProgress(qint64 bytes, TransferDirection direction) {
    (void)bytes;
    (void)direction;
    return true;
  }
  // The transfer ended (done, failed or aborted).
  virtual void transferEnd(TransferDirection direction) { (void)direction; }
  // The connection was closed.
  virtual void disconnected() {}
};

// An FTP connection with a current remote directory. Names are relative to the current
// directory unless they start with "/". Every step raises FtpError on failure.
class FtpClient {
 public:
  virtual ~FtpClient() = default;

  // Where events go (none when null).
  virtual void setEvents(FtpEvents* events) = 0;
  // Connects and logs in (USER, PASS); the current directory becomes the login directory.
  virtual void connect(const FtpServer& server) = 0;
  // Closes the connection (QUIT); nothing happens when there is none.
  virtual void quit() = 0;
  // Whether a connection was made and not quit.
  virtual bool isConnected() const = 0;
  // Passive (true) or active data connections for the next transfers.
  virtual void setPassive(bool passive) = 0;

  // CWD to the directory, then PWD; returns the new current directory.
  virtual QString changeDir(const QString& name) = 0;
  // The current directory as the server last named it.
  virtual QString currentDir() const = 0;
  // LIST of the current directory, one raw line per entry.
  virtual QStringList list() = 0;
  virtual void makeDir(const QString& name) = 0;     // MKD
  virtual void removeDir(const QString& name) = 0;   // RMD
  virtual void deleteFile(const QString& name) = 0;  // DELE
  // SIZE of a file (in image type).
  virtual qint64 size(const QString& name) = 0;
  // RETR into the local file, through a temporary file renamed when the download is whole:
  // a failed or aborted download leaves no file (an existing one stays as it was).
  virtual void download(const QString& name, const QString& localPath) = 0;
  // STOR of the local file under `name` (replacing a remote file of that name). A remote file
  // left partial by an abort is deleted.
  virtual void upload(const QString& localPath, const QString& name) = 0;
  // Asks the running transfer to stop at its next progress step (safe from a signal handler).
  virtual void abort() = 0;
};

// The client over libcurl.
std::unique_ptr<FtpClient> makeCurlFtpClient();

}  // namespace wertalo::sending
