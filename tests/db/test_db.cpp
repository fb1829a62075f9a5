// The database layer runs the same cases on the local SQLite database and on the Firebird
// server.
#include <QDate>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#include "core/db/connection.h"
#include "core/db/db_error.h"
#include "core/db/select_all.h"
#include "core/db/query.h"
#include "support/databases.h"

namespace wertalo::db {
namespace {

using text::Currency;

const char* const kTable =
    "CREATE TABLE POZ (ID INTEGER, TYPSPR VARCHAR(4), TYP VARCHAR(1), NAZWA VARCHAR(40), "
    "KWOTA NUMERIC(18,4), DATA DATE, WYSLANO TIMESTAMP, UWAGI BLOB SUB_TYPE TEXT);\n";

struct Row {
  int id;
  const char* typspr;
  const char* typ;
  const char* nazwa;
  const char* kwota;  // decimal text, nullptr for Null
  const char* data;   // yyyy-MM-dd, nullptr for Null
};

const Row kRows[] = {
    {1, "BILB", "A", "A. Aktywa trwałe", "1234.5678", "2013-12-31"},
    {2, "BILB", "P", "Fundusz \"zł\" & <inne>", "-0.0001", nullptr},
    {3, "BILS", "A", "Łódź", nullptr, "2014-01-02"},
    {4, "BILS", "P", "Żółć", "98765432109.8765", "2014-02-28"},
};

// Each case runs on both engines.
class DataSetTest : public ::testing::TestWithParam<Engine> {
 protected:
  void SetUp() override {
    if (GetParam() == Engine::Firebird) WERTALO_REQUIRE_FIREBIRD();
    connection_ = test::emptyDatabase(GetParam(), false, server_);
    connection_->executeScript(QString::fromUtf8(kTable));
    Query insert(*connection_);
    insert.setSql(QStringLiteral("insert into POZ (ID, TYPSPR, TYP, NAZWA, KWOTA, DATA, UWAGI) "
                                 "values (:ID, :TYPSPR, :TYP, :NAZWA, :KWOTA, :DATA, :UWAGI)"));
    for (const Row& r : kRows) {
      insert.bindInt(QStringLiteral("ID"), r.id);
      insert.bindText(QStringLiteral("TYPSPR"), QString::fromUtf8(r.typspr));
      insert.bindText(QStringLiteral("TYP"), QString::fromUtf8(r.typ));
      insert.bindText(QStringLiteral("NAZWA"), QString::fromUtf8(r.nazwa));
      if (r.kwota) insert.bindText(QStringLiteral("KWOTA"), QString::fromUtf8(r.kwota));
      else insert.bindNull(QStringLiteral("KWOTA"));
      if (r.data) insert.bindDate(QStringLiteral("DATA"), QDate::fromString(QString::fromUtf8(r.data), Qt::ISODate));
      else insert.bindNull(QStringLiteral("DATA"));
      insert.bindText(QStringLiteral("UWAGI"), QString::fromUtf8(r.nazwa).repeated(r.id * 50));
      EXPECT_EQ(insert.execSql(), 1);
    }
  }

  DataSet all() { return openSql(*connection_, QStringLiteral("select * from POZ order by ID")); }

  std::unique_ptr<test::FirebirdDatabase> server_;
  std::unique_ptr<Connection> connection_;
};

TEST_P(DataSetTest, FieldsAreFoundWithoutRegardToCase) {
  DataSet ds = all();
  ASSERT_EQ(ds.recordCount(), 4);
  EXPECT_EQ(ds.fieldIndex(u"typspr"), ds.fieldIndex(u"TYPSPR"));
  EXPECT_GE(ds.fieldIndex(u"Nazwa"), 0);
  EXPECT_EQ(ds.fieldIndex(u"BRAK"), -1);
  EXPECT_EQ(ds.text(u"nazwa"), QStringLiteral("A. Aktywa trwałe"));
  EXPECT_THROW(ds.text(u"BRAK"), DbError);
}

TEST_P(DataSetTest, CursorWalksRowsAndEndsAfterTheLast) {
  DataSet ds = all();
  QList<qint64> ids;
  for (ds.first(); !ds.eof(); ds.next()) ids.append(ds.integer(u"ID"));
  EXPECT_EQ(ids, (QList<qint64>{1, 2, 3, 4}));
  ds.last();
  EXPECT_EQ(ds.integer(u"ID"), 4);
  DataSet none = openSql(*connection_, QStringLiteral("select * from POZ where ID < 0"));
  EXPECT_TRUE(none.eof());
}

TEST_P(DataSetTest, LocateOnTwoFieldsIsExactAndKeepsTheRowWhenNotFound) {
  DataSet ds = all();
  ds.next();  // on ID 2
  EXPECT_TRUE(ds.locate({{QStringLiteral("TYPSPR"), QStringLiteral("BILS")}, {QStringLiteral("TYP"), QStringLiteral("P")}}));
  EXPECT_EQ(ds.integer(u"ID"), 4);
  EXPECT_FALSE(ds.locate({{QStringLiteral("TYPSPR"), QStringLiteral("bils")}, {QStringLiteral("TYP"), QStringLiteral("P")}}));
  EXPECT_EQ(ds.integer(u"ID"), 4);
  EXPECT_TRUE(ds.locate(QStringLiteral("ID"), 3));
  EXPECT_EQ(ds.text(u"NAZWA"), QStringLiteral("Łódź"));
}

// A statement kept and run again sees what was written since, also when it ran inside a
// transaction that has ended (the server keeps a statement's snapshot otherwise).
TEST_P(DataSetTest, AStatementRunAgainSeesLaterChangesAlsoAcrossTransactions) {
  Query count(*connection_);
  count.setSql(QStringLiteral("select count(*) as N from POZ"));
  Query insert(*connection_);
  insert.setSql(QStringLiteral("insert into POZ (ID) values (:ID)"));
  auto add = [&](int id) {
    insert.bindInt(QStringLiteral("ID"), id);
    insert.execSql();
  };
  EXPECT_EQ(count.open().integer(u"N"), 4);
  add(5);
  EXPECT_EQ(count.open().integer(u"N"), 5);
  connection_->beginTransaction();
  add(6);
  add(7);
  EXPECT_EQ(count.open().integer(u"N"), 7);
  connection_->commit();
  EXPECT_FALSE(connection_->inTransaction());
  EXPECT_EQ(count.open().integer(u"N"), 7);
  add(8);
  EXPECT_EQ(count.open().integer(u"N"), 8);
  connection_->beginTransaction();
  add(9);
  connection_->rollback();
  EXPECT_EQ(count.open().integer(u"N"), 8);
}

TEST_P(DataSetTest, BookmarkReturnsToTheRememberedRow) {
  DataSet ds = all();
  ds.next();
  const DataSet::Bookmark mark = ds.bookmark();
  ds.last();
  ds.gotoBookmark(mark);
  EXPECT_EQ(ds.integer(u"ID"), 2);
}

TEST_P(DataSetTest, CurrencyIsExactToTheTenThousandth) {
  DataSet ds = all();
  EXPECT_EQ(ds.currency(u"KWOTA"), Currency{12345678});
  ds.next();
  EXPECT_EQ(ds.currency(u"KWOTA"), Currency{-1});
  ds.last();
  EXPECT_EQ(ds.currency(u"KWOTA"), Currency{987654321098765});
}

TEST_P(DataSetTest, NullReadsGiveTheEmptyValues) {
  DataSet ds = all();
  ASSERT_TRUE(ds.locate(QStringLiteral("ID"), 3));
  EXPECT_TRUE(ds.isNull(u"KWOTA"));
  EXPECT_EQ(ds.currency(u"KWOTA"), Currency{});
  EXPECT_FALSE(ds.currencyOrNull(u"KWOTA").has_value());
  EXPECT_EQ(ds.number(u"KWOTA"), 0.0);
  EXPECT_TRUE(ds.isNull(u"WYSLANO"));
  EXPECT_EQ(ds.text(u"WYSLANO"), QString());
  EXPECT_EQ(ds.integer(u"WYSLANO"), 0);
  ASSERT_TRUE(ds.locate(QStringLiteral("ID"), 2));
  EXPECT_EQ(ds.date(u"DATA"), zeroDate());
  EXPECT_EQ(zeroDate(), QDate(1899, 12, 30));
}

TEST_P(DataSetTest, DatesAndLongTextsReadBack) {
  DataSet ds = all();
  EXPECT_EQ(ds.date(u"DATA"), QDate(2013, 12, 31));
  ASSERT_TRUE(ds.locate(QStringLiteral("ID"), 4));
  EXPECT_EQ(ds.text(u"UWAGI"), QStringLiteral("Żółć").repeated(200));
}

TEST_P(DataSetTest, DateTimeParameterIsStoredAndCompared) {
  Query update(*connection_);
  update.setSql(QStringLiteral("update POZ set WYSLANO=:W where ID=:ID and DATA>:D"));
  update.bindDateTime(QStringLiteral("W"), QDateTime(QDate(2014, 3, 1), QTime(10, 20, 30)));
  update.bindDateTime(QStringLiteral("D"), QDateTime(QDate(1999, 1, 1), QTime(0, 0)));
  update.bindInt(QStringLiteral("ID"), 1);
  EXPECT_EQ(update.execSql(), 1);
  update.bindInt(QStringLiteral("ID"), 2);  // no date: not later than 1999
  EXPECT_EQ(update.execSql(), 0);
  DataSet ds = all();
  EXPECT_EQ(ds.dateTime(u"WYSLANO"), QDateTime(QDate(2014, 3, 1), QTime(10, 20, 30)));
}

TEST_P(DataSetTest, ParameterComparedWithALiteralMatchesLongValues) {
  Query q(*connection_);
  q.setSql(QStringLiteral("select * from POZ where (TYPSPR=:TYPSPR or '*'=:TYPSPR) order by ID"));
  q.bindText(QStringLiteral("TYPSPR"), QStringLiteral("BILB"));
  DataSet bilb = q.open();
  ASSERT_EQ(bilb.recordCount(), 2);
  EXPECT_EQ(bilb.text(u"TYPSPR"), QStringLiteral("BILB"));
  q.bindText(QStringLiteral("TYPSPR"), QStringLiteral("*"));
  EXPECT_EQ(q.open().recordCount(), 4);
}

TEST_P(DataSetTest, FirstRowClauseRunsOnBothEngines) {
  DataSet ds = openSql(*connection_, QStringLiteral("SELECT FIRST 1 ID FROM POZ ORDER BY ID DESC"));
  ASSERT_EQ(ds.recordCount(), 1);
  EXPECT_EQ(ds.integer(u"ID"), 4);
}

TEST_P(DataSetTest, MissingTableRaisesWithTheEngineTextAndStatement) {
  const QString sql = QStringLiteral("select * from NIE_MA_TAKIEJ");
  try {
    openSql(*connection_, sql);
    FAIL() << "no error raised";
  } catch (const DbError& e) {
    EXPECT_FALSE(e.engineText().isEmpty());
    EXPECT_TRUE(e.engineText().contains(QStringLiteral("NIE_MA_TAKIEJ"), Qt::CaseInsensitive))
        << e.engineText().toStdString();
    EXPECT_EQ(e.statement(), sql);
    EXPECT_TRUE(e.message().contains(sql));
  }
}

TEST_P(DataSetTest, UnboundParameterIsRefused) {
  Query q(*connection_);
  q.setSql(QStringLiteral("select * from POZ where ID=:ID"));
  EXPECT_THROW(q.open(), DbError);
}

// On Firebird "select *" of one table is spelled out: its columns by name and short texts
// inline. The rows are those the statement gives as written (read here through "POZ.*", which
// is left as it is), also when a text is too long to come inline and the statement runs again
// as written.
TEST_P(DataSetTest, SelectAllSpelledOutGivesTheRowsAsWritten) {
  connection_->executeScript(QStringLiteral("CREATE TABLE KW (ID INTEGER, KWOTA NUMERIC(18,4), DATA DATE);\n"
                                            "INSERT INTO KW VALUES (1, 12.5, '2014-01-31');\n"
                                            "INSERT INTO KW VALUES (2, NULL, NULL);\n"));
  const struct {
    const char* sql;
    const char* written;  // the same rows, read without texts inline
    bool spelled;         // on Firebird
  } cases[] = {
      // no texts
      {"select * from KW order by ID", "select KW.* from KW order by ID", true},
      // texts up to 800 characters
      {"select * from POZ where ID <> 2 order by ID", "select POZ.* from POZ where ID <> 2 order by ID", true},
      {"SELECT *  FROM poz\nWHERE ID=1 or ID=3 ORDER BY ID", "select POZ.* from POZ where ID=1 or ID=3 order by ID", true},
      // 2300 characters in row 2
      {"select * from POZ order by ID", "select POZ.* from POZ order by ID", true},
      // other statements are left as written
      {"select * from POZ p where p.ID <> 2 order by ID", "select p.* from POZ p where p.ID <> 2 order by ID", false},
      {"select * from POZ where ID <> 2 union all select * from POZ where ID = 2",
       "select POZ.* from POZ where ID <> 2 union all select POZ.* from POZ where ID = 2", false},
      {"select ID, UWAGI from POZ where ID <> 2 order by ID", "select POZ.ID, POZ.UWAGI from POZ where ID <> 2 order by ID", false},
  };
  for (const auto& c : cases) {
    const QString sql = QString::fromUtf8(c.sql);
    const QString written = QString::fromUtf8(c.written);
    EXPECT_EQ(spelledOutSelectAll(*connection_, sql).has_value(), c.spelled && GetParam() == Engine::Firebird) << c.sql;
    ASSERT_FALSE(spelledOutSelectAll(*connection_, written).has_value());
    const DataSet got = openSql(*connection_, sql);
    const DataSet expected = openSql(*connection_, written);
    ASSERT_EQ(got.fieldNames(), expected.fieldNames()) << c.sql;
    ASSERT_EQ(got.recordCount(), expected.recordCount()) << c.sql;
    for (size_t r = 0; r < got.rows().size(); ++r) {
      for (size_t f = 0; f < got.rows()[r].size(); ++f) {
        EXPECT_EQ(DataSet::textOf(got.rows()[r][f]), DataSet::textOf(expected.rows()[r][f])) << c.sql << " row " << r << " field " << f;
      }
    }
  }
}

// A table's columns are looked up again after a statement that may change them.
TEST_P(DataSetTest, SelectAllSeesAColumnAddedLater) {
  EXPECT_EQ(all().fieldCount(), 8);
  connection_->executeScript(QStringLiteral("alter table POZ add OPIS BLOB SUB_TYPE TEXT;\n"));
  Query update(*connection_);
  update.setSql(QStringLiteral("update POZ set OPIS='opis' where ID=3"));
  update.execSql();
  const DataSet ds = all();
  ASSERT_EQ(ds.fieldCount(), 9);
  EXPECT_EQ(ds.fieldNames().last().toUpper(), QStringLiteral("OPIS"));
  EXPECT_EQ(DataSet::textOf(ds.rows()[2][8]), QStringLiteral("opis"));
}

INSTANTIATE_TEST_SUITE_P(Engines, DataSetTest, ::testing::Values(Engine::Sqlite, Engine::Firebird),
                         [](const ::testing::TestParamInfo<Engine>& info) {
                           return info.param == Engine::Sqlite ? "Sqlite" : "Firebird";
                         });

TEST(Dialect, RewritesOnlyWhatTheEngineNeeds) {
  const auto sqlite = Dialect::create(Engine::Sqlite);
  const auto firebird = Dialect::create(Engine::Firebird);
  const QString first = QStringLiteral("SELECT FIRST 1 IDSPRAW FROM SPRAWOZD WHERE IDSPRAW IN (1,2)");
  EXPECT_EQ(sqlite->adapt(first), QStringLiteral("SELECT IDSPRAW FROM SPRAWOZD WHERE IDSPRAW IN (1,2) LIMIT 1"));
  EXPECT_EQ(firebird->adapt(first), first);
  const QString literal = QStringLiteral("where (TYPSPR=:TYPSPR or '*'=:TYPSPR) and (TYP=:TYP or '*' = :TYP)");
  EXPECT_EQ(sqlite->adapt(literal), literal);
  EXPECT_EQ(firebird->adapt(literal),
            QStringLiteral("where (TYPSPR=:TYPSPR or '*'=CAST(:TYPSPR AS VARCHAR(255))) and "
                           "(TYP=:TYP or '*' = CAST(:TYP AS VARCHAR(255)))"));
}

TEST(Query, ParameterNamesSkipQuotedText) {
  EXPECT_EQ(Query::parameterNames(QStringLiteral("select ':X' from T where A=:A and B=:b and C=:A")),
            (QStringList{QStringLiteral("A"), QStringLiteral("b")}));
}

TEST(Query, LinesAreReplacedByNumber) {
  auto connection = test::memoryDatabase(false);
  Query q(*connection);
  q.setLines({QStringLiteral("select 1 as X"), QStringLiteral("where 1=0")});
  q.setLine(1, QString());
  EXPECT_EQ(q.open().recordCount(), 1);
}

TEST(Connection, ScriptIsSplitAtLineEndSemicolons) {
  EXPECT_EQ(splitScript(QStringLiteral("-- c\nCREATE TABLE A (X INTEGER);\r\n\nCREATE TABLE B (\n  Y INTEGER\n);\n")),
            (QStringList{QStringLiteral("CREATE TABLE A (X INTEGER)"), QStringLiteral("CREATE TABLE B (\n  Y INTEGER\n)")}));
}

TEST(Connection, MissingSqliteFolderRaisesWithThePath) {
  Connection c;
  ConnectionSettings s;
  s.sqliteFile = QStringLiteral("/nonexistent-folder/x/dane.sqlite");
  try {
    c.open(s);
    FAIL() << "opened";
  } catch (const DbError& e) {
    EXPECT_TRUE(e.message().contains(s.sqliteFile));
  }
}

TEST(Connection, MissingSqliteFileIsAnErrorAndIsNotCreated) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("dane z odstępem#1.sqlite"));
  ConnectionSettings s;
  s.sqliteFile = path;
  Connection c;
  EXPECT_THROW(c.open(s), DbError);
  EXPECT_FALSE(QFileInfo::exists(path));
  s.createIfMissing = true;
  c.open(s);
  c.executeScript(QStringLiteral("CREATE TABLE A (X INTEGER);"));
  EXPECT_TRUE(QFileInfo::exists(path));
  c.close();
  s.createIfMissing = false;
  c.open(s);
  EXPECT_TRUE(c.hasTable(QStringLiteral("a")));
}

}  // namespace
}  // namespace wertalo::db
