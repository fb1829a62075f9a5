#include "core/text/amount.h"

#include <cstdlib>

namespace wertalo::text {

QString amountText(Currency value) {
  const bool negative = value.units < 0;
  const std::int64_t magnitude = negative ? -value.units : value.units;
  const std::int64_t hundredths = (magnitude + 50) / 100;  // half away from zero
  const std::int64_t whole = hundredths / 100;
  const int cents = static_cast<int>(hundredths % 100);
  QString out;
  if (negative && hundredths != 0) out += QLatin1Char('-');
  out += QString::number(whole);
  out += QLatin1Char('.');
  if (cents < 10) out += QLatin1Char('0');
  out += QString::number(cents);
  return out;
}

QString amountText(double value) { return amountText(Currency::fromDouble(value)); }

QString amountText(std::optional<Currency> value) { return amountText(value.value_or(Currency{})); }

}  // namespace wertalo::text
