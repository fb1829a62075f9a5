// The amount text of every package.
#include "core/text/amount.h"

#include <QLocale>

#include <clocale>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include <ostream>

#include <gtest/gtest.h>

namespace {

using wertalo::text::amountText;
using wertalo::text::Currency;

struct DoubleCase {
  double value;
  const char* expected;
};

void PrintTo(const DoubleCase& c, std::ostream* os) { *os << c.value << " -> " << c.expected; }

class AmountOfDoubleTest : public ::testing::TestWithParam<DoubleCase> {};

TEST_P(AmountOfDoubleTest, Writes) {
  const DoubleCase& c = GetParam();
  EXPECT_EQ(amountText(c.value), QLatin1String(c.expected)) << c.value;
}

INSTANTIATE_TEST_SUITE_P(Values, AmountOfDoubleTest,
                         ::testing::Values(DoubleCase{1234.5, "1234.50"}, DoubleCase{1000000, "1000000.00"},
                                           DoubleCase{1234.565, "1234.57"}, DoubleCase{-3.456, "-3.46"},
                                           DoubleCase{0.005, "0.01"}, DoubleCase{-0.005, "-0.01"},
                                           DoubleCase{0, "0.00"}, DoubleCase{-0.0, "0.00"}, DoubleCase{-0.004, "0.00"},
                                           DoubleCase{0.004, "0.00"}, DoubleCase{0.1, "0.10"}, DoubleCase{7, "7.00"},
                                           DoubleCase{-7, "-7.00"}, DoubleCase{12.3449, "12.34"},
                                           DoubleCase{12.345, "12.35"}, DoubleCase{99.995, "100.00"},
                                           DoubleCase{-99.995, "-100.00"}, DoubleCase{0.1 + 0.2, "0.30"},
                                           DoubleCase{1.005, "1.01"}, DoubleCase{2.675, "2.68"}));

INSTANTIATE_TEST_SUITE_P(
    Large, AmountOfDoubleTest,
    ::testing::Values(DoubleCase{1e12, "1000000000000.00"}, DoubleCase{-1e12, "-1000000000000.00"},
                      DoubleCase{123456789012.345, "123456789012.35"}, DoubleCase{987654321098.76, "987654321098.76"},
                      DoubleCase{9e14, "900000000000000.00"},
                      // beyond the currency range the amount stops at its bound instead of changing sign
                      DoubleCase{1e16, "922337203685477.58"}, DoubleCase{-1e16, "-922337203685477.58"}));

struct CurrencyCase {
  std::int64_t units;
  const char* expected;
};

void PrintTo(const CurrencyCase& c, std::ostream* os) { *os << c.units << " -> " << c.expected; }

class AmountOfCurrencyTest : public ::testing::TestWithParam<CurrencyCase> {};

TEST_P(AmountOfCurrencyTest, Writes) {
  const CurrencyCase& c = GetParam();
  EXPECT_EQ(amountText(Currency{c.units}), QLatin1String(c.expected)) << c.units;
}

INSTANTIATE_TEST_SUITE_P(
    Units, AmountOfCurrencyTest,
    ::testing::Values(CurrencyCase{0, "0.00"}, CurrencyCase{49, "0.00"}, CurrencyCase{50, "0.01"},
                      CurrencyCase{-49, "0.00"}, CurrencyCase{-50, "-0.01"}, CurrencyCase{100, "0.01"},
                      CurrencyCase{10000, "1.00"}, CurrencyCase{12345678, "1234.57"}, CurrencyCase{12345649, "1234.56"},
                      CurrencyCase{-12345650, "-1234.57"}, CurrencyCase{999950, "100.00"},
                      CurrencyCase{9000000, "900.00"},
                      CurrencyCase{std::numeric_limits<std::int64_t>::max(), "922337203685477.58"},
                      CurrencyCase{-std::numeric_limits<std::int64_t>::max(), "-922337203685477.58"},
                      CurrencyCase{std::numeric_limits<std::int64_t>::min(), "-922337203685477.58"},
                      CurrencyCase{9223372036854775750, "922337203685477.58"}));

TEST(AmountText, NullIsZero) {
  EXPECT_EQ(amountText(std::nullopt), QStringLiteral("0.00"));
  EXPECT_EQ(amountText(std::optional<Currency>()), QStringLiteral("0.00"));
  EXPECT_EQ(amountText(std::optional<Currency>(Currency{-34560})), QStringLiteral("-3.46"));
  EXPECT_EQ(amountText(Currency::fromDecimalText(u"1234,565")), QStringLiteral("1234.57"));
}

// Switches the C and Qt locales to Polish (decimal comma) and puts both back afterwards.
class PolishLocale {
 public:
  PolishLocale() : cLocale_(std::setlocale(LC_ALL, nullptr)), qtLocale_(QLocale()) {
    switched_ = std::setlocale(LC_ALL, "pl_PL.UTF-8") != nullptr;
    QLocale::setDefault(QLocale(QLocale::Polish));
  }
  ~PolishLocale() {
    std::setlocale(LC_ALL, cLocale_.c_str());
    QLocale::setDefault(qtLocale_);
  }
  PolishLocale(const PolishLocale&) = delete;
  PolishLocale& operator=(const PolishLocale&) = delete;
  bool switched() const { return switched_; }

 private:
  std::string cLocale_;
  QLocale qtLocale_;
  bool switched_ = false;
};

TEST(AmountText, DecimalCommaLocaleChangesNothing) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  {
    PolishLocale polish;
    ASSERT_TRUE(polish.switched()) << "the pl_PL.UTF-8 locale is not installed";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    ASSERT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
    EXPECT_EQ(amountText(1234.565), QStringLiteral("1234.57"));
    EXPECT_EQ(amountText(-1234567.5), QStringLiteral("-1234567.50"));
    EXPECT_EQ(amountText(Currency::fromDecimalText(u"1234.5")), QStringLiteral("1234.50"));
    EXPECT_EQ(amountText(Currency::fromDecimalText(u"1234,5")), QStringLiteral("1234.50"));
  }
  EXPECT_EQ(std::string(std::setlocale(LC_ALL, nullptr)), before);
  EXPECT_STREQ(std::localeconv()->decimal_point, ".");
  EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral("."));
}

}  // namespace
