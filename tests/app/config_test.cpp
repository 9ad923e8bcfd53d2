// config.txt: the default file, the full-screen choice and words of any length.
#include "app/config.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

class ConfigFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            std::filesystem::temp_directory_path() /
            ("orvane_config_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        path_ = (dir_ / "config.txt").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    void write(const std::string& text) {
        std::ofstream out(path_, std::ios::binary);
        out << text;
    }
    std::string contents() {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
    // Reads the file written with text into settings that start out as full screen or not.
    bool fullscreenAfter(const std::string& text, bool before = false) {
        write(text);
        DisplaySettings settings;
        settings.fullscreen = before;
        EXPECT_EQ(readConfig(path_, settings), ConfigResult::Read);
        return settings.fullscreen;
    }

    std::filesystem::path dir_;
    std::string path_;
};

TEST_F(ConfigFile, MissingFileIsCreatedWithTheExactDefaultBytes) {
    DisplaySettings settings;
    EXPECT_EQ(readConfig(path_, settings), ConfigResult::Created);
    EXPECT_EQ(contents(), "fullscreen 0\n\n[0=windowed, 1=fullscreen (640x480)]");
    EXPECT_EQ(contents(), kDefaultConfigText);
    EXPECT_FALSE(settings.fullscreen);
    EXPECT_EQ(settings.width, 640);
    EXPECT_EQ(settings.height, 480);
    EXPECT_EQ(settings.frameRate, 75);
    // The created file reads back as a window.
    EXPECT_FALSE(fullscreenAfter(contents(), true));
}

TEST_F(ConfigFile, UncreatableFileKeepsTheDefaults) {
    DisplaySettings settings;
    std::string inMissingFolder = (dir_ / "no_such_folder" / "config.txt").string();
    EXPECT_EQ(readConfig(inMissingFolder, settings), ConfigResult::Missing);
    EXPECT_FALSE(settings.fullscreen);
}

TEST_F(ConfigFile, OneSelectsFullScreenWhateverTheWord) {
    EXPECT_TRUE(fullscreenAfter("fullscreen 1"));
    EXPECT_TRUE(fullscreenAfter("fullscreen 1\n\n[0=windowed, 1=fullscreen (640x480)]"));
    EXPECT_TRUE(fullscreenAfter("banana 1"));
    EXPECT_TRUE(fullscreenAfter("  \n\tx\n 1 trailing words 0"));
}

TEST_F(ConfigFile, ZeroSelectsAWindow) {
    EXPECT_FALSE(fullscreenAfter("fullscreen 0", true));
}

TEST_F(ConfigFile, OtherValuesAndMissingValuesKeepAWindow) {
    EXPECT_FALSE(fullscreenAfter("fullscreen 2"));
    EXPECT_FALSE(fullscreenAfter(""));
    EXPECT_FALSE(fullscreenAfter("fullscreen"));
    EXPECT_FALSE(fullscreenAfter("fullscreen yes"));
    EXPECT_FALSE(fullscreenAfter("fullscreen -1"));
    EXPECT_FALSE(fullscreenAfter("fullscreen 99999999999999999999999"));
    EXPECT_FALSE(fullscreenAfter("1"));
}

TEST_F(ConfigFile, ValueTwoLeavesAnEarlierChoiceAlone) {
    // Only 0 and 1 change the flag; anything else keeps what was there.
    EXPECT_TRUE(fullscreenAfter("fullscreen 2", true));
    // A missing number reads as 0, which does select a window.
    EXPECT_FALSE(fullscreenAfter("fullscreen", true));
}

TEST_F(ConfigFile, LongWordIsReadSafely) {
    std::string word(200, 'w');
    EXPECT_TRUE(fullscreenAfter(word + " 1"));
    EXPECT_FALSE(fullscreenAfter(word + " 0", true));
    EXPECT_FALSE(fullscreenAfter(std::string(100000, 'q') + " 2"));
    EXPECT_FALSE(fullscreenAfter(std::string(100000, 'q')));
}

TEST_F(ConfigFile, NumbersInOctalAndHexNotation) {
    EXPECT_TRUE(fullscreenAfter("fullscreen 01"));
    EXPECT_TRUE(fullscreenAfter("fullscreen 0x1"));
    EXPECT_TRUE(fullscreenAfter("fullscreen 0X1"));
    EXPECT_TRUE(fullscreenAfter("fullscreen +1"));
    EXPECT_FALSE(fullscreenAfter("fullscreen 0x0", true));
    EXPECT_FALSE(fullscreenAfter("fullscreen 000", true));
    // 08 is octal 0 followed by a stray 8.
    EXPECT_FALSE(fullscreenAfter("fullscreen 08", true));
    EXPECT_FALSE(fullscreenAfter("fullscreen 0x10"));
    EXPECT_FALSE(fullscreenAfter("fullscreen 010"));
}

TEST(ConfigValue, ParsesTheSecondToken) {
    long value = -5;
    EXPECT_TRUE(parseConfigValue("a 0x1f", value));
    EXPECT_EQ(value, 31);
    EXPECT_TRUE(parseConfigValue("a 017", value));
    EXPECT_EQ(value, 15);
    EXPECT_TRUE(parseConfigValue("a 1z", value));
    EXPECT_EQ(value, 1);
    EXPECT_FALSE(parseConfigValue("a z1", value));
    EXPECT_FALSE(parseConfigValue("   ", value));
}

} // namespace
