// Plain decimal numbers from command lines, logs and files: digits only, range checked, never
// wrapped.
#pragma once

#include <cstdint>
#include <string_view>

// The number text holds when it is one or more digits and at most max; false for anything else
// (a sign, a space, junk, or a value past max however many digits it has).
bool readDecimal(std::string_view text, uint64_t max, uint64_t& value);
