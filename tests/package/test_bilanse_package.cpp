// Whole balance-sheet packages to the byte for the unit itself and for budget units, one
// file per balance sheet, the whole package with kept XML and signatures, the server.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "bilanse_data.h"
#include "core/db/query.h"
#include "core/package/xml_writer.h"
#include "core/package/bodies/bilanse.h"
#include "fixture.h"
#include "support/databases.h"
#include "support/xml_check.h"

namespace wertalo::package {
namespace {

using catalogue::rJB;
using test::lines;
using test::sheet;
using test::written;

const QDateTime kNow(QDate(2014, 2, 3), QTime(10, 0));

// ---- Whole packages to the byte -----------------------------------------------------------

// The fourth quarter of 2013, as the balance-sheet export sets it.
void yearEnd(test::PackageModule& m, const QString& units) {
  m.exec(QStringLiteral("UPDATE JBOBS SET OKRES='4';\n"));
  m.unit([&](catalogue::MemMain& u) { u.OKRES = QStringLiteral("4"); });
  m.prepare(units);
}

// B-Wyk 80 of the unit itself: a linked and an unlinked asset (its parent has no row in this
// sheet), a liability with a remark, and a guarantee remark.
void unitPackageData(test::PackageModule& m) {
  m.exec(QStringLiteral("INSERT INTO BILB (IDSPRAW, ID_BILPOZ, SPOCZ, SKON, UWAGI) VALUES (80, 3, 1234.5, 0, NULL);\n"
                        "INSERT INTO BILB (IDSPRAW, ID_BILPOZ, SPOCZ, SKON, UWAGI) VALUES (80, 9, 100, 200, 'uwaga');\n"
                        "INSERT INTO BILB (IDSPRAW, ID_BILPOZ, SPOCZ, SKON, UWAGI) VALUES (80, 1, 10, 20, NULL);\n"
                        "INSERT INTO UWAGI (IDSPRAW, UwagiA1) VALUES (80, 'Bank Spółdzielczy');\n"));
  m.dtm.memSelectSpraw().clear();
  m.select({sheet(80, "B-Wyk", "BILB")});
}

std::string packageHead() {
  return test::documentHead() + lines({"<PaczkaSprawozdan Wersja=\"0.1\">", "  <Okres>", "    <Rok>2013</Rok>",
                                       "    <TypOkresu>Kwartal</TypOkresu>", "    <Okres>4</Okres>", "  </Okres>", "  <Jednostki>"});
}

std::string unitHead() {
  return lines({"    <Jednostka>", "      <Typ>JB</Typ>", "      <Nazwa>Miasto Testowo</Nazwa>", "      <Typ>M</Typ>",
                "      <Regon>631257816</Regon>", "      <WK>30</WK>", "      <PK>64</PK>", "      <GK>01</GK>", "      <GT>1</GT>",
                "      <PT>1</PT>"});
}

std::string reportHeader(int level) {
  const std::string pad(static_cast<size_t>(level) * 2, ' ');
  return pad + "<Naglowek>\r\n" + pad + "  <Wersja>1</Wersja>\r\n" + pad + "  <DataSprawozdania>2013-12-20</DataSprawozdania>\r\n" +
         pad + "</Naglowek>\r\n";
}

std::string unitPackageExpected() {
  return packageHead() + unitHead() + lines({"      <Sprawozdania>", "        <B-Wyk Id=\"B-Wyk80\">"}) + reportHeader(5) +
         lines({"          <Aktywa>",
                "            <Pozycja>",
                "              <Symbol>A</Symbol>",
                "              <P>10.00</P>",
                "              <K>20.00</K>",
                "            </Pozycja>",
                "            <Pozycja>",
                "              <Symbol></Symbol>",
                "              <Nazwa>Oprogramowanie</Nazwa>",
                "              <P>1234.50</P>",
                "              <K>0.00</K>",
                "            </Pozycja>",
                "          </Aktywa>",
                "          <Pasywa>",
                "            <Pozycja>",
                "              <Symbol>P.A</Symbol>",
                "              <P>100.00</P>",
                "              <K>200.00</K>",
                "              <Uwagi>uwaga</Uwagi>",
                "            </Pozycja>",
                "          </Pasywa>",
                "          <Uzupelnienie>",
                "            <Pozycja>",
                "              <Symbol>1</Symbol>",
                "              <Opis>Udzielone gwarancje i poręczenia - Bank Spółdzielczy</Opis>",
                "            </Pozycja>",
                "          </Uzupelnienie>",
                "        </B-Wyk>",
                "      </Sprawozdania>",
                "    </Jednostka>",
                "  </Jednostki>",
                "</PaczkaSprawozdan>"});
}

// Two budget units, each with its own Jednostka: B-Jed 90 of unit 7 (single) and the
// combined B-Jed 92 of unit 9, without rows. REGON never gets blanks in a balance package.
void budgetPackageData(test::PackageModule& m) {
  m.dtm.setRodzajEksportu(rJB);
  m.options([&](catalogue::RunOptions& o) { o.bRegonSpacje = true; });
  m.addBudgetUnit(7, QString::fromUtf8("Szkoła nr 1"), QStringLiteral("J"), QStringLiteral("12345678"), QStringLiteral("00011"));
  m.addBudgetUnit(9, QString::fromUtf8("Przedszkole nr 2"), QStringLiteral("J"), QStringLiteral("123456789"), QString());
  m.exec(QStringLiteral("INSERT INTO JBBILJ (IDSPRAW, ID_BILPOZ, SPOCZ, SKON, ID_JB) VALUES (90, 10, 3, 4.5, 7);\n"
                        "INSERT INTO JBBILJ (IDSPRAW, ID_BILPOZ, SPOCZ, SKON, ID_JB) VALUES (90, 2, 0.5, 1.25, 7);\n"));
  yearEnd(m, QStringLiteral("7,9,"));
  m.dtm.memSelectSpraw().clear();
  m.select({sheet(90, "B-Jed", "BILJ", 7), sheet(92, "B-Jed", "BILL", 9)});
}

std::string budgetUnitHead(const char* nazwa, const char* regon, const char* gk, const char* pt) {
  return lines({"    <Jednostka>", "      <Typ>JB</Typ>"}) + "      <Nazwa>" + nazwa + "</Nazwa>\r\n      <Typ>JB</Typ>\r\n      <Regon>" +
         regon + "</Regon>\r\n      <WK>30</WK>\r\n      <PK>64</PK>\r\n      <GK>" + gk + "</GK>\r\n      <GT>2</GT>\r\n      <PT>" + pt +
         "</PT>\r\n";
}

std::string budgetPackageExpected() {
  return packageHead() + budgetUnitHead("Szkoła nr 1", "1234567800011", "02", "7") +
         lines({"      <Sprawozdania>", "        <B-Jed Id=\"B-Jed90\">"}) + reportHeader(5) +
         lines({"          <Aktywa>",
                "            <Pozycja>",
                "              <Symbol>A.I</Symbol>",
                "              <P>0.50</P>",
                "              <K>1.25</K>",
                "            </Pozycja>",
                "          </Aktywa>",
                "          <Pasywa>",
                "            <Pozycja>",
                "              <Symbol></Symbol>",
                "              <Nazwa>Fundusz jednostki</Nazwa>",
                "              <P>3.00</P>",
                "              <K>4.50</K>",
                "            </Pozycja>",
                "          </Pasywa>",
                "        </B-Jed>",
                "      </Sprawozdania>",
                "    </Jednostka>"}) +
         budgetUnitHead("Przedszkole nr 2", "123456789", "02", "9") +
         lines({"      <Sprawozdania>", "        <B-Jed Id=\"B-Jed92\">"}) + reportHeader(5) +
         lines({"          <Aktywa/>", "          <Pasywa/>", "        </B-Jed>", "      </Sprawozdania>", "    </Jednostka>",
                "  </Jednostki>", "</PaczkaSprawozdan>"});
}

TEST(BalancePackage, UnitItselfToTheByte) {
  test::PackageModule m;
  test::insertPositionTree(m);
  yearEnd(m, QString());
  unitPackageData(m);
  m.paczka.TworzDokument();
  const QByteArray bytes = writeXml(m.paczka.DOM);
  EXPECT_EQ(bytes.toStdString(), unitPackageExpected());
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  EXPECT_TRUE(m.dtm.memSelectSpraw().eof());
  EXPECT_EQ(test::writtenIds(m.paczka.buildRecord()), std::vector<qint64>{80});
}

TEST(BalancePackage, BudgetUnitsToTheByte) {
  test::PackageModule m;
  test::insertPositionTree(m);
  budgetPackageData(m);
  m.paczka.TworzDokument();
  const QByteArray bytes = writeXml(m.paczka.DOM);
  EXPECT_EQ(bytes.toStdString(), budgetPackageExpected());
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  EXPECT_TRUE(m.dtm.memSelectSpraw().eof());
  EXPECT_EQ(test::writtenIds(m.paczka.buildRecord()), (std::vector<qint64>{90, 92}));
}

// ---- Saving -------------------------------------------------------------------------------

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

QStringList entries(const QString& folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

class BalanceSaving : public ::testing::Test {
 protected:
  BalanceSaving() {
    out_ = dir_.path() + QStringLiteral("/bilanse");
    m.options([&](catalogue::RunOptions& o) { o.dirKatalog = out_; });
    // Each sending date notes the files that exist when it is taken.
    m.dtm.setClock([this] {
      filesAtSendingDate_ << entries(out_).join(QLatin1Char(','));
      return kNow;
    });
    test::insertPositionTree(m);
  }
  QString path(const QString& name) const { return out_ + QLatin1Char('/') + name; }

  test::PackageModule m;
  QTemporaryDir dir_;
  QString out_;
  QStringList filesAtSendingDate_;
};

TEST_F(BalanceSaving, OneFilePerTickedSheetWithItsSendingDate) {
  yearEnd(m, QString());
  m.exec(QStringLiteral("INSERT INTO SPRAWOZD (IDSPRAW, DATAZAK) VALUES (80, '2014-03-31');\n"
                        "INSERT INTO SPRAWOZD (IDSPRAW, DATAZAK) VALUES (81, '2014-03-31');\n"
                        "INSERT INTO SPRAWOZD (IDSPRAW, DATAZAK) VALUES (82, '2014-03-31');\n"
                        "INSERT INTO BILB (IDSPRAW, ID_BILPOZ, SPOCZ, SKON) VALUES (80, 1, 10, 20);\n"));
  catalogue::SelectRow unticked = sheet(81, "B-Wyk", "BILB");
  unticked.SELEKCJA = false;
  m.select({sheet(80, "B-Wyk", "BILB"), unticked, sheet(82, "B-Skon", "BILS")});
  m.paczka.TworzWieleDokumentow();

  // B-Skon comes before B-Wyk in the report order; each file exists before its sending date.
  EXPECT_EQ(entries(out_), (QStringList{QStringLiteral("B-Skon__82.xml"), QStringLiteral("B-Wyk__80.xml")}));
  EXPECT_EQ(filesAtSendingDate_, (QStringList{QStringLiteral("B-Skon__82.xml"), QStringLiteral("B-Skon__82.xml,B-Wyk__80.xml")}));
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 80), QStringLiteral("2014-02-03 10:00"));
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 81), QString());
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 82), QStringLiteral("2014-02-03 10:00"));
  EXPECT_FALSE(m.dtm.options().chkZapiszPojedynczo);
  EXPECT_TRUE(m.dtm.memSelectSpraw().eof());

  const QByteArray skon = fileBytes(path(QStringLiteral("B-Skon__82.xml")));
  EXPECT_EQ(skon.toStdString(), packageHead() + unitHead() + lines({"      <Sprawozdania>", "        <B-Skon Id=\"B-Skon82\">"}) +
                                    reportHeader(5) +
                                    lines({"          <Aktywa/>", "          <Pasywa/>", "        </B-Skon>", "      </Sprawozdania>",
                                           "    </Jednostka>", "  </Jednostki>", "</PaczkaSprawozdan>"}));
  EXPECT_TRUE(test::isWellFormedXml(skon));
  const QByteArray wyk = fileBytes(path(QStringLiteral("B-Wyk__80.xml")));
  EXPECT_TRUE(test::isWellFormedXml(wyk));
  EXPECT_NE(wyk.indexOf("<B-Wyk Id=\"B-Wyk80\">"), -1);
  EXPECT_NE(wyk.indexOf("<Symbol>A</Symbol>\r\n              <P>10.00</P>\r\n              <K>20.00</K>"), -1);
  EXPECT_EQ(wyk.indexOf("B-Skon"), -1);
  EXPECT_EQ(wyk.indexOf("B-Wyk81"), -1);
}

TEST_F(BalanceSaving, WholePackageWithKeptXmlAndSignatures) {
  m.dtm.UstawTypEksporu(catalogue::teBilanse);
  m.dtm.setRodzajEksportu(rJB);
  m.options([&](catalogue::RunOptions& o) { o.bDodajInfo = true; });
  m.addBudgetUnit(7, QString::fromUtf8("Szkoła nr 1"), QStringLiteral("J"), QStringLiteral("12345678"), QStringLiteral("00011"));
  yearEnd(m, QStringLiteral("7,"));
  const QString kept = QStringLiteral("<B-Jed Id=\"B-Jed90\">\n<Aktywa/>\n</B-Jed>");
  db::Query query(m.dtm.DB());
  query.setSql(QStringLiteral("INSERT INTO JBSPRAWOZDXML (IDSPRAW, czy_epodpisane, WYEKSPORTOWANY_XML) VALUES (90, 1, :X)"));
  query.bindText(QStringLiteral("X"), kept);
  query.execSql();
  m.exec(QStringLiteral(
      "INSERT INTO JBSPRAWOZD (IDSPRAW, DATAZAK, ID_JB) VALUES (90, '2014-03-31', 7);\n"
      "INSERT INTO JBSPRAWOZD (IDSPRAW, DATAZAK, ID_JB) VALUES (93, '2014-03-31', 7);\n"
      "INSERT INTO JBSPRAWOZDEPODPIS (IDSPRAW, DANE, PODPISUJACY, ROLA) VALUES (90, '<Signature Id=\"S90\"><Reference URI=\"#B-Jed90\"/></Signature>', 'Jan', 'Dyrektor');\n"
      "INSERT INTO JBSPRAWOZDEPODPIS (IDSPRAW, DANE, PODPISUJACY, ROLA) VALUES (93, '<Signature Id=\"S93\"><Reference URI=\"#stary\"/></Signature>', 'Ewa', 'Księgowa');\n"));
  catalogue::SelectRow keptRow = sheet(90, "B-Jed", "BILJ", 7);
  keptRow.podpisane = true;
  catalogue::SelectRow freshRow = sheet(93, "B-Jed", "BILJ", 7);
  freshRow.podpisane = true;
  m.select({keptRow, freshRow});
  const QString target = path(QStringLiteral("wybrane.xml"));
  m.ui.queueSaveAnswer(target);

  m.paczka.TworzDokument();
  ASSERT_TRUE(m.paczka.ZapiszDokument(true, QString(), 0));

  ASSERT_EQ(m.ui.saveRequests().size(), 1);
  EXPECT_EQ(m.ui.saveRequests()[0].proposedName, QStringLiteral("Bilanse.xml"));
  const QByteArray bytes = fileBytes(target);
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  EXPECT_EQ(bytes.indexOf("<WYEKSPORTOWANY_XML/>"), -1);
  EXPECT_EQ(bytes.indexOf("<PODPIS/>"), -1);
  EXPECT_NE(bytes.indexOf("\r\n<B-Jed Id=\"B-Jed90\">\n<Aktywa/>\n</B-Jed>\r\n"), -1);
  EXPECT_NE(bytes.indexOf("        <B-Jed Id=\"B-Jed93\">\r\n"), -1);
  // The kept sheet's signature stays as signed; the fresh one refers to its own anchor.
  EXPECT_NE(bytes.indexOf("<Podpisy>\r\n<Signature Id=\"S90\"><Reference URI=\"#B-Jed90\"/></Signature>\r\n"), -1);
  EXPECT_NE(bytes.indexOf("<Signature Id=\"S93\"><Reference URI=\"#B-Jed93\"/></Signature>\r\n"), -1);
  EXPECT_NE(bytes.indexOf(QString::fromUtf8("<Podpisujacy>Ewa</Podpisujacy><Rola>Księgowa</Rola>").toUtf8()), -1);
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 90, true), QStringLiteral("2014-02-03 10:00"));
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 93, true), QStringLiteral("2014-02-03 10:00"));
  // The reports of the run are dated together, once the file exists.
  EXPECT_EQ(filesAtSendingDate_, (QStringList{QStringLiteral("wybrane.xml")}));
}

// ---- On the Firebird server ---------------------------------------------------------------

TEST(FirebirdBalanceSheets, TheSameBytesAsOnTheLocalDatabase) {
  WERTALO_REQUIRE_FIREBIRD();
  test::FirebirdDatabase server;
  const db::ConnectionSettings settings = server.settings();
  test::PackageModule m(&settings);
  test::insertPositionTree(m);
  test::insertSheetRows(m, QStringLiteral("BILB"), 85);
  test::insertSheetRows(m, QStringLiteral("BILS"), 86);
  test::insertSheetRows(m, QStringLiteral("JBBILJ"), 87);

  // Every position rule and amount, on the server's exact numerics.
  m.select({sheet(85, "B-Wyk", "BILB"), sheet(86, "B-Skon", "BILS"), sheet(87, "B-Jed", "BILL", 7)});
  const auto body = [](const char* element, const char* id, const std::string& positions) {
    return std::string("<") + element + " Id=\"" + element + id + "\">\r\n" + test::header() + positions + "</" + element + ">\r\n";
  };
  const auto built = [&m](BodyBuilder builder, catalogue::TRodzajEksportu kind) {
    const std::string text = written(builder(ReportContext(m.dtm.DB(), kind, m.dtm.memSelectSpraw().current()), nullptr));
    m.dtm.memSelectSpraw().next();
    return text;
  };
  EXPECT_EQ(built(BilanseBILB, catalogue::rJST), body("B-Wyk", "85", test::everyPosition()));
  EXPECT_EQ(built(BilanseBILS, catalogue::rJST), body("B-Skon", "86", test::linkedPositions()));
  EXPECT_EQ(built(BilanseBILL, catalogue::rJB), body("B-Jed", "87", test::linkedPositions()));

  yearEnd(m, QString());
  unitPackageData(m);
  m.paczka.TworzDokument();
  const QByteArray unitBytes = writeXml(m.paczka.DOM);
  EXPECT_EQ(unitBytes.toStdString(), unitPackageExpected());
  EXPECT_TRUE(test::isWellFormedXml(unitBytes));

  budgetPackageData(m);
  m.paczka.TworzDokument();
  const QByteArray budgetBytes = writeXml(m.paczka.DOM);
  EXPECT_EQ(budgetBytes.toStdString(), budgetPackageExpected());
  EXPECT_TRUE(test::isWellFormedXml(budgetBytes));
}

}  // namespace
}  // namespace wertalo::package
