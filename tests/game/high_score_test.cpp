// The high-score file: a replacement that fails keeps the stored score. (Reading it, broken files
// and all, is in the program runs; its bytes as written are in the recorded games' digests.)
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <vector>

#include <sys/resource.h>

#include "game/high_score.h"
#include "support/scratch_dir.h"

namespace {
struct HighScoreTest : ::testing::Test {
    static void setBytes(const std::vector<uint8_t>& b, const std::string& where) {
        std::ofstream(where).write(reinterpret_cast<const char*>(b.data()), std::ssize(b));
    }
    int32_t read() const { return readHighScore(path.c_str()); }
    long entries() const {
        return std::distance(std::filesystem::directory_iterator(dir.path()), {});
    }
    ScratchDir dir;
    std::string path = dir.file("highscore.dat");
};
} // namespace

TEST_F(HighScoreTest, FailedWritesReportFailureAndKeepTheStoredScore) {
    ASSERT_TRUE(writeHighScore(777, path.c_str()));
    const std::string plainFile = dir.file("not-a-folder");
    setBytes({1, 2, 3}, plainFile);
    EXPECT_FALSE(writeHighScore(42, (plainFile + "/highscore.dat").c_str()));
    EXPECT_FALSE(writeHighScore(42, "/proc/orvane-highscore.dat"));
    // A folder in the file's place cannot be renamed over: the write fails as a whole.
    const std::string blocked = dir.file("blocked.dat");
    std::filesystem::create_directories(blocked + "/keep");
    EXPECT_FALSE(writeHighScore(1, blocked.c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(blocked + "/keep"));
    // A 3-byte file-size limit cuts the 5-byte write short, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 3;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const bool written = writeHighScore(5000, path.c_str());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(std::tuple(read(), entries()), std::tuple(777, 3)); // no temporary file is left
}
