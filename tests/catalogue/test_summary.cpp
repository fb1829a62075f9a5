// Run summary, completion text and sending date.
#include <gtest/gtest.h>

#include "core/db/query.h"
#include "fixture.h"

namespace wertalo::catalogue {
namespace {

using test::ReportSpec;

// Two approved reports of November 2013, the second signed and in part 2.
class RunTexts : public ::testing::Test {
 protected:
  void SetUp() override {
    test::insertBaseRows(m.dtm.DB());
    test::insertReport(m.dtm.DB(), {.idspraw = 57, .typspr = QStringLiteral("D"), .datazak = QStringLiteral("2014-01-20"), .podtyp = 1});
    test::insertReport(m.dtm.DB(), {.idspraw = 58, .typspr = QStringLiteral("W"), .datazak = QStringLiteral("2014-01-20"), .czast = 2, .signedXml = true});
    test::exec(m.dtm.DB(), QStringLiteral("INSERT INTO SPRAWPLAN (ID_JST, ROK, OKRES2, KWARTAL, PODTYP, VAL1, DZIAL, ROZDZIAL) "
                                        "VALUES (1, '13', 0, 'K', 1, '750', '801', '80101');"));
    m.options([&](catalogue::RunOptions& o) { o.dirKatalog = QStringLiteral("/dane/Bestia"); });
    m.start();
    m.dtm.SprawozdDoMemo(QString());
    ASSERT_EQ(m.dtm.memSelectSpraw().recordCount(), 2);
  }
  test::Module m;
};

TEST_F(RunTexts, SummaryOfTwoReportsInOneFile) {
  QStringList lines{QStringLiteral("stale")};
  EXPECT_EQ(m.dtm.WykonajPosumowanie(lines), 2);
  EXPECT_EQ(lines, (QStringList{QStringLiteral(" "), QStringLiteral("Rok budżetowy: 2013"), QStringLiteral(" "),
                                QStringLiteral("SPRAWOZDANIA WYBRANE DO EKSPORTU:"),
                                QStringLiteral("   Rb-27S S-750 D-801 R-80101"), QStringLiteral("   Rb-28S ")}));
  EXPECT_EQ(m.dtm.memSelectSpraw().position(), 0);
}

TEST_F(RunTexts, SummaryOfTwoReportsEachInItsOwnFile) {
  m.options([&](catalogue::RunOptions& o) { o.chkZapiszPojedynczo = true; });
  QStringList lines;
  EXPECT_EQ(m.dtm.WykonajPosumowanie(lines), 2);
  EXPECT_EQ(lines, (QStringList{QStringLiteral("Wybrano opcję zapisu każdego sprawozdania w oddzielnym pliku XML."),
                                QStringLiteral(" "), QStringLiteral("Dane zostaną zapisane w folderze:"),
                                QStringLiteral(" /dane/Bestia"), QStringLiteral(" "), QStringLiteral("Rok budżetowy: 2013"),
                                QStringLiteral(" "), QStringLiteral("SPRAWOZDANIA WYBRANE DO EKSPORTU:"),
                                QStringLiteral("   Rb-27S S-750 D-801 R-80101"),
                                QStringLiteral("     Plik otrzyma nazwę: Rb-27s.xml"), QStringLiteral("   Rb-28S "),
                                QStringLiteral("     Plik otrzyma nazwę: Rb-28s.xml")}));
}

TEST_F(RunTexts, SummaryWithNothingTicked) {
  for (int i = 0; i < m.dtm.memSelectSpraw().recordCount(); ++i) m.dtm.memSelectSpraw().at(i).SELEKCJA = false;
  QStringList lines;
  EXPECT_EQ(m.dtm.WykonajPosumowanie(lines), 0);
  ASSERT_EQ(lines.size(), 6);
  EXPECT_EQ(lines.mid(3), (QStringList{QStringLiteral("SPRAWOZDANIA WYBRANE DO EKSPORTU:"),
                                       QStringLiteral("  !!!BRAK ZAZNACZONYCH SPRAWOZDAŃ DO EKSPORTU"),
                                       QStringLiteral("  !!!EKSPORT NIE BĘDZIE WYKONANY")}));
}

// A run's result with the files of the two selection rows (the second signed).
catalogue::ExportResult writtenPerReport() {
  catalogue::ExportResult result;
  result.files.push_back({QStringLiteral("/dane/Bestia/Rb-27s_S-750 D-801 R-80101_57.xml"), {{{57, QStringLiteral("Rb-27s"), 0, false}, true}}});
  result.files.push_back({QStringLiteral("/dane/Bestia/Rb-28s_2_58.xml"), {{{58, QStringLiteral("Rb-28s"), 0, true}, true}}});
  return result;
}

TEST_F(RunTexts, CompletionListsEachFileWithItsSignatureNote) {
  m.options([&](catalogue::RunOptions& o) { o.chkZapiszPojedynczo = true; });
  QStringList memo, files;
  m.dtm.Zakonczenie(writtenPerReport(), memo, files);
  EXPECT_EQ(files, (QStringList{QStringLiteral("/dane/Bestia/Rb-27s_S-750 D-801 R-80101_57.xml"),
                                QStringLiteral("/dane/Bestia/Rb-28s_2_58.xml")}));
  EXPECT_EQ(memo, (QStringList{QStringLiteral("EKSPORT ZAKOŃCZONO POMYŚLNIE"), QString(),
                               QStringLiteral("Sprawozdania wyeksportowano do plików:"), QString(), files[0],
                               files[1] + QStringLiteral("\r\nSprawozdanie wyekportowano razem z podpisem elektronicznym")}));
}

TEST_F(RunTexts, CompletionOfTheOneFilePackage) {
  catalogue::ExportResult result;
  result.files.push_back({QStringLiteral("/dane/Bestia/Sprawozdania_listopad_2013_.xml"), {{{57, QStringLiteral("Rb-27s"), 0, false}, true}}});
  QStringList memo, files;
  m.dtm.Zakonczenie(result, memo, files);
  EXPECT_EQ(memo, (QStringList{QStringLiteral("EKSPORT ZAKOŃCZONO POMYŚLNIE"), QString(),
                               QStringLiteral("Sprawozdanie wyeksportowano do pliku:"), QString(),
                               QStringLiteral("Sprawozdania_listopad_2013_.xml")}));
  EXPECT_EQ(files, QStringList{QStringLiteral("/dane/Bestia/Sprawozdania_listopad_2013_.xml")});
  m.dtm.UstawTypEksporu(teBilanse);
  m.dtm.Zakonczenie(result, memo, files);
  EXPECT_EQ(memo.at(2), QStringLiteral("Bilanse wyeksportowano do pliku:"));
}

TEST_F(RunTexts, CompletionNamesTheReportsLeftOutAndListsOnlyFilesWritten) {
  m.options([&](catalogue::RunOptions& o) { o.chkZapiszPojedynczo = true; });
  catalogue::ExportResult result = writtenPerReport();
  result.files.pop_back();
  result.leftOut.push_back({{58, QStringLiteral("Rb-28s"), 0, true}, QStringLiteral("sprawozdanie nie zawiera danych do zapisania")});
  QStringList memo, files;
  m.dtm.Zakonczenie(result, memo, files);
  EXPECT_EQ(files, QStringList{QStringLiteral("/dane/Bestia/Rb-27s_S-750 D-801 R-80101_57.xml")});
  EXPECT_EQ(memo.mid(4), (QStringList{files[0], QString(), QStringLiteral("Pominięto (nie zapisano do pliku):"),
                                      QStringLiteral("   Rb-28s (58): sprawozdanie nie zawiera danych do zapisania")}));
}

QString sendingDate(db::Connection& c, const QString& table, qint64 id) {
  const db::DataSet ds = db::openSql(c, QStringLiteral("select DATAWYSLANIA from %1 where IDSPRAW=%2").arg(table).arg(id));
  return ds.isNull(u"DATAWYSLANIA") ? QString() : ds.dateTime(u"DATAWYSLANIA").toString(Qt::ISODate);
}

// The sending date is written in the report table of the unit kind, once, and only for an
// approved report; the twin table is never touched.
class SendingDate : public ::testing::TestWithParam<TRodzajEksportu> {
 protected:
  void SetUp() override { test::insertBaseRows(m.dtm.DB()); }

  const bool jb = GetParam() == rJB;
  const QString own = jb ? QStringLiteral("JBSPRAWOZD") : QStringLiteral("SPRAWOZD");
  const QString twin = jb ? QStringLiteral("SPRAWOZD") : QStringLiteral("JBSPRAWOZD");
  test::Module m;
};

TEST_P(SendingDate, WrittenOnceAndOnlyForApprovedReports) {
  const qint64 idJb = jb ? 7 : 0;
  test::insertReport(m.dtm.DB(), {.idspraw = 1, .typspr = QStringLiteral("D"), .datazak = QStringLiteral("2014-01-20"), .idJb = idJb});
  test::insertReport(m.dtm.DB(), {.idspraw = 2, .typspr = QStringLiteral("W"), .idJb = idJb});
  test::insertReport(m.dtm.DB(), {.idspraw = 1, .typspr = QStringLiteral("D"), .datazak = QStringLiteral("2014-01-20"), .idJb = jb ? 0 : 7});
  m.dtm.setRodzajEksportu(GetParam());
  QDateTime now(QDate(2014, 2, 3), QTime(9, 15, 0));
  m.dtm.setClock([&now] { return now; });
  EXPECT_TRUE(m.dtm.ZapiszDateWysylki(1));
  EXPECT_FALSE(m.dtm.ZapiszDateWysylki(2));
  now = now.addDays(5);
  EXPECT_FALSE(m.dtm.ZapiszDateWysylki(1));
  EXPECT_EQ(sendingDate(m.dtm.DB(), own, 1), QStringLiteral("2014-02-03T09:15:00"));
  EXPECT_EQ(sendingDate(m.dtm.DB(), own, 2), QString());
  EXPECT_EQ(sendingDate(m.dtm.DB(), twin, 1), QString());
}

// Dating many reports at once dates exactly those that dating them one by one would: stretches
// of consecutive identifiers and single ones, in the unit kind's own table only.
TEST_P(SendingDate, ManyAtOnceAsOneByOne) {
  // Reports 1..20, 30 and 100 approved, except 5 (open); 7 sent before; 12 exists only as the
  // twin; 100 lies apart from the others.
  for (qint64 id = 1; id <= 100; ++id) {
    if (id > 20 && id != 30 && id != 100) continue;
    const QString datazak = id == 5 ? QString() : QStringLiteral("2014-01-20");
    if (id != 12) test::insertReport(m.dtm.DB(), {.idspraw = id, .typspr = QStringLiteral("D"), .datazak = datazak, .idJb = jb ? 7 : 0});
    test::insertReport(m.dtm.DB(), {.idspraw = id, .typspr = QStringLiteral("D"), .datazak = datazak, .idJb = jb ? 0 : 7});
  }
  db::openSql(m.dtm.DB(), QStringLiteral("update %1 set DATAWYSLANIA='2014-01-25 08:00:00' where IDSPRAW=7").arg(own));
  m.dtm.setRodzajEksportu(GetParam());
  m.dtm.setClock([] { return QDateTime(QDate(2014, 2, 3), QTime(9, 15, 0)); });

  std::vector<qint64> ids{40};  // 40 is no report
  for (qint64 id = 20; id >= 1; --id)
    if (id != 10) ids.push_back(id);  // 10 is due but not named: the stretches around it must leave it
  ids.push_back(30);
  ids.push_back(100);
  ids.push_back(3);  // named twice
  QSet<qint64> expected;
  for (qint64 id = 1; id <= 20; ++id) expected.insert(id);
  expected.remove(5);
  expected.remove(7);
  expected.remove(10);
  expected.remove(12);
  expected.insert(30);
  expected.insert(100);
  EXPECT_EQ(m.dtm.ZapiszDatyWysylki(ids), expected);
  for (qint64 id = 1; id <= 100; ++id) {
    if (id > 20 && id != 30 && id != 100) continue;
    EXPECT_EQ(sendingDate(m.dtm.DB(), twin, id), QString()) << id;
    if (id == 12) continue;  // only the twin has it
    const QString date = expected.contains(id) ? QStringLiteral("2014-02-03T09:15:00")
                         : id == 7               ? QStringLiteral("2014-01-25T08:00:00")
                                                 : QString();
    EXPECT_EQ(sendingDate(m.dtm.DB(), own, id), date) << id;
  }
  EXPECT_TRUE(m.dtm.ZapiszDatyWysylki(ids).isEmpty()) << "a report is dated once";
}

// A range of named reports with many due reports between them that were not named: only the
// named ones are dated.
TEST_P(SendingDate, EveryOtherReportOfALongStretch) {
  std::vector<qint64> ids;
  for (qint64 id = 1; id <= 1100; ++id) {
    test::insertReport(m.dtm.DB(), {.idspraw = id, .typspr = QStringLiteral("D"), .datazak = QStringLiteral("2014-01-20"), .idJb = jb ? 7 : 0});
    if (id % 2 == 1) ids.push_back(id);
  }
  m.dtm.setRodzajEksportu(GetParam());
  m.dtm.setClock([] { return QDateTime(QDate(2014, 2, 3), QTime(9, 15, 0)); });
  EXPECT_EQ(m.dtm.ZapiszDatyWysylki(ids), QSet<qint64>(ids.begin(), ids.end()));
  const db::DataSet dated = db::openSql(m.dtm.DB(), QStringLiteral("select IDSPRAW from %1 where DATAWYSLANIA is not null").arg(own));
  EXPECT_EQ(dated.recordCount(), 550);
  for (const db::DataSet::Row& row : dated.rows()) EXPECT_EQ(db::DataSet::integerOf(row.at(0)) % 2, 1);
}

INSTANTIATE_TEST_SUITE_P(UnitKinds, SendingDate, ::testing::Values(rJST, rJB),
                         [](const auto& info) { return std::string(info.param == rJB ? "BudgetUnit" : "Unit"); });

}  // namespace
}  // namespace wertalo::catalogue
