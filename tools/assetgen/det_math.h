// Sine, exponential and logarithm built from + and * only, so every machine computes the same
// samples and the generated sounds come out byte for byte identical.
#pragma once

namespace assetgen {

// sin(2 pi turns).
double sinTurns(double turns);
double detExp(double x);
// Natural logarithm of a positive value.
double detLog(double x);

} // namespace assetgen
