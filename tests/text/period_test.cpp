// Period codes: period table to report tables to Besti@.
#include "core/text/period.h"

#include <ostream>

#include <gtest/gtest.h>

namespace {

using namespace wertalo::text;

struct OkresCase {
  const char* okres;
  int okres2;
  const char* expected;
};

void PrintTo(const OkresCase& c, std::ostream* os) {
  *os << "\"" << c.okres << "\", " << c.okres2 << " -> \"" << c.expected << "\"";
}

class OkresDToOkresTest : public ::testing::TestWithParam<OkresCase> {};

TEST_P(OkresDToOkresTest, GivesReportCode) {
  const OkresCase& c = GetParam();
  EXPECT_EQ(OkresDToOkres(QString::fromUtf8(c.okres), c.okres2), QString::fromUtf8(c.expected))
      << "okres " << c.okres << ", okres2 " << c.okres2;
}

INSTANTIATE_TEST_SUITE_P(MonthLetters, OkresDToOkresTest,
                         ::testing::Values(OkresCase{"1", -200, "A"}, OkresCase{"1", -100, "B"},
                                           OkresCase{"1", -50, "C"}, OkresCase{"2", -200, "D"},
                                           OkresCase{"2", -100, "E"}, OkresCase{"2", -50, "F"},
                                           OkresCase{"3", -200, "G"}, OkresCase{"3", -100, "H"},
                                           OkresCase{"3", -50, "I"}, OkresCase{"4", -200, "J"},
                                           OkresCase{"4", -100, "K"}, OkresCase{"4", -50, "L"},
                                           // only the first character names the quarter
                                           OkresCase{"12", -200, "A"}, OkresCase{"4x", -50, "L"}));

INSTANTIATE_TEST_SUITE_P(Unchanged, OkresDToOkresTest,
                         ::testing::Values(OkresCase{"3", 0, "3"}, OkresCase{"1", 0, "1"}, OkresCase{"4", 0, "4"},
                                           OkresCase{"2", 7, "2"}, OkresCase{"2", -150, "2"}, OkresCase{"2", 200, "2"},
                                           OkresCase{"2", 100, "2"}, OkresCase{"2", 50, "2"}, OkresCase{"2", -201, "2"},
                                           OkresCase{"5", -200, "5"}, OkresCase{"0", -100, "0"},
                                           OkresCase{"A", -50, "A"},
                                           // the whole code is kept, not only its first character
                                           OkresCase{"34", 0, "34"}, OkresCase{"57", -200, "57"},
                                           OkresCase{" 1", -200, " 1"}, OkresCase{"", -200, ""}, OkresCase{"", 0, ""}));

struct Okres2Case {
  const char* okres;
  int okres2;
};

void PrintTo(const Okres2Case& c, std::ostream* os) { *os << "\"" << c.okres << "\", " << c.okres2; }

class Okres2DToOkres2Test : public ::testing::TestWithParam<Okres2Case> {};

TEST_P(Okres2DToOkres2Test, IsAlwaysZero) {
  const Okres2Case& c = GetParam();
  EXPECT_EQ(Okres2DToOkres2(QString::fromUtf8(c.okres), c.okres2), 0) << c.okres << ", " << c.okres2;
}

INSTANTIATE_TEST_SUITE_P(AnyArguments, Okres2DToOkres2Test,
                         ::testing::Values(Okres2Case{"1", -200}, Okres2Case{"4", -50}, Okres2Case{"3", 0},
                                           Okres2Case{"2", 7}, Okres2Case{"", 12345}, Okres2Case{"X", -1}));

struct BestiaCase {
  const char* okres;
  const char* expected;
};

void PrintTo(const BestiaCase& c, std::ostream* os) { *os << "\"" << c.okres << "\" -> \"" << c.expected << "\""; }

class OkresToOkresBestiaTest : public ::testing::TestWithParam<BestiaCase> {};

TEST_P(OkresToOkresBestiaTest, GivesPeriodNumber) {
  const BestiaCase& c = GetParam();
  EXPECT_EQ(OkresToOkresBestia(QString::fromUtf8(c.okres)), QString::fromUtf8(c.expected)) << "okres " << c.okres;
}

INSTANTIATE_TEST_SUITE_P(Months, OkresToOkresBestiaTest,
                         ::testing::Values(BestiaCase{"A", "1"}, BestiaCase{"B", "2"}, BestiaCase{"C", "3"},
                                           BestiaCase{"D", "4"}, BestiaCase{"E", "5"}, BestiaCase{"F", "6"},
                                           BestiaCase{"G", "7"}, BestiaCase{"H", "8"}, BestiaCase{"I", "9"},
                                           BestiaCase{"J", "10"}, BestiaCase{"K", "11"}, BestiaCase{"L", "12"},
                                           // the first character decides
                                           BestiaCase{"AB", "1"}));

INSTANTIATE_TEST_SUITE_P(Unchanged, OkresToOkresBestiaTest,
                         ::testing::Values(BestiaCase{"1", "1"}, BestiaCase{"2", "2"}, BestiaCase{"3", "3"},
                                           BestiaCase{"4", "4"}, BestiaCase{"@", "@"}, BestiaCase{"10", "10"},
                                           BestiaCase{"", ""}));

TEST(PeriodRoundTrip, EveryMonthOfThePeriodTableReachesItsNumber) {
  const int subPeriods[] = {-200, -100, -50};
  for (int quarter = 1; quarter <= 4; ++quarter) {
    for (int k = 0; k < 3; ++k) {
      const QString code = OkresDToOkres(QString::number(quarter), subPeriods[k]);
      EXPECT_EQ(OkresToOkresBestia(code), QString::number((quarter - 1) * 3 + k + 1)) << quarter << ", " << k;
    }
    EXPECT_EQ(OkresToOkresBestia(OkresDToOkres(QString::number(quarter), 0)), QString::number(quarter));
  }
}

}  // namespace
