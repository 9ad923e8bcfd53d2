// Lab settings as a player writes them: a small file of NAME VALUE lines, NAME=VALUE on the
// command line, and the lab lines of an input log.
#pragma once

#include <string>
#include <vector>

#include "input/input_log.h"
#include "world/lab_settings.h"

// Reads NAME VALUE lines into settings, as config.txt's settings are read: notes and blank lines
// skipped, each bad line named ("line N: ...") and left out, a name given twice kept from its
// first line. Settings that cannot go together are refused as a whole, with why.
std::vector<std::string> parseLabText(const std::string& text, LabSettings& settings);
// Applies one --lab argument: NAME=VALUE, else a lab file's name. False with one line in error.
bool applyLabArgument(const std::string& argument, LabSettings& settings, std::string& error);
// NAME VALUE lines of the settings that differ from the game's own (every one when all).
std::string formatLabSettings(const LabSettings& settings, bool all = false);
// The names and values that changed from before to after, in the table's order.
std::vector<std::pair<const char*, int32_t>> labChanges(const LabSettings& before,
                                                        const LabSettings& after);

// Saves a comparison's CSV beside the screenshots as lab-compare-DATE-TIME.csv; the line the lab
// shows: where it went, or why it could not be saved.
std::string saveLabComparison(const std::string& folder, const std::string& text);

// The settings of an input log's lab lines, checked: those of its start into start, and each
// later one as it falls due. A bad line fails the log with its line number.
class LabSchedule {
  public:
    bool load(const InputLog& log, LabSettings& start, std::string& error);
    // The settings from frame on (counted from the log's start), when the log changes them
    // there; false when it does not.
    bool dueAt(int64_t frame, LabSettings& settings);
    // From the log's start again, for another run over it.
    void rewind() { next_ = 0; }

  private:
    struct Change {
        int64_t frame;
        LabSettings settings;
    };
    std::vector<Change> changes_;
    size_t next_ = 0;
};
