// Reading and atomically replacing the high-score file.
#include "game/high_score.h"

#include <bit>
#include <cstdio>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/log.h"

namespace {
constexpr int kFileSize = 5;

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

// Writes the bytes to a new file beside the target, flushed to disk before it is renamed over it.
bool replaceFile(const std::string& path, const uint8_t* bytes, int size) {
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    // mkstemp makes the file private; the score file is an ordinary readable file.
    bool ok = ::fchmod(fd, 0644) == 0;
    ok = ok && writeAll(fd, bytes, size) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}
} // namespace

int32_t readHighScore(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file != nullptr) {
        logLine("Reading highscore");
        uint8_t bytes[kFileSize] = {};
        const size_t got = std::fread(bytes, 1, kFileSize, file);
        std::fclose(file);
        int32_t score = 0;
        if (got == kFileSize && decode(bytes, score)) return score;
    }
    logLine("Highscore file corrupt or missing");
    return 0;
}

bool writeHighScore(int32_t score, const char* path) {
    if (path == nullptr || path[0] == '\0') return false; // nowhere to keep it
    uint8_t bytes[kFileSize];
    encode(score, bytes);
    return replaceFile(path, bytes, kFileSize);
}
