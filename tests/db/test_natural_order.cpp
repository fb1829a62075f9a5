// The indexes of the schema never reorder the rows of one report: a report's statement finds
// its rows through the IDSPRAW index and gets them in the order they were written, on both
// engines. Every column but IDSPRAW is written in descending order, so an index that also held
// another column (and so sorted the report's rows by it) would turn the order round.
#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlField>
#include <QSqlRecord>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

#include "core/db/connection.h"
#include "core/db/query.h"
#include "core/db/schema.h"
#include "support/databases.h"

namespace wertalo::db {
namespace {

// Rows written per table: reports 7 and 9 interleaved, 7 first; each column but IDSPRAW
// takes the value of its step, falling from step to step.
const qint64 kReportOfStep[] = {7, 9, 7, 9, 7};
constexpr int kSteps = 5;

// The value of a column at a step: larger at earlier steps, in the column's own kind.
QVariant valueAt(const QSqlField& field, int step) {
  const int rank = kSteps - step;  // 5, 4, 3, 2, 1
  switch (field.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
      return QVariant(qint64(rank));
    case QMetaType::QDate:
      return QVariant(QDate(2014, 1, rank));
    case QMetaType::QDateTime:
      return QVariant(QDateTime(QDate(2014, 1, rank), QTime(12, 0)));
    default:
      return QVariant(QString(QChar(u'a' + rank)));  // one character fits every text column
  }
}

// The tables that hold the rows of reports (they have IDSPRAW).
QStringList reportTables(Connection& connection) {
  QStringList tables;
  for (const QString& table : schemaTableNames()) {
    if (connection.database().record(table).indexOf(QStringLiteral("IDSPRAW")) >= 0) tables << table;
  }
  return tables;
}

class NaturalOrder : public ::testing::TestWithParam<Engine> {
 protected:
  void SetUp() override {
    if (GetParam() == Engine::Firebird) WERTALO_REQUIRE_FIREBIRD();
    connection_ = test::emptyDatabase(GetParam(), true, server_);
  }

  // Writes the steps into the table.
  void fill(const QString& table) {
    const QSqlRecord record = connection_->database().record(table);
    QStringList columns;
    QStringList parameters;
    for (int i = 0; i < record.count(); ++i) {
      columns << record.fieldName(i);
      parameters << QStringLiteral(":P%1").arg(i);
    }
    Query insert(*connection_);
    insert.setSql(QStringLiteral("insert into %1 (%2) values (%3)").arg(table, columns.join(u','), parameters.join(u',')));
    for (int step = 0; step < kSteps; ++step) {
      for (int i = 0; i < record.count(); ++i) {
        const QString name = QStringLiteral("P%1").arg(i);
        const QVariant value = record.fieldName(i).compare(QStringLiteral("IDSPRAW"), Qt::CaseInsensitive) == 0
                                   ? QVariant(kReportOfStep[step])
                                   : valueAt(record.field(i), step);
        switch (value.typeId()) {
          case QMetaType::LongLong: insert.bindInt(name, value.toLongLong()); break;
          case QMetaType::QDate: insert.bindDate(name, value.toDate()); break;
          case QMetaType::QDateTime: insert.bindDateTime(name, value.toDateTime()); break;
          default: insert.bindText(name, value.toString());
        }
      }
      insert.execSql();
    }
  }

  std::unique_ptr<test::FirebirdDatabase> server_;
  std::unique_ptr<Connection> connection_;
};

// Every column but IDSPRAW falls from row to row: the rows came as written.
void expectWrittenOrder(DataSet rows, const QString& table) {
  ASSERT_EQ(rows.recordCount(), 3) << table.toStdString();
  for (int column = 0; column < rows.fieldCount(); ++column) {
    const QString name = rows.fieldNames().at(column);
    if (name.compare(QStringLiteral("IDSPRAW"), Qt::CaseInsensitive) == 0) continue;
    QStringList seen;
    for (rows.first(); !rows.eof(); rows.next()) seen << DataSet::textOf(rows.value(name));
    QStringList falling = seen;
    std::sort(falling.begin(), falling.end(), std::greater<QString>());
    EXPECT_EQ(seen, falling) << table.toStdString() << "." << name.toStdString();
  }
}

TEST_P(NaturalOrder, AReportsRowsComeInTheOrderTheyWereWritten) {
  const QStringList tables = reportTables(*connection_);
  ASSERT_GT(tables.size(), 60);
  for (const QString& table : tables) {
    fill(table);
    Query report(*connection_);
    report.setSql(QStringLiteral("select * from %1 where IDSPRAW=:IDSPRAW").arg(table));
    report.bindInt(QStringLiteral("IDSPRAW"), 7);
    expectWrittenOrder(report.open(), table);
    // Read once for many reports (the later one listed first), each report's rows keep their order.
    const RowsByKey run(openForIds(*connection_, QStringLiteral("select * from %1 where IDSPRAW in").arg(table), {9, 7}),
                        u"IDSPRAW");
    expectWrittenOrder(run.rowsOf(7), table);
    // The report lists are read by period (the catalogue), never by one report.
    const bool readByReport = table.compare(QStringLiteral("SPRAWAKT"), Qt::CaseInsensitive) != 0 &&
                              table.compare(QStringLiteral("JBSPRAWAKT"), Qt::CaseInsensitive) != 0;
    if (GetParam() == Engine::Sqlite && readByReport) {
      // The statement goes through the index (otherwise this would prove nothing about it).
      const DataSet plan = openSql(*connection_, QStringLiteral("explain query plan select * from %1 where IDSPRAW=7").arg(table));
      ASSERT_FALSE(plan.isEmpty());
      EXPECT_TRUE(plan.text(u"detail").contains(QStringLiteral("INDEX"))) << table.toStdString() << ": "
                                                                         << plan.text(u"detail").toStdString();
    }
  }
}

// Rb-27ZZ takes the part number of its budget from the first plan row of its sub-type; the
// index on PODTYP must not change which row that is.
TEST_P(NaturalOrder, ThePlanRowOfASubTypeIsTheFirstWritten) {
  for (const QString& twin : {QString(), QStringLiteral("JB")}) {
    Query insert(*connection_);
    insert.setSql(QStringLiteral("insert into %1SPRAWPLAN (PODTYP, VAL1) values (:PODTYP, :VAL1)").arg(twin));
    const std::pair<int, const char*> plans[] = {{2, "75"}, {1, "85"}, {1, "15"}, {2, "05"}};
    for (const auto& [podtyp, val1] : plans) {
      insert.bindInt(QStringLiteral("PODTYP"), podtyp);
      insert.bindText(QStringLiteral("VAL1"), QString::fromLatin1(val1));
      insert.execSql();
    }
    Query report(*connection_);
    report.setSql(QStringLiteral("insert into %1SPRAWOZD (IDSPRAW, PODTYP) values (7, 1)").arg(twin));
    report.execSql();
    // A report read alone, and with others (as a run reads them).
    for (const char* which : {"=:IDSPRAW", " between 1 and 10"}) {
      Query plan(*connection_);
      plan.setSql(QStringLiteral("select s.IDSPRAW, x.VAL1 from %1SPRAWPLAN x, %1SPRAWOZD s where x.podtyp=s.podtyp and s.IDSPRAW%2")
                      .arg(twin, QString::fromLatin1(which)));
      if (plan.sql().contains(QLatin1Char(':'))) plan.bindInt(QStringLiteral("IDSPRAW"), 7);
      DataSet rows = plan.open();
      ASSERT_FALSE(rows.isEmpty()) << twin.toStdString() << which;
      EXPECT_EQ(rows.text(u"VAL1"), QStringLiteral("85")) << twin.toStdString() << which;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Engines, NaturalOrder, ::testing::Values(Engine::Sqlite, Engine::Firebird),
                         [](const ::testing::TestParamInfo<Engine>& info) {
                           return info.param == Engine::Sqlite ? "Sqlite" : "Firebird";
                         });

}  // namespace
}  // namespace wertalo::db
