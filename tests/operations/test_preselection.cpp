// The command line's report list: the parts it is looked up in, and the preselection.
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/demo/demo_installation.h"
#include "core/operations/session.h"
#include "support/demo_reports.h"
#include "support/qt_printers.h"

namespace wertalo::operations {
namespace {

// `count` identifiers of `digits` digits, each followed by ",".
QString idList(int count, int digits) {
  QString list;
  for (int i = 0; i < count; ++i) list += QString(digits, QLatin1Char('1' + i % 9)) + QLatin1Char(',');
  return list;
}

struct ChunkCase {
  int count;
  int digits;
  std::vector<int> chunkLengths;
};

void PrintTo(const ChunkCase& c, std::ostream* os) { *os << c.count << "x" << c.digits; }

class IdListChunks : public ::testing::TestWithParam<ChunkCase> {};

TEST_P(IdListChunks, CutAfterTheFirstCommaFromThe1400thCharacter) {
  const QString list = idList(GetParam().count, GetParam().digits);
  const QStringList chunks = idListChunks(list);
  std::vector<int> lengths;
  for (const QString& chunk : chunks) {
    lengths.push_back(static_cast<int>(chunk.size()));
    EXPECT_TRUE(chunk.endsWith(',')) << chunk.toStdString();
  }
  EXPECT_EQ(lengths, GetParam().chunkLengths);
  EXPECT_EQ(chunks.join(QString()), list);
}

INSTANTIATE_TEST_SUITE_P(Lists, IdListChunks,
                         ::testing::Values(ChunkCase{0, 6, {}},                 // nothing to look up
                                           ChunkCase{2, 6, {14}},               // short
                                           ChunkCase{200, 6, {1400}},           // exactly 1400 characters
                                           ChunkCase{467, 2, {1401}},           // the first comma after 1400 ends it
                                           ChunkCase{470, 2, {1401, 9}},        // the rest follows
                                           ChunkCase{600, 6, {1400, 1400, 1400}}));

// The demo installation (a city with two budget units) and a session on it.
class Preselection : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    demo::DemoOptions options;
    options.folder = root_.filePath(QStringLiteral("demo"));
    options.units = 2;
    const demo::DemoInstallation demo = demo::createDemoInstallation(options);
    session_ = Session::open({demo.winIni, root_.filePath(QStringLiteral("Wertalo.xml"))}, ui_);
  }

  // The approved budget units' reports (no balance sheets) of one period (the newest report's), in order.
  std::vector<qint64> reportsOfOnePeriod() { return test::latestBudgetUnitReports(session_->dataModule().DB()); }

  std::vector<qint64> offered() const {
    std::vector<qint64> ids;
    for (int i = 0; i < session_->selection().recordCount(); ++i) ids.push_back(session_->selection().at(i).IDSPRAW);
    std::sort(ids.begin(), ids.end());
    return ids;
  }

  QTemporaryDir root_;
  platform::RecordingUserInterface ui_;
  std::unique_ptr<Session> session_;
};

TEST_F(Preselection, OffersExactlyTheListedReportsOfTheirPeriodAndUnits) {
  const std::vector<qint64> all = reportsOfOnePeriod();
  ASSERT_GE(all.size(), 2u);
  QString list;
  for (qint64 id : all) list += QString::number(id) + ',';
  ASSERT_TRUE(session_->preselect(list));
  EXPECT_EQ(offered(), all);
  EXPECT_EQ(session_->product(), catalogue::rBudzetJB);
  EXPECT_EQ(session_->unitKind(), catalogue::rJB);
  // Each unit once, in the order the database gives them.
  QStringList units = session_->chosenBudgetUnits().split(',', Qt::SkipEmptyParts);
  EXPECT_EQ(units.size(), 2);
  EXPECT_EQ(units.removeDuplicates(), 0);
}

TEST_F(Preselection, ALongListFindsItsReportsAlsoWhenItsLastPartNamesNone) {
  const std::vector<qint64> all = reportsOfOnePeriod();
  ASSERT_FALSE(all.empty());
  // The reports first, then enough identifiers of no report for a second part.
  QString list;
  for (qint64 id : all) list += QString::number(id) + ',';
  while (list.size() <= 1500) list += QStringLiteral("999999999,");
  ASSERT_EQ(idListChunks(list).size(), 2);
  EXPECT_TRUE(session_->preselect(list));
  EXPECT_EQ(offered(), all);
}

TEST_F(Preselection, AnEmptyListOrOneNamingNoReportPreselectsNothing) {
  EXPECT_FALSE(session_->preselect(QString()));
  EXPECT_FALSE(session_->preselect(QStringLiteral("999999998,999999999,")));
  EXPECT_EQ(session_->selection().recordCount(), 0);
  EXPECT_EQ(session_->product(), catalogue::rBudzetJST);
}

TEST_F(Preselection, AMalformedListIsRefusedBeforeAnyStatement) {
  for (const char* list : {"1) OR (1=1", "12,13", "12,,13,", "x,", " 12,", "12,\n"}) {
    try {
      session_->preselect(QString::fromUtf8(list));
      ADD_FAILURE() << "accepted: " << list;
    } catch (const Error& error) {
      EXPECT_EQ(error.kind(), ErrorKind::Input);
      EXPECT_TRUE(error.message().startsWith(QStringLiteral("Niepoprawna lista sprawozdań"))) << error.message().toStdString();
    }
  }
  EXPECT_EQ(session_->product(), catalogue::rBudzetJST);
}

}  // namespace
}  // namespace wertalo::operations
