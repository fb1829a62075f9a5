#include "core/demo/demo_world.h"

namespace wertalo::demo {

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

qint64 executedPart(qint64 yearly, const Period& period, qint64 percent) {
  return yearly * period.twelfths() / 12 * percent / 100 / 100 * 100;
}

text::Currency randomAmount(Random& rng, const Unit& unit, qint64 loZloty, qint64 hiZloty) {
  const qint64 grosze = rng.range(loZloty * 100, hiZloty * 100);
  return text::Currency{grosze * unit.scale};  // grosze * 100 / 100 percent
}

}  // namespace wertalo::demo
