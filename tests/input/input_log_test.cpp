// Input logs: what the parser accepts, files it cannot use, and replays recorded back to the same
// log. What it refuses is in the program runs of the hardening tests.
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
