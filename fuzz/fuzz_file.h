// An in-memory file with a path, so readers that take a file name can be fed bytes without a disk.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

class FuzzFile {
  public:
    FuzzFile(const uint8_t* data, size_t size) {
        fd_ = ::memfd_create("orvane-fuzz", 0);
        if (fd_ < 0) std::abort(); // without it the harness would test nothing
        size_t done = 0;
        while (done < size) {
            const ssize_t n = ::write(fd_, data + done, size - done);
            if (n <= 0) std::abort();
            done += static_cast<size_t>(n);
        }
        path_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    ~FuzzFile() { ::close(fd_); }
    FuzzFile(const FuzzFile&) = delete;
    FuzzFile& operator=(const FuzzFile&) = delete;

    const char* path() const { return path_.c_str(); }

  private:
    int fd_ = -1;
    std::string path_;
};
