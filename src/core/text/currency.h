// Wertalo: currency amounts as exact fixed point (ten-thousandths).
#pragma once

#include <QString>
#include <QStringView>

#include <compare>
#include <cstdint>
#include <optional>

namespace wertalo::text {

// An amount in ten-thousandths of the unit, as the product's currency columns keep it.
struct Currency {
  std::int64_t units = 0;

  // The float rounded to the nearest ten-thousandth (half away from zero); infinity and
  // not-a-number give 0, a finite float beyond the range gives the bound of its sign.
  static Currency fromDouble(double value);
  // Exact parse of a decimal text such as "-1234.5678" or "12,5"; digits past the fourth
  // decimal are rounded half away from zero. Empty, malformed or out-of-range text gives nothing.
  static std::optional<Currency> fromDecimalText(QStringView text);

  double toDouble() const { return static_cast<double>(units) / 10000.0; }

  friend auto operator<=>(const Currency&, const Currency&) = default;
};

}  // namespace wertalo::text
