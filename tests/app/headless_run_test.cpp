// The headless program as a user runs it: exit codes, the dumped frames and their repeatability.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/run_program.h"
#include "app/sound.h"

namespace {

// Every line is a dump line; returns their frame numbers.
std::vector<long long> dumpedFrames(const std::string& dump) {
    std::vector<long long> frames;
    for (const std::string& line : splitLines(dump)) {
        EXPECT_EQ(line.back(), '}');
        frames.push_back(dumpFrame(line));
    }
    return frames;
}

// The sounds of every line, joined: "[0, 60, 100], [4, 50, 100]".
std::string allSounds(const std::string& dump) {
    std::string sounds;
    for (const std::string& line : splitLines(dump)) {
        const size_t start = line.find("\"sounds\": [") + 11;
        const std::string list = line.substr(start, line.size() - 2 - start);
        if (list.empty()) continue;
        sounds += (sounds.empty() ? "" : ", ") + list;
    }
    return sounds;
}

void expectRefused(const std::string& args, const std::string& mention) {
    const auto dir = scratchFolder("refused");
    writeWholeFile(dir / "good.log", "orvane-input 1\nseed 5\n10 44\n");
    const ProgramRun run = runProgram(dir, args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_TRUE(run.out.empty()) << args; // no frame ran, nothing was dumped
    ASSERT_EQ(splitLines(run.err).size(), 1u) << args << ": " << run.err;
    EXPECT_NE(run.err.find(mention), std::string::npos) << args << ": " << run.err;
    std::filesystem::remove_all(dir);
}

std::string withoutSounds(const std::string& line) {
    return line.substr(0, line.find("\"sounds\""));
}

} // namespace

TEST(HeadlessProgram, RefusesBadOptionsWithOneLineAndStatusTwo) {
    expectRefused("--bogus", "--bogus");
    expectRefused("--headless", "--headless");
    expectRefused("--headless --dump -", "--input or --frames");
    expectRefused("--headless --frames -3 --dump -", "--frames");
    expectRefused("--headless --frames 10x --dump -", "10x");
    expectRefused("--headless --frames 99999999999999999999 --dump -", "--frames");
    expectRefused("--headless --frames 5 --dump-every 0 --dump -", "--dump-every");
    expectRefused("--headless --frames 5 --seed 4294967296 --dump -", "--seed");
    expectRefused("--headless --frames 5 --dump", "missing value for --dump");
    expectRefused("--headless --frames 5 --dump - extra", "extra");
}

TEST(HeadlessProgram, RefusesBadFilesBeforeAnyFrame) {
    expectRefused("--headless --input missing.log --dump -", "missing.log");
    expectRefused("--headless --input good.log --dump no/such/folder.jsonl",
                  "no/such/folder.jsonl");
    expectRefused("--headless --input good.log --dump - --record good.log/x", "good.log/x");
    const char* badLogs[][2] = {
        {"orvane-input 9\nseed 1\n", "line 1"},
        {"orvane-input 1\n5 44\n", "line 2"},
        {"orvane-input 1\nseed 1\n0\n", "line 3"},
        {"orvane-input 1\nseed 1\n2147483648\n", "line 3"},
        {"orvane-input 1\nseed 1\n5 266\n", "line 3"},
        {"orvane-input 1\nseed 1\n5 44 fire\n", "line 3"},
        {"orvane-input 1\nseed 1\n# c\n\n5 -1\n", "line 5"},
    };
    for (const auto& [text, where] : badLogs) {
        const auto dir = scratchFolder("badlog");
        writeWholeFile(dir / "bad.log", text);
        const ProgramRun run = runProgram(dir, "--headless --input bad.log --dump -");
        EXPECT_EQ(run.status, 2) << text;
        EXPECT_TRUE(run.out.empty()) << text;
        ASSERT_EQ(splitLines(run.err).size(), 1u) << run.err;
        EXPECT_NE(run.err.find(std::string("bad.log' ") + where + ":"), std::string::npos)
            << run.err;
        std::filesystem::remove_all(dir);
    }
}

TEST(HeadlessProgram, HelpAndVersionExitZero) {
    const auto dir = scratchFolder("help");
    const ProgramRun help = runProgram(dir, "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--dump-every"), std::string::npos);
    const ProgramRun version = runProgram(dir, "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("orvane ", 0), 0u);
    std::filesystem::remove_all(dir);
}

TEST(HeadlessProgram, ASeededRunDumpsEveryFrameTheSameEachTime) {
    std::string dumps[2];
    for (std::string& dump : dumps) {
        const auto dir = scratchFolder("seeded");
        const ProgramRun run = runProgram(dir, "--headless --seed 1 --frames 3000 --dump -");
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(run.err.empty()) << run.err;
        dump = run.out;
        std::filesystem::remove_all(dir);
    }
    const auto frames = dumpedFrames(dumps[0]);
    ASSERT_EQ(frames.size(), 3001u);
    for (size_t i = 0; i < frames.size(); ++i)
        ASSERT_EQ(frames[i], static_cast<long long>(i));
    EXPECT_TRUE(dumps[0] == dumps[1]) << "two runs with one seed differ";
    // Frame 0 is the state right after set-up: the first game with its ship.
    const std::string first = splitLines(dumps[0])[0];
    EXPECT_NE(first.find("\"frameCount\": 0,"), std::string::npos);
    EXPECT_NE(first.find("\"code\": 65537"), std::string::npos);
}

TEST(HeadlessProgram, DumpEveryKeepsFirstMultiplesAndLastOnce) {
    const auto dir = scratchFolder("every");
    ProgramRun run = runProgram(dir, "--headless --seed 9 --frames 50 --dump-every 7 --dump -");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(dumpedFrames(run.out), (std::vector<long long>{0, 7, 14, 21, 28, 35, 42, 49, 50}));
    run = runProgram(dir, "--headless --seed 9 --frames 49 --dump-every 7 --dump out.jsonl");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(dumpedFrames(readWholeFile(dir / "out.jsonl")),
              (std::vector<long long>{0, 7, 14, 21, 28, 35, 42, 49}));
    run = runProgram(dir, "--headless --seed 9 --frames 0 --dump -");
    EXPECT_EQ(dumpedFrames(run.out), (std::vector<long long>{0}));
    std::filesystem::remove_all(dir);
}

TEST(HeadlessProgram, SoundsOfFramesNotDumpedMoveToTheNextLine) {
    // Fire held and released: the main gun keeps sounding for longer than any sound table.
    const std::string log = "orvane-input 1\nseed 21\n900 44\n3\n900 44 200\n";
    const auto dirEvery = scratchFolder("sounds_every");
    const auto dirSparse = scratchFolder("sounds_sparse");
    writeWholeFile(dirEvery / "fire.log", log);
    writeWholeFile(dirSparse / "fire.log", log);
    const ProgramRun every = runProgram(dirEvery, "--headless --input fire.log --dump -");
    const ProgramRun sparse =
        runProgram(dirSparse, "--headless --input fire.log --dump-every 5000 --dump -");
    std::filesystem::remove_all(dirEvery);
    std::filesystem::remove_all(dirSparse);
    ASSERT_EQ(every.status, 0) << every.err;
    ASSERT_EQ(sparse.status, 0) << sparse.err;
    EXPECT_EQ(dumpedFrames(sparse.out), (std::vector<long long>{0, 1803}));
    const std::string sounds = allSounds(every.out);
    // More sounds than the game's own record holds, all in the one line of the last frame.
    EXPECT_GT(std::count(sounds.begin(), sounds.end(), '['), SoundRecord::kCapacity);
    EXPECT_TRUE(allSounds(sparse.out) == sounds);
    // Apart from the sounds the last line is the full dump's line of that frame.
    const auto full = splitLines(every.out);
    const auto few = splitLines(sparse.out);
    EXPECT_TRUE(withoutSounds(few[1]) == withoutSounds(full[1803]));
}

TEST(HeadlessProgram, TheSeedComesFromTheOptionElseTheLog) {
    const auto dir = scratchFolder("seed");
    writeWholeFile(dir / "a.log", "orvane-input 1\nseed 77\n40 205\n");
    const ProgramRun fromLog = runProgram(dir, "--headless --input a.log --dump -");
    const ProgramRun fromOption = runProgram(dir, "--headless --input a.log --seed 78 --dump -");
    writeWholeFile(dir / "b.log", "orvane-input 1\nseed 78\n40 205\n");
    const ProgramRun otherLog = runProgram(dir, "--headless --input b.log --dump -");
    ASSERT_EQ(fromLog.status, 0) << fromLog.err;
    EXPECT_EQ(dumpedFrames(fromLog.out).size(), 41u); // the log's 40 frames and frame 0
    EXPECT_TRUE(fromLog.out != fromOption.out);
    EXPECT_TRUE(fromOption.out == otherLog.out);
    std::filesystem::remove_all(dir);
}
