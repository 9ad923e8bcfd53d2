// The best score kept between runs in a 5-byte file: the masked value and a bit-count check byte.
#pragma once

#include <cstdint>

constexpr uint32_t kHighScoreMask = 0x5A3C96E1u;

// The stored best score, or 0 when the file is missing, unreadable, not a regular file, short or
// fails its check.
int32_t readHighScore(const char* path = "highscore.dat");

// Replaces the file as a whole, never lowering the best it holds. The file is read again first:
// a valid stored score above score is kept (and given back in best, when asked for), and a file
// that is there but cannot be read is left alone. A symbolic link is followed and its target
// replaced in the target's own folder; the new file keeps the old one's permission bits, and a
// file of another user is rewritten in place, keeping its owner, or left alone when that is not
// allowed. On any failure the old file stays as it was; false when score was not written.
bool writeHighScore(int32_t score, const char* path = "highscore.dat", int32_t* best = nullptr);

// Removes the temporary files an interrupted write may leave beside path: the player's own,
// named as the game names them, whose writer has ended (or, when the name does not tell, that
// are older than a few seconds); called before every write.
void removeStaleTemporaries(const char* path);
