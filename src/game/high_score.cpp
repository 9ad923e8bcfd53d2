// Reading and atomically replacing the high-score file without ever lowering it.
#include "game/high_score.h"

#include <bit>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/file_replace.h"
#include "base/log.h"
#include "base/regular_file.h"
#include "game/score_folder_lock.h"

namespace {
constexpr int kFileSize = 5;
// Temporaries are the file's name, this and a tail of their writer's: a name no player chooses,
// so the sweep never touches the player's own files beside the score.
constexpr char kTempMark[] = ".orvane-temp-";

uint8_t bitCount(int32_t value) {
    return static_cast<uint8_t>(std::popcount(static_cast<uint32_t>(value)));
}

void encode(int32_t score, uint8_t bytes[kFileSize]) {
    const uint32_t masked = static_cast<uint32_t>(score) ^ kHighScoreMask;
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(masked >> (8 * i));
    bytes[4] = bitCount(score);
}

// True with the score when the five bytes pass the check.
bool decode(const uint8_t bytes[kFileSize], int32_t& score) {
    uint32_t masked = 0;
    for (int i = 0; i < 4; ++i)
        masked |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    const int32_t value = static_cast<int32_t>(masked ^ kHighScoreMask);
    if (bitCount(value) != bytes[4]) return false;
    score = value;
    return true;
}

bool writeAll(int fd, const uint8_t* bytes, int size) {
    int done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, bytes + done, static_cast<size_t>(size - done));
        if (n <= 0) return false;
        done += static_cast<int>(n);
    }
    return true;
}

// What is at the path now.
enum class Stored { Missing, Score, Damaged, Unreadable };

Stored readStored(const std::string& path, int32_t& score) {
    std::FILE* file = openRegularFile(path.c_str());
    if (file == nullptr) return errno == ENOENT ? Stored::Missing : Stored::Unreadable;
    uint8_t bytes[kFileSize] = {};
    const size_t got = std::fread(bytes, 1, kFileSize, file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return Stored::Unreadable;
    return got == kFileSize && decode(bytes, score) ? Stored::Score : Stored::Damaged;
}

mode_t defaultMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0644 & ~mask;
}

// Gives a complete unnamed file in the target's folder a fresh temporary name holding this
// process's number; false when the name cannot be given.
bool nameUnnamedFile(int fd, const std::string& path, std::string& temp) {
    // linkat needs a name that does not exist yet.
    const std::string proc = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = path + kTempMark + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST) break;
    }
    return false;
}

// Writes the bytes to a new file beside the target, flushed to disk, and renames it over the
// target. Unnamed (where the file system offers it), the file gets its name only when complete,
// so a kill leaves nothing behind; otherwise it is a named temporary from the start.
bool replaceFile(const std::string& path, const uint8_t* bytes, mode_t mode, bool unnamed) {
    const std::filesystem::path target(path);
    const std::string folder = target.has_parent_path() ? target.parent_path().string() : ".";
    std::string temp = path + kTempMark + "XXXXXX";
    const int fd = unnamed ? ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600)
                           : ::mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes, kFileSize) && ::fsync(fd) == 0;
    bool named = !unnamed;
    if (ok && unnamed) ok = named = nameUnnamedFile(fd, path, temp);
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok && named) ::unlink(temp.c_str());
    return ok;
}

bool replaceFile(const std::string& path, const uint8_t* bytes, mode_t mode) {
    return replaceFile(path, bytes, mode, true) || replaceFile(path, bytes, mode, false);
}

// Another user's file cannot be renamed over without taking it from them: where the player may
// write it, the five bytes are written in place; the owner and mode stay.
bool rewriteInPlace(const std::string& path, const uint8_t* bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes, kFileSize) && ::ftruncate(fd, kFileSize) == 0 && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    return ok;
}

// Under the folder's lock no other copy of the game is writing: every temporary of the game's
// beside path is left from a write that was killed, and is removed.
void removeTemporaries(const char* path) {
    const std::filesystem::path file(path);
    const std::string folder = file.has_parent_path() ? file.parent_path().string() : ".";
    const std::string prefix = file.filename().string() + kTempMark;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        struct stat info {};
        if (::fstatat(::dirfd(dir), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISREG(info.st_mode) && info.st_uid == ::geteuid() && info.st_size <= kFileSize)
            ::unlinkat(::dirfd(dir), name.c_str(), 0);
    }
    ::closedir(dir);
}

// Read, compare and replace, with the folder to itself where it can be locked.
bool writeLocked(int32_t score, const std::string& target, int32_t* best, bool locked) {
    int32_t stored = 0;
    switch (readStored(target, stored)) {
    case Stored::Unreadable:
        return false; // somebody's file we cannot judge: left as it is
    case Stored::Score:
        if (stored > score) {
            if (best != nullptr) *best = stored;
            return false;
        }
        break;
    case Stored::Missing:
    case Stored::Damaged:
        break;
    }
    uint8_t bytes[kFileSize];
    encode(score, bytes);
    if (locked) removeTemporaries(target.c_str());
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) return replaceFile(target, bytes, defaultMode());
    if (!S_ISREG(info.st_mode)) return false; // a folder, a FIFO, a device: not ours to replace
    if (info.st_uid != ::geteuid()) return rewriteInPlace(target, bytes);
    if ((info.st_mode & S_IWUSR) == 0) return false; // made read-only by its owner: kept
    return replaceFile(target, bytes, info.st_mode & 07777);
}

} // namespace

int32_t readHighScore(const char* path) {
    int32_t score = 0;
    const Stored stored = readStored(path, score);
    if (stored != Stored::Missing) logLine("Reading highscore");
    if (stored == Stored::Score) return score;
    logLine("Highscore file corrupt or missing");
    return 0;
}

bool writeHighScore(int32_t score, const char* path, int32_t* best) {
    if (path == nullptr || path[0] == '\0') return false; // nowhere to keep it
    const std::string target = replacedFile(path);
    const ScoreFolderLock lock(target);
    if (lock.busy()) {
        std::fprintf(stderr,
                     "orvane: another copy of the game kept the score folder busy; the best "
                     "score %d stays in memory\n",
                     static_cast<int>(score));
        return false;
    }
    return writeLocked(score, target, best, lock.locked());
}
