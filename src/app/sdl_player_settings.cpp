// Reading and writing the player's setting lines of config.txt.
#include "app/sdl_player_settings.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <map>
#include <sstream>

#include "base/file_replace.h"
#include "base/regular_file.h"

namespace {

constexpr const char* kControlNames[kPlayerControlCount] = {"fire", "link",  "up",   "down",
                                                            "left", "right", "pause"};
constexpr size_t kMaxConfigBytes = 1 << 20;

struct SettingLine {
    std::string name;
    std::string value;
    bool wellFormed = false; // exactly two words
};

// A line's words; a comment (starting with '#' or '['), or a blank line, has none.
SettingLine splitLine(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    SettingLine setting;
    std::string extra;
    words >> setting.name >> setting.value;
    if (!setting.name.empty() && (setting.name[0] == '#' || setting.name[0] == '[')) return {};
    setting.wellFormed = !setting.value.empty() && !(words >> extra);
    return setting;
}

bool readPercent(const std::string& text, int32_t& value) {
    if (text.empty() || text.size() > 3) return false;
    int32_t parsed = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        parsed = parsed * 10 + (c - '0');
    }
    if (parsed > 100) return false;
    value = parsed;
    return true;
}

bool readSwitch(const std::string& text, bool& value) {
    if (text != "0" && text != "1") return false;
    value = text == "1";
    return true;
}

int controlIndex(const std::string& name, const std::string& prefix) {
    for (int i = 0; i < kPlayerControlCount; ++i)
        if (name == prefix + kControlNames[i]) return i;
    return -1;
}

// Applies one setting; the reason when its value cannot be used, else empty.
std::string applySetting(const SettingLine& line, PlayerSettings& s) {
    const std::string quoted = "'" + quoteForMessage(line.value) + "'";
    if (const int c = controlIndex(line.name, ""); c >= 0) {
        const SDL_Scancode key = SDL_GetScancodeFromName(line.value.c_str());
        if (key == SDL_SCANCODE_UNKNOWN) return "no key is called " + quoted;
        if (isReservedKey(key)) return keyName(key) + " is kept for the game itself";
        s.keys[static_cast<size_t>(c)] = key;
        return {};
    }
    if (const int c = controlIndex(line.name, "pad-"); c >= 0) {
        const auto button = SDL_GameControllerGetButtonFromString(line.value.c_str());
        if (button == SDL_CONTROLLER_BUTTON_INVALID)
            return "no controller button is called " + quoted;
        s.pads[static_cast<size_t>(c)] = button;
        return {};
    }
    if (line.name == "effects" || line.name == "ambient") {
        int32_t& level = line.name == "effects" ? s.effects : s.ambient;
        return readPercent(line.value, level) ? ""
                                              : "expected a level from 0 to 100, not " + quoted;
    }
    if (line.name == "mute" || line.name == "flashes") {
        bool& flag = line.name == "mute" ? s.muted : s.flashes;
        return readSwitch(line.value, flag) ? "" : "expected 0 or 1, not " + quoted;
    }
    return "unknown setting '" + quoteForMessage(line.name) + "'";
}

bool isSettingName(const std::string& name) {
    return controlIndex(name, "") >= 0 || controlIndex(name, "pad-") >= 0 || name == "effects" ||
           name == "ambient" || name == "mute" || name == "flashes";
}

// Where the settings begin: after the line that ends the display choice (its first two words,
// which may stand on lines of their own), as readConfig reads it.
size_t settingsStart(const std::string& text) {
    size_t at = 0;
    for (int word = 0; word < 2; ++word) {
        at = text.find_first_not_of(" \t\r\n\v\f", at);
        if (at == std::string::npos) return text.size();
        at = text.find_first_of(" \t\r\n\v\f", at);
        if (at == std::string::npos) return text.size();
    }
    const size_t end = text.find('\n', at);
    return end == std::string::npos ? text.size() : end + 1;
}

} // namespace

const char* controlName(PlayerControl control) {
    return kControlNames[static_cast<int>(control)];
}

std::string padSettingName(PlayerControl control) {
    return std::string("pad-") + controlName(control);
}

std::string keyName(SDL_Scancode key) {
    const char* name = SDL_GetScancodeName(key);
    return name != nullptr && name[0] != '\0' ? name : "key " + std::to_string(key);
}

std::string padButtonName(SDL_GameControllerButton button) {
    const char* name = SDL_GameControllerGetStringForButton(button);
    return name != nullptr ? name : "default";
}

bool isReservedKey(SDL_Scancode key) {
    return key == SDL_SCANCODE_ESCAPE || key == SDL_SCANCODE_F12 || key == SDL_SCANCODE_M ||
           key == SDL_SCANCODE_PAUSE;
}

SDL_GameControllerButton defaultPadButton(PlayerControl control) {
    static constexpr SDL_GameControllerButton kDefaults[kPlayerControlCount] = {
        SDL_CONTROLLER_BUTTON_A,         SDL_CONTROLLER_BUTTON_X,
        SDL_CONTROLLER_BUTTON_DPAD_UP,   SDL_CONTROLLER_BUTTON_DPAD_DOWN,
        SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
        SDL_CONTROLLER_BUTTON_START};
    return kDefaults[static_cast<int>(control)];
}

// The display choice's lines are its own and are not looked at here.
void parsePlayerSettings(const std::string& text, PlayerSettings& settings,
                         std::vector<std::string>& complaints) {
    const size_t start = settingsStart(text);
    std::istringstream lines(text.substr(start));
    std::string line;
    std::map<std::string, int> seen;
    const auto before =
        std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(start), '\n');
    for (int number = static_cast<int>(before) + 1; std::getline(lines, line); ++number) {
        const SettingLine setting = splitLine(line);
        if (setting.name.empty()) continue;
        const std::string where = "line " + std::to_string(number) + ": ";
        std::string reason;
        if (!setting.wellFormed) {
            reason = "expected a name and one value";
        } else if (const auto first = seen.find(setting.name); first != seen.end()) {
            reason =
                "'" + setting.name + "' was already set on line " + std::to_string(first->second);
        } else {
            reason = applySetting(setting, settings);
            if (reason.empty()) seen[setting.name] = number;
        }
        if (!reason.empty()) complaints.push_back(where + reason);
    }
}

std::string formatPlayerSettings(const PlayerSettings& s) {
    std::string text;
    for (int i = 0; i < kPlayerControlCount; ++i)
        text +=
            std::string(kControlNames[i]) + " " + keyName(s.keys[static_cast<size_t>(i)]) + "\n";
    for (int i = 0; i < kPlayerControlCount; ++i) {
        const SDL_GameControllerButton button = s.pads[static_cast<size_t>(i)];
        if (button != SDL_CONTROLLER_BUTTON_INVALID)
            text += std::string("pad-") + kControlNames[i] + " " + padButtonName(button) + "\n";
    }
    text += "effects " + std::to_string(s.effects) + "\n";
    text += "ambient " + std::to_string(s.ambient) + "\n";
    text += std::string("mute ") + (s.muted ? "1" : "0") + "\n";
    text += std::string("flashes ") + (s.flashes ? "1" : "0") + "\n";
    return text;
}

std::string withPlayerSettings(const std::string& text, const PlayerSettings& settings) {
    const size_t start = settingsStart(text);
    std::string result = text.substr(0, start);
    if (!result.empty() && result.back() != '\n') result += "\n";
    std::istringstream lines(text.substr(start));
    std::string line;
    while (std::getline(lines, line)) {
        if (!isSettingName(splitLine(line).name)) result += line + "\n";
    }
    return result + formatPlayerSettings(settings);
}

bool loadPlayerSettings(const std::string& path, PlayerSettings& settings) {
    std::string text;
    if (!readRegularFile(path.c_str(), kMaxConfigBytes, text)) return false;
    std::vector<std::string> complaints;
    parsePlayerSettings(text, settings, complaints);
    for (const std::string& complaint : complaints)
        std::fprintf(stderr, "orvane: %s %s; keeping the setting as it was\n",
                     quoteForMessage(path).c_str(), complaint.c_str());
    return true;
}

bool savePlayerSettings(const std::string& path, const PlayerSettings& settings) {
    std::string text;
    if (!readRegularFile(path.c_str(), kMaxConfigBytes, text)) {
        std::fprintf(stderr, "orvane: could not read %s; settings not saved\n",
                     quoteForMessage(path).c_str());
        return false;
    }
    struct stat info {};
    const mode_t mode = ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 0777) : 0644;
    if (replaceFileContents(path, withPlayerSettings(text, settings), mode)) return true;
    std::fprintf(stderr, "orvane: could not write %s; settings kept for this run only\n",
                 quoteForMessage(path).c_str());
    return false;
}
