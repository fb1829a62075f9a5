// Packing the exported files: the archive name, the archive's content, and failed packings
// that leave no archive and delete nothing.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

#include "core/platform/user_interface.h"
#include "core/sending/packing.h"
#include "core/sending/zip_name.h"
#include "archive_read.h"
#include "file_access.h"
#include "temp_files.h"

namespace wertalo::sending {
namespace {

using test::fileBytes;
using test::folderEntries;
using test::putFile;

const QString kGuid = QStringLiteral("{0F8FAD5B-D9CB-469F-A165-70867728950E}");

// ---- Archive name ----------------------------------------------------------------------------

struct NameCase {
  const char* what;
  ZipNameParts parts;
  const char* expected;
};

TEST(NazwaPlikuZip, IsMadeOfItsParts) {
  const NameCase cases[] = {
      {"budget unit", {.budgetUnits = true, .OKRES = "C", .ROK = "13", .REGON = "123456789", .REGON_2 = "00001"},
       "jb__C_13_12345678900001_{0F8FAD5B-D9CB-469F-A165-70867728950E}.zip"},
      {"the unit itself, no budget-unit row", {.budgetUnits = false, .OKRES = "3", .ROK = "14"},
       "jst_3_14__{0F8FAD5B-D9CB-469F-A165-70867728950E}.zip"},
      {"Nazwa_S set", {.budgetUnits = true, .OKRES = "L", .ROK = "13", .REGON = "1", .Nazwa_S = true},
       "jb__L_13_1_True{0F8FAD5B-D9CB-469F-A165-70867728950E}.zip"},
      {"Nazwa_S false", {.OKRES = "4", .ROK = "13", .Nazwa_S = false},
       "jst_4_13__False{0F8FAD5B-D9CB-469F-A165-70867728950E}.zip"},
      {"a slash in the data never leads into another folder", {.OKRES = "4", .ROK = "13", .REGON = "12/34"},
       "jst_4_13_12_34_{0F8FAD5B-D9CB-469F-A165-70867728950E}.zip"},
  };
  for (const NameCase& c : cases) {
    EXPECT_EQ(NazwaPlikuZip(c.parts, [] { return kGuid; }), QString::fromUtf8(c.expected)) << c.what;
  }
}

TEST(NazwaPlikuZip, EndsWithANewGuidEachCall) {
  const ZipNameParts parts{.budgetUnits = true, .OKRES = "C", .ROK = "13", .REGON = "123456789", .REGON_2 = "00001"};
  const QString first = NazwaPlikuZip(parts);
  const QString second = NazwaPlikuZip(parts);
  static const QRegularExpression form(QStringLiteral(
      "^jb__C_13_12345678900001_\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}\\.zip$"));
  EXPECT_TRUE(form.match(first).hasMatch()) << first.toStdString();
  EXPECT_TRUE(form.match(second).hasMatch()) << second.toStdString();
  EXPECT_NE(first, second);
  EXPECT_EQ(newGuidText().size(), 38);
}

TEST(Packing, KeepsAlreadyCompressedKindsWithoutCompression) {
  const std::map<QString, bool> cases = {{"a.JPG", true},  {"a.jpeg", true}, {"x.tar.gz", true}, {"a.7Z", true},
                                         {"p.png", true},  {"a.xml", false}, {"noext", false},  {"a.zipx", false}};
  for (const auto& [name, stored] : cases) EXPECT_EQ(isStoredWithoutCompression(name), stored) << name.toStdString();
}

// ---- Packing -----------------------------------------------------------------------------------

using test::readArchive;

// A zipper that writes part of an archive and then fails, as a full disk would.
class FailingZipper : public Zipper {
 public:
  bool write(const QString& path, const std::vector<ZipEntry>&, QString& errorText) override {
    putFile(path, "PK\x03\x04 half an archive");
    errorText = QStringLiteral("symulowany błąd zapisu");
    return false;
  }
};

// An export folder with two XML files and a picture.
class PackingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    folder_ = dir_.filePath("eksport");
    for (const auto& [name, bytes] : contents_) {
      putFile(folder_ + "/" + name, bytes);
      files_ << folder_ + "/" + name;
    }
    parts_ = {.budgetUnits = true, .OKRES = "C", .ROK = "13", .REGON = "123456789", .REGON_2 = "00001"};
  }

  QStringList originalNames() const {
    QStringList names;
    for (const auto& [name, bytes] : contents_) names << name;
    names.sort();
    return names;
  }

  void expectFilesUntouched() const {
    for (const auto& [name, bytes] : contents_) EXPECT_EQ(fileBytes(folder_ + "/" + name), bytes) << name.toStdString();
  }

  QTemporaryDir dir_;
  QString folder_;
  QStringList files_;
  ZipNameParts parts_;
  const std::map<QString, QByteArray> contents_ = {
      {"Rb-27s_Urząd.xml", QByteArray("\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n") + QByteArray("<Pozycja>1.00</Pozycja>\r\n").repeated(400)},
      {"Bilanse.xml", QByteArray("<Bilans/>\r\n").repeated(300)},
      {"podpis.jpg", QByteArray("\xFF\xD8\xFF\xE0 not really a picture", 27)},
  };
  platform::RecordingUserInterface ui_;
};

TEST_F(PackingTest, ArchiveHoldsBareNamesAndUnpacksToTheOriginalBytes) {
  TdtmFtp ftp(ui_);
  ftp.listaPlikow = files_;
  const QString archive = ftp.packExport(folder_, parts_, false);
  ASSERT_FALSE(archive.isEmpty()) << ui_.messages().join("\n").toStdString();
  EXPECT_TRUE(archive.startsWith(folder_ + "/jb__C_13_12345678900001_{"));
  const auto entries = readArchive(archive);
  ASSERT_EQ(entries.size(), contents_.size());
  for (const auto& [name, bytes] : contents_) {
    ASSERT_TRUE(entries.count(name)) << name.toStdString();
    EXPECT_EQ(entries.at(name).bytes, bytes) << name.toStdString();
    EXPECT_EQ(entries.at(name).stored, name.endsWith(".jpg")) << name.toStdString();
  }
  // Nothing beside the files and the archive: no temporary file is left.
  QStringList expected = originalNames() << QFileInfo(archive).fileName();
  expected.sort();
  EXPECT_EQ(folderEntries(folder_), expected);
  EXPECT_TRUE(ui_.messages().isEmpty());
}

TEST_F(PackingTest, TwoPackingsGiveTwoArchives) {
  TdtmFtp ftp(ui_);
  ftp.listaPlikow = files_;
  const QString first = ftp.packExport(folder_, parts_, false);
  const QString second = ftp.packExport(folder_, parts_, false);
  ASSERT_FALSE(first.isEmpty());
  ASSERT_FALSE(second.isEmpty());
  EXPECT_NE(first, second);
  EXPECT_TRUE(QFile::exists(first));
  EXPECT_TRUE(QFile::exists(second));
  EXPECT_EQ(readArchive(first).size(), contents_.size());
  EXPECT_EQ(readArchive(second).size(), contents_.size());
}

TEST_F(PackingTest, PackedFilesAreDeletedOnlyWhenAsked) {
  TdtmFtp ftp(ui_);
  ftp.listaPlikow = files_;
  ftp.guidSource = [] { return kGuid; };
  const QString kept = ftp.packExport(folder_, parts_, false);
  ASSERT_FALSE(kept.isEmpty());
  expectFilesUntouched();
  QFile::remove(kept);

  const QString archive = ftp.packExport(folder_, parts_, true);
  ASSERT_FALSE(archive.isEmpty());
  EXPECT_EQ(folderEntries(folder_), QStringList{"jb__C_13_12345678900001_" + kGuid + ".zip"});
  EXPECT_EQ(readArchive(archive).size(), contents_.size());
}

TEST_F(PackingTest, InjectedZipFailureLeavesNoArchiveAndDeletesNothing) {
  TdtmFtp ftp(ui_, std::make_unique<FailingZipper>());
  ftp.listaPlikow = files_;
  ftp.guidSource = [] { return kGuid; };
  EXPECT_TRUE(ftp.packExport(folder_, parts_, true).isEmpty());
  EXPECT_EQ(folderEntries(folder_), originalNames());
  expectFilesUntouched();
  const QString archive = folder_ + "/jb__C_13_12345678900001_" + kGuid + ".zip";
  EXPECT_EQ(ui_.messages(), QStringList{"Nie można spakować plików do archiwum \"" + archive +
                                        "\": symulowany błąd zapisu\nŻaden plik nie został usunięty."});
}

TEST_F(PackingTest, ReadOnlyFolderLeavesNoArchiveAndDeletesNothing) {
  ASSERT_TRUE(QFile::setPermissions(folder_, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                                 QFile::ReadOther | QFile::ExeOther));
  TdtmFtp ftp(ui_);
  ftp.listaPlikow = files_;
  ftp.guidSource = [] { return kGuid; };
  QString archive;
  {
    test::PermissionsEnforced enforced;
    if (QFile probe(folder_ + "/probe"); probe.open(QIODevice::WriteOnly)) {
      probe.close();
      probe.remove();
      GTEST_SKIP() << "this process can write into a read-only folder";
    }
    archive = ftp.packExport(folder_, parts_, true);
  }
  QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_TRUE(archive.isEmpty());
  EXPECT_EQ(folderEntries(folder_), originalNames());
  expectFilesUntouched();
  const QString expectedArchive = folder_ + "/jb__C_13_12345678900001_" + kGuid + ".zip";
  EXPECT_EQ(ui_.messages(), QStringList{"Nie można spakować plików do archiwum \"" + expectedArchive +
                                        "\": Permission denied\nŻaden plik nie został usunięty."});
}

TEST_F(PackingTest, MissingFileFailsTheWholePacking) {
  TdtmFtp ftp(ui_);
  ftp.listaPlikow = QStringList(files_) << folder_ + "/zniknal.xml";
  ftp.guidSource = [] { return kGuid; };
  EXPECT_TRUE(ftp.packExport(folder_, parts_, true).isEmpty());
  EXPECT_EQ(folderEntries(folder_), originalNames());
  expectFilesUntouched();
  ASSERT_EQ(ui_.messages().size(), 1);
  EXPECT_EQ(ui_.messages().first(), "Nie można spakować plików do archiwum \"" + folder_ + "/jb__C_13_12345678900001_" +
                                        kGuid + ".zip\": Read error: No such file or directory\nŻaden plik nie został usunięty.");
}

TEST_F(PackingTest, NothingToPackWritesNoArchive) {
  TdtmFtp ftp(ui_);
  ftp.guidSource = [] { return kGuid; };
  EXPECT_TRUE(ftp.packExport(folder_, parts_, true).isEmpty());
  EXPECT_EQ(folderEntries(folder_), originalNames());
  EXPECT_EQ(ui_.messages(), QStringList{"Brak plików do spakowania do archiwum \"" + folder_ +
                                        "/jb__C_13_12345678900001_" + kGuid + ".zip\"."});
}

TEST_F(PackingTest, TwoFilesOfOneNameAreRefusedAndTheSameFileTwiceIsPackedOnce) {
  putFile(dir_.filePath("inny/Bilanse.xml"), "<Inny/>");
  TdtmFtp ftp(ui_);
  ftp.listaPlikow = QStringList(files_) << files_.first() << dir_.filePath("inny/Bilanse.xml");
  ftp.guidSource = [] { return kGuid; };
  EXPECT_TRUE(ftp.packExport(folder_, parts_, true).isEmpty());
  expectFilesUntouched();
  ASSERT_EQ(ui_.messages().size(), 1);
  EXPECT_TRUE(ui_.messages().first().contains("Dwa różne pliki o nazwie \"Bilanse.xml\" nie mogą trafić do jednego archiwum"))
      << ui_.messages().first().toStdString();

  ftp.listaPlikow = QStringList(files_) << files_.first();
  const QString archive = ftp.packExport(folder_, parts_, false);
  ASSERT_FALSE(archive.isEmpty());
  EXPECT_EQ(readArchive(archive).size(), contents_.size());
}

}  // namespace
}  // namespace wertalo::sending
