// config.txt: the default file, the full-screen choice and words of any length.
#include "app/config.h"
#include "app/player_settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

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
        {"fullscreen 1\nfire j\nlink  Left Shift \npause space\nup\n",
         "fire J\nlink Left Shift\npause Space\n",
         {"line 5: expected a name and a value"}},
        {"fullscreen 1\r\nfire J\r\npad-fire y\r\n", "fire J\npad-fire y\n", {}},
        {"fullscreen 0\nfire Escape\nup F12\nleft nokey\npad-link nobutton\n",
         "",
         {"line 2: Escape is kept for the game itself", "line 3: F12 is kept for the game itself",
          "line 4: no key is called 'nokey'", "line 5: no controller button is called 'nobutton'"}},
        {"fullscreen 0\neffects 40\nambient 101\nmute 1\nflashes 2\nvolume 3\nmute 0 1\n",
         "effects 40\nmute 1\n",
         {"line 3: expected a level from 0 to 100, not '101'", "line 5: expected 0 or 1, not '2'",
          "line 6: unknown setting 'volume'", "line 7: 'mute' was already set on line 4"}},
        {"fullscreen 0\nfire J\nfire K\n# fire L\n",
         "fire J\n",
         {"line 3: 'fire' was already set on line 2"}},
        {std::string("fullscreen 0\nfire J\0K\nlink K\n", 29),
         "link K\n",
         {"line 2: holds a control character"}},
        // A file of settings alone, or one whose display choice spreads over lines.
        {"fire J\n", "fire J\n", {}},
        {"\n\nfullscreen\n1\nfire J\n", "fire J\n", {}},
        {"fullscreen\nfire J\n", "fire J\n", {}},
        // Two controls on one key: the line that would take a key another control keeps (its own,
        // or an earlier line's) is refused, and its control keeps its key; a swap is no clash.
        {"fullscreen 0\nfire J\nleft J\n", "fire J\n", {"line 3: J is already the key for fire"}},
        {"fullscreen 0\nfire X\n", "", {"line 2: X is already the key for link"}},
        {"fullscreen 0\nfire X\nlink Z\n", "fire X\nlink Z\n", {}},
        {"fullscreen 0\nfire X\nlink X\n",
         "",
         {"line 3: X is already the key for fire", "line 2: X is already the key for link"}},
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
    settings.keys[static_cast<int>(PlayerControl::kLink)] = keyNamed("K")->usage;
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
    // A file without a display choice gets the default one first, and keeps its own lines.
    for (const std::string text : {"", "fire J\n# mine\n"}) {
        writeWholeFile(path_, text);
        ASSERT_TRUE(savePlayerSettings(path_, settings));
        const std::string kept = text.empty() ? "" : "# mine\n";
        EXPECT_EQ(readWholeFile(path_).rfind("fullscreen 0\n" + kept + "fire Z\n", 0), 0u);
    }
}

// What the player made of config.txt stays: a read-only file and a FIFO are left as they are, a
// symbolic link stays a link and its target takes the settings.
TEST_F(ConfigFile, SavingLeavesProtectedFilesAndFollowsLinks) {
    PlayerSettings settings;
    settings.muted = true;
    writeWholeFile(path_, "fullscreen 0\n");
    ::chmod(path_.c_str(), 0444);
    EXPECT_FALSE(savePlayerSettings(path_, settings));
    EXPECT_EQ(readWholeFile(path_), "fullscreen 0\n");
    std::filesystem::remove(path_);
    ASSERT_EQ(::mkfifo(path_.c_str(), 0644), 0);
    EXPECT_FALSE(savePlayerSettings(path_, settings));
    EXPECT_TRUE(std::filesystem::is_fifo(path_));
    std::filesystem::remove(path_);
    std::filesystem::create_directory(dir_ / "mine");
    writeWholeFile((dir_ / "mine" / "orvane.txt").string(), "fullscreen 1\n");
    std::filesystem::create_symlink("mine/orvane.txt", path_);
    ASSERT_TRUE(savePlayerSettings(path_, settings));
    EXPECT_TRUE(std::filesystem::is_symlink(path_));
    EXPECT_NE(readWholeFile(path_).find("mute 1\n"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_ / "mine"), {}), 1);
}

// A config.txt that is there but cannot be read is named on standard error, and never saved.
TEST_F(ConfigFile, AFileThatCannotBeReadIsNamed) {
    const struct {
        std::function<void(const std::string&)> make;
        std::string told;
    } cases[] = {
        {[](const std::string& p) {
             writeWholeFile(p, "fullscreen 0\n" + std::string(2 << 20, '#'));
         },
         "is larger than 1 MiB"},
        {[](const std::string& p) { std::filesystem::create_directory(p); }, "is a folder"},
        {[](const std::string& p) { ::mkfifo(p.c_str(), 0644); }, "is not a regular file"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(path_);
        c.make(path_);
        PlayerSettings settings;
        settings.muted = true;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(loadPlayerSettings(path_, settings));
        EXPECT_FALSE(savePlayerSettings(path_, settings));
        const std::string told = testing::internal::GetCapturedStderr();
        EXPECT_NE(told.find("config.txt' " + c.told), std::string::npos) << told;
    }
}

} // namespace
