// The score table's writer thread: one game at a time, in the order they ended.
#include "game/score_writer.h"

#include <cstdio>
#include <utility>

#include "game/score_table.h"

ScoreWriter::ScoreWriter(std::string folder, bool threaded)
    : folder_(std::move(folder)), threaded_(threaded) {}

ScoreWriter::~ScoreWriter() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void ScoreWriter::submit(FinishedGame game) {
    if (!threaded_) {
        save(game);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        waiting_.push_back(std::move(game));
        if (!thread_.joinable()) thread_ = std::thread(&ScoreWriter::run, this);
    }
    changed_.notify_all();
}

void ScoreWriter::flush() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.empty() && !saving_; });
}

void ScoreWriter::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (waiting_.empty()) return;
        FinishedGame game = std::move(waiting_.front());
        waiting_.pop_front();
        saving_ = true;
        lock.unlock();
        save(game);
        lock.lock();
        saving_ = false;
        changed_.notify_all();
    }
}

void ScoreWriter::save(const FinishedGame& game) const {
    std::string message;
    bool busy = true;
    for (int attempt = 0; attempt < kAttempts && busy; ++attempt) {
        message.clear();
        if (ScoreTable::save(folder_, game, message, busy)) {
            if (!message.empty()) std::fprintf(stderr, "orvane: %s\n", message.c_str());
            return;
        }
    }
    std::fprintf(stderr, "orvane: %s\n", message.c_str());
    std::fprintf(stderr, "orvane: the game of score %d was not entered in the table\n",
                 static_cast<int>(game.score));
}
