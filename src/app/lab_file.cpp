// Reading and writing lab settings: files, command-line pairs and the lab lines of input logs.
#include "app/lab_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>

#include "app/player_options.h"
#include "base/decimal.h"
#include "base/regular_file.h"

namespace {

constexpr size_t kMaxLabFileBytes = 1 << 20;

// A value as the table takes it; a parameter's range is checked by setLabParameter.
bool readValue(const std::string& text, const std::string& name, LabSettings& settings,
               std::string& why) {
    uint64_t value = 0;
    if (!readDecimal(text, 1u << 30, value)) {
        why = "expected a whole number for " + name + ", not '" + quoteForMessage(text) + "'";
        return false;
    }
    return setLabParameter(settings, name, static_cast<int64_t>(value), why);
}

} // namespace

std::vector<std::string> parseLabText(const std::string& text, LabSettings& settings) {
    std::vector<std::string> complaints;
    std::map<std::string, int> seen;
    LabSettings read = settings;
    for (const SettingLine& line : plainSettingLines(text)) {
        std::string why = line.problem;
        const auto first = seen.find(line.name);
        if (why.empty() && first != seen.end()) {
            why = "'" + quoteForMessage(line.name) + "' was already set on line " +
                  std::to_string(first->second);
        } else if (why.empty()) {
            readValue(line.value, quoteForMessage(line.name), read, why);
        }
        if (why.empty()) {
            seen[line.name] = line.number;
        } else {
            complaints.push_back("line " + std::to_string(line.number) + ": " + why);
        }
    }
    const std::string clash = labSettingsClash(read);
    if (clash.empty()) {
        settings = read;
    } else {
        complaints.push_back(clash);
    }
    return complaints;
}

bool applyLabArgument(const std::string& argument, LabSettings& settings, std::string& error) {
    const size_t equals = argument.find('=');
    if (equals != std::string::npos) {
        const std::string name = argument.substr(0, equals);
        LabSettings changed = settings;
        std::string why;
        if (!readValue(argument.substr(equals + 1), name, changed, why)) {
            error = "--lab " + quoteForMessage(argument) + ": " + why;
            return false;
        }
        settings = changed;
        return true;
    }
    std::string text;
    if (!readRegularFile(argument.c_str(), kMaxLabFileBytes, text)) {
        error = "--lab: cannot read lab file '" + quoteForMessage(argument) +
                "': " + whyNotReadable(argument.c_str());
        return false;
    }
    const std::vector<std::string> complaints = parseLabText(text, settings);
    if (complaints.empty()) return true;
    error = "lab file '" + quoteForMessage(argument) + "' " + complaints.front();
    return false;
}

std::string formatLabSettings(const LabSettings& settings, bool all) {
    static const LabSettings own;
    std::string text;
    for (const LabParameter& p : kLabParameters) {
        if (all || settings.*(p.field) != own.*(p.field))
            text += std::string(p.name) + " " + std::to_string(settings.*(p.field)) + "\n";
    }
    return text;
}

std::vector<std::pair<const char*, int32_t>> labChanges(const LabSettings& before,
                                                        const LabSettings& after) {
    std::vector<std::pair<const char*, int32_t>> changes;
    for (const LabParameter& p : kLabParameters) {
        if (before.*(p.field) != after.*(p.field)) changes.emplace_back(p.name, after.*(p.field));
    }
    return changes;
}

bool LabSchedule::load(const InputLog& log, LabSettings& start, std::string& error) {
    changes_.clear();
    next_ = 0;
    LabSettings current = start;
    for (size_t i = 0; i < log.settings.size(); ++i) {
        const InputLog::Setting& s = log.settings[i];
        std::string why;
        if (!setLabParameter(current, s.name, s.value, why)) {
            error = "line " + std::to_string(s.line) + ": " + why;
            return false;
        }
        // The settings of one frame are judged together, once its last line is read.
        const bool lastOfFrame =
            i + 1 == log.settings.size() || log.settings[i + 1].frame != s.frame;
        if (!lastOfFrame) continue;
        const std::string clash = labSettingsClash(current);
        if (!clash.empty()) {
            error = "line " + std::to_string(s.line) + ": " + clash;
            return false;
        }
        if (s.frame == 0) {
            start = current;
        } else {
            changes_.push_back({s.frame, current});
        }
    }
    return true;
}

bool LabSchedule::dueAt(int64_t frame, LabSettings& settings) {
    if (next_ >= changes_.size() || changes_[next_].frame != frame) return false;
    settings = changes_[next_++].settings;
    return true;
}

std::string saveLabComparison(const std::string& folder, const std::string& text) {
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string name = std::string("lab-compare-") + stamp + ".csv";
    const std::string path = folder.empty() ? name : folder + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wx");
    const bool written = file != nullptr && std::fputs(text.c_str(), file) >= 0;
    const bool closed = file != nullptr && std::fclose(file) == 0;
    if (written && closed) return "SAVED " + name;
    std::fprintf(stderr, "orvane: could not save '%s': %s\n", quoteForMessage(path).c_str(),
                 std::strerror(errno));
    return "COULD NOT SAVE THE NUMBERS";
}
