// The weapon lab: its setting files, the lab lines of input logs, sweeps against single runs,
// and A and B replayed over the same stretch of play.
#include <gtest/gtest.h>

#include <sstream>

#include "app/game_run.h"
#include "app/lab.h"
#include "app/lab_file.h"
#include "app/run_files.h"
#include "game/setup.h"
#include "game/state_dump.h"
#include "support/run_program.h"
#include "support/scripted_player.h"

namespace {

TEST(LabText, LinesAreReadAsConfigSettingsAreAndCombinationsAreRefused) {
    const struct {
        const char* text;
        const char* complaints; // joined by "|"
        int32_t nodes;          // the nodes afterwards
        int32_t spring;
    } cases[] = {
        {"nodes 40\n# a note\n\n  spring   30  \n", "", 40, 30},
        {"nodes 40\nspring 65\n", "line 2: spring takes 1 to 64", 40, 16},
        {"spring 20\nspring 30\n", "line 2: 'spring' was already set on line 1", 24, 20},
        {"nodes\n", "line 1: expected a name and a value", 24, 16},
        {"nodes 4x\n", "line 1: expected a whole number for nodes, not '4x'", 24, 16},
        {"tension 3\nnodes 30\n", "line 1: no lab setting is called 'tension'", 30, 16},
        // More orbs than the nodes carry: the whole file is refused, its good lines too.
        {"nodes 20\nspring 30\n", "3 orbs from node 7 every 8 need 24 nodes", 24, 16},
        {"orbs 0\nnodes 2\n", "", 2, 16},
        {"aim-back 8\n", "aim-back 8 reaches past the anchor from node 7", 24, 16},
    };
    for (const auto& c : cases) {
        LabSettings settings;
        std::string joined;
        for (const std::string& complaint : parseLabText(c.text, settings))
            joined += (joined.empty() ? "" : "|") + complaint;
        EXPECT_EQ(joined, c.complaints) << c.text;
        EXPECT_EQ(settings.nodes, c.nodes) << c.text;
        EXPECT_EQ(settings.spring, c.spring) << c.text;
    }
    // What a file holds reads back the same.
    LabSettings changed;
    changed.rest = 2048;
    changed.dummies = 3;
    EXPECT_EQ(formatLabSettings(changed), "rest 2048\ndummies 3\n");
    LabSettings read;
    EXPECT_TRUE(parseLabText(formatLabSettings(changed, true), read).empty());
    EXPECT_EQ(read, changed);
}

TEST(LabLog, SettingsStayBetweenTheirRowsAndFallDueAtTheirFrame) {
    const std::string text = "orvane-input 1\nseed 3\nlab spring 30\n10 44\nlab nodes 40\n"
                             "lab orbs 4\n5 44\n7\nlab enemy-fire 0\n";
    InputLog log;
    std::string error;
    ASSERT_TRUE(parseInputLog(text, log, error)) << error;
    // The rows holding Z on either side of the change stay two rows.
    EXPECT_EQ(log.rowCount(), 3u);
    EXPECT_EQ(formatInputLog(log), text);
    LabSettings start;
    LabSchedule schedule;
    ASSERT_TRUE(schedule.load(log, start, error)) << error;
    EXPECT_EQ(start.spring, 30);
    LabSettings due;
    EXPECT_FALSE(schedule.dueAt(9, due));
    ASSERT_TRUE(schedule.dueAt(10, due));
    EXPECT_EQ(std::tuple(due.nodes, due.orbs, due.spring), std::tuple(40, 4, 30));
    ASSERT_TRUE(schedule.dueAt(22, due));
    EXPECT_EQ(due.enemyFire, 0);
    // A bad lab line fails the log, by its line.
    for (const auto& [bad, why] : {std::pair{"lab nodes\n", "line 3: expected 'lab NAME VALUE'"},
                                   std::pair{"lab nodes -2\n", "line 3: lab value must not be"}}) {
        EXPECT_FALSE(parseInputLog(std::string("orvane-input 1\nseed 3\n") + bad, log, error));
        EXPECT_NE(error.find(why), std::string::npos) << error;
    }
    ASSERT_TRUE(parseInputLog("orvane-input 1\nseed 3\n4\nlab nodes 99\n", log, error));
    EXPECT_FALSE(schedule.load(log, start, error));
    EXPECT_EQ(error, "line 4: nodes takes 2 to 64");
}

// Each row of a sweep is the run of that value alone.
struct LabSweepRuns : ProgramFolder {};

TEST_F(LabSweepRuns, EachRowIsTheSingleRunOfItsValue) {
    write("p.log", "orvane-input 1\nseed 5\n60 44 205\n150 44 45 200\n40 208\n200 44 203\n"
                   "100 45\n300 44 205\n");
    const ProgramRun sweep =
        run("--headless --input p.log --lab dummies=3 --lab-sweep spring=8:40:16");
    const std::vector<std::string> rows = splitLines(sweep.out);
    ASSERT_EQ(rows.size(), 4u) << sweep.out;
    for (size_t i = 1; i < rows.size(); ++i) {
        std::istringstream row(rows[i]);
        int value = 0;
        long long kills = 0, absorbed = 0, orbShots = 0, hits = 0, locks = 0;
        row >> value >> kills >> absorbed >> orbShots >> hits >> locks;
        run("--headless --input p.log --lab dummies=3 --lab spring=" + std::to_string(value) +
            " --metrics m.csv");
        const std::vector<std::string> csv = splitLines(file("m.csv"));
        ASSERT_GE(csv.size(), 2u);
        std::ostringstream expected;
        expected << kills << "," << absorbed << "," << orbShots << "," << hits << "," << locks
                 << ",";
        // second,frames, then the counters in the sweep's order
        const std::string last = csv.back();
        const size_t third = last.find(',', last.find(',') + 1) + 1;
        EXPECT_EQ(last.substr(third, expected.str().size()), expected.str()) << rows[i];
    }
}

// A lab run set up headless with the scripted player, its lab open from the first frame.
struct LabRun : ::testing::Test {
    void SetUp() override {
        files.lab = true;
        files.seed = 17;
        files.paths.dataFolder = "no-data";
        setUpRun(files, &player, nullptr, false);
        run = std::make_unique<GameRun>(files, -1, GameRun::Table::Skip);
        lab = run->openLab();
    }
    void TearDown() override {
        run.reset();
        cleanupGame();
    }
    // The whole state, hashed: a failure shows two numbers, not two dumps.
    static size_t state() {
        std::string line;
        appendStateLine(line, *gameEnv, 0, {});
        return std::hash<std::string>{}(line);
    }
    ScriptedPlayer player;
    RunFiles files;
    std::unique_ptr<GameRun> run;
    Lab* lab = nullptr;
};

TEST_F(LabRun, AAndBReplayTheSameStretchAndShowTheSameFrameOfEach) {
    ASSERT_NE(lab, nullptr);
    for (int f = 0; f < 600; ++f)
        ASSERT_TRUE(run->step());
    const size_t live600 = state();
    std::string why;
    ASSERT_TRUE(lab->startCompare(why)) << why;
    EXPECT_EQ(lab->stretchFrames(), 600);
    // The same settings: the same numbers, as the live game had them.
    EXPECT_EQ(lab->totals('A').kills, lab->totals('B').kills);
    EXPECT_EQ(lab->totals('A').orbShots, lab->totals('B').orbShots);
    for (int f = 0; f < 250; ++f)
        run->step();
    const size_t a250 = state();
    lab->switchView();
    LabSettings b = lab->settings();
    b.spring = 40;
    b.nodes = 40;
    b.orbs = 4;
    ASSERT_TRUE(lab->change(b, why)) << why;
    EXPECT_NE(lab->totals('A').meanOrbDistance, lab->totals('B').meanOrbDistance);
    const size_t b250 = state();
    EXPECT_NE(a250, b250);
    // Back to A at the same frame: the very state it had there.
    lab->switchView();
    EXPECT_EQ(lab->compareFrame(), 250);
    EXPECT_EQ(state(), a250);
    const std::string csv = lab->exportText();
    EXPECT_EQ(csv.rfind("run,second,", 0), 0u);
    EXPECT_EQ(splitLines(csv).size(), 1u + 2u * 8u); // 600 frames: 8 rows each
    EXPECT_EQ(state(), a250);
    // A under the live settings plays the stretch as it was played.
    for (int f = 250; f < 600; ++f)
        run->step();
    EXPECT_EQ(state(), live600);
    b.orbs = 4;
    b.nodes = 24;
    EXPECT_FALSE(lab->change(b, why));
    EXPECT_EQ(why, "4 orbs from node 7 every 8 need 32 nodes");
}

} // namespace
