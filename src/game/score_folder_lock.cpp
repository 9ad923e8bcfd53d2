// The score folder's lock: flock(2) on the folder itself, so it needs no file of its own and is
// let go when the process ends, however it ends.
#include "game/score_folder_lock.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

ScoreFolderLock::ScoreFolderLock(const std::string& path) {
    const std::filesystem::path file(path);
    const std::string folder = file.has_parent_path() ? file.parent_path().string() : ".";
    fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return; // a folder that cannot be read cannot be locked either
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMillis);
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) return;
        if (std::chrono::steady_clock::now() >= until) {
            busy_ = true;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    locked_ = true;
}

ScoreFolderLock::~ScoreFolderLock() {
    if (fd_ >= 0) ::close(fd_); // closing lets the lock go
}
