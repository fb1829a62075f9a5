#include "core/text/amount.h"

#include <cstdint>

namespace wertalo::text {

QString amountText(Currency value) {
  const bool negative = value.units < 0;
  // Unsigned, so that the magnitude of the lowest value and the rounding cannot overflow.
  const std::uint64_t magnitude =
      negative ? std::uint64_t{0} - static_cast<std::uint64_t>(value.units) : static_cast<std::uint64_t>(value.units);
  const std::uint64_t hundredths = magnitude / 100 + (magnitude % 100 >= 50 ? 1 : 0);  // half away from zero
  const std::uint64_t whole = hundredths / 100;
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
