// locate on a data set large enough to be indexed finds the same row a search from the first
// row finds: the first row whose values match, integers matching the texts that read as them.
#include <gtest/gtest.h>

#include "core/db/data_set.h"
#include "core/db/db_error.h"
#include "core/db/field_index.h"

namespace wertalo::db {
namespace {

// Twelve rows (more than a set searched row by row) with repeated keys, an integer stored as
// text, and Nulls.
DataSet rows() {
  const QVariant null;
  std::vector<DataSet::Row> rows = {
      {qint64(1), QStringLiteral("BILS"), QStringLiteral("A")},   // 0
      {QStringLiteral("03"), QStringLiteral("BILB"), null},       // 1: reads as the integer 3
      {qint64(3), QStringLiteral("BILS"), QStringLiteral("P")},   // 2
      {qint64(4), null, QStringLiteral("P")},                     // 3
      {qint64(5), QStringLiteral("BILS"), QStringLiteral("P")},   // 4
      {null, QStringLiteral("BILJ"), QStringLiteral("A")},        // 5
      {qint64(7), QStringLiteral("BILS"), QStringLiteral("P")},   // 6
      {qint64(3), QStringLiteral("BILJ"), QStringLiteral("P")},   // 7
      {QStringLiteral("x"), QStringLiteral("BILB"), QStringLiteral("A")},  // 8
      {qint64(10), null, null},                                   // 9
      {qint64(11), QStringLiteral("BILJ"), QStringLiteral("A")},  // 10
      {qint64(12), QStringLiteral("BILS"), QStringLiteral("A")},  // 11
  };
  return DataSet({QStringLiteral("ID"), QStringLiteral("TYPSPR"), QStringLiteral("TYP")}, std::move(rows));
}

struct LocateCase {
  const char* name;
  std::vector<DataSet::KeyValue> keys;
  int row;  // -1: not found
};

void PrintTo(const LocateCase& c, std::ostream* os) { *os << c.name; }

class IndexedLocate : public ::testing::TestWithParam<LocateCase> {};

TEST_P(IndexedLocate, FindsTheFirstMatchingRow) {
  DataSet ds = rows();
  ds.gotoBookmark(9);
  const LocateCase& c = GetParam();
  EXPECT_EQ(ds.locate(c.keys), c.row >= 0);
  EXPECT_EQ(ds.bookmark(), c.row >= 0 ? c.row : 9);  // not found: the cursor stays
  // Asked again (now through the index already made), the answer is the same.
  ds.gotoBookmark(9);
  EXPECT_EQ(ds.locate(c.keys), c.row >= 0);
  EXPECT_EQ(ds.bookmark(), c.row >= 0 ? c.row : 9);
}

const QVariant kNull;

INSTANTIATE_TEST_SUITE_P(
    Cases, IndexedLocate,
    ::testing::Values(
        LocateCase{"IntegerMatchesTextReadingAsIt", {{QStringLiteral("ID"), qint64(3)}}, 1},
        LocateCase{"TextMatchesByText", {{QStringLiteral("ID"), QStringLiteral("3")}}, 2},
        LocateCase{"TextOfTheStoredText", {{QStringLiteral("ID"), QStringLiteral("03")}}, 1},
        LocateCase{"IntWanted", {{QStringLiteral("ID"), 7}}, 6},
        LocateCase{"TextNoInteger", {{QStringLiteral("ID"), QStringLiteral("x")}}, 8},
        LocateCase{"NullMatchesNull", {{QStringLiteral("ID"), kNull}}, 5},
        LocateCase{"TwoFields", {{QStringLiteral("TYPSPR"), QStringLiteral("BILS")}, {QStringLiteral("TYP"), QStringLiteral("P")}}, 2},
        LocateCase{"TwoFieldsWithNull", {{QStringLiteral("TYPSPR"), QStringLiteral("BILB")}, {QStringLiteral("TYP"), kNull}}, 1},
        LocateCase{"IntegerAndText", {{QStringLiteral("ID"), qint64(3)}, {QStringLiteral("TYPSPR"), QStringLiteral("BILJ")}}, 7},
        LocateCase{"CaseCounts", {{QStringLiteral("TYPSPR"), QStringLiteral("bils")}}, -1},
        LocateCase{"NoSuchValue", {{QStringLiteral("ID"), qint64(99)}}, -1},
        LocateCase{"FieldNameWithoutCase", {{QStringLiteral("typspr"), QStringLiteral("BILJ")}}, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IndexedLocateFields, AMissingFieldIsAnError) {
  DataSet ds = rows();
  EXPECT_THROW(ds.locate(QStringLiteral("NIEMA"), 1), DbError);
}

TEST(IndexedLocateFields, CopiesAnswerAlike) {
  DataSet ds = rows();
  ASSERT_TRUE(ds.locate(QStringLiteral("ID"), qint64(12)));
  DataSet copy = ds;
  ASSERT_TRUE(copy.locate(QStringLiteral("ID"), qint64(4)));
  EXPECT_EQ(copy.bookmark(), 3);
  EXPECT_EQ(ds.bookmark(), 11);  // each copy keeps its own cursor
}

}  // namespace
}  // namespace wertalo::db

namespace wertalo::db {
namespace {

// The date of a stored text is the date of the full date-time reading of it, read quickly or not.
// A field is found as a case-blind comparison of the names finds it (the first of equal names).
TEST(FieldIndexNames, FindTheFirstNameEqualWithoutRegardToCase) {
  const QStringList names = {QStringLiteral("IDSPRAW"), QStringLiteral("Uwagi"), QStringLiteral("uwagi"),
                             QStringLiteral("Żółć"), QStringLiteral("K_N"), QStringLiteral("\u212A_X"), QStringLiteral("R1")};
  const FieldIndex index(names);
  const auto reference = [&](const QString& name) {
    for (int i = 0; i < names.size(); ++i) {
      if (names[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
  };
  const QString queries[] = {QStringLiteral("idspraw"), QStringLiteral("UWAGI"), QStringLiteral("żÓŁć"), QStringLiteral("k_n"),
                             QStringLiteral("\u212A_N"), QStringLiteral("k_x"), QStringLiteral("K_X"), QStringLiteral("r1"),
                             QStringLiteral("R"), QStringLiteral("R10"), QStringLiteral("Zolc"), QString()};
  for (const QString& query : queries) EXPECT_EQ(index.indexOf(query), reference(query)) << query.toStdString();
}

TEST(DateTexts, DateIsTheDateOfTheFullReading) {
  const char* texts[] = {"2014-03-01",          "2014-03-01 10:20:30", "2014-03-01T23:59:59.123", " 2014-12-31 ",
                         "2014-03-01 24:00:00", "2014-03-01T24:00:00", "2014-03-30 02:30:00",     "2013-12-20 00:00:00.000",
                         "2014-03-01Z",         "2014-03-01 1"};
  for (const char* text : texts) {
    const DataSet ds({QStringLiteral("D")}, {{QVariant(QString::fromLatin1(text))}});
    EXPECT_EQ(ds.date(u"D"), DataSet::dateTimeOf(ds.value(u"D")).date()) << text;
  }
  const DataSet plain({QStringLiteral("D")}, {{QVariant(QStringLiteral("2014-03-01 10:20:30"))}});
  EXPECT_EQ(plain.date(u"D"), QDate(2014, 3, 1));
}

}  // namespace
}  // namespace wertalo::db
