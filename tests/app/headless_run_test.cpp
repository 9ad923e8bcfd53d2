// The headless program as a user runs it: refusals, dumped frames, recording and replaying.
#include <gtest/gtest.h>

#include "app/run_program.h"

namespace {

std::vector<long long> dumpedFrames(const std::string& dump) {
    std::vector<long long> frames;
    for (const std::string& line : splitLines(dump))
        frames.push_back(line.back() == '}' ? dumpFrame(line) : -1);
    return frames;
}

std::string withoutSounds(const std::string& line) {
    return line.substr(0, line.find("\"sounds\""));
}

// Each test runs in a folder of its own, removed afterwards.
class HeadlessProgram : public ::testing::Test {
  protected:
    void TearDown() override { std::filesystem::remove_all(dir_); }
    // Every run starts without a high score, as runs that must match need.
    ProgramRun run(const std::string& args) {
        std::filesystem::remove(dir_ / "highscore.dat");
        ProgramRun r = runProgram(dir_, args);
        EXPECT_EQ(r.status, 0) << args << ": " << r.err;
        return r;
    }
    std::string file(const std::string& name) { return readWholeFile(dir_ / name); }
    void write(const std::string& name, const std::string& text) {
        writeWholeFile(dir_ / name, text);
    }

    std::filesystem::path dir_ = scratchFolder("headless");
};

TEST_F(HeadlessProgram, RefusesMistakesWithOneLineAndStatusTwoBeforeAnyFrame) {
    write("good.log", "orvane-input 1\nseed 5\n10 44\n");
    write("bad.log", "orvane-input 1\nseed 1\n5 266\n");
    const std::pair<const char*, const char*> cases[] = {
        {"--bogus", "--bogus"},
        {"--headless", "--headless"},
        {"--headless --dump -", "--input or --frames"},
        {"--headless --frames -3 --dump -", "--frames"},
        {"--headless --frames 10x --dump -", "10x"},
        {"--headless --frames 99999999999999999999 --dump -", "--frames"},
        {"--headless --frames 5 --dump-every 0 --dump -", "--dump-every"},
        {"--headless --frames 5 --seed 4294967296 --dump -", "--seed"},
        {"--headless --frames 5 --dump", "missing value for --dump"},
        {"--headless --frames 5 --dump - extra", "extra"},
        {"--headless --input missing.log --dump -", "missing.log"},
        {"--headless --input bad.log --dump -", "bad.log' line 3:"},
        {"--headless --input good.log --dump no/such/folder.jsonl", "no/such/folder.jsonl"},
        {"--headless --input good.log --dump - --record good.log/x", "good.log/x"},
    };
    for (const auto& [args, mention] : cases) {
        SCOPED_TRACE(args);
        const ProgramRun r = runProgram(dir_, args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty()); // no frame ran, nothing was dumped
        ASSERT_EQ(splitLines(r.err).size(), 1u) << r.err;
        EXPECT_NE(r.err.find(mention), std::string::npos) << r.err;
    }
}

TEST_F(HeadlessProgram, HelpNamesEveryOptionAndVersionAnswers) {
    const std::string help = run("--help").out;
    for (const char* option : {"--headless", "--seed", "--input", "--record", "--frames", "--dump",
                               "--dump-every", "--screenshot", "--help", "--version"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(run("--version").out.rfind("orvane ", 0), 0u);
}

TEST_F(HeadlessProgram, ASeededRunDumpsEveryFrameTheSameEachTime) {
    const std::string first = run("--headless --seed 1 --frames 3000 --dump -").out;
    const std::string second = run("--headless --seed 1 --frames 3000 --dump -").out;
    const auto frames = dumpedFrames(first);
    ASSERT_EQ(frames.size(), 3001u);
    for (size_t i = 0; i < frames.size(); ++i)
        ASSERT_EQ(frames[i], static_cast<long long>(i));
    EXPECT_TRUE(first == second) << "two runs with one seed differ";
    // Frame 0 is the state right after set-up: the first game with its ship.
    EXPECT_NE(first.find("\"frameCount\": 0,"), std::string::npos);
    EXPECT_LT(first.find("\"code\": 65537"), first.find('\n'));
}

TEST_F(HeadlessProgram, DumpEveryKeepsFirstMultiplesAndLastOnce) {
    using Frames = std::vector<long long>;
    EXPECT_EQ(dumpedFrames(run("--headless --seed 9 --frames 50 --dump-every 7 --dump -").out),
              (Frames{0, 7, 14, 21, 28, 35, 42, 49, 50}));
    EXPECT_TRUE(run("--headless --seed 9 --frames 49 --dump-every 7 --dump o.jsonl").out.empty());
    EXPECT_EQ(dumpedFrames(file("o.jsonl")), (Frames{0, 7, 14, 21, 28, 35, 42, 49}));
    EXPECT_EQ(dumpedFrames(run("--headless --seed 9 --frames 0 --dump -").out), (Frames{0}));
}

TEST_F(HeadlessProgram, TheSeedComesFromTheOptionElseTheLog) {
    write("a.log", "orvane-input 1\nseed 77\n40 205\n");
    write("b.log", "orvane-input 1\nseed 78\n40 205\n");
    const std::string fromLog = run("--headless --input a.log --dump -").out;
    const std::string fromOption = run("--headless --input a.log --seed 78 --dump -").out;
    EXPECT_EQ(dumpedFrames(fromLog).size(), 41u); // the log's 40 frames and frame 0
    EXPECT_TRUE(fromLog != fromOption);
    EXPECT_TRUE(fromOption == run("--headless --input b.log --dump -").out);
}

TEST_F(HeadlessProgram, ARecordedGameReplaysToTheSameDump) {
    // Weaving up and down with fire held, linking the chain now and then, using the stick.
    std::string log = "orvane-input 1\nseed 31337\n# scripted weaving\n";
    for (int round = 0; round < 12; ++round)
        log += "30 44 200\n25 44 208 205\n20 45 203\n15 260 258\n10\n30 261 259 256\n";
    write("in.log", log);
    run("--headless --input in.log --record rec.log --dump first.jsonl");
    ASSERT_EQ(file("rec.log").rfind("orvane-input 1\nseed 31337\n", 0), 0u);
    EXPECT_EQ(splitLines(file("first.jsonl")).size(), 12u * 130 + 1);
    run("--headless --input rec.log --dump replay.jsonl");
    EXPECT_TRUE(file("replay.jsonl") == file("first.jsonl")) << "the replay went another way";

    // Without input the log keeps the seed used and the frame count.
    run("--headless --seed 4000000000 --frames 700 --record quiet.log --dump first.jsonl");
    EXPECT_EQ(file("quiet.log"), "orvane-input 1\nseed 4000000000\n700\n");
    run("--headless --input quiet.log --dump replay.jsonl");
    EXPECT_TRUE(file("replay.jsonl") == file("first.jsonl"));
}

TEST_F(HeadlessProgram, EscapeEndsTheRunItsFrameIsNotDumpedAndItIsRecorded) {
    write("in.log", "orvane-input 1\nseed 8\n100 44 200\n1 1 44\n50 44\n");
    run("--headless --input in.log --frames 200 --record rec.log --dump all.jsonl");
    const auto lines = splitLines(file("all.jsonl"));
    ASSERT_EQ(lines.size(), 101u);
    EXPECT_EQ(dumpFrame(lines.back()), 100);
    EXPECT_EQ(file("rec.log"), "orvane-input 1\nseed 8\n100 44 200\n1 1 44\n");
    run("--headless --input rec.log --dump replay.jsonl");
    EXPECT_TRUE(file("replay.jsonl") == file("all.jsonl"));

    // A dump interval that skips frame 100: it is still the last one that ran, written once,
    // carrying the sounds of the frames skipped before it.
    run("--headless --input in.log --frames 500 --dump-every 30 --dump few.jsonl");
    const auto few = splitLines(file("few.jsonl"));
    EXPECT_EQ(dumpedFrames(file("few.jsonl")), (std::vector<long long>{0, 30, 60, 90, 100}));
    ASSERT_EQ(few.size(), 5u);
    EXPECT_TRUE(withoutSounds(few[4]) == withoutSounds(lines[100]));
}

} // namespace
