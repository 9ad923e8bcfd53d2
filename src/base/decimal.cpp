// Plain decimal numbers, checked against their limit before each digit is added.
#include "base/decimal.h"

bool readDecimal(std::string_view text, uint64_t max, uint64_t& value) {
    if (text.empty()) return false;
    uint64_t parsed = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        const auto digit = static_cast<uint64_t>(c - '0');
        // parsed * 10 + digit > max, asked without computing it, so it cannot wrap.
        if (digit > max || parsed > (max - digit) / 10) return false;
        parsed = parsed * 10 + digit;
    }
    value = parsed;
    return true;
}
