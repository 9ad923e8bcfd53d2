// Replacing a small file as a whole: a reader sees the old bytes or the new, never a mix.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

// Writes bytes to a temporary beside path ("NAME.orvane-temp-XXXXXX"), flushes it to disk and
// renames it over path; on failure path is untouched, the temporary removed, and false returned.
bool replaceFileContents(const std::string& path, std::string_view bytes, mode_t mode = 0644);
