// Recording and replaying games: a recorded game replays to the same dump, and Escape ends a run.
#include <gtest/gtest.h>

#include "app/run_program.h"

namespace {

// A player who weaves up and down with fire held, links the chain now and then and uses the stick.
std::string scriptedLog(unsigned seed) {
    std::string log = "orvane-input 1\nseed " + std::to_string(seed) + "\n# scripted weaving\n";
    for (int round = 0; round < 12; ++round) {
        log += "30 44 200\n";
        log += "25 44 208 205\n";
        log += "20 45 203\n";
        log += "15 260 258\n";
        log += "10\n";
        log += "30 261 259 256\n";
    }
    return log;
}

struct Recorded {
    ProgramRun run;
    std::string dump;
    std::string log;
};

// Runs in a fresh folder with any input log given, writing dump.jsonl and, if asked, rec.log.
Recorded runWithFiles(const std::string& name, const std::string& inputLog,
                      const std::string& args) {
    const auto dir = scratchFolder(name);
    if (!inputLog.empty()) writeWholeFile(dir / "in.log", inputLog);
    Recorded r;
    r.run = runProgram(dir, args + " --dump dump.jsonl");
    r.dump = readWholeFile(dir / "dump.jsonl");
    r.log = readWholeFile(dir / "rec.log");
    std::filesystem::remove_all(dir);
    return r;
}

} // namespace

TEST(Replay, ARecordedScriptReplaysToTheSameDump) {
    const Recorded first =
        runWithFiles("record", scriptedLog(31337), "--headless --input in.log --record rec.log");
    ASSERT_EQ(first.run.status, 0) << first.run.err;
    ASSERT_EQ(first.log.rfind("orvane-input 1\nseed 31337\n", 0), 0u) << first.log;
    EXPECT_EQ(splitLines(first.dump).size(), 12u * 130 + 1);

    const Recorded replay = runWithFiles("replay", first.log, "--headless --input in.log");
    ASSERT_EQ(replay.run.status, 0) << replay.run.err;
    EXPECT_TRUE(replay.dump == first.dump) << "the replay went another way";
}

TEST(Replay, ARecordingWithoutInputKeepsTheSeedUsedAndTheFrameCount) {
    const Recorded first =
        runWithFiles("quiet", "", "--headless --seed 4000000000 --frames 700 --record rec.log");
    ASSERT_EQ(first.run.status, 0) << first.run.err;
    EXPECT_EQ(first.log, "orvane-input 1\nseed 4000000000\n700\n");
    const Recorded replay = runWithFiles("quiet_replay", first.log, "--headless --input in.log");
    EXPECT_TRUE(replay.dump == first.dump);
}

TEST(Replay, EscapeEndsTheRunAndItsFrameIsNotDumped) {
    const std::string log = "orvane-input 1\nseed 8\n100 44 200\n1 1 44\n50 44\n";
    const Recorded all = runWithFiles("escape", log, "--headless --input in.log");
    ASSERT_EQ(all.run.status, 0) << all.run.err;
    const auto lines = splitLines(all.dump);
    ASSERT_EQ(lines.size(), 101u);
    EXPECT_EQ(dumpFrame(lines.back()), 100);

    // With a longer --frames as well, and a dump interval that skips frame 100: that frame is
    // still the last one that ran, and it is written once.
    const Recorded sparse = runWithFiles("escape_sparse", log,
                                         "--headless --input in.log --frames 500 --dump-every 30");
    const auto few = splitLines(sparse.dump);
    ASSERT_EQ(few.size(), 5u);
    EXPECT_EQ(dumpFrame(few[3]), 90);
    const auto withoutSounds = [](const std::string& l) {
        return l.substr(0, l.find("\"sounds\""));
    };
    EXPECT_TRUE(withoutSounds(few[4]) == withoutSounds(lines[100]));
}

TEST(Replay, EscapeIsRecordedSoTheReplayStopsThereToo) {
    const std::string log = "orvane-input 1\nseed 8\n60 44 205\n1 1\n";
    const Recorded first =
        runWithFiles("escape_rec", log, "--headless --input in.log --frames 200 --record rec.log");
    ASSERT_EQ(first.run.status, 0) << first.run.err;
    EXPECT_EQ(first.log, "orvane-input 1\nseed 8\n60 44 205\n1 1\n");
    const Recorded replay = runWithFiles("escape_replay", first.log, "--headless --input in.log");
    EXPECT_TRUE(replay.dump == first.dump);
}
