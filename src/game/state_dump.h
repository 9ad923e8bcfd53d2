// The state dump: one JSON line with the whole game state per dumped frame, for tests and tools.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "base/sound.h"

class GameEnv;

// Appends the JSON object of one frame (no line end): record, level, elements and the sounds.
void appendStateLine(std::string& out, const GameEnv& env, int64_t frame,
                     const std::vector<PlayedSound>& sounds);

// Writes the dumped frames of a run: frame 0, every multiple of the interval, and the last frame.
class StateDump {
  public:
    // Sounds kept for one line; a longer stretch keeps the earliest.
    static constexpr size_t kMaxSounds = 1 << 20;

    StateDump() = default;
    ~StateDump();
    StateDump(const StateDump&) = delete;
    StateDump& operator=(const StateDump&) = delete;

    // path "-" is standard output; every is the dump interval, 1 or more.
    bool open(const std::string& path, int64_t every, std::string& error);
    bool isOpen() const { return file_ != nullptr; }
    // Call after set-up with frame 0 and after every game frame that ran; it takes the sounds
    // started since the last call and writes the line when the frame is due.
    void afterFrame(const GameEnv& env, int64_t frame);
    // Call once at the end with the number of the last frame that ran; writes it unless it was
    // already written.
    void finish(const GameEnv& env, int64_t frame);
    // Closes the file; false when anything could not be written.
    bool close();

  private:
    void takeSounds();
    void writeLine(const GameEnv& env, int64_t frame);

    std::FILE* file_ = nullptr;
    bool ownsFile_ = false;
    bool writeFailed_ = false;
    int64_t every_ = 1;
    int64_t lastWritten_ = -1;
    std::vector<PlayedSound> sounds_;
    std::string line_;
};
