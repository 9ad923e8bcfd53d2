// The weapon's parameters and the world around it, as one record the game reads and nothing else:
// its defaults are the game's own numbers, and the lab changes them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct LabSettings {
    // The chain and its orbs.
    int32_t nodes = 24;       // chain nodes, the anchor included
    int32_t orbs = 3;         // orbs on the chain
    int32_t orbNode = 7;      // the node the first orb rides on
    int32_t orbStep = 8;      // nodes between one orb and the next
    int32_t aimBack = 6;      // an orb aims at the node this many nearer the anchor
    int32_t rest = 1024;      // a link's rest length, 1/256 pixel
    int32_t spring = 16;      // spring gain, in 64ths
    int32_t damping = 8;      // each frame a node loses 1/damping of its speed
    int32_t deadzone = 8;     // node speeds this small (1/256 pixel a frame) stop
    int32_t aimDelay = 20;    // frames after letting go before the orbs turn along the chain
    int32_t orbDamage = 5;    // damage an orb deals each frame it touches an enemy
    int32_t orbRhythm = 2;    // frames between the orb guns' shots after the main gun's
    int32_t orbShotSpeed = 4; // pixels a frame of an orb's straight shot
    // The world around it.
    int32_t enemies = 1;      // 0: no enemy comes
    int32_t spawn = 0;        // frames between enemies; 0: the level's own timing
    int32_t enemyFire = 1;    // 0: enemies never fire
    int32_t invulnerable = 0; // 1: hits are counted but take no life
    int32_t dummies = 0;      // still targets at set places (0 to 8)
    int32_t lives = 4;        // lives a game starts with

    bool operator==(const LabSettings&) const = default;
    // The node orb i rides on, and the one it aims at.
    int32_t orbNodeOf(int32_t i) const { return orbNode + orbStep * i; }
    int32_t aimNodeOf(int32_t i) const { return orbNodeOf(i) - aimBack; }
};

// One parameter by name: its field, its range and what it means.
struct LabParameter {
    const char* name;
    int32_t LabSettings::*field;
    int32_t least;
    int32_t most;
    int32_t step; // the lab panel's step
    const char* meaning;
};

constexpr int kLabParameterCount = 19;
extern const LabParameter kLabParameters[kLabParameterCount];
// Where the target dummies stand, in pixels; a game has the first `dummies` of them.
constexpr int kMostDummies = 8;

// The parameter of that name, or null.
const LabParameter* labParameterNamed(std::string_view name);
// Sets one parameter; false with why when the name is unknown or the value out of its range.
bool setLabParameter(LabSettings& settings, std::string_view name, int64_t value, std::string& why);
// Empty when the settings fit together, else why not (the orbs need the nodes they ride on).
std::string labSettingsClash(const LabSettings& settings);
