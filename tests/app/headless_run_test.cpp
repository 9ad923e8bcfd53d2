// The headless program as a user runs it: dumped frames, recording and replaying.
#include <gtest/gtest.h>

#include "support/run_program.h"

namespace {

using Frames = std::vector<long long>;

Frames dumpedFrames(const std::string& dump) {
    Frames frames;
    for (const std::string& line : splitLines(dump))
        frames.push_back(line.back() == '}' ? dumpFrame(line) : -1);
    return frames;
}

class HeadlessProgram : public ProgramFolder {};

TEST_F(HeadlessProgram, DumpEveryKeepsFirstMultiplesAndLastOnce) {
    EXPECT_EQ(dumpedFrames(run("--headless --seed 9 --frames 50 --dump-every 7 --dump -").out),
              (Frames{0, 7, 14, 21, 28, 35, 42, 49, 50}));
    EXPECT_TRUE(run("--headless --seed 9 --frames 49 --dump-every 7 --dump o.jsonl").out.empty());
    EXPECT_EQ(dumpedFrames(file("o.jsonl")), (Frames{0, 7, 14, 21, 28, 35, 42, 49}));
    // Frame 0 is the state right after set-up: the first game with its ship.
    const std::string first = run("--headless --seed 9 --frames 0 --dump -").out;
    EXPECT_EQ(dumpedFrames(first), (Frames{0}));
    EXPECT_NE(first.find("\"frameCount\": 0,"), std::string::npos);
    EXPECT_NE(first.find("\"code\": 65537"), std::string::npos);
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

TEST_F(HeadlessProgram, WithoutInputTheRecordingKeepsTheSeedAndTheFrameCount) {
    run("--headless --seed 4000000000 --frames 700 --record quiet.log --dump first.jsonl");
    EXPECT_EQ(file("quiet.log"), "orvane-input 1\nseed 4000000000\n700\n");
    run("--headless --input quiet.log --dump replay.jsonl");
    EXPECT_TRUE(file("replay.jsonl") == file("first.jsonl"));
}

TEST_F(HeadlessProgram, EscapeEndsTheRunItsFrameIsNotDumpedAndItIsRecorded) {
    write("in.log", "orvane-input 1\nseed 8\n100 44 200\n1 1 44\n50 44\n");
    run("--headless --input in.log --frames 200 --record rec.log --dump all.jsonl");
    const auto all = splitLines(file("all.jsonl"));
    ASSERT_EQ(all.size(), 101u);
    EXPECT_EQ(dumpFrame(all.back()), 100);
    EXPECT_EQ(file("rec.log"), "orvane-input 1\nseed 8\n100 44 200\n1 1 44\n");
    run("--headless --input rec.log --dump replay.jsonl");
    EXPECT_TRUE(file("replay.jsonl") == file("all.jsonl"));

    // A dump interval that skips frame 100: it is still the last one that ran, written once,
    // carrying the sounds of the frames skipped before it.
    run("--headless --input in.log --frames 500 --dump-every 30 --dump few.jsonl");
    EXPECT_EQ(dumpedFrames(file("few.jsonl")), (Frames{0, 30, 60, 90, 100}));
    const std::string last = splitLines(file("few.jsonl")).back();
    EXPECT_TRUE(last.substr(0, last.find("\"sounds\"")) ==
                all[100].substr(0, all[100].find("\"sounds\"")));
}

} // namespace
