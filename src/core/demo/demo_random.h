// Wertalo demo: a small pseudo-random generator with a fixed seed, so that the same command
// always writes the same data (no clock, no platform-dependent distributions).
#pragma once

#include <QtGlobal>

#include <cstdint>

namespace wertalo::demo {

// SplitMix64: the same sequence on every machine and compiler.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  // The next 64 random bits.
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // An integer from `lo` to `hi`, both included.
  qint64 range(qint64 lo, qint64 hi) {
    if (hi <= lo) return lo;
    return lo + static_cast<qint64>(next() % static_cast<std::uint64_t>(hi - lo + 1));
  }
  // True in about `percent` cases of a hundred.
  bool chance(int percent) { return range(0, 99) < percent; }

 private:
  std::uint64_t state_;
};

}  // namespace wertalo::demo
