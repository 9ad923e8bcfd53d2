// The text log: silent while off, one entry per call, over-long entries cut at 1023 characters.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/log.h"
#include "game/scratch_dir.h"

namespace {
struct LogTest : ::testing::Test {
    void SetUp() override { std::filesystem::current_path(dir.path()); }
    void TearDown() override {
        logDisable();
        std::filesystem::current_path(oldCwd);
    }
    static std::string logText() {
        std::ifstream in("log.txt", std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::filesystem::path oldCwd = std::filesystem::current_path();
    ScratchDir dir;
};
} // namespace

TEST_F(LogTest, OffLogTouchesNoFile) {
    logDisable();
    logLine("init Level");
    logAppend(" - ok");
    logEnable(); // written before the flag is set: nothing yet
    EXPECT_FALSE(std::filesystem::exists("log.txt"));
    EXPECT_TRUE(logIsEnabled());
}

TEST_F(LogTest, EntriesFollowTheirLineBreakRules) {
    logStart();
    logLine("init Level");
    logAppend("\nLoading sprite \"%s\"", "data/ship1.tga");
    logAppend(" - ok");
    logEnable();
    logLine("Error: Tried to add unknown element with category|type=%.8X", 0x10005u);
    logDisable();
    logLine("not written");
    EXPECT_EQ(logText(), "Log started\ninit Level\nLoading sprite \"data/ship1.tga\" - ok\nLog "
                         "enabled\nError: Tried to add unknown element with "
                         "category|type=00010005\nLog disabled");
}

TEST_F(LogTest, OverlongEntryIsCutAt1023Characters) {
    logStart();
    const std::string big(5000, 'x');
    logLine("%s", big.c_str());
    EXPECT_EQ(logText(), "Log started\n" + std::string(1023, 'x'));
}
