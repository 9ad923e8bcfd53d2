// The setting lines of config.txt: splitting, the options every platform shares, and reading and
// writing the file without losing anything the player put there.
#include "app/player_options.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

#include "base/file_replace.h"
#include "base/regular_file.h"

namespace {

constexpr const char* kControlNames[kPlayerControlCount] = {"fire", "link",  "up",   "down",
                                                            "left", "right", "pause"};
constexpr size_t kMaxConfigBytes = 1 << 20;
constexpr const char* kSpace = " \t\r\n\v\f";

// The first word of text and where it ends; empty when text holds none.
std::string firstWord(const std::string& text, size_t& end) {
    const size_t start = text.find_first_not_of(kSpace);
    if (start == std::string::npos) {
        end = text.size();
        return "";
    }
    end = std::min(text.find_first_of(kSpace, start), text.size());
    return text.substr(start, end - start);
}

// Where the settings begin: after the line that ends the display choice, its word and the
// number "%i" reads after it, as readConfig reads them.
size_t settingsStart(const std::string& text) {
    if (!hasDisplayChoice(text)) return 0;
    size_t at = 0;
    firstWord(text, at);
    const size_t number = text.find_first_not_of(kSpace, at);
    if (number != std::string::npos) {
        char* end = nullptr;
        std::strtol(text.c_str() + number, &end, 0);
        if (end != text.c_str() + number) at = static_cast<size_t>(end - text.c_str());
    }
    const size_t lineEnd = text.find('\n', at);
    return lineEnd == std::string::npos ? text.size() : lineEnd + 1;
}

std::string trimmed(const std::string& text) {
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos) return "";
    return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

// A line's name and value; a note (starting with '#' or '['), or a blank line, has no name.
SettingLine splitLine(std::string line, int number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    SettingLine setting;
    setting.number = number;
    line = trimmed(line);
    if (line.empty() || line[0] == '#' || line[0] == '[') return setting;
    const size_t space = line.find_first_of(" \t");
    setting.name = line.substr(0, space);
    setting.value = space == std::string::npos ? "" : trimmed(line.substr(space));
    for (const char c : line)
        if (std::iscntrl(static_cast<unsigned char>(c)) != 0 && c != '\t')
            setting.problem = "holds a control character";
    if (setting.problem.empty() && setting.value.empty())
        setting.problem = "expected a name and a value";
    return setting;
}

bool readPercent(const std::string& text, int32_t& value) {
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != text.npos)
        return false;
    const int parsed = std::atoi(text.c_str());
    if (parsed > 100) return false;
    value = parsed;
    return true;
}

bool readSwitch(const std::string& text, bool& value) {
    if (text != "0" && text != "1") return false;
    value = text == "1";
    return true;
}

// Why the file at path, which is there, cannot be read as config.txt.
std::string unreadableReason(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::strerror(errno);
    if (S_ISDIR(info.st_mode)) return "is a folder";
    if (!S_ISREG(info.st_mode)) return "is not a regular file";
    if (static_cast<size_t>(info.st_size) > kMaxConfigBytes) return "is larger than 1 MiB";
    return "could not be read: " + whyNotReadable(path.c_str());
}

// Applies one of the options' lines; the reason when its value cannot be used, else empty.
std::string applyPlayerOption(const SettingLine& line, PlayerOptions& o) {
    const std::string quoted = "'" + quoteForMessage(line.value) + "'";
    if (line.name == "effects" || line.name == "ambient") {
        int32_t& level = line.name == "effects" ? o.effects : o.ambient;
        return readPercent(line.value, level) ? ""
                                              : "expected a level from 0 to 100, not " + quoted;
    }
    if (line.name == "mute" || line.name == "flashes") {
        bool& flag = line.name == "mute" ? o.muted : o.flashes;
        return readSwitch(line.value, flag) ? "" : "expected 0 or 1, not " + quoted;
    }
    return "unknown setting '" + quoteForMessage(line.name) + "'";
}

} // namespace

const char* controlName(PlayerControl control) {
    return kControlNames[static_cast<int>(control)];
}

int controlIndex(const std::string& name, const std::string& prefix) {
    for (int i = 0; i < kPlayerControlCount; ++i)
        if (name == prefix + kControlNames[i]) return i;
    return -1;
}

bool isPlayerOptionName(const std::string& name) {
    return name == "effects" || name == "ambient" || name == "mute" || name == "flashes";
}

bool isSettingName(const std::string& name) {
    return controlIndex(name, "") >= 0 || controlIndex(name, "pad-") >= 0 ||
           isPlayerOptionName(name);
}

bool hasDisplayChoice(const std::string& text) {
    size_t end = 0;
    const std::string word = firstWord(text, end);
    return !word.empty() && !isSettingName(word);
}

namespace {
std::vector<SettingLine> linesFrom(const std::string& text, size_t start) {
    int number = static_cast<int>(std::count(text.begin(), text.begin() + start, '\n'));
    std::vector<SettingLine> lines;
    std::istringstream rest(text.substr(start));
    for (std::string line; std::getline(rest, line);) {
        SettingLine setting = splitLine(line, ++number);
        if (!setting.name.empty()) lines.push_back(setting);
    }
    return lines;
}
} // namespace

std::vector<SettingLine> settingLines(const std::string& text) {
    return linesFrom(text, settingsStart(text));
}

std::vector<SettingLine> plainSettingLines(const std::string& text) {
    return linesFrom(text, 0);
}

std::string formatPlayerOptions(const PlayerOptions& o) {
    return "effects " + std::to_string(o.effects) + "\nambient " + std::to_string(o.ambient) +
           "\nmute " + (o.muted ? "1" : "0") + "\nflashes " + (o.flashes ? "1" : "0") + "\n";
}

std::string withSettingLines(const std::string& text, bool (*replaced)(const std::string& name),
                             const std::string& lines) {
    const size_t start = settingsStart(text);
    std::string result = hasDisplayChoice(text) ? text.substr(0, start) : "fullscreen 0\n";
    if (!result.empty() && result.back() != '\n') result += "\n";
    std::istringstream rest(text.substr(start));
    for (std::string line; std::getline(rest, line);)
        if (!replaced(splitLine(line, 0).name)) result += line + "\n";
    return result + lines;
}

bool readConfigText(const std::string& path, std::string& text) {
    if (readRegularFile(path.c_str(), kMaxConfigBytes, text)) return true;
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 || errno != ENOENT)
        std::fprintf(stderr, "orvane: '%s' %s; playing with the default settings, not saved\n",
                     quoteForMessage(path).c_str(), unreadableReason(path).c_str());
    return false;
}

bool writeConfigText(const std::string& path, const std::string& text) {
    std::string why = whyNotReplaceable(path);
    struct stat info {};
    const mode_t mode = ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0644;
    if (why.empty() && replaceFileContents(path, text, mode)) return true;
    if (why.empty()) why = std::string("could not be written: ") + std::strerror(errno);
    std::fprintf(stderr, "orvane: '%s' %s; settings kept for this run only\n",
                 quoteForMessage(path).c_str(), why.c_str());
    return false;
}

void reportSettingComplaints(const std::string& path, const std::vector<std::string>& complaints) {
    for (const std::string& complaint : complaints)
        std::fprintf(stderr, "orvane: '%s' %s; keeping the setting as it was\n",
                     quoteForMessage(path).c_str(), complaint.c_str());
}

std::vector<std::string>
parseSettingLines(const std::string& text, PlayerOptions& options,
                  const std::function<std::string(const SettingLine&)>& controlLine) {
    std::vector<std::string> complaints;
    std::map<std::string, int> seen;
    for (const SettingLine& line : settingLines(text)) {
        std::string reason = line.problem;
        const auto first = seen.find(line.name);
        if (!reason.empty()) {
            // A line that cannot be read at all sets nothing.
        } else if (first != seen.end()) {
            reason = "'" + quoteForMessage(line.name) + "' was already set on line " +
                     std::to_string(first->second);
        } else if (isPlayerOptionName(line.name)) {
            reason = applyPlayerOption(line, options);
        } else if (isSettingName(line.name)) {
            reason = controlLine(line);
        } else {
            reason = "unknown setting '" + quoteForMessage(line.name) + "'";
        }
        if (reason.empty()) seen[line.name] = line.number;
        if (!reason.empty())
            complaints.push_back("line " + std::to_string(line.number) + ": " + reason);
    }
    return complaints;
}
