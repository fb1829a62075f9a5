#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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

TEST(FileWrite, TemporaryNamesAreOurOwn) {
  EXPECT_TRUE(isTemporaryName(QStringLiteral(".Rb-27s__27670.xml.3ugbi1vs1ywr1.wertalo-tmp")));
  EXPECT_TRUE(isTemporaryName(QStringLiteral(".Sprawozdania 2013.xml.a.wertalo-tmp")));
  for (const char* name : {".Rb-27s__27670.xml.3ugbi1vs1ywr1", "Rb-27s.xml.3ugbi1.wertalo-tmp", ".x.wertalo-tmp",
                           ".Rb-27s.xml.ABC.wertalo-tmp", ".Rb-27s.xml.3ugbi1.wertalo-tmp.bak", ".Rb-27s.xml.bak"})
    EXPECT_FALSE(isTemporaryName(QString::fromLatin1(name))) << name;
}

TEST(FileWrite, LeftTemporariesAreRemovedOnlyWhenNoWriteHoldsThem) {
  QTemporaryDir dir;
  const QString left = QStringLiteral(".Rb-27s__1.xml.3ugbi1vs1ywr1.wertalo-tmp");
  const QString held = QStringLiteral(".Rb-28s__2.xml.k2j3h4.wertalo-tmp");
  const QStringList others = {QStringLiteral("Rb-27s__1.xml"), QStringLiteral(".Rb-27s__1.xml.3ugbi1vs1ywr1"),
                              QStringLiteral("notatka.wertalo-tmp"), QStringLiteral(".ukryty")};
  test::putFile(dir.filePath(left), "<Paczka");
  test::putFile(dir.filePath(held), "<Paczka");
  for (const QString& name : others) test::putFile(dir.filePath(name), "x");
  // A write in progress: its file is open and locked.
  const int fd = ::open(QFile::encodeName(dir.filePath(held)).constData(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);

  EXPECT_EQ(removeLeftTemporaries(dir.path()), QStringList{left});
  QStringList expected = QStringList(others) << held;
  expected.sort();
  EXPECT_EQ(test::folderEntries(dir.path()), expected);
  ::close(fd);
  EXPECT_EQ(removeLeftTemporaries(dir.path()), QStringList{held});
}

TEST(FileWrite, AWriteLeavesNoTemporaryAndTheFolderCanBeCleanedMeanwhile) {
  QTemporaryDir dir;
  const QString target = dir.filePath(QStringLiteral("Rb-27s__1.xml"));
  for (int i = 0; i < 20; ++i) {
    writeFileWhole(target, QByteArray("<Paczka/>").repeated(i + 1));
    EXPECT_TRUE(removeLeftTemporaries(dir.path()).isEmpty());
  }
  EXPECT_EQ(test::folderEntries(dir.path()), QStringList{QStringLiteral("Rb-27s__1.xml")});
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
