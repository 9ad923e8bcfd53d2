// What the weapon did in a game, counted as it happens, for the lab's numbers.
#pragma once

#include <cstdint>

struct LabCounters {
    int64_t kills = 0;      // enemies and dummies destroyed
    int64_t absorbed = 0;   // enemy shots an orb soaked up
    int64_t orbShots = 0;   // shots the orb guns fired
    int64_t hitsTaken = 0;  // hits that took a life, or would have on an invulnerable ship
    int64_t locks = 0;      // times the chain came to rest and locked
    int64_t lockFrames = 0; // frames from letting go to locking, summed over the locks
    int32_t lastLockFrames = 0;
};
