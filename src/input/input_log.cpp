// Input logs: parsing with line-numbered errors, replay as an input source, and recording.
#include "input/input_log.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "base/decimal.h"
#include "base/regular_file.h"

namespace {

constexpr std::string_view kHeader = "orvane-input 1";
constexpr uint8_t kKeyHeld = 0x80;

// Splits a line at spaces and tabs; runs of them count as one separator.
std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// A plain decimal number in [lo, hi]: digits only, so signs, junk and overflow are refused.
bool readNumber(std::string_view word, const char* what, uint64_t lo, uint64_t hi, uint64_t& value,
                std::string& error) {
    const std::string shown = quoteForMessage(word);
    if (!word.empty() && word[0] == '-') {
        error = std::string(what) + " must not be negative: '" + shown + "'";
        return false;
    }
    if (word.find_first_not_of("0123456789") != std::string_view::npos || word.empty()) {
        error = std::string(what) + " is not a decimal number: '" + shown + "'";
        return false;
    }
    if (!readDecimal(word, hi, value) || value < lo) {
        error = std::string(what) + " " + shown + " is out of range " + std::to_string(lo) +
                " to " + std::to_string(hi);
        return false;
    }
    return true;
}

bool parseSeedLine(std::string_view line, uint32_t& seed, std::string& error) {
    const auto words = splitWords(line);
    if (words.empty() || words[0] != "seed") {
        error = "expected 'seed N' as the first line after the header";
        return false;
    }
    if (words.size() != 2) {
        error = words.size() < 2 ? "the seed line has no number" : "stray words after the seed";
        return false;
    }
    uint64_t value = 0;
    if (!readNumber(words[1], "seed", 0, 0xFFFFFFFFu, value, error)) return false;
    seed = static_cast<uint32_t>(value);
    return true;
}

// "start FRAME RANDOM CYCLE BEST", the line a saved game's log has after its seed.
bool parseStartLine(std::string_view line, InputLog::Start& start, std::string& error) {
    const auto words = splitWords(line);
    if (words.size() != 5) {
        error = "expected 'start FRAME RANDOM CYCLE BEST'";
        return false;
    }
    uint64_t v[4] = {};
    const uint64_t highs[4] = {InputLog::kMaxStartFrame, 0xFFFFFFFFu,
                               InputLog::kColorCycleLength - 1, INT32_MAX};
    const char* names[4] = {"start frame", "random state", "colour cycle", "best score"};
    for (int i = 0; i < 4; ++i)
        if (!readNumber(words[static_cast<size_t>(i) + 1], names[i], 0, highs[i], v[i], error))
            return false;
    start = {true, static_cast<int64_t>(v[0]), static_cast<uint32_t>(v[1]),
             static_cast<int32_t>(v[2]), static_cast<int32_t>(v[3])};
    return true;
}

// "lab NAME VALUE": a setting from here on.
bool parseLabLine(std::string_view line, InputLog::Setting& setting, std::string& error) {
    const auto words = splitWords(line);
    if (words.size() != 3) {
        error = "expected 'lab NAME VALUE'";
        return false;
    }
    uint64_t value = 0;
    if (!readNumber(words[2], "lab value", 0, INT32_MAX, value, error)) return false;
    setting.name = std::string(words[1]);
    setting.value = static_cast<int64_t>(value);
    return true;
}

bool isLabLine(std::string_view line) {
    const auto words = splitWords(line);
    return !words.empty() && words[0] == "lab";
}

bool isStartLine(std::string_view line) {
    const auto words = splitWords(line);
    return !words.empty() && words[0] == "start";
}

bool parseRow(std::string_view line, InputLogRow& row, std::string& error) {
    const auto words = splitWords(line);
    uint64_t value = 0;
    if (!readNumber(words[0], "count", 1, InputLog::kMaxCount, value, error)) return false;
    row.count = static_cast<int32_t>(value);
    row.held.reset();
    for (size_t i = 1; i < words.size(); ++i) {
        if (!readNumber(words[i], "input", 0, kInputCount - 1, value, error)) return false;
        row.held.set(value);
    }
    return true;
}

std::string lineError(int64_t number, const std::string& what) {
    return "line " + std::to_string(number) + ": " + what;
}

// Takes a log line by line, so a file is judged by its header before anything else is read.
class LogParser {
  public:
    explicit LogParser(InputLog& log) : log_(log) { log_ = InputLog(); }
    // One line without its ending (a \r before it is dropped); false with the error.
    bool line(std::string_view text, std::string& error) {
        ++number_;
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        if (number_ == 1) {
            if (text == kHeader) return true;
            error = lineError(1, "expected the header 'orvane-input 1'");
            return false;
        }
        if (isBlank(text) || text[0] == '#') return true;
        bool ok = false;
        std::string what;
        if (!haveSeed_) {
            ok = haveSeed_ = parseSeedLine(text, log_.seed, what);
        } else if (log_.rowCount() == 0 && !log_.start.present && isStartLine(text)) {
            ok = parseStartLine(text, log_.start, what);
        } else if (isLabLine(text)) {
            InputLog::Setting setting;
            ok = parseLabLine(text, setting, what);
            setting.line = number_;
            if (ok) log_.addSetting(setting);
        } else {
            InputLogRow row;
            ok = parseRow(text, row, what);
            if (ok) log_.addRow(row);
        }
        if (!ok) error = lineError(number_, what);
        return ok;
    }
    // A line too long to be a row, which is not read to its end.
    bool tooLong(std::string& error) {
        error = lineError(number_ + 1, number_ == 0 ? "expected the header 'orvane-input 1'"
                                                    : "longer than any row can be");
        return false;
    }
    bool finish(std::string& error) const {
        if (number_ == 0) {
            error = lineError(1, "expected the header 'orvane-input 1'");
            return false;
        }
        if (haveSeed_) return true;
        error = lineError(number_ + 1, "missing the 'seed N' line");
        return false;
    }

  private:
    InputLog& log_;
    int64_t number_ = 0;
    bool haveSeed_ = false;
};

// A row of every input held, with a generous count and spaces: longer lines are not rows.
constexpr size_t kMaxLineBytes = 4096;

// The line so far is longer than a row; a \r at its end is the line ending's, not the row's.
bool tooLong(const std::string& line) {
    return line.size() > kMaxLineBytes + (!line.empty() && line.back() == '\r' ? 1 : 0);
}

bool readLines(std::FILE* file, LogParser& parser, std::string& error) {
    std::string line;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        std::string_view chunk(buffer, got);
        for (size_t end; (end = chunk.find('\n')) != std::string_view::npos;) {
            line.append(chunk.substr(0, end));
            if (tooLong(line)) return parser.tooLong(error);
            if (!parser.line(line, error)) return false;
            line.clear();
            chunk.remove_prefix(end + 1);
        }
        line.append(chunk);
        if (tooLong(line)) return parser.tooLong(error);
    }
    if (std::ferror(file) != 0) {
        error = "could not be read to its end";
        return false;
    }
    if (!line.empty() && !parser.line(line, error)) return false;
    return parser.finish(error);
}

// The header, the seed line and a saved game's start line.
std::string formatLogHead(uint32_t seed, const InputLog::Start& start) {
    std::string text = std::string(kHeader) + "\nseed " + std::to_string(seed) + "\n";
    if (start.present) {
        text += "start " + std::to_string(start.frame) + " " + std::to_string(start.random) + " " +
                std::to_string(start.colorCycle) + " " + std::to_string(start.highScore) + "\n";
    }
    return text;
}

} // namespace

void InputLog::put(uint32_t value) {
    for (; value >= 0x80; value >>= 7)
        bytes_.push_back(static_cast<uint8_t>(value | 0x80));
    bytes_.push_back(static_cast<uint8_t>(value));
}

uint32_t InputLog::get(size_t& at) const {
    uint32_t value = 0;
    for (int shift = 0;; shift += 7) {
        const uint8_t byte = bytes_[at++];
        value |= static_cast<uint32_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) return value;
    }
}

void InputLog::addRow(const InputLogRow& row) {
    const auto [found, added] =
        setIndex_.try_emplace(row.held, static_cast<uint32_t>(sets_.size()));
    if (added) sets_.push_back(row.held);
    const uint32_t set = found->second;
    frames_ += row.count;
    if (rows_ > 0 && joinable_ && set == lastSet_ && row.count <= kMaxCount - lastCount_) {
        bytes_.resize(lastAt_); // joined: the last row is written again with both counts
        lastCount_ += row.count;
    } else {
        lastAt_ = bytes_.size();
        lastCount_ = row.count;
        lastSet_ = set;
        ++rows_;
        joinable_ = true;
    }
    put(static_cast<uint32_t>(lastCount_));
    put(set);
}

void InputLog::addSetting(Setting setting) {
    setting.frame = frames_;
    settings.push_back(std::move(setting));
    joinable_ = false;
}

bool InputLog::next(size_t& at, int32_t& count, const HeldInputs*& held) const {
    if (at >= bytes_.size()) return false;
    count = static_cast<int32_t>(get(at));
    held = &sets_[get(at)];
    return true;
}

bool parseInputLog(std::string_view text, InputLog& log, std::string& error) {
    LogParser parser(log);
    while (!text.empty()) {
        const size_t end = text.find('\n');
        if (!parser.line(text.substr(0, end), error)) return false;
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return parser.finish(error);
}

bool loadInputLog(const std::string& path, InputLog& log, std::string& error) {
    const std::string name = "input log '" + quoteForMessage(path) + "'";
    std::FILE* file = openRegularFile(path.c_str());
    if (file == nullptr) {
        error = "cannot read " + name + ": " + whyNotReadable(path.c_str());
        return false;
    }
    struct stat info {};
    if (::fstat(::fileno(file), &info) != 0 || info.st_size > InputLog::kMaxFileBytes) {
        std::fclose(file);
        error = name + " is larger than " + std::to_string(InputLog::kMaxFileBytes >> 30) + " GiB";
        return false;
    }
    LogParser parser(log);
    const bool ok = readLines(file, parser, error);
    std::fclose(file);
    if (!ok) error = name + " " + error;
    return ok;
}

std::string formatInputLogRow(const InputLogRow& row) {
    std::string text = std::to_string(row.count);
    for (int n = 0; n < kInputCount; ++n) {
        if (row.held.test(n)) text += " " + std::to_string(n);
    }
    return text;
}

std::string formatInputLog(const InputLog& log) {
    std::string text = formatLogHead(log.seed, log.start);
    int32_t count = 0;
    const HeldInputs* held = nullptr;
    int64_t frame = 0;
    auto setting = log.settings.begin();
    // Each setting goes before the first row that starts at or after its frame.
    const auto settingsTo = [&](int64_t upTo) {
        for (; setting != log.settings.end() && setting->frame <= upTo; ++setting)
            text += "lab " + setting->name + " " + std::to_string(setting->value) + "\n";
    };
    for (size_t at = 0; log.next(at, count, held);) {
        settingsTo(frame);
        text += formatInputLogRow({count, *held}) + "\n";
        frame += count;
    }
    settingsTo(INT64_MAX);
    return text;
}

void writeHeldInputs(const HeldInputs& held, uint8_t keys[256], uint8_t joyState[10]) {
    for (int n = 0; n < 256; ++n)
        keys[n] = held.test(n) ? kKeyHeld : 0;
    for (int n = 0; n < 10; ++n)
        joyState[n] = held.test(256 + n) ? 1 : 0;
}

void InputLogSource::readState(uint8_t keys[256], uint8_t joyState[10]) {
    // Past the last row nothing is held.
    static const HeldInputs none;
    writeHeldInputs(finished_ ? none : *held_, keys, joyState);
    ++framesRead_;
    if (!finished_ && --left_ <= 0) nextRow();
}

InputLogRecorder::~InputLogRecorder() {
    close();
}

bool InputLogRecorder::open(const std::string& path, uint32_t seed, std::string& error,
                            const InputLog::Start& start) {
    close();
    ownsFile_ = path != "-";
    file_ = ownsFile_ ? std::fopen(path.c_str(), "wb") : stdout;
    if (file_ == nullptr) {
        error = "cannot write input log '" + quoteForMessage(path) + "': " + std::strerror(errno);
        return false;
    }
    pending_ = InputLogRow();
    framesRecorded_ = 0;
    writeFailed_ = false;
    const std::string head = formatLogHead(seed, start);
    if (std::fputs(head.c_str(), file_) < 0 || std::fflush(file_) != 0) writeFailed_ = true;
    return true;
}

HeldInputs heldInputsOf(const Input& input) {
    HeldInputs held;
    for (int n = 0; n < kInputCount; ++n) {
        if (input.isDown(n)) held.set(n);
    }
    return held;
}

void InputLogRecorder::recordFrame(const Input& input) {
    recordHeld(heldInputsOf(input));
}

void InputLogRecorder::recordHeld(const HeldInputs& held) {
    if (file_ == nullptr) return;
    ++framesRecorded_;
    if (pending_.count > 0 && (pending_.held != held || pending_.count == InputLog::kMaxCount)) {
        writePending();
    }
    if (pending_.count == 0) pending_.held = held;
    ++pending_.count;
}

void InputLogRecorder::writePending() {
    if (pending_.count == 0) return;
    // Each row goes out as it ends, so a run that is killed leaves a log of the frames before.
    const std::string text = formatInputLogRow(pending_) + "\n";
    if (std::fputs(text.c_str(), file_) < 0 || std::fflush(file_) != 0) writeFailed_ = true;
    pending_ = InputLogRow();
}

void InputLogRecorder::recordSetting(const std::string& name, int64_t value) {
    if (file_ == nullptr) return;
    writePending();
    const std::string text = "lab " + name + " " + std::to_string(value) + "\n";
    if (std::fputs(text.c_str(), file_) < 0 || std::fflush(file_) != 0) writeFailed_ = true;
}

bool InputLogRecorder::close() {
    if (file_ == nullptr) return !writeFailed_;
    writePending();
    if (std::fflush(file_) != 0) writeFailed_ = true;
    if (ownsFile_ && std::fclose(file_) != 0) writeFailed_ = true;
    file_ = nullptr;
    return !writeFailed_;
}
