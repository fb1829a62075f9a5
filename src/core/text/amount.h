// Wertalo: the one amount text of every package ("1234.50").
#pragma once

#include <QString>

#include <optional>

#include "core/text/currency.h"

namespace wertalo::text {

// Rounded half away from zero to hundredths, "." as separator, no grouping, no locale.
QString amountText(Currency value);
// The float becomes currency first (nearest ten-thousandth), then as above.
QString amountText(double value);
// Null gives "0.00".
QString amountText(std::optional<Currency> value);

}  // namespace wertalo::text
