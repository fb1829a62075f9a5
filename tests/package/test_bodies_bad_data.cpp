// Bad data in Rb-N, Rb-Z, Rb-NDS, Rb-PDP, Rb-ST, Rb-UN and Rb-UZ: a value that cannot be read
// stops with a message naming the report and leaves no file behind; strange texts and codes
// still give well-formed files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <string>

#include "body_fixture.h"
#include "body_text.h"
#include "core/db/db_error.h"
#include "fixture.h"
#include "support/xml_check.h"

namespace wertalo::package {
namespace {

using catalogue::rJST;

struct BadValueCase {
  const char* name;
  const char* symbol;
  const char* typspr;
  const char* sql;
  const char* message;
};

void PrintTo(const BadValueCase& c, std::ostream* os) { *os << c.name; }

class BadValue : public ::testing::TestWithParam<BadValueCase> {};

TEST_P(BadValue, TheMessageNamesTheReport) {
  const BadValueCase& c = GetParam();
  test::BodyFixture m;
  m.exec(QString::fromUtf8(c.sql));
  try {
    m.build(test::reportRow(c.symbol, c.typspr, rJST));
    FAIL() << "no error";
  } catch (const db::DbError& e) {
    EXPECT_EQ(e.message(), QString::fromUtf8(c.message));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadValue,
    ::testing::Values(
        BadValueCase{"RbNAmount", "Rb-N", "N", "INSERT INTO N21 (IDSPRAW, NAZWA, KO) VALUES (70, 'N1. Gotówka', 'dużo');\n",
                     "Nie można zapisać sprawozdania Rb-N (identyfikator 70).\n'dużo' nie jest liczbą"},
        BadValueCase{"RbZAmount", "Rb-Z", "Z", "INSERT INTO z2KP (IDSPRAW, KP_C3) VALUES (70, '1 000,00 zł');\n",
                     "Nie można zapisać sprawozdania Rb-Z (identyfikator 70).\n'1 000,00 zł' nie jest liczbą"},
        BadValueCase{"RbZDate", "Rb-Z", "Z", "INSERT INTO z2ZB (IDSPRAW, LP, ZBAN, ZBAP) VALUES (70, 1, 5, 'jutro');\n",
                     "Nie można zapisać sprawozdania Rb-Z (identyfikator 70).\n'jutro' nie jest datą"},
        BadValueCase{"RbZNumber", "Rb-Z", "Z", "INSERT INTO z2ZB (IDSPRAW, LP, ZBAN) VALUES (70, 'pierwsza', 5);\n",
                     "Nie można zapisać sprawozdania Rb-Z (identyfikator 70).\n'pierwsza' nie jest liczbą"},
        BadValueCase{"RbNDSAmount", "Rb-NDS", "F", "INSERT INTO F2 (IDSPRAW, D241W) VALUES (70, 'x');\n",
                     "Nie można zapisać sprawozdania Rb-NDS (identyfikator 70).\n'x' nie jest liczbą"},
        BadValueCase{"RbPDPAmount", "Rb-PDP", "P", "INSERT INTO P2 (IDSPRAW, UUU111R) VALUES (70, 'x');\n",
                     "Nie można zapisać sprawozdania Rb-PDP (identyfikator 70).\n'x' nie jest liczbą"},
        BadValueCase{"RbSTAmount", "Rb-ST", "ST", "INSERT INTO RBST (IDSPRAW, ROK, RFP) VALUES (70, '14', 'x');\n",
                     "Nie można zapisać sprawozdania Rb-ST (identyfikator 70).\n'x' nie jest liczbą"},
        BadValueCase{"RbUNAmount", "Rb-UN", "UN", "INSERT INTO UN (IDSPRAW, KOD, KWOTA1) VALUES (70, 'A02', 'x');\n",
                     "Nie można zapisać sprawozdania Rb-UN (identyfikator 70).\n'x' nie jest liczbą"},
        BadValueCase{"RbUZAmount", "Rb-UZ", "UZ", "INSERT INTO UZ (IDSPRAW, KOD, KWOTA7) VALUES (70, 'B06', 'x');\n",
                     "Nie można zapisać sprawozdania Rb-UZ (identyfikator 70).\n'x' nie jest liczbą"}),
    test::kCaseName);

TEST(BadValue, AMissingTableNamesTheReportAndTheStatement) {
  test::BodyFixture m;
  m.exec(QStringLiteral("DROP TABLE JBUZ;\n"));
  try {
    m.build(test::reportRow("Rb-UZ", "UZ", catalogue::rJB), catalogue::rJB);
    FAIL() << "no error";
  } catch (const db::DbError& e) {
    EXPECT_EQ(e.lead(), QStringLiteral("Nie można zapisać sprawozdania Rb-UZ (identyfikator 70)."));
    EXPECT_TRUE(e.message().startsWith(e.lead() + QStringLiteral("\n") + e.engineText() + QStringLiteral("\nZapytanie: "))) << e.message().toStdString();
    EXPECT_EQ(e.statement(), QStringLiteral("select * from JBUZ where IDSPRAW=:IDSPRAW"));
  }
}

TEST(Undated, AReportWithoutItsDateIsDatedWithTheZeroDate) {
  test::BodyFixture m;
  catalogue::SelectRow row = test::reportRow("Rb-UN", "UN", rJST);
  row.Data = QDate();
  EXPECT_EQ(m.build(row), test::lines({"<Rb-UN Id=\"Rb-UN70\">", "  <Naglowek>", "    <Wersja>1</Wersja>",
                                       "    <DataSprawozdania>1899-12-30</DataSprawozdania>", "  </Naglowek>", "  <Naleznosci>",
                                       "    <Pozycja>", "      <Symbol/>", "    </Pozycja>", "  </Naleznosci>", "</Rb-UN>"}));
}

// ---- Whole files -------------------------------------------------------------------------

class BadDataFiles : public ::testing::Test {
 protected:
  BadDataFiles() {
    out_ = dir_.path() + QStringLiteral("/eksport");
    m.options([&](catalogue::RunOptions& o) { o.dirKatalog = out_; });
    // Approved reports: each gets its sending date once its file is written.
    m.exec(QStringLiteral("INSERT INTO SPRAWOZD (IDSPRAW, DATAZAK) VALUES (70, '2014-01-20');\n"
                          "INSERT INTO SPRAWOZD (IDSPRAW, DATAZAK) VALUES (71, '2014-01-20');\n"
                          "INSERT INTO SPRAWOZD (IDSPRAW, DATAZAK) VALUES (72, '2014-01-20');\n"));
    m.select({test::selectRow(70, QStringLiteral("Rb-N"), QStringLiteral("N")),
              test::selectRow(71, QStringLiteral("Rb-UN"), QStringLiteral("UN")),
              test::selectRow(72, QStringLiteral("Rb-Z"), QStringLiteral("Z"))});
  }
  QStringList files() const { return QDir(out_).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
  QByteArray bytes(const QString& name) const {
    QFile file(out_ + QLatin1Char('/') + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  test::PackageModule m;
  QTemporaryDir dir_;
  QString out_;
};

TEST_F(BadDataFiles, AReportThatCannotBeReadGetsNoFileAndNoSendingDate) {
  m.exec(QStringLiteral("INSERT INTO N21 (IDSPRAW, NAZWA, K_0) VALUES (70, 'N1. Gotówka', 1);\n"
                        "INSERT INTO UN (IDSPRAW, KOD, KWOTA1) VALUES (71, 'A02', 'brak');\n"));
  try {
    m.paczka.TworzWieleDokumentowSPR();
    FAIL() << "no error";
  } catch (const db::DbError& e) {
    EXPECT_EQ(e.message(), QString::fromUtf8("Nie można zapisać sprawozdania Rb-UN (identyfikator 71).\n'brak' nie jest liczbą"));
  }
  // The report before it is written whole; nothing else, not even a temporary file, is left.
  EXPECT_EQ(files(), QStringList{QStringLiteral("Rb-N__70.xml")});
  EXPECT_TRUE(test::isWellFormedXml(bytes(QStringLiteral("Rb-N__70.xml"))));
  EXPECT_FALSE(test::sendingDate(m.dtm.DB(), 70).isEmpty());
  EXPECT_TRUE(test::sendingDate(m.dtm.DB(), 71).isEmpty());
  EXPECT_TRUE(test::sendingDate(m.dtm.DB(), 72).isEmpty());
}

TEST_F(BadDataFiles, StrangeTextsAndCodesGiveAWellFormedPackage) {
  m.options([&](catalogue::RunOptions& o) { o.bDodajInfo = true; });
  m.exec(QStringLiteral(
      "INSERT INTO N21 (IDSPRAW, ID_S_SPRPO, NAZWA, K_0, UWAGI) VALUES (70, 1, 'N1. Gotówka 😀', NULL, 'a < b & \"c\" → ∞');\n"
      "INSERT INTO UN (IDSPRAW, KOD, KWOTA1, UWAGI) VALUES (71, 'A02', NULL, 'ok');\n"
      "INSERT INTO UN (IDSPRAW, KOD, KWOTA1, UWAGI) VALUES (71, '<A&>', 5, 'kod spoza sprawozdania');\n"
      "INSERT INTO UN (IDSPRAW, KOD, KWOTA1, UWAGI) VALUES (71, NULL, 6, 'bez kodu');\n"
      "INSERT INTO Z2 (IDSPRAW, UWAGI) VALUES (72, 'Ω ≠ Windows-1250 ]]> <![CDATA[');\n"
      "INSERT INTO Z2JEDNOSTKI (IDSPRAW, LP, JBREGON, URZAD) VALUES (72, 1, '2411583840001😀', 'Urząd → ☃');\n"));
  m.paczka.TworzDokument_SPR();
  const QByteArray text = m.paczka.packageText();
  EXPECT_TRUE(test::isWellFormedXml(text));
  const QString content = QString::fromUtf8(text);
  for (const char* line : {"<Uwagi>a &lt; b &amp; \"c\" → ∞</Uwagi>", "<N>0.00</N>", "<KO>0.00</KO>", "<_A__>kod spoza sprawozdania</_A__>",
                           "<_>bez kodu</_>", "<INFORMACJE_DODATKOWE>Ω ≠ Windows-1250 ]]&gt; &lt;![CDATA[</INFORMACJE_DODATKOWE>",
                           "<REGON>2411583840001😀</REGON>", "<UWAGI>Urząd → ☃</UWAGI>"})
    EXPECT_TRUE(content.contains(QString::fromUtf8(line))) << line;
}

}  // namespace
}  // namespace wertalo::package
