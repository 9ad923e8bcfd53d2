// The state dump of a real game at its edge: more sounds than the record holds, kept for the next
// line written.
#include "game/state_dump.h"

#include "support/scripted_player.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "base/sound.h"
#include "game/game_env.h"
#include "game/setup.h"
#include "support/run_program.h"

namespace {

// A game set up as the headless program does it, in a scratch folder.
class DumpedGame : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::current_path(folder_);
        SoundRecord::clear();
        setupGame({.seed = 2024, .uploadTextures = false});
    }
    void TearDown() override {
        cleanupGame();
        std::filesystem::current_path(previous_);
    }
    std::filesystem::path previous_ = std::filesystem::current_path();
    ScratchDir scratch_;
    const std::filesystem::path folder_ = scratch_.path();
};

TEST_F(DumpedGame, SoundsOfSkippedFramesGoIntoTheNextLineBeyondTheRecordSize) {
    const std::string path = (folder_ / "dump.jsonl").string();
    StateDump dump;
    std::string error;
    ASSERT_TRUE(dump.open(path, 2, error)) << error;
    dump.afterFrame(*gameEnv, 0);
    for (int i = 0; i < 200; ++i)
        playSound(kSoundPshot, i % 100, 100);
    dump.afterFrame(*gameEnv, 1); // not due: its sounds wait
    for (int i = 0; i < 200; ++i)
        playSound(kSoundEhit, 50, 25);
    dump.afterFrame(*gameEnv, 2);
    dump.finish(*gameEnv, 2); // already written
    ASSERT_TRUE(dump.close());
    const auto lines = splitLines(readWholeFile(path));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(std::count(lines[1].begin(), lines[1].end(), '[') -
                  std::count(lines[0].begin(), lines[0].end(), '['),
              400);
    EXPECT_NE(lines[1].find("[[0, 0, 100], [0, 1, 100]"), std::string::npos);
    EXPECT_NE(lines[1].find("[4, 50, 25]]}"), std::string::npos);
}

// Drawing changes nothing the game keeps: every picture of a long game leaves the state, the
// random stream and the colour cycle as they were, so a replay is the same drawn or not.
TEST(Drawing, LeavesTheGameAsItWas) {
    ScriptedPlayer player;
    setupGame({.inputSource = &player, .uploadTextures = false, .highScorePath = ""});
    std::string before;
    std::string after;
    for (int64_t frame = 1; frame <= 3000; ++frame) {
        ASSERT_TRUE(gameEnv->runFrame());
        before.clear();
        after.clear();
        appendStateLine(before, *gameEnv, frame, {});
        gameEnv->drawScene();
        appendStateLine(after, *gameEnv, frame, {});
        ASSERT_EQ(before, after) << "frame " << frame;
    }
    cleanupGame();
}

} // namespace
