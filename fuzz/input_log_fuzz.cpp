// Feeds arbitrary text to the input-log parser; what it accepts must survive writing and reading.
#include <cstdlib>
#include <string>
#include <string_view>

#include "input/input_log.h"

namespace {
bool sameLog(const InputLog& a, const InputLog& b) {
    if (a.seed != b.seed || a.rowCount() != b.rowCount() || a.frameCount() != b.frameCount())
        return false;
    size_t atA = 0;
    size_t atB = 0;
    int32_t countA = 0;
    int32_t countB = 0;
    const HeldInputs* heldA = nullptr;
    const HeldInputs* heldB = nullptr;
    while (a.next(atA, countA, heldA)) {
        if (!b.next(atB, countB, heldB) || countA != countB || *heldA != *heldB) return false;
    }
    return !b.next(atB, countB, heldB);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    InputLog log;
    std::string error;
    if (!parseInputLog(text, log, error)) {
        if (error.rfind("line ", 0) != 0) std::abort(); // every refusal names its line
        return 0;
    }
    InputLog again;
    if (!parseInputLog(formatInputLog(log), again, error) || !sameLog(log, again)) std::abort();
    if (log.frameCount() < 0) std::abort();
    return 0;
}
