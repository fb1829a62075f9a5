// The demo data: every table and column holds values, the named positions are those the
// report bodies search for, and the catalogue offers what the selection needs.
#include <QSet>

#include <gtest/gtest.h>

#include <memory>

#include "core/db/connection.h"
#include "core/db/query.h"
#include "core/db/schema.h"
#include "core/demo/demo_catalogue.h"
#include "core/demo/demo_data.h"
#include "support/databases.h"
#include "support/xml_check.h"
#include "table_dump.h"

namespace wertalo::demo {
namespace {

using namespace Qt::StringLiterals;

class DemoData : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    connection_ = test::memoryDatabase(true).release();
    content_ = fillDemoDatabase(*connection_, kDefaultUnits);
  }
  static void TearDownTestSuite() {
    delete connection_;
    connection_ = nullptr;
  }

  static db::DataSet rows(const QString& sql) { return db::openSql(*connection_, sql); }
  static qint64 count(const QString& sql) { return rows(sql).integer(u"N"); }
  static QStringList texts(const QString& sql) {
    db::DataSet ds = rows(sql);
    QStringList out;
    for (ds.first(); !ds.eof(); ds.next()) out.append(ds.text(ds.fieldNames().first()));
    return out;
  }

  static db::Connection* connection_;
  static DemoContent content_;
};

db::Connection* DemoData::connection_ = nullptr;
DemoContent DemoData::content_;

// The first word of a position name as the report bodies take it: the characters before the
// first blank among all but the last; `dropDot` removes one final ".".
QString firstWord(const QString& name, bool dropDot) {
  QString word;
  for (qsizetype i = 0; i + 1 < name.size() && name.at(i) != u' '; ++i) word += name.at(i);
  if (dropDot && word.endsWith(u'.')) word.chop(1);
  return word;
}

TEST_F(DemoData, EveryColumnOfEveryTableHoldsAValueSomewhere) {
  const auto schema = test::schemaColumns();
  for (const QString& table : db::schemaTableNames()) {
    const QStringList dump = test::dumpTable(*connection_, table);
    ASSERT_FALSE(dump.isEmpty()) << table.toStdString();
    const auto columns = schema.value(table);
    for (qsizetype c = 0; c < columns.size(); ++c) {
      bool found = false;
      for (const QString& line : dump) {
        const QString value = line.split(u'|').at(c + 1);
        if (value != u"∅"_s && !value.isEmpty()) {
          found = true;
          break;
        }
      }
      EXPECT_TRUE(found) << table.toStdString() << "." << columns.at(c).name.toStdString();
    }
  }
}

TEST_F(DemoData, ReportsOfEveryOfferedTypeForTheCityAndEachUnit) {
  const QStringList cityTypes = {u"D"_s,  u"RBZZ"_s, u"W"_s,  u"RB50"_s, u"N"_s,  u"F"_s,  u"Z"_s,  u"RB30"_s, u"RB31"_s, u"RB33"_s,
                                 u"RB34"_s, u"P"_s,  u"UZ"_s, u"ST"_s,  u"UN"_s, u"FJ"_s, u"ZS"_s, u"ZN"_s,  u"NWS"_s, u"WS"_s,
                                 u"BILB"_s, u"BILS"_s};
  for (const QString& t : cityTypes)
    EXPECT_GT(count(u"select count(*) as N from SPRAWAKT where TYPSPR='%1' and OKRES='4' and ROK='14'"_s.arg(t)), 0) << t.toStdString();
  for (int unit = 1; unit <= kDefaultUnits; ++unit) {
    for (const QString& t : cityTypes) {
      if (t == u"F"_s || t == u"P"_s || t.startsWith(u"BIL"_s)) continue;
      EXPECT_GT(count(u"select count(*) as N from JBSPRAWAKT where TYPSPR='%1' and ID_JB=%2"_s.arg(t).arg(unit)), 0)
          << t.toStdString() << " " << unit;
    }
    EXPECT_EQ(count(u"select count(*) as N from JBSPRAWAKT where TYPSPR='BILJ' and ID_JB=%1"_s.arg(unit)), 2);
  }
  EXPECT_EQ(count(u"select count(*) as N from JBSPRAWAKT a join JBOBS o on o.ID_JB=a.ID_JB and o.ROK=a.ROK and "
                  u"o.OKRES=a.OKRES where a.TYPSPR='BILL' and o.TYP_JB='G'"_s),
            2);
  // Every code has its name in the dictionary.
  EXPECT_EQ(count(u"select count(*) as N from S_TYPSPR"_s), 24);
  EXPECT_EQ(count(u"select count(distinct TYPSPR) as N from SPRAWAKT where TYPSPR not in (select TYPSPR from S_TYPSPR)"_s), 0);
  // Monthly reports of the city, and a report in two parts.
  EXPECT_EQ(count(u"select count(*) as N from SPRAWAKT where OKRES='L' and ROK='13'"_s), 2);
  EXPECT_GT(count(u"select count(*) as N from SPRAWAKT where CZAST=2"_s), 0);
}

TEST_F(DemoData, VersionsApprovalsAndSendingDates) {
  for (const QString& table : {u"SPRAWOZD"_s, u"JBSPRAWOZD"_s}) {
    EXPECT_EQ(count(u"select count(*) as N from %1 where WERSJA=-1"_s.arg(table)), 1) << table.toStdString();
    EXPECT_GT(count(u"select count(*) as N from %1 where WERSJA>0"_s.arg(table)), 0);
    EXPECT_GT(count(u"select count(*) as N from %1 where DATAZAK is null and WERSJA>=0"_s.arg(table)), 0);
    EXPECT_GT(count(u"select count(*) as N from %1 where DATAWYSLANIA is not null"_s.arg(table)), 0);
    EXPECT_EQ(count(u"select count(*) as N from %1 where DATAWYSLANIA is not null and DATAZAK is null"_s.arg(table)), 0);
  }
  // The report list and the reports agree.
  EXPECT_EQ(count(u"select count(*) as N from SPRAWAKT a left join SPRAWOZD s on s.IDSPRAW=a.IDSPRAW "
                  u"where s.IDSPRAW is null or s.WERSJA<>a.WERSJA or s.TYPSPR<>a.TYPSPR or s.OKRES<>a.OKRES"_s),
            0);
  EXPECT_EQ(count(u"select count(*) as N from JBSPRAWAKT a left join JBSPRAWOZD s on s.IDSPRAW=a.IDSPRAW "
                  u"where s.IDSPRAW is null or s.ID_JB<>a.ID_JB or s.WERSJA<>a.WERSJA"_s),
            0);
  // Report identifiers are unique over both kinds of unit.
  EXPECT_EQ(count(u"select count(*) as N from SPRAWOZD s join JBSPRAWOZD j on j.IDSPRAW=s.IDSPRAW"_s), 0);
}

TEST_F(DemoData, PlansGiveTheClassificationAndOneOwnRevenuePlanHasNoPart) {
  EXPECT_EQ(count(u"select count(*) as N from JBSprawPlan where VAL1='0'"_s) + count(u"select count(*) as N from SPRAWPLAN where VAL1='0'"_s), 1);
  EXPECT_EQ(count(u"select count(*) as N from JBSprawPlan p join JBSPRAWAKT a on a.PODTYP=p.PODTYP where p.VAL1='0' and a.TYPSPR='RB34'"_s), 1);
  // Every report with a plan finds exactly one plan row by PODTYP.
  EXPECT_EQ(count(u"select count(*) as N from SPRAWAKT a where a.PODTYP>0 and (select count(*) from SPRAWPLAN p "
                  u"where p.PODTYP=a.PODTYP and p.KWARTAL=a.OKRES and p.ROK=a.ROK)<>1"_s),
            0);
  EXPECT_GT(count(u"select count(*) as N from SPRAWPLAN where VAL1='' and DZIAL<>''"_s), 0);
}

TEST_F(DemoData, NamedPositionsAreFoundByTheSymbolsOfTheReports) {
  struct Search {
    const char16_t* table;
    bool dropDot;
    QStringList symbols;
  };
  const Search searches[] = {
      {u"N21", true, {u"N1"_s, u"N1.1"_s, u"N1.2"_s, u"N2"_s, u"N2.1"_s, u"N2.2"_s, u"N3"_s, u"N3.1"_s, u"N3.2"_s, u"N3.3"_s,
                      u"N4"_s, u"N4.1"_s, u"N4.2"_s, u"N.5"_s, u"N5.1"_s, u"N5.2"_s, u"N5.3"_s}},
      {u"N21B", true, {u"B1"_s, u"B2"_s, u"B3"_s, u"B4"_s}},
      {u"F2UZUPELNIENIE", true, {u"E"_s, u"E1"_s, u"E2"_s, u"E3"_s, u"E4"_s, u"E5"_s, u"F1"_s, u"F11"_s, u"F12"_s, u"F13"_s,
                                 u"F14"_s, u"F2"_s, u"F3"_s, u"F4"_s}},
      {u"ZN2", false, {u"E2."_s, u"E2.1."_s, u"E2.2."_s, u"E4."_s, u"E4.1."_s, u"E4.2."_s, u"N3"_s, u"N3.1"_s, u"N3.2"_s, u"N3.3"_s,
                       u"N4"_s, u"N4.1"_s, u"N4.2"_s, u"N5"_s, u"N5.1"_s, u"N5.2"_s, u"N5.3"_s}},
  };
  for (const Search& s : searches) {
    for (const QString& table : {QString::fromUtf16(s.table), u"JB"_s + QString::fromUtf16(s.table)}) {
      if (table == u"JBF2UZUPELNIENIE"_s) continue;  // Rb-NDS is the city's only
      db::DataSet ds = rows(u"select IDSPRAW, NAZWA from "_s + table);
      QMap<qint64, QSet<QString>> words;
      for (ds.first(); !ds.eof(); ds.next()) words[ds.integer(u"IDSPRAW")].insert(firstWord(ds.text(u"NAZWA"), s.dropDot));
      ASSERT_FALSE(words.isEmpty()) << table.toStdString();
      for (auto it = words.cbegin(); it != words.cend(); ++it)
        for (const QString& symbol : s.symbols)
          EXPECT_TRUE(it.value().contains(symbol)) << table.toStdString() << " " << it.key() << " " << symbol.toStdString();
    }
  }
}

TEST_F(DemoData, FundStatementHoldsEveryPositionNameExactly) {
  const QStringList names = {
      u"I. Fundusz jednostki na początek okresu (BO)"_s,
      u"1. Zwiększenia funduszu (z tytułu)"_s,
      u"1.1. Zysk bilansowy za rok ubiegły"_s,
      u"1.2. Zrealizowane wydatki budżetowe"_s,
      u"1.3. Zrealizowane płatności ze środków europejskich"_s,
      u"1.4. Środki na inwestycje"_s,
      u"1.5. Aktualizacja wyceny środków trwałych"_s,
      u"1.6. Nieodpłatnie otrzymane środki trwałe i środki trwałe w budowie oraz wartości niematerialne i prawne"_s,
      u"1.7. Aktywa przejęte od zlikwidowanych lub połączonych jednostek"_s,
      u"1.8. Aktywa otrzymane w ramach centralnego zaopatrzenia"_s,
      u"1.9. Pozostałe odpisy z wyniku finansowego za rok bieżący"_s,
      u"1.10. Inne zwiększenia"_s,
      u"2. Zmniejszenia funduszu jednostki (z tytułu)"_s,
      u"2.1. Strata za rok ubiegły"_s,
      u"2.2. Zrealizowane dochody budżetowe"_s,
      u"2.3. Rozliczenie wyniku finansowego i środków obrotowych za rok ubiegły"_s,
      u"2.4. Dotacje i środki na inwestycje"_s,
      u"2.5. Aktualizacja wyceny środków trwałych"_s,
      u"2.6. Wartość sprzedanych i nieodpłatnie przekazanych środków trwałych i środków trwałych w budowie oraz "
      u"wartości niematerialnych i prawnych"_s,
      u"2.7. Pasywa przejęte od zlikwidowanych lub połączonych jednostek"_s,
      u"2.8. Aktywa przekazane w ramach centralnego zaopatrzenia"_s,
      u"2.9. Inne zmniejszenia"_s,
      u"II. Fundusz jednostki na koniec okresu (BZ)"_s,
      u"III. Wynik finansowy netto za rok bieżący (+,-)"_s,
      u"1. zysk netto (+)"_s,
      u"2. strata netto (-)"_s,
      u"IV. Nadwyżka dochodów jednostek budżetowych, nadwyżka środków obrotowych samorządowych zakładów budżetowych"_s,
      u"V. Fundusz ( II+,-III-IV)"_s};
  for (const QString& table : {u"FJ"_s, u"JBFJ"_s}) {
    db::DataSet ds = rows(u"select IDSPRAW, NAZWA from "_s + table);
    QMap<qint64, QSet<QString>> found;
    for (ds.first(); !ds.eof(); ds.next()) found[ds.integer(u"IDSPRAW")].insert(ds.text(u"NAZWA"));
    ASSERT_FALSE(found.isEmpty());
    for (auto it = found.cbegin(); it != found.cend(); ++it)
      for (const QString& name : names) EXPECT_TRUE(it.value().contains(name)) << table.toStdString() << " " << name.toStdString();
  }
}

// The full symbol of an F-Rzs row: the symbols of its names up the tree, each with its dot.
QString fullSymbol(db::DataSet& ds, qint64 idd) {
  QString symbol;
  if (!ds.locate(u"IDD"_s, idd)) return symbol;
  for (int guard = 0; guard < 20; ++guard) {
    const QString name = ds.text(u"Nazwa");
    QString own;
    for (qsizetype i = 0; i + 1 < name.size() && name.at(i) != u' '; ++i) own += name.at(i);
    symbol.prepend(own);
    const qint64 parent = ds.integer(u"PARENT");
    if (parent == 0 || !ds.locate(u"ID_S_SPRPO"_s, parent)) break;
  }
  return symbol;
}

TEST_F(DemoData, ProfitAndLossTreeGivesEveryReportSymbol) {
  const QStringList symbols = {u"A"_s,    u"A.I"_s,   u"A.II"_s,  u"A.III"_s, u"A.IV"_s,   u"A.V"_s,  u"A.VI"_s, u"B"_s,   u"B.I"_s,
                               u"B.II"_s, u"B.III"_s, u"B.IV"_s,  u"B.V"_s,   u"B.VI"_s,   u"B.VII"_s, u"B.VIII"_s, u"B.IX"_s, u"B.X"_s,
                               u"C"_s,    u"D"_s,     u"D.I"_s,   u"D.II"_s,  u"D.III"_s,  u"E"_s,    u"E.I"_s,  u"E.II"_s, u"F"_s,
                               u"G"_s,    u"G.I"_s,   u"G.II"_s,  u"G.III"_s, u"H"_s,      u"H.I"_s,  u"H.II"_s, u"I"_s,   u"J"_s,
                               u"J.I"_s,  u"J.II"_s,  u"K"_s,     u"L"_s,     u"M"_s,      u"N"_s};
  for (const QString& table : {u"ZS"_s, u"JBZS"_s}) {
    const QStringList reports = texts(u"select distinct IDSPRAW from "_s + table);
    ASSERT_FALSE(reports.isEmpty());
    for (const QString& id : reports) {
      db::DataSet ds = rows(u"select * from %1 where IDSPRAW=%2"_s.arg(table, id));
      QSet<QString> full;
      for (int r = 0; r < ds.recordCount(); ++r) {
        db::DataSet walk = ds;
        walk.first();
        for (int k = 0; k < r; ++k) walk.next();
        full.insert(fullSymbol(walk, walk.integer(u"IDD")));
      }
      for (const QString& s : symbols) EXPECT_TRUE(full.contains(s + u'.')) << table.toStdString() << " " << id.toStdString() << " " << s.toStdString();
      EXPECT_TRUE(full.contains(u"A.I.1."_s));  // a detail line the report does not list
      EXPECT_TRUE(full.contains(u"II."_s));     // a line whose parent is gone
    }
  }
}

TEST_F(DemoData, CodeRowsOfReceivablesAndLiabilities) {
  for (const QString& table : {u"UN"_s, u"JBUN"_s, u"UZ"_s, u"JBUZ"_s}) {
    for (int k = 2; k <= 17; ++k)
      EXPECT_GT(count(u"select count(*) as N from %1 where KOD='A%2'"_s.arg(table).arg(k, 2, 10, QLatin1Char('0'))), 0) << table.toStdString();
  }
  for (const QString& code : {u"B02"_s, u"B06"_s, u"C101"_s, u"C213"_s, u"C305"_s, u"C413"_s})
    EXPECT_GT(count(u"select count(*) as N from UZ where KOD='%1'"_s.arg(code)), 0) << code.toStdString();
}

TEST_F(DemoData, Rb50HasBothTaskKindsAndAllParts) {
  for (const QString& table : {u"RB50"_s, u"JBRB50"_s}) {
    EXPECT_EQ(texts(u"select distinct KODN from %1 order by KODN"_s.arg(table)), (QStringList{u"G"_s, u"P"_s}));
    EXPECT_EQ(texts(u"select distinct SYMBOL from %1 order by SYMBOL"_s.arg(table)), (QStringList{u"A"_s, u"B"_s, u"D"_s, u"W"_s}));
  }
  const QStringList codes = texts(u"select distinct KOD from RB31 order by KOD"_s);
  EXPECT_EQ(codes, (QStringList{u"G"_s, u"H"_s, u"I"_s, u"K"_s, u"M"_s, u"P"_s, u"Q"_s, u"R"_s, u"S"_s, u"T"_s, u"W"_s, u"Z"_s}));
  EXPECT_GT(count(u"select count(*) as N from RB33 where KOD='X' and PAR='21'"_s), 0);
}

TEST_F(DemoData, SignaturesAndKeptXmlAreWellFormed) {
  EXPECT_GT(count(u"select count(*) as N from SPRAWOZDXML where czy_epodpisane=1"_s), 0);
  EXPECT_GT(count(u"select count(*) as N from JBSPRAWOZDXML where czy_epodpisane=1"_s), 0);
  EXPECT_GT(count(u"select count(*) as N from SPRAWOZDXML where czy_epodpisane=0"_s), 0);
  // An Rb-50 kept in its two parts.
  EXPECT_EQ(count(u"select count(*) as N from SPRAWOZDXML x join SPRAWOZD s on s.IDSPRAW=x.IDSPRAW "
                  u"where s.TYPSPR='RB50' and x.TYP in ('D','W') and x.WYEKSPORTOWANY_XML is not null"_s),
            2);
  // A kept part holds the report elements of the part: two for an Rb-50 part of the city, one
  // for each kind of task.
  for (const QString& table : {u"SPRAWOZDXML"_s, u"JBSPRAWOZDXML"_s})
    for (const QString& xml : texts(u"select WYEKSPORTOWANY_XML from %1 where WYEKSPORTOWANY_XML is not null"_s.arg(table)))
      EXPECT_TRUE(test::isWellFormedXml("<Sprawozdania>" + xml.toUtf8() + "</Sprawozdania>")) << xml.toStdString();
  for (const QString& table : {u"SPRAWOZDEPODPIS"_s, u"JBSPRAWOZDEPODPIS"_s}) {
    const QStringList signatures = texts(u"select DANE from "_s + table);
    ASSERT_FALSE(signatures.isEmpty());
    for (const QString& dane : signatures) {
      EXPECT_TRUE(dane.contains(u"URI=\"#"_s));
      EXPECT_TRUE(test::isWellFormedXml(dane.toUtf8())) << dane.toStdString();
    }
  }
  EXPECT_EQ(count(u"select count(*) as N from USER_"_s), 2);
}

TEST_F(DemoData, BalanceSheetsBalanceAndSomePositionsHaveNoBestiaLink) {
  for (const auto& [sheet, positions] : {std::pair{u"BILB"_s, u"BILPOZ"_s}, std::pair{u"BILS"_s, u"BILPOZ"_s},
                                         std::pair{u"JBBILJ"_s, u"JBBILPOZ"_s}}) {
    db::DataSet sums = rows(u"select q.IDSPRAW, p.NAZWA, q.SPOCZ, q.SKON from %1 q join %2 p on p.ID_BILPOZ=q.ID_BILPOZ "
                            u"where p.NAZWA like 'Suma%' order by q.IDSPRAW, p.TYP"_s.arg(sheet, positions));
    ASSERT_GT(sums.recordCount(), 0) << sheet.toStdString();
    for (sums.first(); !sums.eof(); sums.next()) {
      const text::Currency open = sums.currency(u"SPOCZ");
      const text::Currency close = sums.currency(u"SKON");
      sums.next();
      ASSERT_FALSE(sums.eof());
      EXPECT_EQ(sums.currency(u"SPOCZ"), open) << sheet.toStdString();
      EXPECT_EQ(sums.currency(u"SKON"), close) << sheet.toStdString();
    }
  }
  EXPECT_GT(count(u"select count(*) as N from S_BILBESTIA where SYMBOL=' '"_s), 0);
  EXPECT_GT(count(u"select count(*) as N from S_BILANSPOZ where ID_BILBESTIA is null"_s), 0);
  EXPECT_GT(count(u"select count(*) as N from BILPOZ where NAZWA='A. Aktywa trwałe'"_s), 0);
  // A position, its parent and grandparent as the mapping's labels expect them.
  for (const QString& table : {u"BILPOZ"_s, u"JBBILPOZ"_s})
    EXPECT_GT(count(u"select count(*) as N from %1 p join %1 i on i.ID_BILPOZ=p.PARENT join %1 a on a.ID_BILPOZ=i.PARENT "
                    u"where p.NAZWA='1. Grunty' and i.NAZWA='I. Rzeczowe aktywa trwałe' and a.NAZWA='A. Aktywa trwałe'"_s.arg(table)),
              0)
        << table.toStdString();
}

TEST_F(DemoData, TheMappingHoldsTwoEntriesMadeByHandInTheLatestYear) {
  db::DataSet ds = rows(u"select m.TYPSPR, m.ID_BILBESTIA, p.NAZWA, p.ROK, p.TYPSPR as POZ_TYPSPR, b.SYMBOL "
                        u"from BILTOBESTIAMAP m join BILPOZ p on p.ID_BILPOZ=m.ID_BILPOZ "
                        u"left join S_BILBESTIA b on b.ID_BILBESTIA=m.ID_BILBESTIA order by m.ID_BILBESTIA"_s);
  QStringList got;
  for (ds.first(); !ds.eof(); ds.next()) {
    got << u"%1 %2 %3 %4 %5 [%6]"_s.arg(ds.text(u"TYPSPR"), ds.text(u"POZ_TYPSPR"), ds.text(u"ROK"))
               .arg(ds.integer(u"ID_BILBESTIA") > 0 ? u"+"_s : QString::number(ds.integer(u"ID_BILBESTIA")))
               .arg(ds.text(u"NAZWA").left(11), ds.text(u"SYMBOL"));
  }
  EXPECT_EQ(got, (QStringList{u"BILS BILS 14 -1 3. Inne śro []"_s, u"BILS BILS 14 + 1.1. Grunty [A.I.1.1]"_s}));
  EXPECT_EQ(count(u"select count(*) as N from BILTOBESTIAMAP"_s), 2);
}

TEST_F(DemoData, AmountsAndTextsCoverTheAwkwardCases) {
  EXPECT_GT(count(u"select count(*) as N from D2 where length(PAR)<>3"_s), 0);
  EXPECT_GT(count(u"select count(*) as N from D2 where length(PAR)=3 and R1=0 and R2=0 and R3=0 and R4=0 and R9=0 and "
                  u"R10=0 and R5=0 and R6=0 and R7=0 and R8=0 and R11Z=0 and R11R=0"_s),
            0);
  EXPECT_GT(count(u"select count(*) as N from D2 where R4<0"_s), 0);
  // Four decimals: not a whole number of grosze.
  EXPECT_GT(count(u"select count(*) as N from JBD2 where abs(R4*100 - round(R4*100)) > 0.00001"_s), 0);
  const QStringList dump = test::dumpDatabase(*connection_);
  const QString all = dump.join(u'\n');
  for (const QString& s : {u"&"_s, u"<"_s, u">"_s, u"\""_s, u"ą"_s, u"ł"_s, u"Ż"_s, u"Ź"_s, u"ś"_s})
    EXPECT_TRUE(all.contains(s)) << s.toStdString();
}

TEST(DemoUnits, UnitCountScalesTheBudgetUnits) {
  for (int units : {1, 9}) {
    auto c = test::memoryDatabase(true);
    const DemoContent content = fillDemoDatabase(*c, units);
    EXPECT_EQ(content.units, units);
    EXPECT_EQ(db::openSql(*c, u"select count(*) as N from JBOBS"_s).integer(u"N"), 32 * units);
    EXPECT_EQ(db::openSql(*c, u"select count(distinct NAZWA) as N from JBOBS"_s).integer(u"N"), units);
    EXPECT_EQ(db::openSql(*c, u"select count(distinct ID_JB) as N from JBSPRAWAKT"_s).integer(u"N"), units);
    EXPECT_EQ(db::openSql(*c, u"select count(*) as N from JBOBS where TYP_JB='G' and ROK='14' and OKRES='4'"_s).integer(u"N"),
              units >= 3 ? 1 : 0);
  }
}

TEST(DemoUnits, RegonHasItsCheckDigit) {
  EXPECT_EQ(regon9(u"12345678"_s), u"123456785"_s);
  EXPECT_EQ(regon14CheckDigit(u"1234567851234"_s), u'7');
}

}  // namespace
}  // namespace wertalo::demo
