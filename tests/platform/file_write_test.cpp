#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "core/platform/file_write.h"
#include "core/platform/ini_file.h"
#include "core/platform/platform_error.h"
#include "temp_files.h"

namespace wertalo::platform {
namespace {

using test::fileBytes;
using test::fileMode;
using test::putFile;

TEST(FileWrite, ReplacesTheWholeFileAndLeavesNoTemporary) {
  QTemporaryDir dir;
  const QString path = dir.filePath("out.xml");
  putFile(path, "old content that is longer");
  writeFileWhole(path, "new");
  EXPECT_EQ(fileBytes(path), QByteArray("new"));
  EXPECT_EQ(test::folderEntries(dir.path()), QStringList{"out.xml"});
}

TEST(FileWrite, OwnerOnlyNewFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("FtpHost.ini");
  writeProfileString(path, "FTP", "Haslo", "tajne", NewFileAccess::OwnerOnly);
  EXPECT_EQ(fileMode(path), 0600u);
}

TEST(FileWrite, ExistingFileKeepsItsMode) {
  QTemporaryDir dir;
  const QString path = dir.filePath("FtpHost.ini");
  putFile(path, "[FTP]\nHaslo=stare\n");
  ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
  writeProfileString(path, "FTP", "Haslo", "nowe");
  EXPECT_EQ(fileMode(path), 0640u);
  EXPECT_EQ(fileBytes(path), QByteArray("[FTP]\nHaslo=nowe\n"));
}

TEST(FileWrite, WritesThroughASymbolicLinkToItsTarget) {
  QTemporaryDir dir;
  const QString target = dir.filePath("real.ini");
  const QString link = dir.filePath("link.ini");
  putFile(target, "[A]\nx=1\n");
  ASSERT_TRUE(QFile::link(target, link));
  writeProfileString(link, "A", "x", "2");
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(fileBytes(target), QByteArray("[A]\nx=2\n"));
}

TEST(FileWrite, FailureLeavesTheTargetUntouched) {
  QTemporaryDir dir;
  // A folder in the place of the file: the rename fails, the folder stays, no temporary is left.
  const QString path = dir.filePath("taken");
  ASSERT_TRUE(QDir().mkpath(dir.filePath("taken/inside")));
  EXPECT_THROW(writeFileWhole(path, "data"), PlatformError);
  EXPECT_TRUE(QFileInfo(path).isDir());
  EXPECT_EQ(test::folderEntries(dir.path()), QStringList{"taken"});
}


TEST(WholeFileWriter, PartsBecomeTheFileOnlyAtCommit) {
  for (const Durability durability : {Durability::Synced, Durability::Deferred}) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Sprawozdania.xml");
    putFile(path, "old");
    WholeFileWriter writer(path, NewFileAccess::Default, durability);
    writer.write("<a>\r\n");
    writer.write("</a>\r\n");
    EXPECT_EQ(fileBytes(path), QByteArray("old"));  // never seen half written
    writer.commit();
    EXPECT_EQ(fileBytes(path), QByteArray("<a>\r\n</a>\r\n"));
    EXPECT_EQ(test::folderEntries(dir.path()), QStringList{"Sprawozdania.xml"});
    syncFolder(dir.path());
  }
}

TEST(WholeFileWriter, AWriterLeftWithoutCommitLeavesTheTargetAndNoTemporary) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Sprawozdania.xml");
  putFile(path, "old");
  {
    WholeFileWriter writer(path);
    writer.write("half of it");
  }
  EXPECT_EQ(fileBytes(path), QByteArray("old"));
  EXPECT_EQ(test::folderEntries(dir.path()), QStringList{"Sprawozdania.xml"});
}

TEST(WholeFileWriter, FolderThatCannotBeSyncedIsAnError) {
  QTemporaryDir dir;
  EXPECT_THROW(syncFolder(dir.filePath("missing")), PlatformError);
}

}  // namespace
}  // namespace wertalo::platform
