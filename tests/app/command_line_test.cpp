// The program's options as a user gives them: values taken at their limits, and every mistake
// refused with status 2 and one line before any frame runs.
#include <gtest/gtest.h>

#include "app/run_program.h"

namespace {

class ProgramOptions : public ::testing::Test {
  protected:
    void SetUp() override {
        writeWholeFile(dir_ / "esc.log", "orvane-input 1\nseed 5\n2\n1 1\n");
        writeWholeFile(dir_ / "bad.log", "orvane-input 1\nseed 1\n5 266\n");
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_ = scratchFolder("options");
};

TEST_F(ProgramOptions, TakesEveryOptionAtItsLimit) {
    const std::pair<const char*, const char*> cases[] = {
        {"--help --bogus", "--dump-every"}, // help and version answer whatever follows
        {"--version --seed", "orvane "},
        {"--headless --seed 4294967295 --frames 0 --record=r.log --dump -", "{\"frame\": 0, "},
        {"--headless --input=esc.log --frames 9223372036854775807 --dump-every=75 --dump -",
         "{\"frame\": 2, "},
    };
    for (const auto& [args, shown] : cases) {
        SCOPED_TRACE(args);
        const ProgramRun r = runProgram(dir_, args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find(shown), std::string::npos) << r.out.substr(0, 200);
    }
    EXPECT_EQ(readWholeFile(dir_ / "r.log"), "orvane-input 1\nseed 4294967295\n");
}

TEST_F(ProgramOptions, RefusesMistakesWithOneLineAndStatusTwo) {
    const std::pair<const char*, const char*> cases[] = {
        {"--seed -1", "--seed"},
        {"--seed 4294967296", "4294967296"},
        {"--seed 12abc", "12abc"},
        {"--seed ''", "--seed"},
        {"--seed +3", "+3"},
        {"--frames -5", "--frames"},
        {"--frames 9223372036854775808", "--frames"},
        {"--frames 1e3", "1e3"},
        {"--dump-every 0", "--dump-every"},
        {"--dump-every ' 5'", "--dump-every"},
        {"--bogus --help", "--bogus"},
        {"-h", "-h"},
        {"game.log", "game.log"},
        {"--seed", "missing value for --seed"},
        {"--frames 10 --input", "missing value for --input"},
        {"--dump=", "--dump"},
        {"--headless=1 --frames 1", "--headless"},
        {"--headless", "--input or --frames"},
        {"--headless --frames 3 --screenshot a.png", "--screenshot"},
        {"--headless --input missing.log --dump -", "missing.log"},
        {"--headless --input bad.log --dump -", "bad.log' line 3:"},
        {"--headless --input esc.log --dump no/such/folder.jsonl", "no/such/folder.jsonl"},
        {"--headless --input esc.log --dump - --record esc.log/x", "esc.log/x"},
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

} // namespace
