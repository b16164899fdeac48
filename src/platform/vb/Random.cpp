#include "platform/vb/Random.h"

#include <chrono>
#include <cmath>
#include <random>
#include <utility>

namespace vb {

namespace {

struct Generator {
  std::mt19937_64 engine{std::random_device{}()};
  uint64_t reseeds = 0;  // keeps two reseeds within one clock tick apart
  RndSource source;
};

Generator& State() {
  static Generator g;
  return g;
}

}  // namespace

void Randomize() {
  Generator& g = State();
  if (g.source) return;
  const auto now = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  const auto wall = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  ++g.reseeds;
  std::seed_seq seq{static_cast<uint32_t>(now), static_cast<uint32_t>(now >> 32), static_cast<uint32_t>(wall),
                    static_cast<uint32_t>(wall >> 32), static_cast<uint32_t>(g.reseeds)};
  g.engine.seed(seq);
}

double Rnd() {
  Generator& g = State();
  if (g.source) return g.source();
  // The top 53 bits as a fraction: never 1.
  return static_cast<double>(g.engine() >> 11) * 0x1.0p-53;
}

int32_t DrawOneTo(int32_t n) { return static_cast<int32_t>(std::floor(n * Rnd() + 1)); }

RndSource SetRndSource(RndSource source) { return std::exchange(State().source, std::move(source)); }

}  // namespace vb
