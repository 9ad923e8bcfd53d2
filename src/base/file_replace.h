// Replacing a small file as a whole: a reader sees the old bytes or the new, never a mix.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

// The file a write to path replaces: the target of a symbolic link, followed to its end (a
// relative target from the link's own folder), else path itself.
std::string replacedFile(const std::string& path);

// Why the file a write to path would replace must be left alone, for a message: "is a folder",
// "is not a regular file" (a FIFO, a device), "is read-only", "is a link to a missing file"; empty
// when it may be replaced, or created where nothing is.
std::string whyNotReplaceable(const std::string& path);

// Writes bytes to a temporary beside the file path names ("NAME.orvane-temp-XXXXXX", in the
// folder of a symbolic link's target), flushes it to disk and renames it over that file, so a
// link stays a link. Refuses what whyNotReplaceable refuses. On failure nothing is changed, the
// temporary is removed, and false returned.
bool replaceFileContents(const std::string& path, std::string_view bytes, mode_t mode = 0644);
