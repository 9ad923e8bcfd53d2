// The state dump line of a real game: key order, exact floats, and sounds kept between lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "app/run_program.h"
#include "app/sound.h"
#include "elements/enemy.h"
#include "game/game_env.h"
#include "game/setup.h"
#include "game/state_dump.h"
#include "world/element.h"

namespace {

// A game set up as the headless program does it, in a scratch folder, torn down afterwards.
class DumpedGame : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = scratchFolder("state_dump");
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(folder_);
        SoundRecord::clear();
        SetupOptions options;
        options.seed = 2024;
        options.uploadTextures = false;
        setupGame(options);
    }
    void TearDown() override {
        cleanupGame();
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(folder_);
    }

    std::string line(const std::vector<PlayedSound>& sounds = {}) {
        std::string out;
        appendStateLine(out, *gameEnv, 5, sounds);
        return out;
    }

    Enemy* addEnemy() {
        gameEnv->addElement(kCodeEnemy, 200, 100, 0, 0, 0);
        for (Element* e : gameEnv->elements) {
            if (auto* enemy = dynamic_cast<Enemy*>(e)) return enemy;
        }
        return nullptr;
    }

    std::filesystem::path folder_;
    std::filesystem::path previous_;
};

// Positions of the keys in the text, which must rise.
void expectKeysInOrder(const std::string& text, std::initializer_list<const char*> keys) {
    size_t at = 0;
    for (const char* key : keys) {
        const size_t found = text.find(std::string("\"") + key + "\": ", at);
        ASSERT_NE(found, std::string::npos) << key << " missing or out of order";
        at = found;
    }
}

float phaseIn(const std::string& text) {
    const size_t at = text.find("\"phase\": ");
    return std::strtof(text.c_str() + at + 9, nullptr);
}

} // namespace

TEST_F(DumpedGame, KeysComeInTheirFixedOrder) {
    addEnemy();
    const std::string text = line({{kSoundBoom, 50, 100}});
    EXPECT_EQ(text.front(), '{');
    EXPECT_EQ(text.back(), '}');
    EXPECT_EQ(text.find('\n'), std::string::npos);
    expectKeysInOrder(text, {"frame",
                             "rng",
                             "state",
                             "score",
                             "lives",
                             "level",
                             "killsToNextLevel",
                             "gameOverFrames",
                             "frameCount",
                             "restartArmed",
                             "highScore",
                             "colorCycle",
                             "level",
                             "scrollX",
                             "spawnTimer",
                             "topWall",
                             "topWallSpeed",
                             "bottomWall",
                             "bottomWallSpeed",
                             "tiles",
                             "stars",
                             "elements",
                             "sounds"});
    expectKeysInOrder(text, {"slot",        "code",         "active",      "isNew",
                             "dead",        "layer",        "x",           "y",
                             "vx",          "vy",           "hitbox",      "fireCooldown",
                             "animCounter", "invulnFrames", "chainLocked", "releaseTimer",
                             "lockFlash",   "orbFlash",     "nodes",       "orbs",
                             "slot",        "code",         "hitbox",      "hitPoints",
                             "fireTimer",   "flashTimer",   "animCounter", "baseY",
                             "phase"});
    EXPECT_NE(text.find("\"frame\": 5, "), std::string::npos);
    EXPECT_NE(text.find("\"code\": 65537"), std::string::npos);
    EXPECT_NE(text.find("\"code\": 131073"), std::string::npos);
    EXPECT_NE(text.find("\"sounds\": [[2, 50, 100]]}"), std::string::npos);
    EXPECT_EQ(text.find("\"slot\": 0, "), text.find("\"slot\": "));
}

TEST_F(DumpedGame, TheShipListsItsNodesAndOrbs) {
    const std::string text = line();
    const size_t nodes = text.find("\"nodes\": [");
    const size_t orbs = text.find("\"orbs\": [");
    ASSERT_NE(nodes, std::string::npos);
    ASSERT_NE(orbs, std::string::npos);
    const std::string nodeText = text.substr(nodes, orbs - nodes);
    EXPECT_EQ(std::count(nodeText.begin(), nodeText.end(), '[') - 1, 24);
    const std::string orbText = text.substr(orbs, text.find("]]", orbs) - orbs);
    EXPECT_EQ(std::count(orbText.begin(), orbText.end(), '[') - 1, 3);
}

TEST_F(DumpedGame, PhaseReadsBackAsTheSameFloat) {
    Enemy* enemy = addEnemy();
    ASSERT_NE(enemy, nullptr);
    for (float phase : {0.1f, 3.14159274f, -2.5e-7f, 123456.789f, std::nextafter(1.0f, 2.0f)}) {
        enemy->phase = phase;
        EXPECT_EQ(phaseIn(line()), phase);
    }
    enemy->phase = NAN; // never leaves a word JSON cannot read
    EXPECT_NE(line().find("\"phase\": 0}"), std::string::npos);
}

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
    const std::string& second = lines[1];
    EXPECT_EQ(std::count(second.begin(), second.end(), '[') -
                  std::count(lines[0].begin(), lines[0].end(), '['),
              400);
    EXPECT_NE(second.find("[[0, 0, 100], [0, 1, 100]"), std::string::npos);
    EXPECT_NE(second.find("[4, 50, 25]]}"), std::string::npos);
}

TEST_F(DumpedGame, FinishWritesTheLastFrameWhenTheIntervalSkippedIt) {
    const std::string path = (folder_ / "dump.jsonl").string();
    StateDump dump;
    std::string error;
    ASSERT_TRUE(dump.open(path, 10, error)) << error;
    for (int frame = 0; frame <= 13; ++frame)
        dump.afterFrame(*gameEnv, frame);
    dump.finish(*gameEnv, 13);
    dump.finish(*gameEnv, 13);
    ASSERT_TRUE(dump.close());
    const auto lines = splitLines(readWholeFile(path));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(dumpFrame(lines[2]), 13);
}

TEST(StateDumpFile, ReportsAFileThatCannotBeCreated) {
    StateDump dump;
    std::string error;
    EXPECT_FALSE(dump.open("/proc/no-such-folder/dump.jsonl", 1, error));
    EXPECT_NE(error.find("dump.jsonl"), std::string::npos);
    EXPECT_FALSE(dump.isOpen());
}
