// Opening the game's input files safely: only regular files, and never waiting on one.
#include "base/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

namespace {
constexpr size_t kQuotedLength = 80;
}

std::FILE* openRegularFile(const char* path) {
    if (path == nullptr || path[0] == '\0') {
        errno = ENOENT;
        return nullptr;
    }
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = ENOENT;
        return nullptr;
    }
    // Reads from a regular file never wait anyway; the flag only kept the open from blocking.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) ::close(fd);
    return file;
}

std::string whyNotReadable(const char* path) {
    struct stat info {};
    if (path != nullptr && ::stat(path, &info) == 0 && !S_ISREG(info.st_mode))
        return "not a regular file";
    std::FILE* file = openRegularFile(path);
    if (file != nullptr) {
        std::fclose(file);
        return "could not be read";
    }
    return std::strerror(errno);
}

bool readRegularFile(const char* path, size_t maxBytes, std::string& bytes) {
    bytes.clear();
    std::FILE* file = openRegularFile(path);
    if (file == nullptr) return false;
    struct stat info {};
    bool ok = ::fstat(::fileno(file), &info) == 0 && static_cast<size_t>(info.st_size) <= maxBytes;
    if (!ok) errno = EFBIG;
    if (ok) {
        bytes.resize(static_cast<size_t>(info.st_size));
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
        ok = !std::ferror(file);
    }
    std::fclose(file);
    return ok;
}

namespace {

// text with control characters, backslashes and bytes outside ASCII written as \xNN (a
// backslash as \\), at most limit bytes of it.
std::string escaped(std::string_view text, size_t limit) {
    std::string out;
    for (size_t i = 0; i < text.size() && i < limit; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
            continue;
        }
        static const char kHex[] = "0123456789abcdef";
        out += c == '\\' ? std::string("\\\\") : std::string{'\\', 'x', kHex[c >> 4], kHex[c & 15]};
    }
    return out;
}

} // namespace

std::string quoteForMessage(std::string_view text) {
    std::string out = escaped(text, kQuotedLength);
    if (text.size() > kQuotedLength) out += "...";
    return out;
}

std::string escapeForTerminal(std::string_view text) {
    return escaped(text, text.size());
}
