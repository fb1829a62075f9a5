// "FtpHost.ini": the FTP page's remembered values, readable by their owner only.
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/platform/platform_error.h"
#include "core/sending/ftp_host.h"
#include "temp_files.h"

namespace wertalo::sending {
namespace {

TEST(FtpHostFile, MissingFileOrKeysReadAsEmpty) {
  QTemporaryDir dir;
  const FtpHostInfo none = GetHostInfo(dir.filePath("FtpHost.ini"));
  EXPECT_EQ(none.ServerName, "");
  EXPECT_EQ(none.UserName, "");
  EXPECT_EQ(none.CurrentDir, "");
  EXPECT_EQ(none.Password, "");

  test::putFile(dir.filePath("FtpHost.ini"), "[Server]\r\nServerName=ftp.gmina.pl:2121\r\nUserName=skarbnik\r\n");
  const FtpHostInfo partial = GetHostInfo(dir.filePath("FtpHost.ini"));
  EXPECT_EQ(partial.ServerName, "ftp.gmina.pl:2121");
  EXPECT_EQ(partial.UserName, "skarbnik");
  EXPECT_EQ(partial.CurrentDir, "");
  EXPECT_EQ(partial.Password, "");
}

TEST(FtpHostFile, IsCreatedReadableByItsOwnerOnly) {
  QTemporaryDir dir;
  const QString file = dir.filePath("konfiguracja/FtpHost.ini");  // the folder is made too
  const FtpHostInfo info{"127.0.0.1:2121", "skarbnik", "/sprawozdania/2013", "tajne hasło"};
  SaveFTPHostInfo(file, info);
  EXPECT_EQ(test::fileMode(file), 0600u);
  EXPECT_EQ(test::fileBytes(file),
            "[Server]\nServerName=127.0.0.1:2121\nUserName=skarbnik\nCurrentDir=/sprawozdania/2013\nPassword=tajne hasło\n");
  const FtpHostInfo back = GetHostInfo(file);
  EXPECT_EQ(back.ServerName, info.ServerName);
  EXPECT_EQ(back.UserName, info.UserName);
  EXPECT_EQ(back.CurrentDir, info.CurrentDir);
  EXPECT_EQ(back.Password, info.Password);
}

TEST(FtpHostFile, WritingKeepsOtherLinesAndTheFileMode) {
  QTemporaryDir dir;
  const QString file = dir.filePath("FtpHost.ini");
  test::putFile(file, "; serwer gminy\r\n[Server]\r\nServerName=stary\r\n[Inne]\r\nA=1\r\n");
  ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
  SaveFTPHostInfo(file, {"nowy", "u", "/", "p"});
  EXPECT_EQ(test::fileMode(file), 0640u);
  EXPECT_EQ(test::fileBytes(file),
            "; serwer gminy\r\n[Server]\r\nServerName=nowy\r\nUserName=u\r\nCurrentDir=/\r\nPassword=p\r\n[Inne]\r\nA=1\r\n");
}

TEST(FtpHostFile, AFileThatCannotBeWrittenIsReported) {
  QTemporaryDir dir;
  test::putFile(dir.filePath("plik"), "x");
  EXPECT_THROW(SaveFTPHostInfo(dir.filePath("plik/FtpHost.ini"), {"h", "u", "/", "p"}), platform::PlatformError);
}

}  // namespace
}  // namespace wertalo::sending
