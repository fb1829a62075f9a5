#include "core/text/currency.h"

#include <cmath>
#include <limits>

namespace wertalo::text {

namespace {

constexpr std::int64_t kMaxUnits = std::numeric_limits<std::int64_t>::max();

bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

}  // namespace

Currency Currency::fromDouble(double value) {
  if (!std::isfinite(value)) return Currency{};
  const double scaled = value * 10000.0;
  // 2^63 is exact as a double; a larger amount stops at the bound of its sign.
  if (scaled >= 9223372036854775808.0) return Currency{kMaxUnits};
  if (scaled <= -9223372036854775808.0) return Currency{-kMaxUnits};
  return Currency{static_cast<std::int64_t>(std::llround(scaled))};
}

std::optional<Currency> Currency::fromDecimalText(QStringView text) {
  text = text.trimmed();
  if (text.isEmpty()) return std::nullopt;
  bool negative = false;
  qsizetype i = 0;
  if (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+')) {
    negative = text[0] == QLatin1Char('-');
    ++i;
  }
  std::int64_t whole = 0;
  int wholeDigits = 0;
  for (; i < text.size() && isAsciiDigit(text[i]); ++i, ++wholeDigits) {
    whole = whole * 10 + text[i].digitValue();
    if (whole > kMaxUnits / 10000) return std::nullopt;
  }
  std::int64_t fraction = 0;
  int fractionDigits = 0;
  bool roundUp = false;
  if (i < text.size() && (text[i] == QLatin1Char('.') || text[i] == QLatin1Char(','))) {
    ++i;
    for (; i < text.size() && isAsciiDigit(text[i]); ++i, ++fractionDigits) {
      if (fractionDigits < 4) {
        fraction = fraction * 10 + text[i].digitValue();
      } else if (fractionDigits == 4) {
        roundUp = text[i].digitValue() >= 5;
      }
    }
  }
  if (i != text.size() || (wholeDigits == 0 && fractionDigits == 0)) return std::nullopt;
  for (int d = fractionDigits; d < 4; ++d) fraction *= 10;
  // whole <= kMaxUnits / 10000, so only the fraction can carry past the top.
  const std::int64_t head = whole * 10000;
  const std::int64_t tail = fraction + (roundUp ? 1 : 0);
  if (head > kMaxUnits - tail) return std::nullopt;
  const std::int64_t units = head + tail;
  return Currency{negative ? -units : units};
}

}  // namespace wertalo::text
