// Saved games: each game of a session replays alone to its exact end, and the table keeps the
// ten best with their replays.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/game_env.h"
#include "game/game_recorder.h"
#include "game/score_table.h"
#include "game/score_writer.h"
#include "game/setup.h"
#include "game/state_dump.h"
#include "support/run_program.h"
#include "support/scripted_player.h"
#include "world/game_state.h"

namespace {

struct EndedGame {
    FinishedGame game;
    std::string finalState; // the state dump's line of its last frame
};

// Plays a session of the scripted player until `count` games have ended.
std::vector<EndedGame> playSession(uint32_t seed, size_t count, const std::string& scoreFile) {
    ScriptedPlayer player;
    setupGame({.seed = seed,
               .inputSource = &player,
               .uploadTextures = false,
               .highScorePath = scoreFile});
    GameRecorder recorder(*gameEnv, seed);
    std::vector<EndedGame> ended;
    for (int64_t frame = 1; ended.size() < count && frame < 2000000; ++frame) {
        gameEnv->runFrame();
        SoundRecord::clear();
        if (!recorder.afterFrame(*gameEnv, frame)) continue;
        EndedGame game{recorder.take(), ""};
        appendStateLine(game.finalState, *gameEnv, frame, {});
        ended.push_back(std::move(game));
    }
    cleanupGame();
    return ended;
}

// The log alone, started as its game was: the dump line of its last frame.
std::string replayAlone(const InputLog& log) {
    InputLogSource source(log);
    setupGame(
        {.seed = log.seed, .inputSource = &source, .uploadTextures = false, .highScorePath = ""});
    gameEnv->startGameFrom({log.start.random, log.start.colorCycle, log.start.highScore});
    for (int64_t f = 0; f < log.frameCount(); ++f) {
        gameEnv->runFrame();
        SoundRecord::clear();
    }
    std::string line;
    appendStateLine(line, *gameEnv, log.start.frame + log.frameCount(), {});
    cleanupGame();
    return line;
}

FinishedGame gameOf(int32_t score, int64_t when) {
    FinishedGame game;
    game.score = score;
    game.level = 1;
    game.frames = 1;
    game.when = when;
    game.log.start.present = true;
    game.log.addRow({1, {}});
    return game;
}

} // namespace

TEST(SavedGames, EachGameOfASessionReplaysAloneToItsExactEnd) {
    ScratchDir dir;
    const auto games = playSession(777, 3, dir.file("highscore.dat"));
    ASSERT_EQ(games.size(), 3u);
    for (const EndedGame& ended : games) {
        const InputLog& log = ended.game.log;
        SCOPED_TRACE("game from frame " + std::to_string(log.start.frame));
        EXPECT_EQ(ended.game.frames, log.frameCount());
        EXPECT_EQ(replayAlone(log), ended.finalState);
        // Written and read back, the log is the same game.
        InputLog reread;
        std::string error;
        ASSERT_TRUE(parseInputLog(formatInputLog(log), reread, error)) << error;
        EXPECT_EQ(replayAlone(reread), ended.finalState);
    }
    EXPECT_GT(games[1].game.log.start.frame, 0);
}

TEST(ScoreTable, RanksByScoreTheEarlierOfEqualScoresFirstAndKeepsTen) {
    const struct {
        std::vector<int32_t> before;
        int32_t score;
        int place; // -1: not among the best
        std::vector<int32_t> dropped;
    } cases[] = {
        {{}, 5, 0, {}},
        {{9, 5, 1}, 5, 2, {}}, // below the equal score already there
        {{9, 5, 1}, 10, 0, {}},
        {{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 4, 7, {1}},
        {{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 1, -1, {}}, // equals the last: the earlier game stays
        {{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 0, -1, {}},
    };
    for (const auto& c : cases) {
        std::vector<ScoreEntry> entries;
        for (int32_t s : c.before)
            entries.push_back({s, 1, "d", 1, "old"});
        std::vector<ScoreEntry> dropped;
        EXPECT_EQ(ScoreTable::insert(entries, {c.score, 1, "d", 1, "new"}, dropped), c.place);
        EXPECT_LE(entries.size(), ScoreTable::kSize);
        ASSERT_EQ(dropped.size(), c.dropped.size());
        for (size_t i = 0; i < dropped.size(); ++i)
            EXPECT_EQ(dropped[i].score, c.dropped[i]);
    }
}

TEST(ScoreTable, ReadsBackWhatItWritesAndRefusesDamagedTables) {
    const std::vector<ScoreEntry> entries{{900, 3, "2026-12-08T10:00:00", 4000, "replays/a.log"},
                                          {900, 2, "2026-12-08T11:00:00", 3000, "replays/b.log"}};
    std::vector<ScoreEntry> read;
    std::string error;
    ASSERT_TRUE(ScoreTable::parse(ScoreTable::format(entries), read, error)) << error;
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].replay, "replays/b.log");
    EXPECT_EQ(read[0].frames, 4000);
    for (const char* damaged : {
             "1 900 3 d 40 r\n3 800 3 d 40 r\n",  // a rank out of place
             "1 800 3 d 40 r\n2 900 3 d 40 r\n",  // scores rising
             "1 900 3 d 40 r extra\n",            // a stray word
             "1 -5 3 d 40 r\n",                   // a negative score
             "1 99999999999999999999 3 d 40 r\n", // beyond any score
             "1 900 3 d 40\n",                    // no replay
         }) {
        EXPECT_FALSE(ScoreTable::parse(damaged, read, error)) << damaged;
        EXPECT_EQ(error.rfind("line ", 0), 0u);
    }
    std::string eleven;
    for (int i = 1; i <= 11; ++i)
        eleven += std::to_string(i) + " 5 1 d 1 r\n";
    EXPECT_FALSE(ScoreTable::parse(eleven, read, error));
    for (const char* path : {"replays/a.log"})
        EXPECT_TRUE(ScoreTable::isOwnReplayPath(path));
    for (const char* path :
         {"replays/../x", "/etc/passwd", "replays/", "other/a.log", "replays/.x"})
        EXPECT_FALSE(ScoreTable::isOwnReplayPath(path)) << path;
}

// Eleven games ending in two copies of the game at once: the ten best are in the table, each
// with its replay, and the one pushed out has lost its replay.
TEST(ScoreTable, WritersKeepTheTenBestWithTheirReplaysOnly) {
    ScratchDir dir;
    const std::string folder = dir.path().string();
    {
        ScoreWriter first(folder), second(folder);
        for (int32_t score = 1; score <= 11; ++score)
            (score % 2 != 0 ? first : second).submit(gameOf(score * 100, 1700000000 + score));
    }
    std::vector<ScoreEntry> entries;
    std::string error;
    ASSERT_TRUE(ScoreTable::load(folder, entries, error)) << error;
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries.front().score, 1100);
    EXPECT_EQ(entries.back().score, 200);
    size_t replays = 0;
    for (const auto& file : std::filesystem::directory_iterator(dir.path() / "replays")) {
        ++replays;
        EXPECT_EQ(file.path().string().find("-100.log"), std::string::npos) << "dropped game kept";
    }
    EXPECT_EQ(replays, 10u);
    for (const ScoreEntry& e : entries) {
        InputLog log;
        EXPECT_TRUE(loadInputLog(folder + "/" + e.replay, log, error)) << error;
        EXPECT_TRUE(log.start.present);
    }
}

// A damaged table is set aside under a name no earlier one has; a long comment is no damage; a
// table that is a link is kept in its target, and one that is no file or read-only is left alone.
TEST(ScoreTable, DamagedTablesAreSetAsideAndNothingElseIsReplaced) {
    ScratchDir dir;
    const std::string folder = dir.path().string();
    namespace fs = std::filesystem;
    fs::create_directories(dir.path() / "keep");
    writeWholeFile(dir.file("keep/precious"), "mine");
    std::string message;
    bool busy = false;
    for (const char* aside : {"scores.txt.damaged", "scores.txt.damaged-2"}) {
        writeWholeFile(dir.file("scores.txt"), "1 5 1 d 1 keep/precious\nnot a row\n");
        EXPECT_TRUE(ScoreTable::save(folder, gameOf(50, 1700000000), message, busy));
        EXPECT_NE(message.find(std::string(aside) + "'"), std::string::npos) << message;
        EXPECT_EQ(readWholeFile(dir.file(aside)), "1 5 1 d 1 keep/precious\nnot a row\n");
    }
    EXPECT_TRUE(fs::exists(dir.file("keep/precious")));
    std::vector<ScoreEntry> entries;
    std::string error;
    writeWholeFile(dir.file("scores.txt"),
                   "# " + std::string(100000, 'x') + "\n1 388 1 d 1 replays/a.log\n");
    message.clear();
    EXPECT_TRUE(ScoreTable::save(folder, gameOf(60, 1700000000), message, busy));
    EXPECT_EQ(message, "");
    ASSERT_TRUE(ScoreTable::load(folder, entries, error)) << error;
    EXPECT_EQ(entries.size(), 2u);
    // Through a link: the target takes the game, the link stays.
    fs::rename(dir.file("scores.txt"), dir.file("keep/table.txt"));
    fs::create_symlink("keep/table.txt", dir.file("scores.txt"));
    EXPECT_TRUE(ScoreTable::save(folder, gameOf(70, 1700000000), message, busy));
    EXPECT_TRUE(fs::is_symlink(dir.file("scores.txt")));
    ASSERT_TRUE(ScoreTable::load(folder, entries, error)) << error;
    EXPECT_EQ(entries.size(), 3u);
    // Read-only, a FIFO, a link to a device: the game is not entered, the file stays.
    fs::permissions(dir.file("keep/table.txt"), fs::perms::owner_read);
    EXPECT_FALSE(ScoreTable::save(folder, gameOf(80, 1700000000), message, busy));
    EXPECT_NE(message.find("is read-only"), std::string::npos) << message;
    fs::remove(dir.file("scores.txt"));
    fs::create_symlink("/dev/null", dir.file("scores.txt"));
    EXPECT_FALSE(ScoreTable::save(folder, gameOf(80, 1700000000), message, busy));
    EXPECT_NE(message.find("not a regular file"), std::string::npos) << message;
    EXPECT_EQ(fs::read_symlink(dir.file("scores.txt")), "/dev/null");
    EXPECT_FALSE(ScoreTable::load(folder, entries, error));
}
