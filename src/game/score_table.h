// The table of the ten best games, scores.txt beside the best-score file, and each game's replay
// in replays/ there.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FinishedGame;

struct ScoreEntry {
    int32_t score = 0;
    int32_t level = 0;
    std::string date;   // local time the game ended, "2026-12-08T21:05:33"
    int64_t frames = 0; // the game's length in game frames
    std::string replay; // the replay's file, relative to the table's folder: "replays/NAME.log"
};

class ScoreTable {
  public:
    static constexpr size_t kSize = 10;
    static constexpr const char* kFileName = "scores.txt";
    static constexpr const char* kReplayFolder = "replays";

    // Reads the table's text; false with "line N: what is wrong" in error.
    static bool parse(const std::string& text, std::vector<ScoreEntry>& entries,
                      std::string& error);
    static std::string format(const std::vector<ScoreEntry>& entries);
    // Puts entry in its place: below every game with the same score or more, so of two equal
    // scores the earlier game ranks higher. Returns its index, or -1 when it is not among the
    // best; entries pushed out of the table are added to dropped.
    static int insert(std::vector<ScoreEntry>& entries, const ScoreEntry& entry,
                      std::vector<ScoreEntry>& dropped);
    // The replay paths the game itself writes, and so may remove: "replays/" and a plain name.
    static bool isOwnReplayPath(const std::string& path);

    // Enters a finished game into the table in folder, writing its replay first; replays that
    // leave the table are removed. Done under the score folder's lock, so games ending at once in
    // two copies of the game both get in. A damaged table is kept beside under a name no earlier
    // one has (scores.txt.damaged, then scores.txt.damaged-2, ...) and a new one begun; a table
    // that is a symbolic link is followed, and one that is not a regular file, read-only or
    // unreadable is left alone. False with one line in message when nothing could be written (the
    // folder busy or unwritable, busy then set); message also tells of a damaged table set aside.
    static bool save(const std::string& folder, const FinishedGame& game, std::string& message,
                     bool& busy);
    // The table of folder; an absent table is an empty one. False with one line in error, naming
    // the file (and the line), when it cannot be read or is damaged.
    static bool load(const std::string& folder, std::vector<ScoreEntry>& entries,
                     std::string& error);

    enum class Loaded {
        Table,      // read whole
        Absent,     // no file: an empty table
        Damaged,    // a file that is no table, or larger than 1 MiB: to be set aside
        Unreadable, // not a regular file, a link to nothing, no permission: left alone
    };
    // The table at path, with one line in error unless it is a table or absent.
    static Loaded read(const std::string& path, std::vector<ScoreEntry>& entries,
                       std::string& error);
};
