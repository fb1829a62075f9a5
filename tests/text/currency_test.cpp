// Currency: exact decimal parse and float conversion.
#include "core/text/currency.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include <ostream>

#include <gtest/gtest.h>

namespace {

using wertalo::text::Currency;

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

struct ParseCase {
  const char* text;  // UTF-8
  std::int64_t units;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << "\"" << c.text << "\" -> " << c.units; }

class FromDecimalTextTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(FromDecimalTextTest, Parses) {
  const ParseCase& c = GetParam();
  const std::optional<Currency> parsed = Currency::fromDecimalText(QString::fromUtf8(c.text));
  ASSERT_TRUE(parsed.has_value()) << "\"" << c.text << "\"";
  EXPECT_EQ(parsed->units, c.units) << "\"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(Exact, FromDecimalTextTest,
                         ::testing::Values(ParseCase{"0", 0}, ParseCase{"1234.5678", 12345678},
                                           ParseCase{"1234.5", 12345000}, ParseCase{"1000000", 10000000000},
                                           ParseCase{"0.0001", 1}, ParseCase{".5", 5000}, ParseCase{"5.", 50000},
                                           ParseCase{"+7", 70000}, ParseCase{"007.10", 71000},
                                           ParseCase{"  3.25\t", 32500}, ParseCase{"-0", 0}, ParseCase{"-0.0000", 0},
                                           ParseCase{"922337203685477.5807", kMax},
                                           ParseCase{"-922337203685477.5807", -kMax}));

INSTANTIATE_TEST_SUITE_P(CommaSeparator, FromDecimalTextTest,
                         ::testing::Values(ParseCase{"12,5", 125000}, ParseCase{"-1234,5678", -12345678},
                                           ParseCase{",25", 2500}));

INSTANTIATE_TEST_SUITE_P(Negative, FromDecimalTextTest,
                         ::testing::Values(ParseCase{"-1234.5", -12345000}, ParseCase{"-0.0001", -1},
                                           ParseCase{"-3.456", -34560}, ParseCase{"-.5", -5000}));

INSTANTIATE_TEST_SUITE_P(FifthDecimalRounded, FromDecimalTextTest,
                         ::testing::Values(ParseCase{"1.00005", 10001}, ParseCase{"1.00004", 10000},
                                           ParseCase{"1.000049999", 10000}, ParseCase{"1.00009", 10001},
                                           ParseCase{"1.000050000", 10001}, ParseCase{"2.99995", 30000},
                                           ParseCase{"0.00005", 1}, ParseCase{"-0.00005", -1},
                                           ParseCase{"-1.00005", -10001}, ParseCase{"-1.00004", -10000},
                                           ParseCase{"-2.99995", -30000}, ParseCase{"922337203685477.58065", kMax}));

class MalformedTest : public ::testing::TestWithParam<const char*> {};

TEST_P(MalformedTest, GivesNothing) {
  EXPECT_FALSE(Currency::fromDecimalText(QString::fromUtf8(GetParam())).has_value()) << "\"" << GetParam() << "\"";
}

INSTANTIATE_TEST_SUITE_P(Text, MalformedTest,
                         ::testing::Values("", "   ", "-", "+", ".", ",", "-.", "1.2.3", "1,2,3", "1.2,3", "12a", "a12",
                                           "1e5", "1E-5", "1 000", "--1", "+-1", "1-", "0x10", "1.2x", "NaN", "inf",
                                           "١٢", "１２", "1.٢"));

INSTANTIATE_TEST_SUITE_P(OutOfRange, MalformedTest,
                         ::testing::Values("922337203685477.5808", "922337203685477.58075", "922337203685478",
                                           "922337203685479", "999999999999999", "99999999999999999999",
                                           "-922337203685477.5808", "-922337203685479"));

struct DoubleCase {
  double value;
  std::int64_t units;
};

void PrintTo(const DoubleCase& c, std::ostream* os) { *os << c.value << " -> " << c.units; }

class FromDoubleTest : public ::testing::TestWithParam<DoubleCase> {};

TEST_P(FromDoubleTest, RoundsToTenThousandths) {
  const DoubleCase& c = GetParam();
  EXPECT_EQ(Currency::fromDouble(c.value).units, c.units) << c.value;
}

INSTANTIATE_TEST_SUITE_P(Values, FromDoubleTest,
                         ::testing::Values(DoubleCase{0.0, 0}, DoubleCase{-0.0, 0}, DoubleCase{1234.5, 12345000},
                                           DoubleCase{1234.565, 12345650}, DoubleCase{-3.456, -34560},
                                           DoubleCase{0.005, 50}, DoubleCase{0.1 + 0.2, 3000},
                                           DoubleCase{1.23456, 12346}, DoubleCase{-1.23456, -12346},
                                           DoubleCase{1.23454, 12345}, DoubleCase{0.00004, 0}, DoubleCase{-0.00004, 0},
                                           DoubleCase{0.00006, 1}, DoubleCase{-0.00006, -1},
                                           DoubleCase{123456789012.34, 1234567890123400},
                                           DoubleCase{-98765432109.8765, -987654321098765}));

INSTANTIATE_TEST_SUITE_P(BeyondRange, FromDoubleTest,
                         ::testing::Values(DoubleCase{1e15, kMax}, DoubleCase{-1e15, -kMax}, DoubleCase{1e300, kMax},
                                           DoubleCase{-1e300, -kMax},
                                           DoubleCase{std::numeric_limits<double>::infinity(), 0},
                                           DoubleCase{-std::numeric_limits<double>::infinity(), 0},
                                           DoubleCase{std::numeric_limits<double>::quiet_NaN(), 0}));

TEST(Currency, ToDoubleAndBackKeepsTheUnits) {
  for (const std::int64_t units : {std::int64_t{0}, std::int64_t{1}, std::int64_t{-1}, std::int64_t{12345678},
                                   std::int64_t{-34560}, std::int64_t{1234567890123456}}) {
    EXPECT_EQ(Currency::fromDouble(Currency{units}.toDouble()).units, units) << units;
  }
}

TEST(Currency, Compares) {
  EXPECT_LT(Currency{-1}, Currency{0});
  EXPECT_EQ(Currency::fromDecimalText(u"1,5"), Currency{15000});
  EXPECT_NE(Currency{1}, Currency{2});
}

}  // namespace
