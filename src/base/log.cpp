// The text log: every entry opens log.txt, appends and closes it, while the one flag allows it.
#include "base/log.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <thread>

namespace {
constexpr const char* kLogFile = "log.txt";
constexpr int kEntrySize = 1024;
bool enabled = false;

// vsnprintf cuts an over-long entry to 1023 characters instead of running past the buffer.
void writeEntry(const char* prefix, const char* format, va_list args) {
    char entry[kEntrySize];
    std::vsnprintf(entry, sizeof entry, format, args);
    std::FILE* file = std::fopen(kLogFile, "a");
    if (file == nullptr) return;
    std::fprintf(file, "%s%s", prefix, entry);
    std::fclose(file);
}
} // namespace

void logStart() {
    std::FILE* file = std::fopen(kLogFile, "w");
    if (file != nullptr) {
        std::fputs("Log started", file);
        std::fclose(file);
    }
    enabled = true;
}

void logLine(const char* format, ...) {
    if (!enabled) return;
    va_list args;
    va_start(args, format);
    writeEntry("\n", format, args);
    va_end(args);
}

void logAppend(const char* format, ...) {
    if (!enabled) return;
    va_list args;
    va_start(args, format);
    writeEntry("", format, args);
    va_end(args);
}

void logEnable() {
    logLine("Log enabled");
    enabled = true;
}

void logDisable() {
    logLine("Log disabled");
    enabled = false;
}

bool logIsEnabled() {
    return enabled;
}

void pauseAfterError() {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}
