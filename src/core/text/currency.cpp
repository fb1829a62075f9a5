#include "core/text/currency.h"

#include <cmath>
#include <limits>

namespace wertalo::text {

Currency Currency::fromDouble(double value) {
  if (!std::isfinite(value)) return Currency{};
  return Currency{static_cast<std::int64_t>(std::llround(value * 10000.0))};
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
  for (; i < text.size() && text[i].isDigit(); ++i, ++wholeDigits) {
    if (whole > (std::numeric_limits<std::int64_t>::max() / 10 - 9) / 10000) return std::nullopt;
    whole = whole * 10 + text[i].digitValue();
  }
  std::int64_t fraction = 0;
  int fractionDigits = 0;
  bool roundUp = false;
  if (i < text.size() && (text[i] == QLatin1Char('.') || text[i] == QLatin1Char(','))) {
    ++i;
    for (; i < text.size() && text[i].isDigit(); ++i, ++fractionDigits) {
      if (fractionDigits < 4) {
        fraction = fraction * 10 + text[i].digitValue();
      } else if (fractionDigits == 4) {
        roundUp = text[i].digitValue() >= 5;
      }
    }
  }
  if (i != text.size() || (wholeDigits == 0 && fractionDigits == 0)) return std::nullopt;
  for (int d = fractionDigits; d < 4; ++d) fraction *= 10;
  std::int64_t units = whole * 10000 + fraction + (roundUp ? 1 : 0);
  return Currency{negative ? -units : units};
}

}  // namespace wertalo::text
