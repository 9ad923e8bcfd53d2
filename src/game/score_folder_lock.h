// One writer at a time in the folder of the player's score files: an advisory lock on the folder
// that every copy of the game takes before it reads, compares and replaces a file there.
#pragma once

#include <string>

class ScoreFolderLock {
  public:
    // Waits at most kWaitMillis for the lock on the folder holding path.
    static constexpr int kWaitMillis = 1000;

    explicit ScoreFolderLock(const std::string& path);
    ~ScoreFolderLock();
    ScoreFolderLock(const ScoreFolderLock&) = delete;
    ScoreFolderLock& operator=(const ScoreFolderLock&) = delete;

    // True when another copy of the game held the folder for the whole wait: nothing may be
    // written there now.
    bool busy() const { return busy_; }
    // True when this copy alone writes in the folder now. A folder that cannot be opened, or a file
    // system without locks, is written without it; leftovers of others are then not touched.
    bool locked() const { return locked_; }

  private:
    int fd_ = -1;
    bool busy_ = false;
    bool locked_ = false;
};
