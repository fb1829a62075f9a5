#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/platform/ini_file.h"
#include "core/platform/platform_error.h"
#include "core/text/cp1250.h"
#include "temp_files.h"

namespace wertalo::platform {
namespace {

using test::putFile;

struct ReadCase {
  const char* name;
  const char* section;
  const char* key;
  const char* def;
  QString expected;
};

const QString kLong300 = QString(300, u'x');

QByteArray configurationFile() {
  return QByteArray(
             "; konfiguracja stanowiska\n"
             "Orphan=before any section\n"
             "[configTervik]\n"
             "PathData =  C:\\Tervik\\Dane\\  \n"
             "\tGDBPath=   \t\n"
             "Quoted=\"  C:\\x  \"\n"
             ";PathBufor=commented out\n"
             "NoEquals\n"
             "Long=") +
         kLong300.toUtf8() +
         "\n"
         "PathData=second occurrence\n"
         "\n"
         "[ configJST ]\n"
         "pathdata=D:\\JST\n"
         "[Eksport obcy]\n"
         "BestiaDir=C:\\Tervik\\Bestia\n";
}

class IniReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTest, ReadsAsTheProductDoes) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Tervik.ini");
  putFile(path, configurationFile());
  const ReadCase& c = GetParam();
  EXPECT_EQ(readProfileString(path, QString::fromUtf8(c.section), QString::fromUtf8(c.key), QString::fromUtf8(c.def)),
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniReadTest,
    ::testing::Values(
        ReadCase{"Trimmed", "configTervik", "PathData", "", "C:\\Tervik\\Dane\\"},
        ReadCase{"SectionAndKeyWithoutCase", "CONFIGTERVIK", "pathDATA", "", "C:\\Tervik\\Dane\\"},
        ReadCase{"BlankValueIsEmptyNotDefault", "configTervik", "GDBPath", "dflt", ""},
        ReadCase{"MissingKeyGivesDefault", "configTervik", "PathMain", "dflt", "dflt"},
        ReadCase{"MissingSectionGivesDefault", "configJB", "PathData", "dflt", "dflt"},
        ReadCase{"QuotesRemoved", "configTervik", "Quoted", "", "  C:\\x  "},
        ReadCase{"CommentIsNoKey", "configTervik", "PathBufor", "dflt", "dflt"},
        ReadCase{"LineWithoutEqualsIsNoKey", "configTervik", "NoEquals", "dflt", "dflt"},
        ReadCase{"KeyBeforeAnySectionIgnored", "configTervik", "Orphan", "dflt", "dflt"},
        ReadCase{"CutTo255", "configTervik", "Long", "", QString(255, u'x')},
        ReadCase{"SectionNameTrimmed", "configJST", "PathData", "", "D:\\JST"},
        ReadCase{"SectionWithBlank", "Eksport obcy", "BESTIADIR", "", "C:\\Tervik\\Bestia"},
        ReadCase{"EmptySectionGivesEmpty", "", "PathData", "dflt", ""},
        ReadCase{"EmptyKeyGivesEmpty", "configTervik", "", "dflt", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniRead, EmptyFileNameGivesEmptyWithoutReading) {
  EXPECT_EQ(readProfileString(QString(), "configTervik", "PathData", "dflt"), QString());
}

TEST(IniRead, MissingFileGivesDefault) {
  QTemporaryDir dir;
  EXPECT_EQ(readProfileString(dir.filePath("none.ini"), "KALMETO", "TERVIK", "dflt"), QString("dflt"));
  EXPECT_EQ(readProfileString(dir.filePath("none.ini"), "KALMETO", "TERVIK"), QString());
}

TEST(IniRead, Windows1250File) {
  QTemporaryDir dir;
  const QString path = dir.filePath("jst.ini");
  putFile(path, text::toCp1250(u"[Główna]\r\nNazwa=Gmina Łódź \r\n"));
  EXPECT_EQ(readProfileString(path, QString::fromUtf8("GŁÓWNA"), "nazwa"), QString::fromUtf8("Gmina Łódź"));
}

TEST(IniRead, Utf8FileWithByteOrderMarkAndCrLf) {
  QTemporaryDir dir;
  const QString path = dir.filePath("jst.ini");
  putFile(path, QByteArray("\xEF\xBB\xBF[KALMETO]\r\nTERVIK=/home/gmina/Tervik.ini\r\n"));
  EXPECT_EQ(readProfileString(path, "KALMETO", "TERVIK"), QString("/home/gmina/Tervik.ini"));
}

// A line that starts with U+FEFF lost it when read (UTF-8 decoding skipped it as a byte-order
// mark): its key was not found, and writing it added the key a second time.
TEST(IniRead, LineStartingWithZeroWidthNoBreakSpaceKeepsIt) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.ini");
  const QString key = QChar(0xFEFF) + QStringLiteral("k");
  putFile(path, QByteArray("\xEF\xBB\xBF[A]\n\xEF\xBB\xBFk=1\nk=2\n"));
  EXPECT_EQ(readProfileString(path, "A", key), QString("1"));
  EXPECT_EQ(readProfileString(path, "A", "k"), QString("2"));
  writeProfileString(path, "A", key, "3");
  EXPECT_EQ(readProfileString(path, "A", key), QString("3"));
  EXPECT_EQ(test::fileBytes(path), QByteArray("\xEF\xBB\xBF[A]\n\xEF\xBB\xBFk=3\nk=2\n"));
}

TEST(IniRead, ValueCutWithoutSplittingACharacter) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.ini");
  const QString value = QString(254, u'a') + QString::fromUtf8("😀") + "b";
  putFile(path, ("[A]\nk=" + value + "\n").toUtf8());
  EXPECT_EQ(readProfileString(path, "A", "k"), QString(254, u'a'));
}

TEST(IniRead, ExistingFileThatCannotBeReadRaises) {
  QTemporaryDir dir;
  const QString path = dir.filePath("folder.ini");
  ASSERT_TRUE(QDir().mkpath(path));
  try {
    readProfileString(path, "A", "k");
    FAIL() << "no exception";
  } catch (const PlatformError& e) {
    EXPECT_EQ(e.path(), path);
    EXPECT_TRUE(e.message().startsWith(QString::fromUtf8("Nie można odczytać pliku \"") + path + "\": "))
        << e.what();
    EXPECT_FALSE(e.systemText().isEmpty());
  }
}

}  // namespace
}  // namespace wertalo::platform
