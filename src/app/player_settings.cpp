// Reading and writing the player's setting lines of config.txt.
#include "app/player_settings.h"

#include <cstddef>

#include "base/regular_file.h"

namespace {

// Applies a key or button line; the reason when its value cannot be used, else empty.
std::string applyControl(const SettingLine& line, PlayerSettings& s) {
    const std::string quoted = "'" + quoteForMessage(line.value) + "'";
    if (const int c = controlIndex(line.name, ""); c >= 0) {
        const KeyInfo* key = keyNamed(line.value);
        if (key == nullptr) return "no key is called " + quoted;
        if (isReservedKey(key->usage)) return keyName(key->usage) + " is kept for the game itself";
        s.keys[static_cast<size_t>(c)] = key->usage;
        return {};
    }
    const int c = controlIndex(line.name, "pad-");
    const PadButton button = padButtonNamed(line.value);
    if (button == PadButton::kNone) return "no controller button is called " + quoted;
    s.pads[static_cast<size_t>(c)] = button;
    return {};
}

// A key line that was taken: its control and its line number.
struct KeyLine {
    int control;
    int number;
};

// The first key line, in the file's order, whose key another control also has, where that
// control's key is its own (not moved) or came from an earlier line; -1 when none. A swap of two
// keys on two lines is no clash: each line's key has left the other control.
int firstClash(const std::vector<KeyLine>& lines, const PlayerSettings& s, int& other) {
    const auto lineOf = [&lines](int control) {
        for (const KeyLine& line : lines)
            if (line.control == control) return line.number;
        return -1;
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto c = static_cast<size_t>(lines[i].control);
        for (other = 0; other < kPlayerControlCount; ++other) {
            if (static_cast<size_t>(other) != c &&
                s.keys[static_cast<size_t>(other)] == s.keys[c] && lineOf(other) < lines[i].number)
                return static_cast<int>(i);
        }
    }
    return -1;
}

// Takes back key lines that would put two controls on one key, each with a complaint, until no
// two controls share a key.
void refuseClashes(std::vector<KeyLine> lines, PlayerSettings& s,
                   std::vector<std::string>& complaints) {
    const PlayerSettings defaults;
    int other = 0;
    for (int i = 0; (i = firstClash(lines, s, other)) >= 0;) {
        const KeyLine line = lines[static_cast<size_t>(i)];
        const auto c = static_cast<size_t>(line.control);
        complaints.push_back("line " + std::to_string(line.number) + ": " + keyName(s.keys[c]) +
                             " is already the key for " +
                             controlName(static_cast<PlayerControl>(other)));
        s.keys[c] = defaults.keys[c];
        lines.erase(lines.begin() + i);
    }
}

} // namespace

std::string padSettingName(PlayerControl control) {
    return std::string("pad-") + controlName(control);
}

void parsePlayerSettings(const std::string& text, PlayerSettings& settings,
                         std::vector<std::string>& complaints) {
    std::vector<KeyLine> keyLines;
    const auto control = [&settings, &keyLines](const SettingLine& line) {
        std::string reason = applyControl(line, settings);
        if (reason.empty() && controlIndex(line.name, "") >= 0)
            keyLines.push_back({controlIndex(line.name, ""), line.number});
        return reason;
    };
    std::vector<std::string> found = parseSettingLines(text, settings, control);
    refuseClashes(keyLines, settings, found);
    complaints.insert(complaints.end(), found.begin(), found.end());
}

std::string formatPlayerSettings(const PlayerSettings& s) {
    std::string text;
    for (int i = 0; i < kPlayerControlCount; ++i)
        text += std::string(controlName(static_cast<PlayerControl>(i))) + " " +
                keyName(s.keys[static_cast<size_t>(i)]) + "\n";
    for (int i = 0; i < kPlayerControlCount; ++i) {
        const PadButton button = s.pads[static_cast<size_t>(i)];
        if (button != PadButton::kNone)
            text +=
                padSettingName(static_cast<PlayerControl>(i)) + " " + padButtonName(button) + "\n";
    }
    return text + formatPlayerOptions(s);
}

std::string withPlayerSettings(const std::string& text, const PlayerSettings& settings) {
    return withSettingLines(text, isSettingName, formatPlayerSettings(settings));
}

bool loadPlayerSettings(const std::string& path, PlayerSettings& settings) {
    std::string text;
    if (!readConfigText(path, text)) return false;
    std::vector<std::string> complaints;
    parsePlayerSettings(text, settings, complaints);
    reportSettingComplaints(path, complaints);
    return true;
}

bool savePlayerSettings(const std::string& path, const PlayerSettings& settings) {
    std::string text;
    return readConfigText(path, text) && writeConfigText(path, withPlayerSettings(text, settings));
}
