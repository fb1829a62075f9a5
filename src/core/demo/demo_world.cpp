#include "core/demo/demo_world.h"

namespace wertalo::demo {

namespace {

// Rounds down to whole grosze (hundreds of ten-thousandths), towards zero.
qint64 toGrosze(qint64 tenThousandths) { return tenThousandths / 100 * 100; }

}  // namespace

Classification homeOf(Profile profile) {
  switch (profile) {
    case Profile::City:
    case Profile::Office: return {QStringLiteral("750"), QStringLiteral("75023")};
    case Profile::School: return {QStringLiteral("801"), QStringLiteral("80101")};
    case Profile::Kindergarten: return {QStringLiteral("801"), QStringLiteral("80104")};
    case Profile::Welfare: return {QStringLiteral("852"), QStringLiteral("85219")};
    case Profile::Establishment: return {QStringLiteral("900"), QStringLiteral("90003")};
    case Profile::Group: return {QStringLiteral("801"), QStringLiteral("80114")};
  }
  return {};
}

text::Currency partOfYear(text::Currency yearly, const Period& period) {
  return text::Currency{toGrosze(yearly.units / 12 * period.twelfths())};
}

text::Currency percentOf(text::Currency amount, qint64 percent) {
  return text::Currency{toGrosze(amount.units / 100 * percent)};
}

text::Currency randomAmount(Random& rng, const Unit& unit, qint64 loZloty, qint64 hiZloty) {
  const qint64 grosze = rng.range(loZloty * 100, hiZloty * 100);
  return text::Currency{grosze * unit.scale};  // grosze * 100 / 100 percent
}

}  // namespace wertalo::demo
