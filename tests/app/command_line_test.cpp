// The program's options as a user gives them: values taken at their limits, and every mistake
// refused with status 2 and one line before any frame runs.
#include <gtest/gtest.h>

#include "support/run_program.h"

namespace {

class ProgramOptions : public ProgramFolder {};

TEST_F(ProgramOptions, TakeValuesAtTheirLimitsAndRefuseMistakesWithOneLine) {
    write("esc.log", "orvane-input 1\nseed 5\n2\n1 1\n");
    write("bad.log", "orvane-input 1\nseed 1\n5 266\n");
    const struct {
        const char* args;
        int status;
        const char* shown; // in the output, or in the one line of error
    } cases[] = {
        {"--help --bogus", 0, "--dump-every"}, // help and version answer whatever follows
        {"--version --seed", 0, "orvane "},
        {"--headless --seed 4294967295 --frames 0 --record=r.log --dump -", 0, "{\"frame\": 0, "},
        {"--headless --input=esc.log --frames 9223372036854775807 --dump-every=75 --dump -", 0,
         "{\"frame\": 2, "},
        {"--seed 4294967296", 2, "4294967296"},
        {"--seed 12abc", 2, "12abc"},
        {"--seed ''", 2, "--seed"},
        {"--seed +3", 2, "+3"},
        {"--frames -5", 2, "--frames"},
        {"--frames 9223372036854775808", 2, "--frames"},
        {"--dump-every 0", 2, "--dump-every"},
        {"--dump-every ' 5'", 2, "--dump-every"},
        {"--bogus --help", 2, "--bogus"},
        {"game.log", 2, "game.log"},
        {"--seed", 2, "missing value for --seed"},
        {"--frames 10 --input", 2, "missing value for --input"},
        {"--dump=", 2, "--dump"},
        {"--headless=1 --frames 1", 2, "--headless"},
        {"--headless", 2, "--input or --frames"},
        {"--headless --frames 3 --screenshot a.png", 2, "--screenshot"},
        {"--headless --input missing.log --dump -", 2, "missing.log"},
        {"--headless --input bad.log --dump -", 2, "bad.log' line 3:"},
        {"--headless --input esc.log --dump no/such/folder.jsonl", 2, "no/such/folder.jsonl"},
        {"--headless --input esc.log --dump - --record esc.log/x", 2, "esc.log/x"},
        {"--headless --frames 1 --scale 8 --vsync off", 0, ""},
        {"--headless --frames 1 --scale=auto --vsync=auto", 0, ""},
        {"--scale 0", 2, "bad value '0' for --scale"},
        {"--scale 9", 2, "'9'"},
        {"--scale 2x", 2, "'2x'"},
        {"--scale AUTO", 2, "auto or a whole number from 1 to 8"},
        {"--vsync 1", 2, "bad value '1' for --vsync: expected on, off or auto"},
        {"--vsync", 2, "missing value for --vsync"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const ProgramRun r = run(c.args, c.status);
        // A refusal comes before any frame, so nothing is dumped.
        EXPECT_EQ(splitLines(r.err).size(), c.status == 0 ? 0u : 1u) << r.err;
        EXPECT_NE((c.status == 0 ? r.out : r.err).find(c.shown), std::string::npos);
        EXPECT_TRUE(c.status == 0 || r.out.empty());
    }
    EXPECT_EQ(file("r.log"), "orvane-input 1\nseed 4294967295\n");
}

} // namespace
