// Input logs: what the parser accepts and refuses, replay frame by frame, and recording round
// trips.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "input/input.h"
#include "input/input_log.h"

namespace {

InputLog parseOk(const std::string& text) {
    InputLog log;
    std::string error;
    EXPECT_TRUE(parseInputLog(text, log, error)) << error;
    return log;
}

std::string parseError(const std::string& text) {
    InputLog log;
    std::string error;
    EXPECT_FALSE(parseInputLog(text, log, error)) << text;
    return error;
}

HeldInputs held(std::initializer_list<int> numbers) {
    HeldInputs h;
    for (int n : numbers)
        h.set(n);
    return h;
}

std::string scratchPath(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / "orvane_input_log_test";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(InputLogParse, ReadsTheDocumentedExample) {
    const InputLog log = parseOk("orvane-input 1\nseed 12345\n150\n75 205 44\n10\n8 45\n");
    EXPECT_EQ(log.seed, 12345u);
    ASSERT_EQ(log.rows.size(), 4u);
    EXPECT_EQ(log.rows[0].count, 150);
    EXPECT_TRUE(log.rows[0].held.none());
    EXPECT_EQ(log.rows[1].count, 75);
    EXPECT_EQ(log.rows[1].held, held({205, 44}));
    EXPECT_EQ(log.rows[3].held, held({45}));
    EXPECT_EQ(log.frameCount(), 243);
}

TEST(InputLogParse, IgnoresCommentsBlankLinesAndCarriageReturns) {
    const InputLog log = parseOk("orvane-input 1\r\n# made by hand\r\n\r\nseed 7\r\n#\n"
                                 "\n3 1 1 260\n   \n2 265 0");
    EXPECT_EQ(log.seed, 7u);
    ASSERT_EQ(log.rows.size(), 2u);
    EXPECT_EQ(log.rows[0].held, held({1, 260})); // repetition does not matter
    EXPECT_EQ(log.rows[1].count, 2);             // last line without its line end
    EXPECT_EQ(log.rows[1].held, held({0, 265}));
}

TEST(InputLogParse, AcceptsTheLargestValues) {
    const InputLog log = parseOk("orvane-input 1\nseed 4294967295\n2147483647 265 0\n1\n");
    EXPECT_EQ(log.seed, 4294967295u);
    EXPECT_EQ(log.rows[0].count, 2147483647);
    EXPECT_EQ(log.frameCount(), 2147483648LL); // totals do not wrap
}

TEST(InputLogParse, AHeaderAloneWithSeedHasNoRows) {
    EXPECT_EQ(parseOk("orvane-input 1\nseed 0\n").frameCount(), 0);
}

TEST(InputLogParse, RefusesABadHeader) {
    EXPECT_EQ(parseError("").rfind("line 1:", 0), 0u);
    EXPECT_EQ(parseError("orvane-input 2\nseed 1\n").rfind("line 1:", 0), 0u);
    EXPECT_EQ(parseError("# comment\norvane-input 1\nseed 1\n").rfind("line 1:", 0), 0u);
    EXPECT_EQ(parseError(" orvane-input 1\nseed 1\n").rfind("line 1:", 0), 0u);
    EXPECT_EQ(parseError("orvane-input 1 \nseed 1\n").rfind("line 1:", 0), 0u);
}

TEST(InputLogParse, RefusesABadSeedLineWithItsNumber) {
    EXPECT_EQ(parseError("orvane-input 1\n").rfind("line 2:", 0), 0u);
    EXPECT_EQ(parseError("orvane-input 1\n# c\n5 44\n").rfind("line 3:", 0), 0u);
    EXPECT_EQ(parseError("orvane-input 1\nseed\n").rfind("line 2:", 0), 0u);
    EXPECT_EQ(parseError("orvane-input 1\nseed -1\n").rfind("line 2:", 0), 0u);
    EXPECT_EQ(parseError("orvane-input 1\nseed 4294967296\n").rfind("line 2:", 0), 0u);
    EXPECT_EQ(parseError("orvane-input 1\nseed 12x\n").rfind("line 2:", 0), 0u);
    EXPECT_EQ(parseError("orvane-input 1\nseed 1 2\n").rfind("line 2:", 0), 0u);
    EXPECT_EQ(parseError("orvane-input 1\nSeed 1\n").rfind("line 2:", 0), 0u);
}

TEST(InputLogParse, RefusesBadRowsWithTheirLineNumbers) {
    const std::string head = "orvane-input 1\nseed 1\n10\n";
    const char* rows[] = {"0",         "2147483648", "-5 44", "+5",     "5 266",
                          "5 -1",      "5 44x",      "5 abc", "x",      "5 99999999999999999999999",
                          "5 44 \x01", "5 0x2C",     "1\r\r", "5 4 4.0"};
    for (const char* row : rows) {
        EXPECT_EQ(parseError(head + "# note\n" + row + "\n").rfind("line 5:", 0), 0u) << row;
    }
}

TEST(InputLogParse, ErrorsSayWhatIsWrong) {
    const std::string head = "orvane-input 1\nseed 1\n";
    EXPECT_NE(parseError(head + "0\n").find("count"), std::string::npos);
    EXPECT_NE(parseError(head + "5 300\n").find("input 300 is out of range"), std::string::npos);
    EXPECT_NE(parseError(head + "5 -3\n").find("negative"), std::string::npos);
    EXPECT_NE(parseError(head + "5 Z\n").find("'Z'"), std::string::npos);
}

TEST(InputLogFile, NamesTheFileAndLine) {
    const std::string path = scratchPath("bad.log");
    std::ofstream(path) << "orvane-input 1\nseed 1\n5 999\n";
    InputLog log;
    std::string error;
    ASSERT_FALSE(loadInputLog(path, log, error));
    EXPECT_NE(error.find(path), std::string::npos);
    EXPECT_NE(error.find("line 3"), std::string::npos);
    EXPECT_FALSE(loadInputLog(scratchPath("missing.log"), log, error));
    EXPECT_NE(error.find("missing.log"), std::string::npos);
    EXPECT_FALSE(loadInputLog(scratchPath(""), log, error)); // a folder
}

TEST(InputLogSource, ReplaysRowsFrameByFrameThenHoldsNothing) {
    const InputLog log = parseOk("orvane-input 1\nseed 3\n2 44 256\n1\n1 1 265\n");
    InputLogSource source(log);
    uint8_t keys[256];
    uint8_t joy[10];
    std::vector<HeldInputs> frames;
    for (int f = 0; f < 6; ++f) {
        std::fill(std::begin(keys), std::end(keys), 0x55); // leftovers must be overwritten
        std::fill(std::begin(joy), std::end(joy), 7);
        source.readState(keys, joy);
        HeldInputs h;
        for (int n = 0; n < 256; ++n) {
            ASSERT_TRUE(keys[n] == 0 || keys[n] == 0x80);
            if (keys[n]) h.set(n);
        }
        for (int n = 0; n < 10; ++n) {
            ASSERT_LE(joy[n], 1);
            if (joy[n]) h.set(256 + n);
        }
        frames.push_back(h);
        EXPECT_EQ(source.finished(), f >= 3) << f;
    }
    EXPECT_EQ(frames[0], held({44, 256}));
    EXPECT_EQ(frames[1], held({44, 256}));
    EXPECT_TRUE(frames[2].none());
    EXPECT_EQ(frames[3], held({1, 265}));
    EXPECT_TRUE(frames[4].none());
    EXPECT_TRUE(frames[5].none());
    EXPECT_EQ(source.framesRead(), 6);
}

TEST(InputLogRecorder, JoinsEqualFramesIntoRows) {
    const std::string path = scratchPath("joined.log");
    InputLogRecorder recorder;
    std::string error;
    ASSERT_TRUE(recorder.open(path, 99, error)) << error;
    for (int f = 0; f < 3; ++f)
        recorder.recordHeld(held({205, 44}));
    recorder.recordHeld(held({}));
    recorder.recordHeld(held({44, 205}));
    recorder.recordHeld(held({1}));
    ASSERT_TRUE(recorder.close());
    EXPECT_EQ(readFile(path), "orvane-input 1\nseed 99\n3 44 205\n1\n1 44 205\n1 1\n");
    EXPECT_EQ(recorder.framesRecorded(), 6);
}

TEST(InputLogRecorder, RecordsWhatTheInputObjectHoldsAndReplaysIt) {
    const InputLog original =
        parseOk("orvane-input 1\nseed 42\n4 44\n3 200 203 260\n1\n5 1 2 3 4 5 255 256 265\n");
    InputLogSource source(original);
    Input input(&source);
    InputLogRecorder recorder;
    std::string error;
    const std::string path = scratchPath("recorded.log");
    ASSERT_TRUE(recorder.open(path, original.seed, error)) << error;
    input.setRecorder(&recorder);
    for (int f = 0; f < original.frameCount(); ++f)
        input.readState();
    input.setRecorder(nullptr);
    ASSERT_TRUE(recorder.close());
    EXPECT_EQ(readFile(path), formatInputLog(original));
}

TEST(InputLogRecorder, ReportsAFileThatCannotBeCreated) {
    const std::string blocker = scratchPath("plain-file");
    std::ofstream(blocker) << "x";
    InputLogRecorder recorder;
    std::string error;
    EXPECT_FALSE(recorder.open(blocker + "/inside.log", 1, error));
    EXPECT_NE(error.find("inside.log"), std::string::npos);
    recorder.recordHeld(held({1})); // harmless while closed
    EXPECT_EQ(recorder.framesRecorded(), 0);
}

TEST(InputLogFormat, RoundTripsThroughTheParser) {
    InputLog log;
    log.seed = 4000000000u;
    log.rows.push_back({2147483647, held({0, 265})});
    log.rows.push_back({1, held({})});
    const InputLog back = parseOk(formatInputLog(log));
    EXPECT_EQ(back.seed, log.seed);
    ASSERT_EQ(back.rows.size(), 2u);
    EXPECT_EQ(back.rows[0].count, 2147483647);
    EXPECT_EQ(back.rows[0].held, log.rows[0].held);
    EXPECT_TRUE(back.rows[1].held.none());
}
