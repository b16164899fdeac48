// The runtime's uniform random numbers: Randomize reseeds the generator from the
// clock, Rnd gives the next value in [0, 1). A screen draws one of n choices as
// Int(n x Rnd + 1), which is 1 to n (DrawOneTo).
//
// Tests script the values: SetRndSource installs a function that Rnd asks instead
// of the generator (and Randomize then leaves alone); an empty source restores the
// generator.
#pragma once

#include <cstdint>
#include <functional>

namespace vb {

// Seeds the generator afresh from the system clock. Two calls in a row always give
// different seeds, however close together they come.
void Randomize();

// The next value of the generator, 0 <= r < 1.
double Rnd();

// Int(n x r + 1) for r := Rnd(): 1 to n when n > 0. (n 0 gives 1, as the formula does.)
int32_t DrawOneTo(int32_t n);

using RndSource = std::function<double()>;
// Installs the source of Rnd's values; returns the one it replaces.
RndSource SetRndSource(RndSource source);

}  // namespace vb
