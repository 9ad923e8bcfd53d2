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
// Copies of the game write one at a time (the folder is locked for the read, the compare and the
// replacement); one that finds the folder busy for a second keeps score in memory, says so on
// standard error, and returns false. Under the lock, temporaries the game's killed writes left
// beside the file are removed; nothing else there is touched.
bool writeHighScore(int32_t score, const char* path = "highscore.dat", int32_t* best = nullptr);
