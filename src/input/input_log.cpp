// Input logs: parsing with line-numbered errors, replay as an input source, and recording.
#include "input/input_log.h"

#include <cerrno>
#include <cstring>

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
    const std::string shown(word);
    if (!word.empty() && word[0] == '-') {
        error = std::string(what) + " must not be negative: '" + shown + "'";
        return false;
    }
    value = 0;
    for (char c : word) {
        if (c < '0' || c > '9') {
            error = std::string(what) + " is not a decimal number: '" + shown + "'";
            return false;
        }
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > hi) {
            error = std::string(what) + " " + shown + " is out of range " + std::to_string(lo) +
                    " to " + std::to_string(hi);
            return false;
        }
    }
    if (value < lo) {
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

// The next line without its ending; false at the end of the text.
bool nextLine(std::string_view& rest, std::string_view& line) {
    if (rest.empty()) return false;
    const size_t end = rest.find('\n');
    line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
}

std::string lineError(int number, const std::string& what) {
    return "line " + std::to_string(number) + ": " + what;
}

} // namespace

int64_t InputLog::frameCount() const {
    int64_t frames = 0;
    for (const InputLogRow& row : rows)
        frames += row.count;
    return frames;
}

bool parseInputLog(std::string_view text, InputLog& log, std::string& error) {
    log = InputLog();
    std::string_view line;
    int number = 1;
    if (!nextLine(text, line) || line != kHeader) {
        error = lineError(1, "expected the header 'orvane-input 1'");
        return false;
    }
    bool haveSeed = false;
    std::string what;
    while (nextLine(text, line)) {
        ++number;
        if (isBlank(line) || line[0] == '#') continue;
        bool ok = false;
        if (!haveSeed) {
            ok = haveSeed = parseSeedLine(line, log.seed, what);
        } else {
            InputLogRow row;
            ok = parseRow(line, row, what);
            if (ok) log.rows.push_back(row);
        }
        if (!ok) {
            error = lineError(number, what);
            return false;
        }
    }
    if (!haveSeed) {
        error = lineError(number + 1, "missing the 'seed N' line");
        return false;
    }
    return true;
}

bool loadInputLog(const std::string& path, InputLog& log, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = "cannot read input log '" + path + "': " + std::strerror(errno);
        return false;
    }
    std::string text;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    const bool readFailed = std::ferror(file) != 0;
    std::fclose(file);
    if (readFailed) {
        error = "cannot read input log '" + path + "'";
        return false;
    }
    if (!parseInputLog(text, log, error)) {
        error = "input log '" + path + "' " + error;
        return false;
    }
    return true;
}

std::string formatInputLogRow(const InputLogRow& row) {
    std::string text = std::to_string(row.count);
    for (int n = 0; n < kInputCount; ++n) {
        if (row.held.test(n)) text += " " + std::to_string(n);
    }
    return text;
}

std::string formatInputLog(const InputLog& log) {
    std::string text = std::string(kHeader) + "\nseed " + std::to_string(log.seed) + "\n";
    for (const InputLogRow& row : log.rows)
        text += formatInputLogRow(row) + "\n";
    return text;
}

void InputLogSource::readState(uint8_t keys[256], uint8_t joyState[10]) {
    // Past the last row nothing is held.
    HeldInputs none;
    const HeldInputs& held = finished() ? none : log_.rows[row_].held;
    for (int n = 0; n < 256; ++n)
        keys[n] = held.test(n) ? kKeyHeld : 0;
    for (int n = 0; n < 10; ++n)
        joyState[n] = held.test(256 + n) ? 1 : 0;
    ++framesRead_;
    if (finished()) return;
    if (++usedInRow_ >= log_.rows[row_].count) {
        ++row_;
        usedInRow_ = 0;
    }
}

InputLogRecorder::~InputLogRecorder() {
    close();
}

bool InputLogRecorder::open(const std::string& path, uint32_t seed, std::string& error) {
    close();
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) {
        error = "cannot write input log '" + path + "': " + std::strerror(errno);
        return false;
    }
    pending_ = InputLogRow();
    framesRecorded_ = 0;
    writeFailed_ = false;
    const std::string head = std::string(kHeader) + "\nseed " + std::to_string(seed) + "\n";
    if (std::fputs(head.c_str(), file_) < 0) writeFailed_ = true;
    return true;
}

void InputLogRecorder::recordFrame(const Input& input) {
    HeldInputs held;
    for (int n = 0; n < kInputCount; ++n) {
        if (input.isDown(n)) held.set(n);
    }
    recordHeld(held);
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
    const std::string text = formatInputLogRow(pending_) + "\n";
    if (std::fputs(text.c_str(), file_) < 0) writeFailed_ = true;
    pending_ = InputLogRow();
}

bool InputLogRecorder::close() {
    if (file_ == nullptr) return !writeFailed_;
    writePending();
    if (std::fclose(file_) != 0) writeFailed_ = true;
    file_ = nullptr;
    return !writeFailed_;
}
