// config.txt: the default file, the full-screen choice and words of any length.
#include "app/config.h"
#include "app/sdl_player_settings.h"

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

// The lines after the display choice: each read on its own, a bad one reported by its number and
// its setting left as it was.
TEST(PlayerSettingsLines, GoodBadUnknownAndRepeatedLines) {
    const struct {
        std::string text;
        std::string settings; // formatPlayerSettings of the result, the lines that differ
        std::vector<std::string> complaints;
    } cases[] = {
        {"fullscreen 0\n\n[0=windowed, 1=fullscreen (640x480)]", "", {}},
        {"fullscreen 1\nfire j\nlink Left Shift\npause space\n",
         "fire J\npause Space\n",
         {"line 3: expected a name and one value"}},
        {"fullscreen 1\r\nfire J\r\npad-fire y\r\n", "fire J\npad-fire y\n", {}},
        {"fullscreen 0\nfire Escape\nup F12\nleft nokey\npad-link nobutton\n",
         "",
         {"line 2: Escape is kept for the game itself", "line 3: F12 is kept for the game itself",
          "line 4: no key is called 'nokey'", "line 5: no controller button is called 'nobutton'"}},
        {"fullscreen 0\neffects 40\nambient 101\nmute 1\nflashes 2\nvolume 3\n",
         "effects 40\nmute 1\n",
         {"line 3: expected a level from 0 to 100, not '101'", "line 5: expected 0 or 1, not '2'",
          "line 6: unknown setting 'volume'"}},
        {"fullscreen 0\nfire J\nfire K\n# fire L\n",
         "fire J\n",
         {"line 3: 'fire' was already set on line 2"}},
        {"fire J\n", "", {}}, // the display choice's own line
        {"\n\nfullscreen\n1\nfire J\n", "fire J\n", {}},
    };
    const std::string defaults = formatPlayerSettings(PlayerSettings());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        PlayerSettings settings;
        std::vector<std::string> complaints;
        parsePlayerSettings(c.text, settings, complaints);
        EXPECT_EQ(complaints, c.complaints);
        std::string differing;
        for (const std::string& line : splitLines(formatPlayerSettings(settings)))
            if (defaults.find(line + "\n") == std::string::npos) differing += line + "\n";
        EXPECT_EQ(differing, c.settings);
    }
}

// Writing keeps the display choice and every line that is not a setting; a file that cannot be
// read is never rewritten.
TEST_F(ConfigFile, SavingKeepsTheFirstLineAndOtherLines) {
    writeWholeFile(path_, "fullscreen 1\n# mine\nfire J\nbogus line here\n[note]");
    PlayerSettings settings;
    settings.keys[static_cast<int>(PlayerControl::kLink)] = SDL_SCANCODE_K;
    settings.muted = true;
    ASSERT_TRUE(savePlayerSettings(path_, settings));
    const std::string text = readWholeFile(path_);
    EXPECT_EQ(text.rfind("fullscreen 1\n# mine\nbogus line here\n[note]\nfire Z\nlink K\n", 0), 0u)
        << text;
    PlayerSettings reread;
    ASSERT_TRUE(loadPlayerSettings(path_, reread));
    EXPECT_EQ(formatPlayerSettings(reread), formatPlayerSettings(settings));
    DisplaySettings display;
    readConfig(path_, display);
    EXPECT_TRUE(display.fullscreen);
    EXPECT_FALSE(savePlayerSettings((dir_ / "absent.txt").string(), settings));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "absent.txt"));
}

} // namespace
