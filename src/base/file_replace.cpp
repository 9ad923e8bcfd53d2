// Whole-file replacement through a flushed temporary and a rename, never through a link.
#include "base/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t done = ::write(fd, bytes.data(), bytes.size());
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(done));
    }
    return true;
}

// The player's own file without its write bit was made read-only on purpose; another user's file
// is judged by whether the player may write it.
bool isReadOnly(const std::string& path, const struct stat& info) {
    if (info.st_uid == ::geteuid()) return (info.st_mode & S_IWUSR) == 0;
    return ::access(path.c_str(), W_OK) != 0;
}

} // namespace

std::string replacedFile(const std::string& path) {
    std::error_code error;
    std::filesystem::path file = path;
    for (int depth = 0; depth < 40 && std::filesystem::is_symlink(file, error); ++depth) {
        const std::filesystem::path target = std::filesystem::read_symlink(file, error);
        if (error) break;
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return file.string();
}

std::string whyNotReplaceable(const std::string& path) {
    const std::string target = replacedFile(path);
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0)
        return errno == ENOENT && target != path ? "is a link to a missing file" : "";
    if (S_ISLNK(info.st_mode)) return "is a link that leads nowhere";
    if (S_ISDIR(info.st_mode)) return "is a folder";
    if (!S_ISREG(info.st_mode)) return "is not a regular file";
    if (isReadOnly(target, info)) return "is read-only";
    return "";
}

bool replaceFileContents(const std::string& path, std::string_view bytes, mode_t mode) {
    if (!whyNotReplaceable(path).empty()) {
        errno = EPERM;
        return false;
    }
    const std::string target = replacedFile(path);
    std::string temp = target + ".orvane-temp-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}
