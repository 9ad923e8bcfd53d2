// Reading and atomically replacing the high-score file without ever lowering it.
#include "game/high_score.h"

#include <bit>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/log.h"
#include "base/regular_file.h"

namespace {
constexpr int kFileSize = 5;
constexpr char kTempSuffix[] = ".XXXXXX";
// A temporary of unknown writer younger than this may belong to another copy of the game
// writing right now.
constexpr time_t kStaleSeconds = 10;

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

// The file a write must replace: the target of a symbolic link (followed to the end), else path.
std::string replacedFile(const char* path) {
    std::error_code error;
    std::filesystem::path file = path;
    for (int depth = 0; depth < 40 && std::filesystem::is_symlink(file, error); ++depth) {
        const std::filesystem::path target = std::filesystem::read_symlink(file, error);
        if (error) break;
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return file.string();
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
        temp = path + "." + std::to_string(::getpid()) + "_" + std::to_string(attempt);
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
    std::string temp = path + kTempSuffix;
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

// A name written by replaceFile: the file's name and a dot, then six characters of mkstemp's
// (writer 0: unknown), or the writer's process number, an underscore and a counter.
bool isTemporaryName(const std::string& name, const std::string& base, pid_t& writer) {
    if (name.size() <= base.size() + 1 || name.compare(0, base.size() + 1, base + ".") != 0)
        return false;
    const std::string tail = name.substr(base.size() + 1);
    writer = 0;
    if (tail.size() == 6 && tail.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrs"
                                                   "tuvwxyz0123456789") == std::string::npos)
        return true;
    const size_t underscore = tail.find('_');
    if (underscore == std::string::npos || underscore == 0 || underscore + 1 >= tail.size() ||
        underscore > 9 || tail.find_first_not_of("0123456789_") != std::string::npos)
        return false;
    writer = static_cast<pid_t>(std::stol(tail.substr(0, underscore)));
    return true;
}

// A temporary is stale once its writer is gone, or, when the writer is unknown, once it is old.
bool isStale(pid_t writer, time_t age) {
    if (writer > 0 && writer != ::getpid()) return ::kill(writer, 0) != 0 && errno == ESRCH;
    return age >= kStaleSeconds;
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

void removeStaleTemporaries(const char* path) {
    const std::filesystem::path file(path);
    const std::string folder = file.has_parent_path() ? file.parent_path().string() : ".";
    const std::string base = file.filename().string();
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    const time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        pid_t writer = 0;
        if (!isTemporaryName(name, base, writer)) continue;
        struct stat info {};
        if (::fstatat(::dirfd(dir), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISREG(info.st_mode) && info.st_uid == ::geteuid() && info.st_size <= kFileSize &&
            isStale(writer, now - info.st_mtime))
            ::unlinkat(::dirfd(dir), name.c_str(), 0);
    }
    ::closedir(dir);
}

bool writeHighScore(int32_t score, const char* path, int32_t* best) {
    if (path == nullptr || path[0] == '\0') return false; // nowhere to keep it
    const std::string target = replacedFile(path);
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
    removeStaleTemporaries(target.c_str());
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) return replaceFile(target, bytes, defaultMode());
    if (!S_ISREG(info.st_mode)) return false; // a folder, a FIFO, a device: not ours to replace
    if (info.st_uid != ::geteuid()) return rewriteInPlace(target, bytes);
    return replaceFile(target, bytes, info.st_mode & 07777);
}
