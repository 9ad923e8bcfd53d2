// The shell, driven by portable events: pause and resume by keys alone, the key prompt (no two
// controls ever end on one key, whatever the player presses), mute saved, the watch controls.
#include "app/shell.h"

#include <gtest/gtest.h>

#include <string>

#include "support/run_program.h"
#include "support/scratch_dir.h"

namespace {

ShellEvent keyDown(const std::string& name) {
    return {ShellEvent::Kind::KeyDown, keyNamed(name)->usage};
}

// Presses keys by name ("Escape", "X") and buttons as "pad:NAME", one after another.
void press(Shell& shell, const std::vector<std::string>& presses) {
    for (const std::string& name : presses) {
        if (name.rfind("pad:", 0) == 0)
            shell.handle({ShellEvent::Kind::ButtonDown, 0, padButtonNamed(name.substr(4))});
        else
            shell.handle(keyDown(name));
    }
}

TEST(KeyPrompt, KeysTakenInTheRoundAreRefusedEscapeIncluded) {
    const std::string esc = "Escape";
    const struct {
        std::vector<std::string> presses; // after P (pause) and R (choose keys), then K
        std::string fire, link, up;
    } cases[] = {
        {{esc, esc, esc, esc, esc, esc, esc}, "Z", "X", "Up"},
        // X for fire: Escape cannot keep X for the chain; the prompt asks again and K answers.
        {{"X", esc}, "X", "K", "Up"},
        {{"X", esc, "L", esc, esc, esc, esc, esc}, "X", "L", "Up"},
        // A key already chosen, or one the game keeps, is not taken either.
        {{"J", "J", "M", "F12", "L", esc, esc, esc, esc, esc}, "J", "L", "Up"},
        // A button keeps the key, unless that key is taken: then a key is still asked for.
        {{"Up", "pad:y", esc, "L", esc, esc, esc, esc}, "Up", "X", "L"},
        {{"X", "pad:y"}, "X", "K", "Up"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.presses));
        Shell shell(Shell::Mode::Play, PlayerSettings(), "", nullptr);
        press(shell, {"P", "R"});
        press(shell, c.presses);
        press(shell, {"K"});
        const auto key = [&shell](PlayerControl control) {
            return keyName(shell.settings().keys[static_cast<size_t>(control)]);
        };
        EXPECT_EQ(key(PlayerControl::kFire), c.fire);
        EXPECT_EQ(key(PlayerControl::kLink), c.link);
        EXPECT_EQ(key(PlayerControl::kUp), c.up);
    }
}

// Pause and resume by the keys alone: focus lost pauses only where the run may pause by itself,
// and focus coming back never resumes. Escape quits while paused, and in a replay at any time.
TEST(Shell, PausesQuitsAndTakesScreenshotsByItsOwnRules) {
    using Kind = ShellEvent::Kind;
    const ShellEvent focusLost{Kind::FocusLost};
    Shell play(Shell::Mode::Play, PlayerSettings(), "", nullptr);
    EXPECT_EQ(play.handle(focusLost), Shell::Request::None);
    EXPECT_FALSE(play.paused()); // a run with a frame limit does not pause by itself
    play.setAutoPause(true);
    play.handle(focusLost);
    EXPECT_TRUE(play.paused());
    EXPECT_EQ(play.handle(keyDown("F12")), Shell::Request::Screenshot);
    EXPECT_TRUE(play.paused());
    press(play, {"P"});
    EXPECT_FALSE(play.paused());
    EXPECT_EQ(play.handle(keyDown("Escape")), Shell::Request::None); // the game's own key
    play.handle({Kind::ButtonDown, 0, PadButton::kStart});
    EXPECT_TRUE(play.paused());
    EXPECT_EQ(play.handle(keyDown("Escape")), Shell::Request::Quit);

    Shell watch(Shell::Mode::Watch, PlayerSettings(), "", nullptr);
    EXPECT_EQ(watch.framesThisPass(1), 1);
    watch.handle(keyDown("Right"));
    EXPECT_EQ(watch.framesThisPass(1), 4); // held Right runs a saved game faster
    EXPECT_EQ(watch.framesThisPass(2), 8); // the page may owe two frames at once
    watch.handle({Kind::KeyUp, keyNamed("Right")->usage});
    watch.handle({Kind::ButtonDown, 0, PadButton::kRightShoulder});
    EXPECT_EQ(watch.framesThisPass(1), 4);
    watch.handle(focusLost);
    EXPECT_EQ(watch.framesThisPass(1), 1);
    press(watch, {"M", "R"}); // no mute and no key prompt while watching
    EXPECT_FALSE(watch.muted());
    EXPECT_EQ(watch.handle(keyDown("Escape")), Shell::Request::Quit);
}

// M and chosen keys are saved in config.txt and told to the platform (its devices, its storage).
TEST(Shell, ChangesAreSavedAndTold) {
    ScratchDir dir;
    const std::string config = dir.file("config.txt");
    writeWholeFile(config, "fullscreen 0\n");
    Shell shell(Shell::Mode::Play, PlayerSettings(), config, nullptr, true);
    int told = 0;
    shell.setSettingsListener([&told](const PlayerSettings&) { ++told; });
    EXPECT_TRUE(shell.muted()); // --mute: this run only
    press(shell, {"M"});        // the sound on, for good
    EXPECT_FALSE(shell.muted());
    EXPECT_NE(readWholeFile(config).find("mute 0\n"), std::string::npos);
    press(shell, {"M", "P", "R", "J", "Escape", "Escape", "Escape", "Escape", "Escape", "Escape"});
    const std::string saved = readWholeFile(config);
    EXPECT_NE(saved.find("mute 1\nflashes 1\n"), std::string::npos) << saved;
    EXPECT_EQ(saved.rfind("fullscreen 0\nfire J\nlink X\n", 0), 0u) << saved;
    EXPECT_EQ(told, 4); // at once, after M twice, after the round of keys
}

} // namespace
