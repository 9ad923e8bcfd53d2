// Opening the game's input files safely: only regular files, and never waiting on one.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Opens path for reading when it is a regular file. The open itself does not block (a FIFO or a
// device never stalls the game); anything but a regular file counts as missing. Null on failure,
// with errno set (ENOENT when nothing is there).
std::FILE* openRegularFile(const char* path);

// Why openRegularFile failed for path, for a message: "not a regular file", or the system's
// reason.
std::string whyNotReadable(const char* path);

// The whole of a regular file, up to maxBytes; false when it cannot be read or is larger (errno
// EFBIG).
bool readRegularFile(const char* path, size_t maxBytes, std::string& bytes);

// Text from a file or a command line quoted for a one-line message: at most about 80
// characters, control characters and bytes outside ASCII written as \xNN.
std::string quoteForMessage(std::string_view text);
// The same escapes on the whole text, for printing what a file holds: no control character of
// it reaches the terminal.
std::string escapeForTerminal(std::string_view text);
