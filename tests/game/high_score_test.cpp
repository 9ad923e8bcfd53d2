// The high-score file: round trip, the check byte, broken files and a replacement that never loses
// it.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <vector>

#include <sys/resource.h>

#include "game/high_score.h"
#include "game/scratch_dir.h"

namespace {
std::vector<uint8_t> bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}
} // namespace

TEST(HighScore, WrittenFileIsFiveMaskedBytesAndReadsBack) {
    ScratchDir dir;
    const std::string path = dir.file("highscore.dat");
    ASSERT_TRUE(writeHighScore(1234, path.c_str()));
    const uint32_t masked = 1234u ^ kHighScoreMask;
    const std::vector<uint8_t> expected = {
        static_cast<uint8_t>(masked), static_cast<uint8_t>(masked >> 8),
        static_cast<uint8_t>(masked >> 16), static_cast<uint8_t>(masked >> 24), 5};
    EXPECT_EQ(bytesOf(path), expected);
    EXPECT_EQ(readHighScore(path.c_str()), 1234);

    ASSERT_TRUE(writeHighScore(0, path.c_str()));
    EXPECT_EQ(bytesOf(path)[4], 0);
    EXPECT_EQ(readHighScore(path.c_str()), 0);
    // Nothing but the score file is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(HighScore, AnySingleFlippedBitIsRejected) {
    ScratchDir dir;
    const std::string path = dir.file("highscore.dat");
    ASSERT_TRUE(writeHighScore(987654, path.c_str()));
    const std::vector<uint8_t> good = bytesOf(path);
    for (int bit = 0; bit < 32; ++bit) {
        std::vector<uint8_t> bad = good;
        bad[bit / 8] ^= static_cast<uint8_t>(1 << (bit % 8));
        writeBytes(path, bad);
        EXPECT_EQ(readHighScore(path.c_str()), 0) << "bit " << bit;
    }
}

TEST(HighScore, BrokenOrMissingFilesGiveZero) {
    ScratchDir dir;
    const std::string path = dir.file("highscore.dat");
    EXPECT_EQ(readHighScore(path.c_str()), 0); // missing
    ASSERT_TRUE(writeHighScore(500, path.c_str()));
    std::vector<uint8_t> bytes = bytesOf(path);
    bytes.pop_back();
    writeBytes(path, bytes);
    EXPECT_EQ(readHighScore(path.c_str()), 0);       // short
    EXPECT_EQ(readHighScore(dir.path().c_str()), 0); // a folder

    ASSERT_TRUE(writeHighScore(500, path.c_str()));
    bytes = bytesOf(path);
    bytes.push_back(0xFF);
    writeBytes(path, bytes);
    EXPECT_EQ(readHighScore(path.c_str()), 500); // bytes after the fifth are ignored
}

TEST(HighScore, UnwritablePlaceLeavesNothingAndReportsFailure) {
    ScratchDir dir;
    const std::string plainFile = dir.file("not-a-folder");
    writeBytes(plainFile, {1, 2, 3});
    const std::string inside = plainFile + "/highscore.dat";
    EXPECT_FALSE(writeHighScore(42, inside.c_str()));
    EXPECT_FALSE(writeHighScore(42, "/proc/orvane-highscore.dat"));
    EXPECT_EQ(bytesOf(plainFile), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(HighScore, FailedReplacementKeepsTheStoredScore) {
    ScratchDir dir;
    const std::string path = dir.file("highscore.dat");
    ASSERT_TRUE(writeHighScore(777, path.c_str()));
    // A folder in the file's place cannot be renamed over: the write fails as a whole.
    const std::string blocked = dir.file("blocked.dat");
    std::filesystem::create_directory(blocked);
    std::filesystem::create_directory(blocked + "/keep");
    EXPECT_FALSE(writeHighScore(1, blocked.c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(blocked + "/keep"));
    EXPECT_EQ(readHighScore(path.c_str()), 777);
    // Only the two entries made here remain: no temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(HighScore, WriteCutShortLikeAFullDiskKeepsTheStoredScore) {
    ScratchDir dir;
    const std::string path = dir.file("highscore.dat");
    ASSERT_TRUE(writeHighScore(31337, path.c_str()));
    // A file-size limit of 3 bytes makes the 5-byte write fail half-way, as a full disk would.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = saved;
    tiny.rlim_cur = 3;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const bool written = writeHighScore(5, path.c_str());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(readHighScore(path.c_str()), 31337);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}
