// Input logs: the held inputs of every frame as run-length rows, read back for replays and written
// while playing.
#pragma once

#include <bitset>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "input/input.h"

using HeldInputs = std::bitset<kInputCount>;

// COUNT frames in which exactly the inputs in held are down.
struct InputLogRow {
    int32_t count = 0;
    HeldInputs held;
};

// The rows of a log, kept compactly: each distinct set of held inputs once, and per row only its
// count and which set it holds, as two variable-length numbers (a byte each for most rows: less
// than the row's own text). A row holding the same inputs as the row before joins it.
class InputLog {
  public:
    static constexpr int32_t kMaxCount = 2147483647;
    // Larger files are refused before they are read: a year of play, its input changing about
    // five times a second, fits.
    static constexpr int64_t kMaxFileBytes = int64_t{4} << 30;
    // A start line's frame: far past any session, and low enough that every frame a log can hold
    // counts on from it without passing the largest frame number.
    static constexpr uint64_t kMaxStartFrame = uint64_t{1} << 62;
    // The game's colour cycle runs 0 to 23.
    static constexpr int32_t kColorCycleLength = 24;

    // Where a log of one game of a longer session begins: the frames run before it, the random
    // generator's state as that game started, the colour cycle and the best score then.
    struct Start {
        bool present = false; // the optional "start" line; without it the log begins at set-up
        int64_t frame = 0;
        uint32_t random = 0;
        int32_t colorCycle = 0;
        int32_t highScore = 0;
    };

    // A "lab NAME VALUE" line: a weapon setting from this frame of the log on (frame 0: the
    // game's start). The log keeps the words; the program judges them, by the line's number.
    struct Setting {
        int64_t frame = 0;
        int64_t line = 0;
        std::string name;
        int64_t value = 0;
    };

    uint32_t seed = 0;
    Start start;
    std::vector<Setting> settings;

    void addRow(const InputLogRow& row);
    // A setting at the frame the rows have reached; the next row starts a row of its own.
    void addSetting(Setting setting);
    size_t rowCount() const { return rows_; }
    // The rows in order: at starts at 0; reads the row there and moves past it, false at the end.
    bool next(size_t& at, int32_t& count, const HeldInputs*& held) const;
    // Frames covered by the rows; frames after them hold nothing.
    int64_t frameCount() const { return frames_; }

  private:
    void put(uint32_t value);
    uint32_t get(size_t& at) const;

    std::deque<uint8_t> bytes_; // grows without copying: no peak of twice the rows while reading
    size_t rows_ = 0;
    int64_t frames_ = 0;
    size_t lastAt_ = 0; // where the last row starts, to join the next one to it
    int32_t lastCount_ = 0;
    uint32_t lastSet_ = 0;
    bool joinable_ = true; // false after a setting, which must stay between its rows
    std::vector<HeldInputs> sets_;
    std::unordered_map<HeldInputs, uint32_t> setIndex_;
};

// Reads the text of a log; on failure error reads "line N: what is wrong".
bool parseInputLog(std::string_view text, InputLog& log, std::string& error);
// Reads a log file; on failure error names the file, and the line where there is one.
bool loadInputLog(const std::string& path, InputLog& log, std::string& error);
// The text of a log: header, seed line and one row per run.
std::string formatInputLog(const InputLog& log);
// One row as written in a log: the count and then the held input numbers in rising order.
std::string formatInputLogRow(const InputLogRow& row);
// The inputs held in the frame the Input object last read.
HeldInputs heldInputsOf(const Input& input);
// Writes a frame's held inputs into the arrays a source fills (see InputSource::readState).
void writeHeldInputs(const HeldInputs& held, uint8_t keys[256], uint8_t joyState[10]);

// Replays a log frame by frame as if its inputs were held on the devices.
class InputLogSource : public InputSource {
  public:
    // The log is not copied and must outlive the source.
    explicit InputLogSource(const InputLog& log) : log_(log) { nextRow(); }

    void readState(uint8_t keys[256], uint8_t joyState[10]) override;
    // True once every row has been replayed.
    bool finished() const { return finished_; }
    int64_t framesRead() const { return framesRead_; }

  private:
    void nextRow() { finished_ = !log_.next(at_, left_, held_); }

    const InputLog& log_;
    size_t at_ = 0;
    int32_t left_ = 0; // frames left in the row being replayed
    const HeldInputs* held_ = nullptr;
    bool finished_ = false;
    int64_t framesRead_ = 0;
};

// Writes the held inputs of every frame read to an input log, joining equal frames into one row.
class InputLogRecorder : public InputRecorder {
  public:
    InputLogRecorder() = default;
    ~InputLogRecorder() override;
    InputLogRecorder(const InputLogRecorder&) = delete;
    InputLogRecorder& operator=(const InputLogRecorder&) = delete;

    // Creates the file ("-" is standard output) and writes the header with the seed the game was
    // started with, and the start line of a saved game replayed (so the copy plays it too).
    bool open(const std::string& path, uint32_t seed, std::string& error,
              const InputLog::Start& start = {});
    void recordFrame(const Input& input) override;
    // Frames given directly, for callers that know the held inputs without an Input object.
    void recordHeld(const HeldInputs& held);
    // A lab setting from the next recorded frame on (before the first: the game's own).
    void recordSetting(const std::string& name, int64_t value);
    // Writes the last row and closes the file; false when anything could not be written.
    bool close();
    int64_t framesRecorded() const { return framesRecorded_; }

  private:
    void writePending();

    std::FILE* file_ = nullptr;
    bool ownsFile_ = true; // false for standard output
    InputLogRow pending_;
    int64_t framesRecorded_ = 0;
    bool writeFailed_ = false;
};
