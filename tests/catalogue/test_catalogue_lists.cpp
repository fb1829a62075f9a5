// Years, periods, version words and the switch between reports and balance sheets.
#include <gtest/gtest.h>

#include "fixture.h"

namespace wertalo::catalogue {
namespace {

QStringList column(db::DataSet ds, const char16_t* field) {
  QStringList out;
  for (ds.first(); !ds.eof(); ds.next()) out << ds.text(field);
  return out;
}

TEST(Catalogue, YearsForReportsAndForBalanceSheets) {
  test::Module m;
  test::insertBaseRows(m.dtm.DB(), {QStringLiteral("13"), QStringLiteral("14")});
  // A year without a fourth-quarter "K" row is no balance-sheet year.
  test::exec(m.dtm.DB(), QStringLiteral("INSERT INTO okresD (Rok, Okres, Okres2, OpZam, TYPOKRESU) VALUES ('15', '1', -200, '1200', 'M');"));
  m.start(QStringLiteral("14"), QStringLiteral("4050"));
  EXPECT_EQ(column(m.dtm.queries().qrRok.data, u"ROK"), (QStringList{QStringLiteral("13"), QStringLiteral("14"), QStringLiteral("15")}));
  m.dtm.UstawTypEksporu(teBilanse);
  EXPECT_EQ(column(m.dtm.queries().qrRok.data, u"ROK"), (QStringList{QStringLiteral("13"), QStringLiteral("14")}));
  EXPECT_EQ(m.dtm.queries().qrRok.data.text(u"ROK"), QStringLiteral("14"));  // the chosen year is kept
  EXPECT_EQ(column(m.dtm.queries().qrOkres.data, u"OKRES"), QStringList(4, QStringLiteral("4")));
  EXPECT_EQ(m.dtm.memMain().OKRES, QStringLiteral("4"));
  EXPECT_EQ(m.dtm.memMain().OKRES2, 0);
  EXPECT_EQ(m.dtm.memMain().OkresOkres2, QStringLiteral("4000"));
  // Back to reports: the year stays and the period stays the whole year until another is picked.
  m.dtm.UstawTypEksporu(teSprawozdania);
  EXPECT_EQ(m.dtm.memMain().ROK, QStringLiteral("14"));
  EXPECT_EQ(m.dtm.memMain().OkresOkres2, QStringLiteral("4000"));
  EXPECT_EQ(m.dtm.queries().qrRok.data.recordCount(), 3);
}

TEST(Catalogue, SwitchingKinds) {
  test::Module m;
  test::insertBaseRows(m.dtm.DB(), {QStringLiteral("13"), QStringLiteral("14")});
  test::exec(m.dtm.DB(), QStringLiteral("INSERT INTO okresD (Rok, Okres, Okres2, OpZam, TYPOKRESU) VALUES ('15', '1', -200, '1200', 'M');"));
  m.dtm.openCatalogue();
  // Right after creation the report kind is already chosen: nothing changes.
  const MemMain before = m.dtm.memMain();
  EXPECT_EQ(m.dtm.UstawTypEksporu(teSprawozdania), teSprawozdania);
  EXPECT_EQ(m.dtm.memMain().ROK, before.ROK);
  EXPECT_EQ(m.dtm.memMain().OkresOkres2, before.OkresOkres2);
  EXPECT_EQ(m.dtm.queries().qrRok.data.recordCount(), 3);
  // 2015 has no balance sheets: the year list stands on its first row, and the period is that
  // year as a whole.
  ASSERT_EQ(m.dtm.memMain().ROK, QStringLiteral("15"));
  m.dtm.UstawTypEksporu(teBilanse);
  EXPECT_EQ(m.dtm.queries().qrRok.data.text(u"ROK"), QStringLiteral("13"));
  EXPECT_EQ(m.dtm.memMain().ROK, QStringLiteral("13"));
  EXPECT_EQ(m.dtm.memMain().OKRES, QStringLiteral("4"));
  EXPECT_EQ(m.dtm.memMain().OkresOkres2, QStringLiteral("4000"));
}

TEST(Catalogue, StartTakesTheLatestYearAndAYearPickTakesItsLatestPeriod) {
  test::Module m;
  test::insertBaseRows(m.dtm.DB());
  m.dtm.openCatalogue();
  EXPECT_EQ(m.dtm.memMain().ROK, QStringLiteral("14"));
  EXPECT_EQ(m.dtm.memMain().NAZWA, QStringLiteral("Miasto Poznań"));
  EXPECT_EQ(m.dtm.memMain().TYP, QStringLiteral("M"));
  EXPECT_EQ(m.dtm.memMain().REGON, QStringLiteral("631257816"));  // from JSTDOP
  EXPECT_EQ(m.dtm.memMain().WK, QStringLiteral("30"));
  ASSERT_TRUE(m.dtm.chooseYear(QStringLiteral("13")));
  EXPECT_EQ(m.dtm.memMain().ROK, QStringLiteral("13"));
  EXPECT_EQ(m.dtm.memMain().OkresOkres2, QStringLiteral("4000"));
  EXPECT_EQ(m.dtm.memMain().OKRES, QStringLiteral("4"));
  ASSERT_TRUE(m.dtm.choosePeriod(QStringLiteral("2100")));
  EXPECT_EQ(m.dtm.memMain().OKRES, QStringLiteral("E"));
  EXPECT_FALSE(m.dtm.chooseYear(QStringLiteral("99")));
  EXPECT_FALSE(m.dtm.choosePeriod(QStringLiteral("9999")));
}

TEST(Catalogue, PeriodNames) {
  const struct {
    const char* okres;
    int okres2;
    const char* name;
  } cases[] = {{"1", -200, "styczeń"},     {"2", -100, "maj"},     {"3", -50, "wrzesień"}, {"4", -200, "październik"},
               {"4", -50, "grudzień"},     {"3", 0, "kwart. 3"},   {"3", 17, ""},          {"5", 0, ""},
               {"", 0, ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(TdtmWertaloMain::OkresTekst(QString::fromLatin1(c.okres), c.okres2), QString::fromUtf8(c.name))
        << c.okres << " " << c.okres2;
  }
}

TEST(Catalogue, VersionAndStatusWords) {
  const struct {
    bool found;
    int wersja;
    QDate datazak;
    const char* words;
    const char* status;
  } cases[] = {
      {true, 3, QDate(2010, 2, 1), "Korekta 3", "Zatwierdzone"},
      {true, 3, QDate(), "Korekta 3", "Otwarte"},
      {true, 0, QDate(1999, 1, 2), "Pierwotne", "Zatwierdzone"},
      {true, 0, QDate(1999, 1, 1), "Pierwotne", "Otwarte"},
      {true, -1, QDate(2010, 2, 1), "Brak", ""},
      {false, 0, QDate(), "Brak", ""},
  };
  for (const auto& c : cases) {
    const ReportWords w = TdtmWertaloMain::wordsFor(c.found, c.wersja, c.datazak);
    EXPECT_EQ(w.WersjaSlownie, QString::fromLatin1(c.words));
    EXPECT_EQ(w.StatusSpraw, QString::fromLatin1(c.status));
  }
}

TEST(Catalogue, ReportListsShowOnlyTheirOwnUnitKind) {
  test::Module m;
  test::insertBaseRows(m.dtm.DB());
  test::insertReport(m.dtm.DB(), {.idspraw = 1, .typspr = QStringLiteral("D"), .datazak = QStringLiteral("2014-01-20")});
  test::insertReport(m.dtm.DB(), {.idspraw = 2, .typspr = QStringLiteral("D"), .datazak = QStringLiteral("2014-01-20"), .idJb = 7});
  m.start();
  m.unit([&](catalogue::MemMain& u) { u.ID_JB = 7; });
  m.dtm.refreshReports();
  EXPECT_EQ(m.dtm.reportRows(rJST).size(), 1u);
  EXPECT_TRUE(m.dtm.reportRows(rJB).empty());
  m.dtm.setRodzajEksportu(rJB);
  EXPECT_TRUE(m.dtm.reportRows(rJST).empty());
  ASSERT_EQ(m.dtm.reportRows(rJB).size(), 1u);
  EXPECT_EQ(m.dtm.reportRows(rJB).front().StatusSpraw, QStringLiteral("Zatwierdzone"));
}

}  // namespace
}  // namespace wertalo::catalogue
