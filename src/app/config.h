// The display record and config.txt, the one file that chooses between window and full screen.
#pragma once

#include <cstdint>
#include <string>

// What the window is opened with; filled once at start-up before the window exists.
struct DisplaySettings {
    int32_t width = 640;
    int32_t height = 480;
    int32_t frameRate = 75; // also the refresh rate asked for in full screen
    bool fullscreen = false;
};

extern DisplaySettings displaySettings;

// The exact bytes a missing config.txt is created with.
extern const char kDefaultConfigText[];

enum class ConfigResult {
    Read,    // the file existed and was read
    Created, // it was missing and has been written with the default text
    Missing  // it could not be read (missing and not creatable, unreadable, not a regular file)
};

// Reads the first word (any length, not examined) and the integer after it in the notation of
// "%i"; 0 selects a window, 1 full screen, anything else or nothing leaves settings.fullscreen.
ConfigResult readConfig(const std::string& path, DisplaySettings& settings);

// The integer after the first word of text, read as "%i" reads it; false when there is none.
bool parseConfigValue(const std::string& text, long& value);
