#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/platform/ini_file.h"
#include "core/platform/platform_error.h"
#include "core/text/cp1250.h"
#include "temp_files.h"

namespace wertalo::platform {
namespace {

using test::fileBytes;
using test::putFile;

struct WriteCase {
  const char* name;
  QByteArray before;
  const char* section;
  const char* key;
  const char* value;
  QByteArray after;
};

class IniWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteTest, ChangesOnlyTheKey) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Tervik.ini");
  const WriteCase& c = GetParam();
  putFile(path, c.before);
  writeProfileString(path, QString::fromUtf8(c.section), QString::fromUtf8(c.key), QString::fromUtf8(c.value));
  EXPECT_EQ(fileBytes(path), c.after);
  EXPECT_EQ(readProfileString(path, QString::fromUtf8(c.section), QString::fromUtf8(c.key)),
            QString::fromUtf8(c.value).trimmed());
  EXPECT_EQ(test::folderEntries(dir.path()), QStringList{"Tervik.ini"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWriteTest,
    ::testing::Values(
        WriteCase{"ExistingKeyKeepsOtherLinesAndCrLf",
                  "; Konfiguracja\r\n[configTervik]\r\nPathData=C:\\Dane\r\n\r\n[Eksport obcy]\r\nBestiaDir = old\r\n"
                  "Other=1\r\n",
                  "EKSPORT OBCY", "bestiadir", "/srv/Bestia",
                  "; Konfiguracja\r\n[configTervik]\r\nPathData=C:\\Dane\r\n\r\n[Eksport obcy]\r\nBestiaDir = /srv/Bestia\r\n"
                  "Other=1\r\n"},
        WriteCase{"MissingKeyAfterLastNonBlankLineOfItsSection", "[A]\nx=1\n\n\n[B]\ny=2\n", "a", "z", "3",
                  "[A]\nx=1\nz=3\n\n\n[B]\ny=2\n"},
        WriteCase{"MissingKeyInLastSection", "[A]\r\nx=1\r\n\r\n", "A", "y", "2", "[A]\r\nx=1\r\ny=2\r\n\r\n"},
        WriteCase{"MissingKeyInEmptySection", "[A]\n[B]\nb=1\n", "A", "a", "1", "[A]\na=1\n[B]\nb=1\n"},
        WriteCase{"MissingSectionAppended", "[A]\nx=1\n", "Eksport obcy", "BestiaDir", "/srv/Bestia",
                  "[A]\nx=1\n\n[Eksport obcy]\nBestiaDir=/srv/Bestia\n"},
        WriteCase{"MissingSectionAfterBlankLine", "[A]\r\nx=1\r\n\r\n", "B", "k", "v", "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n"},
        WriteCase{"LastLineWithoutLineEnd", "[A]\nx=1", "A", "y", "2", "[A]\nx=1\ny=2\n"},
        WriteCase{"ReplaceInLastLineWithoutLineEnd", "[A]\nx=1", "A", "X", "2", "[A]\nx=2"},
        WriteCase{"FirstOfTwoEqualKeys", "[A]\nk=1\nk=2\n", "A", "k", "3", "[A]\nk=3\nk=2\n"},
        WriteCase{"EmptyFile", "", "KALMETO", "TERVIK", "/home/gmina/Tervik.ini", "[KALMETO]\nTERVIK=/home/gmina/Tervik.ini\n"},
        WriteCase{"ByteOrderMarkKept", "\xEF\xBB\xBF[A]\r\nx=1\r\n", "A", "x", "Łódź",
                  "\xEF\xBB\xBF[A]\r\nx=Łódź\r\n"},
        WriteCase{"EmptyValue", "[A]\nx=1\n", "A", "x", "", "[A]\nx=\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// A last line without a line end whose bytes end in CR got LF added: the CR became part of
// the line end, and that line's value lost it although another key was written.
TEST(IniWrite, LastLineEndingInCarriageReturnKeepsIt) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.ini");
  putFile(path, "[A]\nx=1\r");
  ASSERT_EQ(readProfileString(path, "A", "x"), QString("1\r"));
  writeProfileString(path, "B", "k", "v");
  EXPECT_EQ(fileBytes(path), QByteArray("[A]\nx=1\r\r\n\n[B]\nk=v\n"));
  EXPECT_EQ(readProfileString(path, "A", "x"), QString("1\r"));
}

TEST(IniWrite, NewFileIsUtf8) {
  QTemporaryDir dir;
  const QString path = dir.filePath("new.ini");
  writeProfileString(path, QString::fromUtf8("Główna"), "Miasto", QString::fromUtf8("Gdańsk"));
  EXPECT_EQ(fileBytes(path), QByteArray("[Główna]\nMiasto=Gdańsk\n"));
}

TEST(IniWrite, Windows1250FileStaysWindows1250) {
  QTemporaryDir dir;
  const QString path = dir.filePath("jst.ini");
  putFile(path, text::toCp1250(u"[Główna]\r\nNazwa=Łódź\r\n; żółć\r\n"));
  writeProfileString(path, QString::fromUtf8("GŁÓWNA"), "Miasto", QString::fromUtf8("Gdańsk"));
  EXPECT_EQ(fileBytes(path), text::toCp1250(u"[Główna]\r\nNazwa=Łódź\r\n; żółć\r\nMiasto=Gdańsk\r\n"));
  EXPECT_EQ(readProfileString(path, QString::fromUtf8("Główna"), "Miasto"), QString::fromUtf8("Gdańsk"));
}

TEST(IniWrite, OtherBytesOfAWindows1250FileKeptExactly) {
  QTemporaryDir dir;
  const QString path = dir.filePath("jst.ini");
  // 0x81 has no character in Windows-1250; the line holding it must come back unchanged.
  const QByteArray before("[A]\r\nodd=\x81\xA5\r\nx=1\r\n");
  putFile(path, before);
  writeProfileString(path, "A", "x", QString::fromUtf8("ś"));
  EXPECT_EQ(fileBytes(path), QByteArray("[A]\r\nodd=\x81\xA5\r\nx=\x9C\r\n"));
}

TEST(IniWrite, Utf8FileStaysUtf8) {
  QTemporaryDir dir;
  const QString path = dir.filePath("jst.ini");
  putFile(path, QByteArray("[Główna]\nNazwa=Łódź\n"));
  writeProfileString(path, QString::fromUtf8("główna"), "Nazwa", QString::fromUtf8("Kraków"));
  EXPECT_EQ(fileBytes(path), QByteArray("[Główna]\nNazwa=Kraków\n"));
}

TEST(IniWrite, UnwritableFolderRaisesWithThePath) {
  QTemporaryDir dir;
  putFile(dir.filePath("plain"), "not a folder");
  const QString path = dir.filePath("plain/Tervik.ini");
  try {
    writeProfileString(path, "Eksport obcy", "BestiaDir", "/srv/Bestia");
    FAIL() << "no exception";
  } catch (const PlatformError& e) {
    EXPECT_EQ(e.path(), path);
    EXPECT_EQ(e.systemText(), QString("Not a directory"));
    EXPECT_EQ(e.message(), QString::fromUtf8("Nie można zapisać pliku \"") + path + "\": Not a directory");
  }
}

struct BadWriteCase {
  const char* name;
  const char* section;
  const char* key;
  const char* value;
};

class IniBadWriteTest : public ::testing::TestWithParam<BadWriteCase> {};

TEST_P(IniBadWriteTest, RefusedAndFileUnchanged) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.ini");
  putFile(path, "[A]\nx=1\n");
  const BadWriteCase& c = GetParam();
  EXPECT_THROW(writeProfileString(path, c.section, c.key, c.value), PlatformError);
  EXPECT_EQ(fileBytes(path), QByteArray("[A]\nx=1\n"));
}

INSTANTIATE_TEST_SUITE_P(Cases, IniBadWriteTest,
                         ::testing::Values(BadWriteCase{"EmptySection", "", "x", "2"},
                                           BadWriteCase{"EmptyKey", "A", " ", "2"},
                                           BadWriteCase{"LineBreakInValue", "A", "x", "2\n[B]"},
                                           BadWriteCase{"CarriageReturnInValue", "A", "x", "2\r"},
                                           BadWriteCase{"BracketInSection", "A]", "x", "2"},
                                           BadWriteCase{"EqualsInKey", "A", "x=y", "2"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wertalo::platform
