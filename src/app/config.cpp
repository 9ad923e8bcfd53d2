// Reads config.txt, or writes it with its default text when it is missing.
#include "app/config.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

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

void writeDefault(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return;
    std::fputs("fullscreen 0\n", file);
    std::fputs("\n[0=windowed, 1=fullscreen (640x480)]", file);
    std::fclose(file);
}

} // namespace

// The word is skipped whatever its length, so a long one cannot overrun anything.
bool parseConfigValue(const std::string& text, long& value) {
    size_t at = skipSpace(text, 0);
    if (at >= text.size()) return false;
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
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        writeDefault(path);
        std::FILE* check = std::fopen(path.c_str(), "rb");
        if (check == nullptr) return ConfigResult::Missing;
        std::fclose(check);
        return ConfigResult::Created;
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
