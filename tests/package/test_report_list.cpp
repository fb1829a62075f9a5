// The report list of a unit: reports, kept-XML placeholders, extended information, PODPIS.
#include <gtest/gtest.h>

#include "core/db/db_error.h"
#include "core/package/xml_writer.h"
#include "fixture.h"
#include "support/xml_check.h"

namespace wertalo::package {
namespace {

using catalogue::rJB;
using catalogue::rJST;
using test::lines;
using test::written;

// Header, remark and parameter rows of report 57 in the plain or the JB tables; texts of the
// JB rows start with "jb-".
void insertRemarks(test::PackageModule& m, const QString& prefix, bool jb) {
  const QString t = jb ? QStringLiteral("jb-") : QString();
  m.exec(QStringLiteral(
             "INSERT INTO %1SPRAWOZD (IDSPRAW, STAMP, UWAGI, DATAZAK) VALUES (57, '%2st', '%2uw', '2014-01-20');\n"
             "INSERT INTO %1Z2 (IDSPRAW, UWAGI) VALUES (57, '%2z-info');\n"
             "INSERT INTO %1Z2 (IDSPRAW, UWAGI) VALUES (57, 'second row');\n"
             "INSERT INTO %1RBST (IDSPRAW, UWAGI) VALUES (57, '%2st-info');\n"
             "INSERT INTO %1UN (IDSPRAW, KOD, UWAGI) VALUES (57, '1A', '%2un-a');\n"
             "INSERT INTO %1UN (IDSPRAW, KOD, UWAGI) VALUES (57, 'B2', NULL);\n"
             "INSERT INTO %1UZ (IDSPRAW, KOD, UWAGI) VALUES (57, 'C3', '%2uz');\n"
             "INSERT INTO %1N21 (IDSPRAW, ID_S_SPRPO, UWAGI) VALUES (57, 5, '%2n');\n"
             "INSERT INTO %1N21B (IDSPRAW, ID_S_SPRPO, UWAGI) VALUES (57, 6, '%2nb');\n"
             "INSERT INTO %1SPRAWOZDPARAMS (IDSPRAW, NAZWA, WARTOSC) VALUES (57, 'PARAM1', '%2a<b');\n"
             "INSERT INTO %1SPRAWOZDPARAMS (IDSPRAW, NAZWA, WARTOSC) VALUES (57, '1 zła nazwa', NULL);\n"
             "INSERT INTO %1SPRAWOZDPARAMS (IDSPRAW, NAZWA, WARTOSC) VALUES (58, 'OTHER', 'x');\n")
             .arg(prefix, t));
}

struct RozwiniecieCase {
  const char* name;
  catalogue::TRodzajEksportu rodzaj;
  const char* typspr;
  const char* symbol;
  std::vector<const char*> information;  // lines between DATAZAK and the parameters
};

void PrintTo(const RozwiniecieCase& c, std::ostream* os) { *os << c.name; }

class Rozwiniecie : public ::testing::TestWithParam<RozwiniecieCase> {};

TEST_P(Rozwiniecie, HeaderRemarksAndParameters) {
  const RozwiniecieCase& c = GetParam();
  test::PackageModule m;
  m.dtm.setRodzajEksportu(c.rodzaj);
  insertRemarks(m, QString(), false);
  insertRemarks(m, QStringLiteral("JB"), true);
  m.select({test::selectRow(57, QString::fromLatin1(c.symbol), QString::fromLatin1(c.typspr))});
  XmlFragment holder;
  m.paczka.ElementSprawozdanieRozwiniecie(holder.appendElement(QStringLiteral("SprawozdaniaRozwiniecie")));
  const std::string t = c.rodzaj == rJB ? "jb-" : "";
  std::string expected = "<SprawozdaniaRozwiniecie>\r\n  <SprawozdanieRozwiniecie Sprawozdanie=\"#" + std::string(c.symbol) +
                         "57\">\r\n    <STAMP>" + t + "st</STAMP>\r\n    <UWAGI>" + t +
                         "uw</UWAGI>\r\n    <DATAZAK>2014-01-20</DATAZAK>\r\n";
  for (const char* line : c.information) {
    std::string text = line;
    for (size_t at = text.find('@'); at != std::string::npos; at = text.find('@')) text.replace(at, 1, t);
    expected += "    " + text + "\r\n";
  }
  expected += "    <PARAM1>" + t + "a&lt;b</PARAM1>\r\n    <_1_zła_nazwa></_1_zła_nazwa>\r\n  </SprawozdanieRozwiniecie>\r\n"
              "</SprawozdaniaRozwiniecie>\r\n";
  const std::string text = written(holder);
  EXPECT_EQ(text, expected);
  EXPECT_TRUE(test::isWellFormedXml(QByteArray::fromStdString(text)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Rozwiniecie,
    ::testing::Values(
        RozwiniecieCase{"OtherType", rJST, "D", "Rb-27s", {}},
        RozwiniecieCase{"Z", rJST, "Z", "Rb-Z", {"<INFORMACJE_DODATKOWE>@z-info</INFORMACJE_DODATKOWE>"}},
        RozwiniecieCase{"ST", rJST, "ST", "Rb-ST", {"<INFORMACJE_DODATKOWE>@st-info</INFORMACJE_DODATKOWE>"}},
        RozwiniecieCase{"UN", rJST, "UN", "Rb-UN",
                        {"<INFORMACJE_DODATKOWE>", "  <_1A>@un-a</_1A>", "  <B2></B2>", "</INFORMACJE_DODATKOWE>"}},
        RozwiniecieCase{"UZ", rJST, "UZ", "Rb-UZ", {"<INFORMACJE_DODATKOWE>", "  <C3>@uz</C3>", "</INFORMACJE_DODATKOWE>"}},
        RozwiniecieCase{"N", rJST, "N", "Rb-N",
                        {"<INFORMACJE_DODATKOWE>", "  <ID_S_PRO5>@n</ID_S_PRO5>", "  <ID_S_PRO6>@nb</ID_S_PRO6>",
                         "</INFORMACJE_DODATKOWE>"}},
        RozwiniecieCase{"BudgetUnitZ", rJB, "Z", "Rb-Z", {"<INFORMACJE_DODATKOWE>@z-info</INFORMACJE_DODATKOWE>"}},
        RozwiniecieCase{"BudgetUnitST", rJB, "ST", "Rb-ST", {"<INFORMACJE_DODATKOWE>@st-info</INFORMACJE_DODATKOWE>"}},
        RozwiniecieCase{"BudgetUnitUN", rJB, "UN", "Rb-UN",
                        {"<INFORMACJE_DODATKOWE>", "  <_1A>@un-a</_1A>", "  <B2></B2>", "</INFORMACJE_DODATKOWE>"}},
        RozwiniecieCase{"BudgetUnitUZ", rJB, "UZ", "Rb-UZ", {"<INFORMACJE_DODATKOWE>", "  <C3>@uz</C3>", "</INFORMACJE_DODATKOWE>"}},
        RozwiniecieCase{"BudgetUnitN", rJB, "N", "Rb-N",
                        {"<INFORMACJE_DODATKOWE>", "  <ID_S_PRO5>@n</ID_S_PRO5>", "  <ID_S_PRO6>@nb</ID_S_PRO6>",
                         "</INFORMACJE_DODATKOWE>"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RozwiniecieEmpty, NoRowsGiveEmptyTexts) {
  test::PackageModule m;
  m.exec(QStringLiteral("INSERT INTO SPRAWOZD (IDSPRAW, STAMP, UWAGI, DATAZAK) VALUES (60, NULL, NULL, NULL);\n"));
  m.select({test::selectRow(60, QStringLiteral("Rb-Z"), QStringLiteral("Z")), test::selectRow(61, QStringLiteral("Rb-UN"), QStringLiteral("UN"))});
  XmlFragment holder;
  XmlElement& list = holder.appendElement(QStringLiteral("SprawozdaniaRozwiniecie"));
  m.paczka.ElementSprawozdanieRozwiniecie(list);
  m.dtm.memSelectSpraw().next();
  m.paczka.ElementSprawozdanieRozwiniecie(list);
  EXPECT_EQ(written(holder), lines({"<SprawozdaniaRozwiniecie>",
                                    "  <SprawozdanieRozwiniecie Sprawozdanie=\"#Rb-Z60\">",
                                    "    <STAMP></STAMP>",
                                    "    <UWAGI></UWAGI>",
                                    "    <DATAZAK></DATAZAK>",
                                    "    <INFORMACJE_DODATKOWE></INFORMACJE_DODATKOWE>",
                                    "  </SprawozdanieRozwiniecie>",
                                    "  <SprawozdanieRozwiniecie Sprawozdanie=\"#Rb-UN61\">",
                                    "    <STAMP></STAMP>",
                                    "    <UWAGI></UWAGI>",
                                    "    <DATAZAK></DATAZAK>",
                                    "    <INFORMACJE_DODATKOWE/>",
                                    "  </SprawozdanieRozwiniecie>",
                                    "</SprawozdaniaRozwiniecie>"}));
}

// ---- The list ---------------------------------------------------------------------------

TEST(ReportList, UntickedRowsGiveExtendedInformationAndThePlaceholderButNoReport) {
  test::PackageModule m;
  m.options([&](catalogue::RunOptions& o) { o.bDodajInfo = true; });
  catalogue::SelectRow unticked = test::selectRow(2, QStringLiteral("Rb-28s"), QStringLiteral("W"));
  unticked.SELEKCJA = false;
  unticked.podpisane = true;
  m.select({test::selectRow(1, QStringLiteral("Rb-27s"), QStringLiteral("D")), unticked,
            test::selectRow(3, QStringLiteral("Rb-XX"), QStringLiteral("XX"))});
  const std::string text = written(m.paczka.ElementSprawozdania(0));
  EXPECT_EQ(text, lines({"<Sprawozdania>",
                         "  <Rb-27s Id=\"Rb-27s1\">",
                         "    <Naglowek>",
                         "      <Wersja>1</Wersja>",
                         "      <DataSprawozdania>2013-12-20</DataSprawozdania>",
                         "    </Naglowek>",
                         "    <Pozycje/>",
                         "  </Rb-27s>",
                         "</Sprawozdania>",
                         "<SprawozdaniaRozwiniecie>",
                         "  <SprawozdanieRozwiniecie Sprawozdanie=\"#Rb-27s1\">",
                         "    <STAMP></STAMP>",
                         "    <UWAGI></UWAGI>",
                         "    <DATAZAK></DATAZAK>",
                         "  </SprawozdanieRozwiniecie>",
                         "  <SprawozdanieRozwiniecie Sprawozdanie=\"#Rb-28s2\">",
                         "    <STAMP></STAMP>",
                         "    <UWAGI></UWAGI>",
                         "    <DATAZAK></DATAZAK>",
                         "  </SprawozdanieRozwiniecie>",
                         "  <SprawozdanieRozwiniecie Sprawozdanie=\"#Rb-XX3\">",
                         "    <STAMP></STAMP>",
                         "    <UWAGI></UWAGI>",
                         "    <DATAZAK></DATAZAK>",
                         "  </SprawozdanieRozwiniecie>",
                         "</SprawozdaniaRozwiniecie>",
                         "<PODPIS/>"}));
  EXPECT_TRUE(m.dtm.memSelectSpraw().eof());
  // The unticked report is not in the package: its signatures are not either.
  ASSERT_EQ(m.paczka.buildRecord().signatures.size(), 1u);
  EXPECT_TRUE(m.paczka.buildRecord().signatures[0].reports.empty());
  // Report 3 has no body builder: nothing of it went into the document, so it gets no sending date.
  EXPECT_EQ(test::writtenIds(m.paczka.buildRecord()), (std::vector<qint64>{1}));
}

TEST(ReportList, WithoutAdditionalInformationOnlyReports) {
  test::PackageModule m;
  m.select({test::selectRow(1, QStringLiteral("Rb-28nws"), QStringLiteral("NWS"))});
  EXPECT_EQ(written(m.paczka.ElementSprawozdania(0)),
            lines({"<Sprawozdania>", "  <Rb-28nws Id=\"Rb-28nws1\">", "    <Naglowek>", "      <Wersja>1</Wersja>",
                   "      <DataSprawozdania>2013-12-20</DataSprawozdania>", "    </Naglowek>", "    <Pozycje/>", "  </Rb-28nws>",
                   "</Sprawozdania>"}));
  EXPECT_TRUE(m.paczka.buildRecord().signatures.empty());
}

TEST(ReportList, OnePerReportTakesOneRowWhateverItsUnit) {
  test::PackageModule m;
  m.options([&](catalogue::RunOptions& o) { o.chkZapiszPojedynczo = true; });
  m.select({test::selectRow(1, QStringLiteral("Rb-34s"), QStringLiteral("RB34")), test::selectRow(2, QStringLiteral("Rb-34s"), QStringLiteral("RB34"))});
  m.paczka.ElementSprawozdania(0);
  EXPECT_EQ(m.dtm.memSelectSpraw().position(), 1);
  m.options([&](catalogue::RunOptions& o) { o.chkZapiszPojedynczo = false; });
  m.dtm.memSelectSpraw().first();
  m.paczka.ElementSprawozdania(0);
  EXPECT_TRUE(m.dtm.memSelectSpraw().eof());
}

TEST(ReportList, SignedReportWithKeptXmlRunsNoBodyQuery) {
  test::PackageModule m;
  m.exec(QStringLiteral("DROP TABLE D2;\n"
                        "INSERT INTO SPRAWOZDXML (IDSPRAW, TYP, czy_epodpisane, WYEKSPORTOWANY_XML) VALUES (57, NULL, 1, '<kept/>');\n"));
  catalogue::SelectRow row = test::selectRow(57, QStringLiteral("Rb-27s"), QStringLiteral("D"));
  row.podpisane = true;
  m.select({row});
  EXPECT_EQ(written(m.paczka.ElementSprawozdania(0)), lines({"<Sprawozdania>", "  <WYEKSPORTOWANY_XML/>", "</Sprawozdania>", "<PODPIS/>"}));
  ASSERT_EQ(m.paczka.buildRecord().keptXml.size(), 1u);
  EXPECT_EQ(m.paczka.buildRecord().keptXml[0].text, QStringLiteral("<kept/>"));
  ASSERT_EQ(m.paczka.buildRecord().signatures.size(), 1u);
  ASSERT_EQ(m.paczka.buildRecord().signatures[0].reports.size(), 1u);
  EXPECT_EQ(m.paczka.buildRecord().signatures[0].reports[0].anchor, QStringLiteral("#Rb-27s57"));

  // Unsigned, the same report is built fresh, and the body's table is needed.
  m.dtm.memSelectSpraw().first();
  m.dtm.memSelectSpraw().current().podpisane = false;
  EXPECT_THROW(m.paczka.ElementSprawozdania(0), db::DbError);
}

TEST(ReportList, Rb50PartsTakeTheirOwnKeptTexts) {
  test::PackageModule m;
  m.exec(QStringLiteral(
      "INSERT INTO JBSPRAWOZDXML (IDSPRAW, TYP, czy_epodpisane, WYEKSPORTOWANY_XML, ID_JB) VALUES (3, 'W', 1, '<W3/>', 7);\n"
      "INSERT INTO JBSPRAWOZDXML (IDSPRAW, TYP, czy_epodpisane, WYEKSPORTOWANY_XML, ID_JB) VALUES (3, 'D', 1, '<D3/>', 7);\n"
      "INSERT INTO JBSPRAWOZDXML (IDSPRAW, TYP, czy_epodpisane, WYEKSPORTOWANY_XML, ID_JB) VALUES (4, 'D', 1, '<D4/>', 7);\n"));
  m.dtm.setRodzajEksportu(rJB);
  m.addBudgetUnit(7, QStringLiteral("Szkola"), QString(), QStringLiteral("111111111"), QString());
  m.prepare(QStringLiteral("7,"));
  catalogue::SelectRow both = test::selectRow(3, QStringLiteral("Rb-50"), QStringLiteral("RB50"), 7);
  both.podpisane = true;
  catalogue::SelectRow onlyD = test::selectRow(4, QStringLiteral("Rb-50"), QStringLiteral("RB50"), 7);
  onlyD.podpisane = true;
  m.select({both, onlyD});
  m.paczka.TworzDokument_SPR();
  const XmlElement* list = m.paczka.DOM.root()
                               ->firstChildElement(QStringLiteral("Jednostki"))
                               ->firstChildElement(QStringLiteral("Jednostka"))
                               ->firstChildElement(QStringLiteral("Sprawozdania"));
  // Report 4 has no kept W part: its W body is built, for both kinds of task of the city.
  EXPECT_EQ(list->childElements(QStringLiteral("WYEKSPORTOWANY_XML")).size(), 3u);
  EXPECT_EQ(list->childElements(QStringLiteral("Rb-50W")).size(), 2u);
  const BuildRecord& record = m.paczka.buildRecord();
  ASSERT_EQ(record.keptXml.size(), 3u);
  EXPECT_EQ(record.keptXml[0].text, QStringLiteral("<D3/>"));
  EXPECT_EQ(record.keptXml[1].text, QStringLiteral("<W3/>"));
  EXPECT_EQ(record.keptXml[2].text, QStringLiteral("<D4/>"));
  ASSERT_EQ(record.signatures.size(), 1u);
  ASSERT_EQ(record.signatures[0].reports.size(), 2u);
  EXPECT_EQ(record.signatures[0].reports[0].anchor, QStringLiteral("#Rb-50D3"));
  EXPECT_EQ(record.signatures[0].reports[1].anchor, QStringLiteral("#Rb-50D4"));
}

// A family written as two parts whose builder takes the kind of task, in a registry of its own.
XmlFragment partBody(const ReportContext& report, TRodzajZad task, QString* id) {
  XmlFragment fragment;
  XmlElement& element = report.reportElement(fragment, QStringLiteral("Part"), id);
  element.setAttribute(QStringLiteral("task"), QString::number(static_cast<int>(task)));
  return fragment;
}

const ReportFamily kTwoParts[] = {
    {"TP", "Two", 1, OfferedBoth, {}, {}, {"Two-A", "Two-B"}},
    {"", "Two-A", 0, OfferedNowhere, {}, {.buildTask = partBody}, {}, "A"},
    {"", "Two-B", 0, OfferedNowhere, {}, {.buildTask = partBody}, {}, "B"},
    {"PE", "Pending", 2, OfferedBoth, {}, {}},
};

struct TaskCase {
  const char* unitType;
  std::vector<const char*> tasks;  // the task attribute of each element written, in order
};

void PrintTo(const TaskCase& c, std::ostream* os) { *os << c.unitType; }

class PartsAndTasks : public ::testing::TestWithParam<TaskCase> {};

TEST_P(PartsAndTasks, ACityWritesEachPartForBothKindsOfTask) {
  const ReportRegistry registry(kTwoParts);
  test::PackageModule m;
  TXMLPaczkaSprawozdan paczka(m.dtm, registry);
  m.unit([&](catalogue::MemMain& u) { u.TYP = QString::fromLatin1(GetParam().unitType); });
  m.select({test::selectRow(5, QStringLiteral("Two"), QStringLiteral("TP")), test::selectRow(6, QStringLiteral("Pending"), QStringLiteral("PE"))});
  XmlFragment list = paczka.ElementSprawozdania(0);
  written(list);
  std::vector<std::string> tasks;
  for (const XmlElement* part : list.firstChildElement(QStringLiteral("Sprawozdania"))->childElements())
    tasks.push_back((part->name() + QLatin1Char(':') + part->attribute(QStringLiteral("task"))).toStdString());
  std::vector<std::string> expected(GetParam().tasks.begin(), GetParam().tasks.end());
  EXPECT_EQ(tasks, expected);
  // The pending family wrote nothing and gets no sending date.
  EXPECT_EQ(test::writtenIds(paczka.buildRecord()), (std::vector<qint64>{5}));
  EXPECT_FALSE(registry.bodyWritten(QStringLiteral("Pending")));
  EXPECT_TRUE(registry.bodyWritten(QStringLiteral("Two")));
}

INSTANTIATE_TEST_SUITE_P(UnitTypes, PartsAndTasks,
                         ::testing::Values(TaskCase{"M", {"Part:0", "Part:1", "Part:0", "Part:1"}},
                                           TaskCase{"G", {"Part:2", "Part:2"}}, TaskCase{"", {"Part:2", "Part:2"}}),
                         [](const auto& info) { return std::string(*info.param.unitType ? info.param.unitType : "None"); });

TEST(ReportList, DodajSprawozdanieOutsideAListIsRefused) {
  test::PackageModule m;
  m.select({test::selectRow(1, QStringLiteral("Rb-27s"), QStringLiteral("D"))});
  EXPECT_THROW(m.paczka.DodajSprawozdanie(QStringLiteral("Rb-27s")), std::logic_error);
}

}  // namespace
}  // namespace wertalo::package
