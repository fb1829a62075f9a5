// The exported functions called as a C++ host would: texts in Windows-1250 (characters outside
// it as "?"), the anchor buffer, the Boolean argument, the reason of a failed call.
#include <gtest/gtest.h>

#include <QByteArray>

#include <string>

#include "core/text/cp1250.h"
#include "host_fixture.h"
#include "support/xml_check.h"
#include "wertalo/wertalo.h"

namespace wertalo {
namespace {

using test::HostInstallation;

std::string cp1250(const char* utf8) { return text::toCp1250(QString::fromUtf8(utf8)).toStdString(); }

// An installation found through $WERTALO_WIN_INI, as a host finds it.
class HostFunctions : public ::testing::Test {
 protected:
  void SetUp() override { use(installation.winIni()); }
  void TearDown() override { qunsetenv("WERTALO_WIN_INI"); }
  static void use(const QString& winIni) { qputenv("WERTALO_WIN_INI", winIni.toLocal8Bit()); }

  // The text of a call, released; "<null>" for a null result.
  static std::string take(char* text) {
    if (text == nullptr) return "<null>";
    std::string out(text);
    EXPECT_EQ(ZwolnijPCHAR(text), 1);
    return out;
  }

  HostInstallation installation;
};

TEST_F(HostFunctions, TextsAreWindows1250WithQuestionMarksForTheRest) {
  installation.exec(QStringLiteral(
      "INSERT INTO RB50 (IDSPRAW, SYMBOL, KODN, DZIAL, ROZDZIAL, PAR, PAR4, KW1, KW2, UWAGI) VALUES "
      "(300, 'D', 'P', '852', '85212', '201', '0', 1, 1, 'Łódź – ж €');"));
  test::insertReport(installation.db(), {.idspraw = 300, .typspr = QStringLiteral("RB50")});
  char id[64] = "";
  const std::string xml = take(EkportujRB50XML(300, id, 1, "D"));
  EXPECT_NE(xml.find(cp1250("<Uwagi>Łódź – ? €</Uwagi>")), std::string::npos) << xml;
  EXPECT_NE(xml.find("<Uwagi>\xA3\xF3\x64\x9F \x96 ? \x80</Uwagi>"), std::string::npos);
  EXPECT_TRUE(test::isWellFormedXml(text::fromCp1250(xml).toUtf8()));
  EXPECT_STREQ(id, "#Rb-50D300");
  EXPECT_STREQ(OstatniBlad(), "");
}

TEST_F(HostFunctions, TypIsReadAsWindows1250) {
  // A typ that is not an Rb-50 part ("Ł" in Windows-1250) builds nothing.
  test::insertReport(installation.db(), {.idspraw = 301, .typspr = QStringLiteral("RB50")});
  EXPECT_EQ(take(EkportujRB50XML(301, nullptr, 1, "\xA3")), "");
  EXPECT_STREQ(OstatniBlad(), "");
}

TEST_F(HostFunctions, OnlyTheLowByteOfTheBooleanCounts) {
  test::insertReport(installation.db(), {.idspraw = 302, .typspr = QStringLiteral("D")});
  const std::string unit = take(EkportujXML(302, nullptr, 1));
  EXPECT_EQ(unit.rfind("<Rb-27s Id=\"Rb-27s302\">", 0), 0u) << unit;
  EXPECT_TRUE(test::isWellFormedXml(QByteArray::fromStdString(unit)));
  EXPECT_EQ(take(EkportujXML(302, nullptr, 0x101)), unit);
  // 0x100 is false: the budget units' tables, which do not hold the report.
  EXPECT_EQ(take(EkportujXML(302, nullptr, 0x100)), "");
}

TEST_F(HostFunctions, ReasonOfAFailedCallInWindows1250) {
  use(installation.winIni() + QStringLiteral(".none"));
  char id[64] = "untouched";
  EXPECT_EQ(EkportujXML(1, id, 1), nullptr);
  // The installation error, then the file that was read and why it failed.
  const std::string missing = (installation.winIni() + QStringLiteral(".none")).toStdString();
  const std::string expected = "BŁĄD!! Niepoprawnie zainstalowany system \"TERVIK\". Program zakończy teraz pracę!\nWIN.INI: \"" +
                               missing + "\": plik nie istnieje";
  EXPECT_EQ(std::string(OstatniBlad()), cp1250(expected.c_str()));
  EXPECT_STREQ(id, "untouched");

  use(installation.winIniWithoutDatabase());
  EXPECT_EQ(EkportujRB50XML(1, id, 1, "W"), nullptr);
  const std::string reason = OstatniBlad();
  EXPECT_EQ(reason.rfind(cp1250("Błąd bazy danych: "), 0), 0u) << reason;
  EXPECT_NE(reason.find("dane.sqlite"), std::string::npos) << reason;

  // The next call that succeeds clears it.
  use(installation.winIni());
  EXPECT_EQ(take(EkportujXML(1, id, 1)), "");
  EXPECT_STREQ(OstatniBlad(), "");
}

TEST_F(HostFunctions, DatabaseErrorDuringTheReport) {
  test::insertReport(installation.db(), {.idspraw = 303, .typspr = QStringLiteral("D")});
  installation.exec(QStringLiteral("DROP TABLE D2;"));
  EXPECT_EQ(EkportujXML(303, nullptr, 1), nullptr);
  const std::string reason = OstatniBlad();
  EXPECT_NE(reason.find(cp1250("Nie można zapisać sprawozdania Rb-27s (identyfikator 303)")), std::string::npos) << reason;
}

}  // namespace
}  // namespace wertalo
