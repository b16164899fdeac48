// Random: a small seeded pseudo-random generator (SplitMix64), so that every
// rendering with the same input gives the same samples on every machine.
#pragma once

#include <cstdint>

namespace soundlib {

class Random {
 public:
  explicit Random(uint64_t seed = 0x5eed) : state_(seed) {}
  void Seed(uint64_t seed) { state_ = seed; }

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [-1, 1).
  float Bipolar() { return static_cast<float>(static_cast<double>(Next() >> 11) * 0x1.0p-52 - 1.0); }

 private:
  uint64_t state_;
};

}  // namespace soundlib
