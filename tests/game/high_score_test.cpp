// The high-score file: round trip, the check byte, broken files and a replacement that never loses
// the stored score.
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
    std::vector<uint8_t> bytes() const {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
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

TEST_F(HighScoreTest, FileIsFourMaskedBytesAndABitCountThatReadBack) {
    EXPECT_EQ(read(), 0); // missing
    ASSERT_TRUE(writeHighScore(1234, path.c_str()));
    const uint32_t m = 1234u ^ kHighScoreMask;
    EXPECT_EQ(bytes(), (std::vector<uint8_t>{uint8_t(m), uint8_t(m >> 8), uint8_t(m >> 16),
                                             uint8_t(m >> 24), 5}));
    EXPECT_EQ(std::tuple(read(), entries()), std::tuple(1234, 1)); // no temporary file is left
    std::vector<uint8_t> longer = bytes();
    longer.push_back(0xFF);
    setBytes(longer, path);
    EXPECT_EQ(read(), 1234); // bytes after the fifth are ignored
}

TEST_F(HighScoreTest, FlippedBitShortFileOrFolderReadsZero) {
    ASSERT_TRUE(writeHighScore(987654, path.c_str()));
    const std::vector<uint8_t> good = bytes();
    for (int bit = 0; bit < 32; ++bit) {
        std::vector<uint8_t> bad = good;
        bad[bit / 8] ^= static_cast<uint8_t>(1 << (bit % 8));
        setBytes(bad, path);
        EXPECT_EQ(read(), 0) << "bit " << bit;
    }
    setBytes({good.begin(), good.end() - 1}, path);
    EXPECT_EQ(std::tuple(read(), readHighScore(dir.path().c_str())), std::tuple(0, 0));
}

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
