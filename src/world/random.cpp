// The game's random stream, one process-wide state so a seed replays the same game.
#include "world/random.h"

namespace {
uint32_t state = 1;
}

void randomSeed(uint32_t seed) {
    state = seed;
}

int32_t randomNext() {
    state = state * 214013u + 2531011u;
    return static_cast<int32_t>((state >> 16) & 0x7FFFu);
}

uint32_t randomState() {
    return state;
}
