// config.txt: the default file, the full-screen choice and words of any length.
#include "app/config.h"

#include <gtest/gtest.h>

#include "support/run_program.h"

namespace {

class ConfigFile : public ProgramFolder {
  protected:
    std::string path_ = (dir_ / "config.txt").string();
};

TEST_F(ConfigFile, MissingFileIsCreatedWithTheExactDefaultBytes) {
    DisplaySettings settings;
    settings.fullscreen = true;
    EXPECT_EQ(readConfig(path_, settings), ConfigResult::Created);
    EXPECT_EQ(readWholeFile(path_), "fullscreen 0\n\n[0=windowed, 1=fullscreen (640x480)]");
    EXPECT_EQ(readConfig(path_, settings), ConfigResult::Read);
    EXPECT_FALSE(settings.fullscreen); // the created file reads back as a window
    EXPECT_EQ(readConfig((dir_ / "no_folder" / "config.txt").string(), settings),
              ConfigResult::Missing);
}

TEST_F(ConfigFile, OnlyTheNumbersZeroAndOneChangeTheChoice) {
    const std::string longWord(200, 'w');
    const std::string hugeWord(100000, 'q');
    const struct {
        std::string text;
        bool before;
        bool after;
    } cases[] = {
        {"fullscreen 1", false, true},
        {"fullscreen 1\n\n[0=windowed, 1=fullscreen (640x480)]", false, true},
        {"  \n\tbanana\n 1 trailing words 0", false, true},
        {"fullscreen 0", true, false},
        {"fullscreen 2", true, true}, // anything but 0 and 1 keeps the earlier choice
        {"fullscreen 99999999999999999999999", true, true},
        {"fullscreen yes", false, false},
        {"1", false, false},
        {"", true, false}, // a missing number reads as 0
        {"fullscreen", true, false},
        {longWord + " 1", false, true},
        {hugeWord, true, false},
        {"fullscreen 01", false, true},
        {"fullscreen 0x1", false, true},
        {"fullscreen +1", false, true},
        {"fullscreen 1z", false, true},
        {"fullscreen 08", true, false}, // octal 0 and a stray 8
        {"fullscreen 010", true, true}, // octal 8
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        writeWholeFile(path_, c.text);
        DisplaySettings settings;
        settings.fullscreen = c.before;
        EXPECT_EQ(readConfig(path_, settings), ConfigResult::Read);
        EXPECT_EQ(settings.fullscreen, c.after);
    }
}

} // namespace
