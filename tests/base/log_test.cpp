// The text log: silent while off, one entry per call, over-long entries cut at 1023 characters.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "base/log.h"
#include "support/scratch_dir.h"

TEST(Log, OffCreatesNoFileAndEntriesFollowTheirLineBreakRules) {
    const std::filesystem::path oldCwd = std::filesystem::current_path();
    ScratchDir dir;
    std::filesystem::current_path(dir.path());
    logDisable();
    logLine("init Level");
    logAppend(" - ok");
    logEnable(); // its own line is written before the flag is set
    EXPECT_FALSE(std::filesystem::exists("log.txt"));
    logStart();
    logLine("init Level");
    logAppend("\nLoading sprite \"%s\"", "data/ship1.tga");
    logAppend(" - ok");
    logEnable();
    logLine("Error: Tried to add unknown element with category|type=%.8X", 0x10005u);
    logLine("%s", std::string(5000, 'x').c_str());
    logDisable();
    logLine("not written");
    std::stringstream text;
    text << std::ifstream("log.txt").rdbuf();
    EXPECT_EQ(text.str(),
              "Log started\ninit Level\nLoading sprite \"data/ship1.tga\" - ok\nLog enabled\n"
              "Error: Tried to add unknown element with category|type=00010005\n" +
                  std::string(1023, 'x') + "\nLog disabled");
    std::filesystem::current_path(oldCwd);
}
