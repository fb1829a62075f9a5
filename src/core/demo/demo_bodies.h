// Wertalo demo: the body rows of each report type, written for one report.
#pragma once

#include "core/demo/demo_world.h"

namespace wertalo::demo {

// Rb-27s (D2), Rb-28s (W2), Rb-28nws (NWS), Rb-27ZZ (RBZZ, RBZZDU), Rb-50 (RB50).
void writeRb27s(const World& world, const Report& report, Random& rng);
void writeRb28s(const World& world, const Report& report, Random& rng);
void writeRb28nws(const World& world, const Report& report, Random& rng);
void writeRb27zz(const World& world, const Report& report, Random& rng);
void writeRb50(const World& world, const Report& report, Random& rng);

// Rb-N (N21, N21B), Rb-Z (Z2, z2KP, z2ZB, Z2JEDNOSTKI), Rb-UN (UN), Rb-UZ (UZ), Rb-ZN (ZN2),
// Rb-ST (RBST).
void writeRbN(const World& world, const Report& report, Random& rng);
void writeRbZ(const World& world, const Report& report, Random& rng);
void writeRbUN(const World& world, const Report& report, Random& rng);
void writeRbUZ(const World& world, const Report& report, Random& rng);
void writeRbZN(const World& world, const Report& report, Random& rng);
void writeRbST(const World& world, const Report& report, Random& rng);

// Rb-NDS (F2, F2UZUPELNIENIE), Rb-PDP (P2), Rb-WS (WS), F-Zzf (FJ), F-Rzs (ZS).
void writeRbNDS(const World& world, const Report& report, Random& rng);
void writeRbPDP(const World& world, const Report& report, Random& rng);
void writeRbWS(const World& world, const Report& report, Random& rng);
void writeFZzf(const World& world, const Report& report, Random& rng);
void writeFRzs(const World& world, const Report& report, Random& rng);

// Rb-30s, Rb-31, Rb-33, Rb-34 (RB30, RB31, RB33, RB34): rows by section code.
void writeRb30(const World& world, const Report& report, Random& rng);
void writeRb31(const World& world, const Report& report, Random& rng);
void writeRb33(const World& world, const Report& report, Random& rng);
void writeRb34(const World& world, const Report& report, Random& rng);

}  // namespace wertalo::demo
