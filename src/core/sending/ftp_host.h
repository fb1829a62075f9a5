// Wertalo: "FtpHost.ini", the FTP page's remembered server, user, directory and password.
#pragma once

#include <QString>

namespace wertalo::sending {

// The four values of the FTP page, as the file's section "Server" keeps them.
struct FtpHostInfo {
  QString ServerName;  // FtpServerEdit: HOST or HOST:PORT
  QString UserName;    // UserIDEdit
  QString CurrentDir;  // CurrentDirEdit
  QString Password;    // PasswordEdit (plain text)
};

// "FtpHost.ini" in the configuration folder.
QString ftpHostFilePath();

// Reads the four values; a missing file or key reads as empty (at most 255 characters each).
FtpHostInfo GetHostInfo(const QString& file);

// Writes the four values, keeping the rest of the file. A file that does not exist yet is
// created readable by its owner only (it holds a password), in a folder made when missing.
// Raises platform::PlatformError when it cannot be written.
void SaveFTPHostInfo(const QString& file, const FtpHostInfo& info);

}  // namespace wertalo::sending
