// Where the game looks for its data and keeps the player's files, run from its folder or installed.
// (The player's own folders, XDG or in the home, are made by the program in the program runs.)
#include "app/game_paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/run_program.h"

namespace fs = std::filesystem;

namespace {

class GamePathRules : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("orvane_paths_" + std::to_string(getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "work");
        fs::create_directories(root_ / "prefix/bin");
        fs::create_directories(root_ / "prefix/share/orvane");
        fs::create_directories(root_ / "configured/share/orvane");
        facts_.workingFolder = (root_ / "work").string();
        facts_.executableFolder = (root_ / "prefix/bin").string();
        facts_.installedData = (root_ / "configured/share/orvane").string();
        facts_.home = "/home/player";
    }
    void TearDown() override { fs::remove_all(root_); }
    std::string at(const std::string& path) const { return (root_ / path).string(); }

    fs::path root_;
    PathFacts facts_;
};

TEST_F(GamePathRules, AWorkingFolderWithDataKeepsEverythingThere) {
    fs::create_directories(root_ / "work/data");
    const GamePaths paths = resolveGamePaths(facts_);
    EXPECT_TRUE(paths.classic);
    EXPECT_EQ(paths.dataFolder, at("work/data"));
    EXPECT_EQ(paths.configFile, at("work/config.txt"));
    EXPECT_EQ(paths.highScoreFile, at("work/highscore.dat"));
    EXPECT_EQ(paths.screenshotFolder, at("work"));
    EXPECT_EQ(paths.configFolder, "");
    // The process's own working folder gives the plain names the game always used.
    fs::current_path(root_ / "work");
    facts_.workingFolder = ".";
    const GamePaths here = resolveGamePaths(facts_);
    fs::current_path(root_);
    EXPECT_EQ(here.dataFolder, "data");
    EXPECT_EQ(here.configFile, "config.txt");
    EXPECT_EQ(here.highScoreFile, "highscore.dat");
    EXPECT_EQ(here.screenshotFolder, "");
}

TEST_F(GamePathRules, InstalledDataIsBesideTheProgramThenUnderThePrefix) {
    GamePaths paths = resolveGamePaths(facts_);
    EXPECT_FALSE(paths.classic);
    EXPECT_EQ(paths.dataFolder, at("prefix/bin/../share/orvane"));
    fs::remove_all(root_ / "prefix/share");
    EXPECT_EQ(resolveGamePaths(facts_).dataFolder, at("configured/share/orvane"));
    fs::remove_all(root_ / "configured");
    EXPECT_EQ(resolveGamePaths(facts_).dataFolder, "");
    // --data wins in either way, and does not change where the player's files live.
    facts_.dataOption = "/opt/orvane-data";
    paths = resolveGamePaths(facts_);
    EXPECT_EQ(paths.dataFolder, "/opt/orvane-data");
    EXPECT_EQ(paths.highScoreFile, "/home/player/.local/share/orvane/highscore.dat");
    fs::create_directories(root_ / "work/data");
    paths = resolveGamePaths(facts_);
    EXPECT_TRUE(paths.classic);
    EXPECT_EQ(paths.dataFolder, "/opt/orvane-data");
}

} // namespace
