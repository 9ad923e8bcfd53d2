// Reading, ranking and writing the score table, and keeping its replays in step with it.
#include "game/score_table.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "base/file_replace.h"
#include "base/regular_file.h"
#include "game/game_recorder.h"
#include "game/score_folder_lock.h"

namespace {

constexpr const char* kHeading = "# rank score level date frames replay\n";
constexpr size_t kMaxTableBytes = size_t{1} << 20;

bool readWhole(const std::string& word, int64_t high, int64_t& value) {
    if (word.empty() || word.find_first_not_of("0123456789") != std::string::npos) return false;
    const auto [end, failure] = std::from_chars(word.data(), word.data() + word.size(), value);
    return failure == std::errc() && end == word.data() + word.size() && value <= high;
}

// One row: "RANK SCORE LEVEL DATE FRAMES REPLAY"; the rank must be the row's place.
bool parseRow(const std::string& line, size_t place, ScoreEntry& entry) {
    std::istringstream words(line);
    std::string rank, score, level, frames, extra;
    words >> rank >> score >> level >> entry.date >> frames >> entry.replay;
    int64_t r = 0, s = 0, l = 0;
    if (entry.replay.empty() || (words >> extra) || !readWhole(rank, 99, r) ||
        static_cast<size_t>(r) != place || !readWhole(score, INT32_MAX, s) ||
        !readWhole(level, INT32_MAX, l) || !readWhole(frames, INT64_MAX, entry.frames))
        return false;
    entry.score = static_cast<int32_t>(s);
    entry.level = static_cast<int32_t>(l);
    return true;
}

std::string stampOf(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// Creates the replay under a name no other game has taken; returns its path in the table.
bool writeReplay(const std::string& folder, const FinishedGame& game, std::string& relative) {
    const std::string replays = folder + "/" + ScoreTable::kReplayFolder;
    ::mkdir(replays.c_str(), 0700);
    std::tm local{};
    localtime_r(&game.when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string text = formatInputLog(game.log);
    for (int n = 1; n < 1000; ++n) {
        std::string name = std::string(stamp) + "-" + std::to_string(game.score);
        if (n > 1) name += "-" + std::to_string(n);
        relative = std::string(ScoreTable::kReplayFolder) + "/" + name + ".log";
        std::string path = folder;
        path += "/";
        path += relative;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return false;
        ::close(fd);
        if (replaceFileContents(path, text, 0600)) return true;
        ::unlink(path.c_str());
        return false;
    }
    return false;
}

} // namespace

bool ScoreTable::parse(const std::string& text, std::vector<ScoreEntry>& entries,
                       std::string& error) {
    entries.clear();
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (line.empty() || line[0] == '#') continue;
        ScoreEntry entry;
        if (entries.size() == kSize || !parseRow(line, entries.size() + 1, entry) ||
            (!entries.empty() && entry.score > entries.back().score)) {
            error = "line " + std::to_string(number) + ": not a row of the table";
            return false;
        }
        entries.push_back(entry);
    }
    return true;
}

std::string ScoreTable::format(const std::vector<ScoreEntry>& entries) {
    std::string text = kHeading;
    for (size_t i = 0; i < entries.size(); ++i) {
        const ScoreEntry& e = entries[i];
        text += std::to_string(i + 1) + " " + std::to_string(e.score) + " " +
                std::to_string(e.level) + " " + e.date + " " + std::to_string(e.frames) + " " +
                e.replay + "\n";
    }
    return text;
}

int ScoreTable::insert(std::vector<ScoreEntry>& entries, const ScoreEntry& entry,
                       std::vector<ScoreEntry>& dropped) {
    size_t at = 0;
    while (at < entries.size() && entries[at].score >= entry.score)
        ++at;
    if (at >= kSize) return -1;
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(at), entry);
    while (entries.size() > kSize) {
        dropped.push_back(entries.back());
        entries.pop_back();
    }
    return static_cast<int>(at);
}

bool ScoreTable::isOwnReplayPath(const std::string& path) {
    const std::string prefix = std::string(kReplayFolder) + "/";
    const std::string name = path.substr(std::min(path.size(), prefix.size()));
    return path.rfind(prefix, 0) == 0 && !name.empty() && name.find('/') == std::string::npos &&
           name[0] != '.';
}

ScoreTable::Loaded ScoreTable::read(const std::string& path, std::vector<ScoreEntry>& entries,
                                    std::string& error) {
    entries.clear();
    const std::string name = "'" + quoteForMessage(path) + "'";
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 && errno == ENOENT) {
        if (::lstat(path.c_str(), &info) != 0) return Loaded::Absent;
        error = name + " is a link to a missing file";
        return Loaded::Unreadable;
    }
    std::string text;
    if (!readRegularFile(path.c_str(), kMaxTableBytes, text)) {
        const bool large = errno == EFBIG;
        error = name + (large ? " is larger than 1 MiB" : ": " + whyNotReadable(path.c_str()));
        return large ? Loaded::Damaged : Loaded::Unreadable;
    }
    if (parse(text, entries, error)) return Loaded::Table;
    error = name + " " + error;
    return Loaded::Damaged;
}

bool ScoreTable::load(const std::string& folder, std::vector<ScoreEntry>& entries,
                      std::string& error) {
    const Loaded loaded = read(folder + "/" + kFileName, entries, error);
    return loaded == Loaded::Table || loaded == Loaded::Absent;
}

namespace {

// Moves a damaged table to the first free name of "scores.txt.damaged", "...damaged-2", ...
// beside it, so no earlier damaged table is ever overwritten; false when none could be had.
bool setAside(const std::string& path, std::string& aside) {
    for (int n = 1; n < 1000; ++n) {
        aside = path + ".damaged" + (n > 1 ? "-" + std::to_string(n) : "");
        struct stat info {};
        if (::lstat(aside.c_str(), &info) == 0) continue;
        return errno == ENOENT && ::rename(path.c_str(), aside.c_str()) == 0;
    }
    return false;
}

// The table as it stands, ready to take a game: an absent or damaged one (set aside) gives an
// empty table; false with message when the file must be left alone.
bool tableToEnter(const std::string& path, std::vector<ScoreEntry>& entries, std::string& message) {
    std::string error;
    switch (ScoreTable::read(path, entries, error)) {
    case ScoreTable::Loaded::Table:
    case ScoreTable::Loaded::Absent:
        break;
    case ScoreTable::Loaded::Unreadable:
        message = error + "; the game was not entered";
        return false;
    case ScoreTable::Loaded::Damaged:
        std::string aside;
        if (!setAside(path, aside)) {
            message = error + "; the game was not entered";
            return false;
        }
        message = error + "; kept it as '" + quoteForMessage(aside) + "' and began a new table";
        entries.clear();
        break;
    }
    if (const std::string why = whyNotReplaceable(path); !why.empty()) {
        message = "'" + quoteForMessage(path) + "' " + why + "; the game was not entered";
        return false;
    }
    return true;
}

} // namespace

bool ScoreTable::save(const std::string& folder, const FinishedGame& game, std::string& message,
                      bool& busy) {
    // A table that is a symbolic link is kept in the file it leads to.
    const std::string path = replacedFile(folder + "/" + kFileName);
    ScoreFolderLock lock(folder + "/" + kFileName);
    busy = lock.busy();
    if (busy) {
        message = "another copy of the game is writing in " + quoteForMessage(folder);
        return false;
    }
    std::vector<ScoreEntry> entries;
    if (!tableToEnter(path, entries, message)) return false;
    std::vector<ScoreEntry> dropped;
    ScoreEntry entry{game.score, game.level, stampOf(game.when), game.frames, ""};
    const int place = insert(entries, entry, dropped);
    if (place < 0) return true;
    std::string& replay = entries[static_cast<size_t>(place)].replay;
    if (!writeReplay(folder, game, replay)) {
        message =
            "could not write a replay in " + quoteForMessage(folder) + ": " + std::strerror(errno);
        return false;
    }
    if (!replaceFileContents(path, format(entries), 0644)) {
        message = "could not write " + quoteForMessage(path) + ": " + std::strerror(errno);
        ::unlink((folder + "/" + replay).c_str());
        return false;
    }
    for (const ScoreEntry& gone : dropped)
        if (isOwnReplayPath(gone.replay)) ::unlink((folder + "/" + gone.replay).c_str());
    return true;
}
