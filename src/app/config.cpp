// Reads config.txt, or writes it with its default text when it is missing.
#include "app/config.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/player_options.h"
#include "base/regular_file.h"

DisplaySettings displaySettings;

const char kDefaultConfigText[] = "fullscreen 0\n\n[0=windowed, 1=fullscreen (640x480)]";

namespace {

size_t skipSpace(const std::string& text, size_t at) {
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    return at;
}

size_t skipWord(const std::string& text, size_t at) {
    while (at < text.size() && !std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    return at;
}

// Only the first two tokens matter, so a bounded read is enough however long the file is.
bool readHead(std::FILE* file, std::string& text) {
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, got);
        if (text.size() > (1u << 20)) break;
    }
    return !std::ferror(file);
}

// Only a file that is not there at all is created; O_EXCL never writes through a name that
// appeared meanwhile, or that is a FIFO or link.
bool writeDefault(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    std::FILE* file = ::fdopen(fd, "wb");
    if (file == nullptr) {
        ::close(fd);
        return false;
    }
    std::fputs(kDefaultConfigText, file);
    return std::fclose(file) == 0;
}

} // namespace

// The word is skipped whatever its length, so a long one cannot overrun anything. A file that
// begins with a setting line holds no display choice.
bool parseConfigValue(const std::string& text, long& value) {
    size_t at = skipSpace(text, 0);
    if (at >= text.size() || !hasDisplayChoice(text)) return false;
    at = skipSpace(text, skipWord(text, at));
    if (at >= text.size()) return false;
    const char* start = text.c_str() + at;
    char* end = nullptr;
    errno = 0;
    long parsed = std::strtol(start, &end, 0);
    if (end == start) return false;
    // A number too large for any setting is simply not 0 or 1.
    value = errno == ERANGE ? 2 : parsed;
    return true;
}

ConfigResult readConfig(const std::string& path, DisplaySettings& settings) {
    std::FILE* file = openRegularFile(path.c_str());
    if (file == nullptr) {
        // A file that is there but unreadable, or not a regular file, keeps the defaults and
        // is left as it is.
        struct stat info {};
        const bool absent = ::lstat(path.c_str(), &info) != 0 && errno == ENOENT;
        return absent && writeDefault(path) ? ConfigResult::Created : ConfigResult::Missing;
    }
    std::string text;
    readHead(file, text);
    std::fclose(file);
    long value = 0;
    if (!parseConfigValue(text, value)) value = 0;
    if (value == 0) settings.fullscreen = false;
    if (value == 1) settings.fullscreen = true;
    return ConfigResult::Read;
}
