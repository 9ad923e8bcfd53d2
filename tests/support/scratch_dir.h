// A fresh folder for a test's files, removed with everything in it when the test ends, and the
// working folder moved for a block, as the game names its files relative to it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

class ScratchDir {
  public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvane-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

class ScopedChdir {
  public:
    explicit ScopedChdir(const std::filesystem::path& to) : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(to);
    }
    ~ScopedChdir() { std::filesystem::current_path(old_); }
    ScopedChdir(const ScopedChdir&) = delete;
    ScopedChdir& operator=(const ScopedChdir&) = delete;

  private:
    std::filesystem::path old_;
};
