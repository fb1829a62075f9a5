// Wertalo: what the FTP page does, without its widgets (the command line uses it too).
#pragma once

#include <QString>
#include <QStringList>

#include "core/sending/ftp_client.h"
#include "core/sending/ftp_host.h"
#include "core/sending/transfer_meter.h"

namespace wertalo::sending {

// The FTP page's values and the steps of its buttons. The page shows `host`, `listing` and
// `meter`, and passes the client's events to the meter. Every step raises FtpError (or
// platform::PlatformError when "FtpHost.ini" cannot be written).
class FtpBrowser {
 public:
  // `hostFile` is where the values are remembered ("FtpHost.ini"); empty: nowhere.
  FtpBrowser(FtpClient& client, QString hostFile);

  FtpHostInfo host;        // FtpServerEdit, UserIDEdit, CurrentDirEdit, PasswordEdit
  bool passive = true;     // UsePassive
  int timeoutSeconds = kDefaultFtpTimeoutSeconds;
  QStringList listing;     // DirectoryListBox: the raw lines of the current directory
  TransferMeter meter;     // progress of the running transfer

  // The client the steps run on.
  FtpClient& client() { return client_; }

  // The values from the file (GetHostInfo; nothing when there is no file name).
  void readHostInfo();
  // The values into the file (SaveFTPHostInfo; nothing when there is no file name).
  void saveHostInfo() const;
  // The server the values name; FtpError (BadName) when ServerName is no HOST[:PORT].
  FtpServer server() const;

  // Connect: log in, change to the remembered directory, remember the values.
  void connect();
  // Disconnect: a running transfer is aborted, the connection quit, the listing cleared.
  void disconnect();
  // ChageDir: CWD (an empty name means "/"), the server's current directory into
  // CurrentDir, the values remembered, the listing read anew.
  void ChageDir(const QString& DirName);
  // Upload under the file's bare name into the current directory, then the listing anew.
  void upload(const QString& localPath);
  // Download a file of the current directory into `localPath` (SIZE first, for the meter).
  void download(const QString& name, const QString& localPath);
  // Make a directory in the current one, then the listing anew.
  void makeDir(const QString& name);
  // Delete the entry of a listing line (RMD for a directory, DELE for a file), then the
  // listing anew. A line without a name does nothing.
  void deleteEntry(const QString& line);

 private:
  FtpClient& client_;
  QString hostFile_;
};

}  // namespace wertalo::sending
