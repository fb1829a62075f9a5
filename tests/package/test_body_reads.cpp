// The run's reads of the report tables: a window of reports read with one statement gives every
// report exactly the rows its own statement gives, in the same order; memory holds one window;
// the filters compare texts as the engine's "=" does.
#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "core/catalogue/select_table.h"
#include "core/db/db_error.h"
#include "core/db/ids_read.h"
#include "core/db/select_all.h"
#include "core/db/query.h"
#include "core/package/body_reads.h"
#include "core/package/report_context.h"
#include "support/databases.h"

namespace wertalo::package {
namespace {

class BodyReadsTest : public ::testing::TestWithParam<db::Engine> {
 protected:
  void SetUp() override {
    if (GetParam() == db::Engine::Firebird) WERTALO_REQUIRE_FIREBIRD();
    db_ = test::emptyDatabase(GetParam(), true, server_);
    // Reports 1..5 in RB30, written interleaved; report 4 has no rows. Among the rows of
    // report 3, PAR holds a padded text and a Null.
    const char* rows[] = {
        "insert into RB30 (IDSPRAW, KOD, PAR, UWAGI) values (3, 'A', '10', 'c1')",
        "insert into RB30 (IDSPRAW, KOD, PAR, UWAGI) values (1, 'A', '20', 'a1')",
        "insert into RB30 (IDSPRAW, KOD, PAR, UWAGI) values (3, 'B', '10', 'c2')",
        "insert into RB30 (IDSPRAW, KOD, PAR, UWAGI) values (5, 'A', '30', 'e1')",
        "insert into RB30 (IDSPRAW, KOD, PAR, UWAGI) values (2, 'A', '40', 'b1')",
        "insert into RB30 (IDSPRAW, KOD, PAR, UWAGI) values (3, 'A', '10 ', 'c3')",
        "insert into RB30 (IDSPRAW, KOD, PAR, UWAGI) values (1, 'B', '21', 'a2')",
        "insert into RB30 (IDSPRAW, KOD, PAR, UWAGI) values (3, 'A', NULL, 'c4')",
        "insert into RB30 (IDSPRAW, KOD, PAR, UWAGI) values (3, 'A', '11', 'c5')",
    };
    for (const char* row : rows) openOrRun(row);
  }

  void openOrRun(const char* sql) {
    db::Query query(*db_);
    query.setSql(QString::fromLatin1(sql));
    query.execSql();
  }

  // The UWAGI texts of a report's rows read by its own statement.
  QStringList ownRows(qint64 idspraw) {
    db::Query query(*db_);
    query.setSql(QStringLiteral("select * from RB30 where IDSPRAW=:IDSPRAW"));
    query.bindInt(QStringLiteral("IDSPRAW"), idspraw);
    return descriptions(query.open());
  }

  static QStringList descriptions(db::DataSet rows) {
    QStringList texts;
    for (rows.first(); !rows.eof(); rows.next()) texts << rows.text(u"UWAGI");
    return texts;
  }

  std::unique_ptr<test::FirebirdDatabase> server_;
  std::unique_ptr<db::Connection> db_;
};

TEST_P(BodyReadsTest, EveryReportGetsTheRowsOfItsOwnStatementOneReadPerWindow) {
  // The run writes 3, 1, 5, 2, 4 (4 without rows); windows of two: {3, 1}, {5, 2}, {4}.
  BodyReads reads(*db_, {3, 1, 5, 2, 4, 3}, 2);
  for (const qint64 id : {3, 1, 5, 2, 4}) {
    const std::optional<db::DataSet> rows = reads.rowsOf(QStringLiteral("RB30"), id);
    ASSERT_TRUE(rows.has_value()) << id;
    EXPECT_EQ(descriptions(*rows), ownRows(id)) << id;
    // Asked again (Rb-50's parts, a plan report's sections), the window is not read again.
    EXPECT_EQ(descriptions(*reads.rowsOf(QStringLiteral("RB30"), id)), ownRows(id)) << id;
  }
  EXPECT_EQ(reads.readCount(), 3);
  EXPECT_EQ(descriptions(*reads.rowsOf(QStringLiteral("RB30"), 3)), QStringList({"c1", "c2", "c3", "c4", "c5"}));
  EXPECT_EQ(reads.readCount(), 4) << "only the latest window of a table is held";
  // A report outside the run is left to its own statement.
  EXPECT_FALSE(reads.rowsOf(QStringLiteral("RB30"), 6).has_value());
}

TEST_P(BodyReadsTest, AFailedReadNamesTheEnginesTextAndIsMadeAgain) {
  BodyReads reads(*db_, {1, 2}, 2);
  try {
    reads.rowsOf(QStringLiteral("RB30_MISSING"), 1);
    ADD_FAILURE() << "a missing table was read";
  } catch (const db::DbError& e) {
    EXPECT_TRUE(e.message().contains(QStringLiteral("RB30_MISSING"), Qt::CaseInsensitive)) << e.message().toStdString();
  }
  EXPECT_THROW(reads.rowsOf(QStringLiteral("RB30_MISSING"), 2), db::DbError);
  EXPECT_EQ(reads.readCount(), 0);
  EXPECT_EQ(descriptions(*reads.rowsOf(QStringLiteral("RB30"), 1)), ownRows(1));
}

TEST_P(BodyReadsTest, FiltersCompareAsTheEnginesEqualsDoes) {
  BodyReads reads(*db_, {3}, 10);
  catalogue::SelectRow row;
  row.IDSPRAW = 3;
  for (BodyReads* run : {static_cast<BodyReads*>(nullptr), &reads}) {
    const ReportContext report(*db_, catalogue::rJST, row, true, run);
    db::Query own(*db_);
    own.setSql(QStringLiteral("select * from RB30 where IDSPRAW=:IDSPRAW and KOD=:KOD and PAR=:PAR"));
    own.bindInt(QStringLiteral("IDSPRAW"), 3);
    own.bindText(QStringLiteral("KOD"), QStringLiteral("A"));
    own.bindText(QStringLiteral("PAR"), QStringLiteral("10"));
    // SQLite compares "10 " and "10" as different texts, Firebird pads the shorter one; a Null
    // equals nothing on both.
    const QStringList expected = GetParam() == db::Engine::Firebird ? QStringList({"c1", "c3"}) : QStringList({"c1"});
    EXPECT_EQ(descriptions(own.open()), expected);
    EXPECT_EQ(descriptions(report.tableRows(QStringLiteral("RB30"), {{"KOD", QStringLiteral("A")}, {"PAR", QStringLiteral("10")}})),
              expected);
    EXPECT_EQ(descriptions(report.tableRows(QStringLiteral("RB30"), {{"KOD", QStringLiteral("A")}})),
              QStringList({"c1", "c3", "c4", "c5"}));
    EXPECT_THROW(report.tableRows(QStringLiteral("RB30"), {{"NO_SUCH_FIELD", QStringLiteral("A")}}), db::DbError);
  }
}

// A stretch of reports is read as one range of IDSPRAW: the rows of reports of the range that
// are not in the run stay out, and every text comes whole, a long one too.
TEST_P(BodyReadsTest, AStretchIsReadAsARangeWithoutOtherReportsRows) {
  db::Query insert(*db_);
  insert.setSql(QStringLiteral("insert into RB30 (IDSPRAW, KOD, UWAGI) values (:IDSPRAW, 'A', :UWAGI)"));
  const QString longText = QString(9000, QChar(u'ż'));
  std::vector<qint64> run;
  for (qint64 id = 10; id <= 29; ++id) {
    for (int copy = 0; copy < 2; ++copy) {
      insert.bindInt(QStringLiteral("IDSPRAW"), id);
      insert.bindText(QStringLiteral("UWAGI"), id == 25 && copy == 1 ? longText : QStringLiteral("r%1.%2").arg(id).arg(copy));
      insert.execSql();
    }
    if (id != 14) run.push_back(id);
  }
  EXPECT_EQ(db::spelledOutSelectAll(*db_, QStringLiteral("select * from RB30 where IDSPRAW between 10 and 29")).has_value(),
            GetParam() == db::Engine::Firebird);
  const db::IdStretches split = db::splitIds(run, false);
  ASSERT_EQ(split.ranges.size(), 1u);
  EXPECT_EQ(split.ranges[0], std::make_pair(qint64(10), qint64(29)));

  // Windows of ten: 10..20 without 14, then 21..29 with the long text.
  BodyReads reads(*db_, run, 10);
  for (const qint64 id : run) EXPECT_EQ(descriptions(*reads.rowsOf(QStringLiteral("RB30"), id)), ownRows(id)) << id;
  EXPECT_EQ(descriptions(*reads.rowsOf(QStringLiteral("RB30"), 25)).at(1), longText);
  EXPECT_FALSE(reads.rowsOf(QStringLiteral("RB30"), 14).has_value());
  EXPECT_EQ(reads.readCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(Engines, BodyReadsTest, ::testing::Values(db::Engine::Sqlite, db::Engine::Firebird),
                         [](const ::testing::TestParamInfo<db::Engine>& info) {
                           return info.param == db::Engine::Sqlite ? "Sqlite" : "Firebird";
                         });

}  // namespace
}  // namespace wertalo::package
