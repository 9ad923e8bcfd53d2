// Input logs: what the parser accepts and refuses, and replays recorded back to the same log.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "input/input.h"
#include "input/input_log.h"
#include "support/scratch_dir.h"

namespace {

const std::string kHead = "orvane-input 1\n";

// The log read from text and written back out in its plain form, or the error where it is refused.
std::string reformat(const std::string& text) {
    InputLog log;
    std::string error;
    return parseInputLog(text, log, error) ? formatInputLog(log) : error;
}

TEST(InputLogParse, AcceptsLogsAndIgnoresCommentsBlanksAndCarriageReturns) {
    EXPECT_EQ(reformat(kHead + "seed 12345\n150\n75 205 44\n10\n8 45\n"),
              kHead + "seed 12345\n150\n75 44 205\n10\n8 45\n");
    EXPECT_EQ(reformat("orvane-input 1\r\n# by hand\r\n\r\nseed 7\r\n#\n\n3 1 1 260\n \n2 265 0"),
              kHead + "seed 7\n3 1 260\n2 0 265\n");
    EXPECT_EQ(reformat(kHead + "seed 0\n"), kHead + "seed 0\n");
    const std::string largest = kHead + "seed 4294967295\n2147483647 0 265\n1\n";
    InputLog log;
    std::string error;
    ASSERT_TRUE(parseInputLog(largest, log, error)) << error;
    EXPECT_EQ(formatInputLog(log), largest);
    EXPECT_EQ(log.frameCount(), 2147483648LL); // totals do not wrap
}

void expectRefused(const std::string& text, int line, const std::string& says = "") {
    const std::string error = reformat(text);
    EXPECT_EQ(error.rfind("line " + std::to_string(line) + ":", 0), 0u) << text << "\n" << error;
    EXPECT_NE(error.find(says), std::string::npos) << error;
}

TEST(InputLogParse, RefusesWithTheLineNumberAndWhatIsWrong) {
    for (const char* header : {"", "orvane-input 2\n", "# c\norvane-input 1\n", " orvane-input 1\n",
                               "orvane-input 1 \n"})
        expectRefused(std::string(header) + "seed 1\n", 1);
    expectRefused(kHead, 2, "seed");
    expectRefused(kHead + "# c\n5 44\n", 3, "seed");
    for (const char* seed : {"seed", "seed -1", "seed 4294967296", "seed 12x", "Seed 1"})
        expectRefused(kHead + seed + "\n", 2);
    expectRefused(kHead + "seed 1 2\n", 2, "stray");
    const std::string rows = kHead + "seed 1\n# note\n";
    expectRefused(rows + "0\n", 4, "count 0 is out of range");
    expectRefused(rows + "2147483648\n", 4, "count 2147483648 is out of range");
    expectRefused(rows + "5 266\n", 4, "input 266 is out of range");
    expectRefused(rows + "5 -3\n", 4, "must not be negative");
    expectRefused(rows + "5 44x\n", 4, "input is not a decimal number: '44x'");
    for (const char* row : {"-5 44", "+5", "5 0x2C", "5 4 4.0", "5 44 \x01", "1\r\r", "5 Z",
                            "5 99999999999999999999999"})
        expectRefused(rows + row + "\n", 4);
}

TEST(InputLogFile, NamesTheFileAndLineOrThePathItCannotUse) {
    const ScratchDir dir;
    const std::string path = dir.file("bad_input.log");
    std::ofstream(path) << kHead << "seed 1\n5 999\n";
    InputLog log;
    std::string error;
    ASSERT_FALSE(loadInputLog(path, log, error));
    EXPECT_NE(error.find(path + "' line 3:"), std::string::npos) << error;
    EXPECT_FALSE(loadInputLog(path + ".missing", log, error));
    EXPECT_NE(error.find(".missing"), std::string::npos);
    EXPECT_FALSE(loadInputLog(dir.path().string(), log, error)); // a folder

    InputLogRecorder recorder;
    EXPECT_FALSE(recorder.open(path + "/inside.log", 1, error)); // under a plain file
    EXPECT_NE(error.find("inside.log"), std::string::npos);
    recorder.recordHeld(HeldInputs().set(1)); // harmless while closed
    EXPECT_EQ(recorder.framesRecorded(), 0);
}

// Replays a log through the Input object while recording it: rows that change back and forth,
// equal sets in any order, frames holding nothing, and the frames after the last row, which hold
// nothing and so add a row of their own. Leftovers of the last frame must not survive a read.
TEST(InputLogReplay, RecordsWhatIsReplayedRowByRowThenNothing) {
    InputLog log;
    std::string error;
    ASSERT_TRUE(parseInputLog(
        kHead + "seed 42\n4 44\n3 200 203 260\n1\n1 203 260 200\n5 1 255 256 265", log, error));
    InputLogSource source(log);
    Input input(&source);
    InputLogRecorder recorder;
    const ScratchDir dir;
    const std::string path = dir.file("recorded_input.log");
    ASSERT_TRUE(recorder.open(path, log.seed, error)) << error;
    input.setRecorder(&recorder);
    for (int f = 0; f < 16; ++f) {
        std::fill(std::begin(input.keys), std::end(input.keys), 0xFF);
        std::fill(std::begin(input.joyState), std::end(input.joyState), 7);
        input.readState();
        EXPECT_LE(*std::max_element(std::begin(input.joyState), std::end(input.joyState)), 1);
        EXPECT_EQ(source.finished(), f >= 13) << f;
    }
    ASSERT_TRUE(recorder.close());
    std::stringstream written;
    written << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_EQ(written.str(),
              kHead + "seed 42\n4 44\n3 200 203 260\n1\n1 200 203 260\n5 1 255 256 265\n2\n");
}

} // namespace
