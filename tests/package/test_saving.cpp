// Saving: whole files, kept XML and signatures in place of their placeholders, sending dates.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "core/db/db_error.h"
#include "core/platform/platform_error.h"
#include "fixture.h"
#include "support/databases.h"
#include "support/xml_check.h"

namespace wertalo::package {
namespace {

using catalogue::rJB;
using test::lines;

const QDateTime kNow(QDate(2014, 2, 3), QTime(10, 0));

// The file with its unit (Miasto Testowo) around the given list lines.
std::string unitFile(const std::string& list) {
  return test::documentHead() +
         lines({"<PaczkaSprawozdan Wersja=\"0.3\">", "  <Okres>", "    <Rok>2013</Rok>", "    <TypOkresu>Miesiac</TypOkresu>",
                "    <Okres>12</Okres>", "  </Okres>", "  <Jednostki>", "    <Jednostka>", "      <Nazwa>Miasto Testowo</Nazwa>",
                "      <Typ>M</Typ>", "      <Regon>631257816</Regon>", "      <WK>30</WK>", "      <PK>64</PK>", "      <GK>01</GK>",
                "      <GT>1</GT>", "      <PT>1</PT>"}) +
         list + lines({"    </Jednostka>", "  </Jednostki>", "</PaczkaSprawozdan>"});
}

// A freshly built report without rows, inside Sprawozdania at the unit's level.
std::string freshReport(const char* symbol, const char* id) {
  const std::string open = std::string("        <") + symbol + " Id=\"" + symbol + id + "\">\r\n";
  return open + lines({"          <Naglowek>", "            <Wersja>1</Wersja>",
                       "            <DataSprawozdania>2013-12-20</DataSprawozdania>", "          </Naglowek>",
                       "          <Pozycje/>"}) +
         "        </" + symbol + ">\r\n";
}

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

QStringList entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

class Saving : public ::testing::Test {
 protected:
  Saving() {
    out_ = dir_.path() + QStringLiteral("/eksport");
    m.options([&](catalogue::RunOptions& o) { o.dirKatalog = out_; });
    // Each sending date notes the files that exist when it is taken.
    m.dtm.setClock([this] {
      filesAtSendingDate_ << entries(out_).join(QLatin1Char(','));
      return kNow;
    });
  }

  // An approved report (closed 2014-01-20) in SPRAWOZD or JBSPRAWOZD.
  void report(qint64 id, qint64 idJb = 0) {
    m.exec(idJb == 0 ? QStringLiteral("INSERT INTO SPRAWOZD (IDSPRAW, DATAZAK) VALUES (%1, '2014-01-20');\n").arg(id)
                     : QStringLiteral("INSERT INTO JBSPRAWOZD (IDSPRAW, DATAZAK, ID_JB) VALUES (%1, '2014-01-20', %2);\n").arg(id).arg(idJb));
  }
  void kept(qint64 id, const QString& typ, const QString& text, const QString& prefix = QString()) {
    db::Query query(m.dtm.DB());
    query.setSql(QStringLiteral("INSERT INTO %1SPRAWOZDXML (IDSPRAW, TYP, czy_epodpisane, WYEKSPORTOWANY_XML) VALUES (:ID, :TYP, 1, :X)").arg(prefix));
    query.bindInt(QStringLiteral("ID"), id);
    query.bindText(QStringLiteral("TYP"), typ);
    query.bindText(QStringLiteral("X"), text);
    query.execSql();
  }
  void signature(qint64 id, const QString& dane, const QString& signer = QStringLiteral("Jan Nowak"),
                 const QString& role = QStringLiteral("Skarbnik"), const QString& prefix = QString()) {
    db::Query query(m.dtm.DB());
    query.setSql(QStringLiteral("INSERT INTO %1SPRAWOZDEPODPIS (IDSPRAW, DANE, PODPISUJACY, ROLA) VALUES (:ID, :D, :P, :R)").arg(prefix));
    query.bindInt(QStringLiteral("ID"), id);
    query.bindText(QStringLiteral("D"), dane);
    query.bindText(QStringLiteral("P"), signer);
    query.bindText(QStringLiteral("R"), role);
    query.execSql();
  }
  catalogue::SelectRow signedRow(qint64 id, const char* symbol, const char* typspr, qint64 idJb = 0) {
    catalogue::SelectRow row = test::selectRow(id, QString::fromLatin1(symbol), QString::fromLatin1(typspr), idJb);
    row.podpisane = true;
    return row;
  }
  QString path(const QString& name) const { return out_ + QLatin1Char('/') + name; }

  test::PackageModule m;
  QTemporaryDir dir_;
  QString out_;
  QStringList filesAtSendingDate_;
};

// ---- One signed report per file, in each case ---------------------------------------------

struct SignedCase {
  const char* name;
  bool podpisane;
  const char* keptText;  // null: no kept XML
  std::vector<const char*> signatures;
  std::string list;  // the expected lines from Sprawozdania on
};

void PrintTo(const SignedCase& c, std::ostream* os) { *os << c.name; }

class SignedReportAlone : public Saving, public ::testing::WithParamInterface<SignedCase> {};

const char* const kSig1 = "<Signature Id=\"S1\"><SignedInfo><Reference URI=\"#stary\"><DigestValue>abc</DigestValue></Reference></SignedInfo></Signature>";
const char* const kSig2 = "<Signature Id=\"S2\">\n<KeyInfo/>\n</Signature>";
const char* const kKept57 = "<Rb-27s Id=\"Rb-27s57\">\n<Pozycje/>\n</Rb-27s>";

TEST_P(SignedReportAlone, FileAndSendingDate) {
  const SignedCase& c = GetParam();
  report(57);
  if (c.keptText != nullptr) kept(57, QString(), QString::fromUtf8(c.keptText));
  for (const char* dane : c.signatures) signature(57, QString::fromUtf8(dane));
  catalogue::SelectRow row = test::selectRow(57, QStringLiteral("Rb-27s"), QStringLiteral("D"));
  row.podpisane = c.podpisane;
  m.select({row});

  m.paczka.TworzWieleDokumentowSPR();

  EXPECT_EQ(entries(out_), QStringList{QStringLiteral("Rb-27s__57.xml")});
  const QByteArray bytes = fileBytes(path(QStringLiteral("Rb-27s__57.xml")));
  EXPECT_EQ(bytes.toStdString(), unitFile(c.list));
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 57), QStringLiteral("2014-02-03 10:00"));
  EXPECT_EQ(filesAtSendingDate_, QStringList{QStringLiteral("Rb-27s__57.xml")});
  EXPECT_EQ(m.paczka.sNazwaPliku, QStringLiteral("Rb-27s__57.xml"));
  EXPECT_EQ(m.paczka.sNazwaKatalogu, out_ + QLatin1Char('/'));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SignedReportAlone,
    ::testing::Values(
        SignedCase{"KeptXmlAndSignatures", true, kKept57, {kSig1, kSig2},
                   "      <Sprawozdania>\r\n" + std::string(kKept57) + "\r\n      </Sprawozdania>\r\n<Podpisy>\r\n" + kSig1 +
                       "\r\n" + kSig2 + "\r\n</Podpisy>\r\n"},
        SignedCase{"KeptXmlWithoutSignatures", true, kKept57, {},
                   "      <Sprawozdania>\r\n" + std::string(kKept57) + "\r\n      </Sprawozdania>\r\n<Podpisy/>\r\n"},
        SignedCase{"FreshWithSignatures", true, nullptr, {kSig1, kSig2},
                   "      <Sprawozdania>\r\n" + freshReport("Rb-27s", "57") +
                       "      </Sprawozdania>\r\n<Podpisy>\r\n"
                       "<Signature Id=\"S1\"><SignedInfo><Reference URI=\"#Rb-27s57\"><DigestValue>abc</DigestValue></Reference></SignedInfo></Signature>\r\n" +
                       kSig2 + "\r\n</Podpisy>\r\n"},
        SignedCase{"FreshWithoutSignatures", true, nullptr, {},
                   "      <Sprawozdania>\r\n" + freshReport("Rb-27s", "57") + "      </Sprawozdania>\r\n      <PODPIS/>\r\n"},
        SignedCase{"UnsignedIgnoresKeptXmlAndSignatures", false, kKept57, {kSig1},
                   "      <Sprawozdania>\r\n" + freshReport("Rb-27s", "57") + "      </Sprawozdania>\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Each statement that differs only by the unit kind's table reads and writes the tables of
// that kind, never their twins: the kept XML, the signatures and the sending date.
class TablesOfTheUnitKind : public Saving, public ::testing::WithParamInterface<catalogue::TRodzajEksportu> {};

TEST_P(TablesOfTheUnitKind, KeptXmlSignaturesAndSendingDate) {
  const bool jb = GetParam() == catalogue::rJB;
  const QString own = jb ? QStringLiteral("JB") : QString();
  const QString twin = jb ? QString() : QStringLiteral("JB");
  m.dtm.setRodzajEksportu(GetParam());
  report(57, jb ? 7 : 0);
  report(57, jb ? 0 : 7);
  kept(57, QString(), QStringLiteral("<Own/>"), own);
  kept(57, QString(), QStringLiteral("<Twin/>"), twin);
  signature(57, QStringLiteral("<Signature Id=\"Own\"/>"), QStringLiteral("Jan Nowak"), QStringLiteral("Skarbnik"), own);
  signature(57, QStringLiteral("<Signature Id=\"Twin\"/>"), QStringLiteral("Jan Nowak"), QStringLiteral("Skarbnik"), twin);
  if (jb) {
    m.addBudgetUnit(7, QStringLiteral("Szkola"), QString(), QStringLiteral("111111111"), QString());
    m.prepare(QStringLiteral("7,"));
  }
  catalogue::SelectRow row = signedRow(57, "Rb-27s", "D", jb ? 7 : 0);
  m.select({row});

  m.paczka.TworzWieleDokumentowSPR();

  const QByteArray bytes = fileBytes(path(QStringLiteral("Rb-27s__57.xml")));
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  EXPECT_TRUE(bytes.contains("<Sprawozdania>\r\n<Own/>\r\n")) << bytes.toStdString();
  EXPECT_TRUE(bytes.contains("<Podpisy>\r\n<Signature Id=\"Own\"/>\r\n</Podpisy>")) << bytes.toStdString();
  EXPECT_FALSE(bytes.contains("Twin"));
  // Dated once, in its own table; a second save keeps the first date.
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 57, jb), QStringLiteral("2014-02-03 10:00"));
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 57, !jb), QString());
  m.dtm.setClock([] { return QDateTime(QDate(2015, 1, 1), QTime(8, 0)); });
  EXPECT_FALSE(m.dtm.ZapiszDateWysylki(57));
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 57, jb), QStringLiteral("2014-02-03 10:00"));
}

INSTANTIATE_TEST_SUITE_P(UnitKinds, TablesOfTheUnitKind, ::testing::Values(catalogue::rJST, catalogue::rJB),
                         [](const auto& info) { return std::string(info.param == catalogue::rJB ? "BudgetUnit" : "Unit"); });

TEST_F(Saving, SignerAndRoleAreEscapedInTheExtendedInformation) {
  m.options([&](catalogue::RunOptions& o) { o.bDodajInfo = true; });
  report(57);
  signature(57, QString::fromUtf8(kSig1), QStringLiteral("Jan & <Syn>"), QString::fromUtf8("Główny \"księgowy\""));
  m.select({signedRow(57, "Rb-27s", "D")});
  m.paczka.TworzWieleDokumentowSPR();
  const QByteArray bytes = fileBytes(path(QStringLiteral("Rb-27s__57.xml")));
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  const std::string expectedTail =
      "      <PODPIS/>\r\n";  // not expected: the placeholder is replaced
  EXPECT_EQ(bytes.toStdString().find(expectedTail), std::string::npos);
  EXPECT_NE(bytes.toStdString().find(
                "<Signature Id=\"S1\"><SignedInfo><Reference URI=\"#Rb-27s57\"><DigestValue>abc</DigestValue></Reference></SignedInfo></Signature>\r\n"
                "<SignatureRozwiniecie><Podpisujacy>Jan &amp; &lt;Syn&gt;</Podpisujacy><Rola>Główny \"księgowy\"</Rola></SignatureRozwiniecie>\r\n"
                "</Podpisy>\r\n    </Jednostka>\r\n"),
            std::string::npos)
      << bytes.toStdString();
}

TEST_F(Saving, Rb50PartsGetTheirOwnKeptTextsInAFileOfTheirOwn) {
  report(3);
  kept(3, QStringLiteral("W"), QStringLiteral("<Rb-50W Id=\"Rb-50W3\"/>"));
  kept(3, QStringLiteral("D"), QStringLiteral("<Rb-50D Id=\"Rb-50D3\"/>"));
  signature(3, QString::fromUtf8(kSig1));
  m.select({signedRow(3, "Rb-50", "RB50")});
  m.paczka.TworzWieleDokumentowSPR();
  const QByteArray bytes = fileBytes(path(QStringLiteral("Rb-50__3.xml")));
  EXPECT_EQ(bytes.toStdString(), unitFile("      <Sprawozdania>\r\n<Rb-50D Id=\"Rb-50D3\"/>\r\n<Rb-50W Id=\"Rb-50W3\"/>\r\n"
                                          "      </Sprawozdania>\r\n<Podpisy>\r\n" +
                                          std::string(kSig1) + "\r\n</Podpisy>\r\n"));
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 3), QStringLiteral("2014-02-03 10:00"));
}

// A freshly built Rb-50 part of a city with county rights, without rows, inside Sprawozdania.
std::string freshRb50Part(const char* symbol, const char* id, const char* task) {
  const std::string open = std::string("        <") + symbol + " Id=\"" + symbol + id + "\">\r\n";
  std::string lists = "          <Pozycje/>\r\n";
  if (std::string(symbol) == "Rb-50W") lists += "          <WydatkiA/>\r\n          <WydatkiB/>\r\n";
  return open +
         lines({"          <Naglowek>", "            <Wersja>1</Wersja>", "            <DataSprawozdania>2013-12-20</DataSprawozdania>",
                "            <DysponentDotacji></DysponentDotacji>"}) +
         "            <RodzajZadania>" + task + "</RodzajZadania>\r\n          </Naglowek>\r\n" + lists + "        </" + symbol + ">\r\n";
}

// The fresh W part of a city for both kinds of task.
std::string freshRb50W(const char* id) { return freshRb50Part("Rb-50W", id, "Gminna") + freshRb50Part("Rb-50W", id, "Powiatowa"); }

// Every part of a city's Rb-50 built fresh: D and W, each for both kinds of task.
std::string freshRb50(const char* id) {
  return freshRb50Part("Rb-50D", id, "Gminna") + freshRb50Part("Rb-50D", id, "Powiatowa") + freshRb50W(id);
}

TEST_F(Saving, SignedRb50BuiltFreshIsSignedUnderTheAnchorOfItsDPart) {
  report(3);
  signature(3, QString::fromUtf8(kSig1));
  signature(3, QString::fromUtf8(kSig2));
  m.select({signedRow(3, "Rb-50", "RB50")});
  m.paczka.TworzWieleDokumentowSPR();
  const QByteArray bytes = fileBytes(path(QStringLiteral("Rb-50__3.xml")));
  EXPECT_EQ(bytes.toStdString(),
            unitFile("      <Sprawozdania>\r\n" + freshRb50("3") + "      </Sprawozdania>\r\n<Podpisy>\r\n"
                     "<Signature Id=\"S1\"><SignedInfo><Reference URI=\"#Rb-50D3\"><DigestValue>abc</DigestValue></Reference></SignedInfo></Signature>\r\n" +
                     kSig2 + "\r\n</Podpisy>\r\n"));
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 3), QStringLiteral("2014-02-03 10:00"));
}

TEST_F(Saving, Rb50WithOnlyItsDPartKeptBuildsTheWPartAndKeepsItsSignatures) {
  report(3);
  kept(3, QStringLiteral("D"), QStringLiteral("<Rb-50D Id=\"Rb-50D3\"/>"));
  signature(3, QString::fromUtf8(kSig1));
  m.select({signedRow(3, "Rb-50", "RB50")});
  m.paczka.TworzWieleDokumentowSPR();
  const QByteArray bytes = fileBytes(path(QStringLiteral("Rb-50__3.xml")));
  EXPECT_EQ(bytes.toStdString(), unitFile("      <Sprawozdania>\r\n<Rb-50D Id=\"Rb-50D3\"/>\r\n" + freshRb50W("3") +
                                          "      </Sprawozdania>\r\n<Podpisy>\r\n" + kSig1 + "\r\n</Podpisy>\r\n"));
  EXPECT_TRUE(test::isWellFormedXml(bytes));
}

TEST_F(Saving, AReportWhoseBodyWritesNothingGetsNoFileAndNoDate) {
  // A symbol without a body and without a kept text: nothing of the report is written.
  report(3);
  signature(3, QString::fromUtf8(kSig1));
  m.select({signedRow(3, "Rb-XX", "XX")});
  m.paczka.TworzWieleDokumentowSPR();
  EXPECT_TRUE(entries(out_).isEmpty());
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 3), QString());
}

TEST_F(Saving, SignaturesOnlyOfReportsInTheFileAndNoEmptySignatureLines) {
  // Report 5 is ticked and signed but of a type without a body, so nothing of it is written:
  // its signature stays out. A signature row of report 1 without its text adds no line.
  report(1);
  report(5);
  signature(1, QString::fromUtf8(kSig1));
  db::Query nullText(m.dtm.DB());
  nullText.setSql(QStringLiteral("INSERT INTO SPRAWOZDEPODPIS (IDSPRAW, DANE, PODPISUJACY, ROLA) VALUES (1, NULL, 'Anna Kowal', 'Kierownik')"));
  nullText.execSql();
  signature(5, QStringLiteral("<Signature Id=\"S5\"/>"));
  m.select({signedRow(1, "Rb-27s", "D"), signedRow(5, "Rb-XX", "XX")});
  m.options([&](catalogue::RunOptions& o) { o.bDodajInfo = false; });
  m.paczka.IDMemSprawozd();
  m.paczka.TworzDokument_SPR();
  const QString target = path(QStringLiteral("jeden.xml"));
  m.ui.queueSaveAnswer(target);
  ASSERT_TRUE(m.paczka.ZapiszDokument(true, QString(), 0));
  const QByteArray bytes = fileBytes(target);
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  EXPECT_FALSE(bytes.contains("S5")) << bytes.toStdString();
  EXPECT_FALSE(bytes.contains("<Podpisy>\r\n\r\n")) << bytes.toStdString();
  EXPECT_TRUE(bytes.contains("<Podpisy>\r\n<Signature Id=\"S1\">")) << bytes.toStdString();
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 1), QStringLiteral("2014-02-03 10:00"));
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 5), QString());
}

// ---- The whole package in one file --------------------------------------------------------

TEST_F(Saving, OneFilePackageWithSeveralSignedReports) {
  m.exec(QStringLiteral("INSERT INTO okresD (Rok, Okres, Okres2, OpZam) VALUES ('13', '4', -50, '4050');\n"
                        "INSERT INTO okresD (Rok, Okres, Okres2, OpZam) VALUES ('13', '4', 0, '4000');\n"));
  m.dtm.openCatalogue();
  for (qint64 id : {1, 2, 3, 4, 5}) report(id);
  kept(1, QString(), QStringLiteral("<K1/>"));
  kept(3, QStringLiteral("D"), QStringLiteral("<D3/>"));
  kept(3, QStringLiteral("W"), QStringLiteral("<W3/>"));
  signature(1, QStringLiteral("<Signature Id=\"S1\"><Reference URI=\"#a\"/></Signature>"));
  signature(2, QStringLiteral("<Signature Id=\"S2\"><Reference URI=\"#b\"/></Signature>"));
  signature(3, QStringLiteral("<Signature Id=\"S3\"><Reference URI=\"#c\"/></Signature>"));
  signature(4, QStringLiteral("<Signature Id=\"S4\"><Reference URI=\"#d\"/></Signature>"));
  signature(5, QStringLiteral("<Signature Id=\"S5\"><Reference URI=\"#e\"/></Signature>"));
  catalogue::SelectRow unticked = signedRow(4, "Rb-28nws", "NWS");
  unticked.SELEKCJA = false;
  // Rb-50 3 is kept part by part; Rb-50 5 is built fresh, both parts for both kinds of task.
  m.select({unticked, signedRow(3, "Rb-50", "RB50"), signedRow(5, "Rb-50", "RB50"), signedRow(2, "Rb-28s", "W"),
            signedRow(1, "Rb-27s", "D")});
  const QString chosen = dir_.path() + QStringLiteral("/pakiet.xml");
  m.ui.queueSaveAnswer(chosen);

  m.paczka.IDMemSprawozd();
  m.paczka.TworzDokument_SPR();
  ASSERT_TRUE(m.paczka.ZapiszDokument(true, QString(), 0));

  const QByteArray bytes = fileBytes(chosen);
  EXPECT_EQ(bytes.toStdString(),
            unitFile("      <Sprawozdania>\r\n<K1/>\r\n" + freshReport("Rb-28s", "2") +
                     "<D3/>\r\n<W3/>\r\n" + freshRb50("5") + "      </Sprawozdania>\r\n<Podpisy>\r\n"
                     "<Signature Id=\"S1\"><Reference URI=\"#a\"/></Signature>\r\n"
                     "<Signature Id=\"S2\"><Reference URI=\"#Rb-28s2\"/></Signature>\r\n"
                     "<Signature Id=\"S3\"><Reference URI=\"#c\"/></Signature>\r\n"
                     "<Signature Id=\"S5\"><Reference URI=\"#Rb-50D5\"/></Signature>\r\n"
                     "</Podpisy>\r\n"));
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  for (qint64 id : {1, 2, 3, 5}) EXPECT_EQ(test::sendingDate(m.dtm.DB(), id), QStringLiteral("2014-02-03 10:00")) << id;
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 4), QString());
  EXPECT_EQ(m.paczka.sNazwaPliku, QStringLiteral("pakiet.xml"));
  EXPECT_EQ(m.paczka.sNazwaKatalogu, dir_.path() + QLatin1Char('/'));
  ASSERT_EQ(m.paczka.result().files.size(), 1u);
  EXPECT_EQ(m.paczka.result().files[0].path, dir_.path() + QStringLiteral("/pakiet.xml"));

  ASSERT_EQ(m.ui.saveRequests().size(), 1);
  const platform::SaveFileRequest& request = m.ui.saveRequests()[0];
  EXPECT_EQ(request.title, QStringLiteral("Zapisz dane bilansowe do pliku XML"));
  EXPECT_EQ(request.filter, QStringLiteral("Pliki XML|*.xml|Wszystkie pliki|*.*"));
  EXPECT_EQ(request.defaultExtension, QStringLiteral("xml"));
  EXPECT_EQ(request.proposedName, QString::fromUtf8("Sprawozdania_grudzień_2013_.xml"));
  EXPECT_EQ(request.initialFolder, out_ + QLatin1Char('/'));
}

TEST_F(Saving, EachUnitsPlaceholderGetsTheSignaturesOfItsOwnList) {
  m.dtm.setRodzajEksportu(rJB);
  m.addBudgetUnit(7, QStringLiteral("Szkola"), QString(), QStringLiteral("111111111"), QString());
  m.addBudgetUnit(9, QStringLiteral("Przedszkole"), QString(), QStringLiteral("222222222"), QString());
  m.prepare(QStringLiteral("7,9,"));
  report(1, 7);
  report(2, 9);
  signature(1, QStringLiteral("<Signature Id=\"S7\"><Reference URI=\"#x\"/></Signature>"), QStringLiteral("A"), QStringLiteral("B"),
            QStringLiteral("JB"));
  signature(2, QStringLiteral("<Signature Id=\"S9\"><Reference URI=\"#y\"/></Signature>"), QStringLiteral("A"), QStringLiteral("B"),
            QStringLiteral("JB"));
  m.select({signedRow(2, "Rb-28s", "W", 9), signedRow(1, "Rb-27s", "D", 7)});
  m.ui.setAcceptProposedNames(true);
  m.paczka.IDMemSprawozd();
  m.paczka.TworzDokument_SPR();
  ASSERT_TRUE(m.paczka.ZapiszDokument(true, QString(), 0));

  const QByteArray bytes = fileBytes(path(QStringLiteral("Sprawozdania__2013_.xml")));
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  const std::string text = bytes.toStdString();
  const size_t school = text.find("<Nazwa>Szkola</Nazwa>");
  const size_t s7 = text.find("<Signature Id=\"S7\"><Reference URI=\"#Rb-27s1\"/></Signature>\r\n</Podpisy>\r\n    </Jednostka>");
  const size_t kindergarten = text.find("<Nazwa>Przedszkole</Nazwa>");
  const size_t s9 = text.find("<Signature Id=\"S9\"><Reference URI=\"#Rb-28s2\"/></Signature>\r\n</Podpisy>\r\n    </Jednostka>");
  ASSERT_NE(school, std::string::npos);
  ASSERT_NE(s7, std::string::npos);
  ASSERT_NE(kindergarten, std::string::npos);
  ASSERT_NE(s9, std::string::npos);
  EXPECT_LT(school, s7);
  EXPECT_LT(s7, kindergarten);
  EXPECT_LT(kindergarten, s9);
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 1, true), QStringLiteral("2014-02-03 10:00"));
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 2, true), QStringLiteral("2014-02-03 10:00"));
}

TEST_F(Saving, CancelledDialogWritesNothingAndRecordsNothing) {
  report(57);
  m.select({test::selectRow(57, QStringLiteral("Rb-27s"), QStringLiteral("D"))});
  m.paczka.IDMemSprawozd();
  m.paczka.TworzDokument_SPR();
  m.ui.queueSaveAnswer(std::nullopt);
  EXPECT_FALSE(m.paczka.ZapiszDokument(true, QString(), 0));
  EXPECT_EQ(m.ui.saveRequests().size(), 1);
  EXPECT_TRUE(entries(out_).isEmpty());
  EXPECT_TRUE(entries(dir_.path()) == QStringList{QStringLiteral("eksport")});
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 57), QString());
  EXPECT_TRUE(filesAtSendingDate_.isEmpty());
  EXPECT_EQ(m.paczka.sNazwaPliku, QString());
}

// ---- Failures in the middle of a run ------------------------------------------------------

TEST_F(Saving, AFailingReportLeavesEarlierFilesWholeAndNoTraceOfItself) {
  for (qint64 id : {1, 2, 3}) report(id);
  m.exec(QStringLiteral("DROP TABLE W2;\n"));
  m.select({test::selectRow(3, QStringLiteral("Rb-28nws"), QStringLiteral("NWS")), test::selectRow(2, QStringLiteral("Rb-28s"), QStringLiteral("W")),
            test::selectRow(1, QStringLiteral("Rb-27s"), QStringLiteral("D"))});
  EXPECT_THROW(m.paczka.TworzWieleDokumentowSPR(), db::DbError);
  EXPECT_EQ(entries(out_), QStringList{QStringLiteral("Rb-27s__1.xml")});
  const QByteArray bytes = fileBytes(path(QStringLiteral("Rb-27s__1.xml")));
  EXPECT_EQ(bytes.toStdString(), unitFile("      <Sprawozdania>\r\n" + freshReport("Rb-27s", "1") + "      </Sprawozdania>\r\n"));
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 1), QStringLiteral("2014-02-03 10:00"));
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 2), QString());
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 3), QString());
}

TEST_F(Saving, AFileThatCannotBeWrittenLeavesNoTemporaryFileAndNoSendingDate) {
  for (qint64 id : {1, 2}) report(id);
  ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("Rb-28s__2.xml"))));  // a folder in the file's place
  m.select({test::selectRow(2, QStringLiteral("Rb-28s"), QStringLiteral("W")), test::selectRow(1, QStringLiteral("Rb-27s"), QStringLiteral("D"))});
  EXPECT_THROW(m.paczka.TworzWieleDokumentowSPR(), platform::PlatformError);
  EXPECT_EQ(entries(out_), (QStringList{QStringLiteral("Rb-27s__1.xml"), QStringLiteral("Rb-28s__2.xml")}));
  EXPECT_TRUE(entries(path(QStringLiteral("Rb-28s__2.xml"))).isEmpty());
  EXPECT_TRUE(test::isWellFormedXml(fileBytes(path(QStringLiteral("Rb-27s__1.xml")))));
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 1), QStringLiteral("2014-02-03 10:00"));
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 2), QString());
}

TEST_F(Saving, SignaturesThatCannotBeReadLeaveNoFile) {
  report(57);
  m.exec(QStringLiteral("DROP TABLE SPRAWOZDEPODPIS;\n"));
  m.select({signedRow(57, "Rb-27s", "D")});
  EXPECT_THROW(m.paczka.TworzWieleDokumentowSPR(), db::DbError);
  EXPECT_TRUE(entries(out_).isEmpty());
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 57), QString());
}

TEST_F(Saving, ProgressIsReportedOncePerTickedReport) {
  for (qint64 id : {1, 2, 3}) report(id);
  catalogue::SelectRow unticked = test::selectRow(2, QStringLiteral("Rb-28s"), QStringLiteral("W"));
  unticked.SELEKCJA = false;
  m.select({test::selectRow(3, QStringLiteral("Rb-28nws"), QStringLiteral("NWS")), unticked, test::selectRow(1, QStringLiteral("Rb-27s"), QStringLiteral("D"))});
  QStringList progress;
  m.paczka.onProgress = [&progress](int done, int total, const catalogue::SelectRow& row) {
    progress << QStringLiteral("%1/%2:%3").arg(done).arg(total).arg(row.IDSPRAW);
  };
  m.paczka.TworzWieleDokumentowSPR();
  EXPECT_EQ(progress, (QStringList{QStringLiteral("1/2:1"), QStringLiteral("2/2:3")}));
  EXPECT_EQ(entries(out_), (QStringList{QStringLiteral("Rb-27s__1.xml"), QStringLiteral("Rb-28nws__3.xml")}));
  EXPECT_FALSE(m.dtm.options().chkZapiszPojedynczo);
}

// A signed report with kept XML and a signature, with extended information, saved alone.
QByteArray savedSignedReport(test::PackageModule& m, const QString& folder) {
  m.options([&](catalogue::RunOptions& o) { o.dirKatalog = folder; });
  m.options([&](catalogue::RunOptions& o) { o.bDodajInfo = true; });
  m.dtm.setClock([] { return kNow; });
  m.exec(QStringLiteral("INSERT INTO SPRAWOZD (IDSPRAW, DATAZAK, STAMP) VALUES (57, '2014-01-20', 'pieczęć');\n"
                        "INSERT INTO SPRAWOZDPARAMS (IDSPRAW, NAZWA, WARTOSC) VALUES (57, 'Osoba', 'Łucja');\n"));
  db::Query query(m.dtm.DB());
  query.setSql(QStringLiteral("INSERT INTO SPRAWOZDXML (IDSPRAW, czy_epodpisane, WYEKSPORTOWANY_XML) VALUES (57, 1, :X)"));
  query.bindText(QStringLiteral("X"), QString::fromUtf8("<Rb-27s Id=\"Rb-27s57\"><Uwagi>zażółć gęślą jaźń</Uwagi></Rb-27s>"));
  query.execSql();
  query.setSql(QStringLiteral("INSERT INTO SPRAWOZDEPODPIS (IDSPRAW, DANE, PODPISUJACY, ROLA) VALUES (57, :D, :P, :R)"));
  query.clearBindings();
  query.bindText(QStringLiteral("D"), QString::fromUtf8(kSig1));
  query.bindText(QStringLiteral("P"), QString::fromUtf8("Żaneta Ślusarczyk"));
  query.bindText(QStringLiteral("R"), QStringLiteral("Skarbnik"));
  query.execSql();
  catalogue::SelectRow row = test::selectRow(57, QStringLiteral("Rb-27s"), QStringLiteral("D"));
  row.podpisane = true;
  m.select({row});
  m.paczka.TworzWieleDokumentowSPR();
  EXPECT_EQ(test::sendingDate(m.dtm.DB(), 57), QStringLiteral("2014-02-03 10:00"));
  return fileBytes(folder + QStringLiteral("/Rb-27s__57.xml"));
}

TEST(FirebirdSaving, TheSameFileAsOnTheLocalDatabase) {
  WERTALO_REQUIRE_FIREBIRD();
  QTemporaryDir dir;
  test::PackageModule local;
  const QByteArray expected = savedSignedReport(local, dir.path() + QStringLiteral("/sqlite"));
  test::FirebirdDatabase server;
  const db::ConnectionSettings settings = server.settings();
  test::PackageModule remote(&settings);
  const QByteArray bytes = savedSignedReport(remote, dir.path() + QStringLiteral("/firebird"));
  EXPECT_EQ(bytes, expected);
  EXPECT_TRUE(test::isWellFormedXml(bytes));
  EXPECT_NE(bytes.indexOf(QString::fromUtf8("<Rb-27s Id=\"Rb-27s57\"><Uwagi>zażółć gęślą jaźń</Uwagi></Rb-27s>\r\n").toUtf8()), -1);
  EXPECT_NE(bytes.indexOf(QString::fromUtf8("<Podpisujacy>Żaneta Ślusarczyk</Podpisujacy>").toUtf8()), -1);
  EXPECT_NE(bytes.indexOf(QString::fromUtf8("<STAMP>pieczęć</STAMP>").toUtf8()), -1);
  EXPECT_NE(bytes.indexOf(QString::fromUtf8("<Osoba>Łucja</Osoba>").toUtf8()), -1);
}

}  // namespace
}  // namespace wertalo::package
