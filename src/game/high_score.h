// The best score kept between runs in a 5-byte file: the masked value and a bit-count check byte.
#pragma once

#include <cstdint>

constexpr uint32_t kHighScoreMask = 0x5A3C96E1u;

// The stored best score, or 0 when the file is missing, unreadable, short or fails its check.
int32_t readHighScore(const char* path = "highscore.dat");
// Replaces the file as a whole; on any failure the old file stays as it was. False when not
// written.
bool writeHighScore(int32_t score, const char* path = "highscore.dat");
