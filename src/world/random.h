// The game's own random stream: the classic linear congruential formula, the same on every
// platform.
#pragma once

#include <cstdint>

// state = state * 214013 + 2531011 (mod 2^32); result = (state >> 16) & 0x7FFF.
void randomSeed(uint32_t seed);
int32_t randomNext();
uint32_t randomState();
