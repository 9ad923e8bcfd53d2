// The program's options: values read, and every mistake refused with one line.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "app/command_line.h"

namespace {

struct Parsed {
    bool ok = false;
    CommandLine options;
    std::string error;
};

Parsed parse(std::initializer_list<const char*> args) {
    std::vector<std::string> words = {"orvane"};
    for (const char* a : args)
        words.emplace_back(a);
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    Parsed p;
    p.ok = parseCommandLine(static_cast<int>(argv.size()), argv.data(), p.options, p.error);
    return p;
}

void expectRefused(std::initializer_list<const char*> args, const std::string& mention) {
    const Parsed p = parse(args);
    EXPECT_FALSE(p.ok);
    EXPECT_NE(p.error.find(mention), std::string::npos) << p.error;
    EXPECT_EQ(p.error.find('\n'), std::string::npos) << "one line: " << p.error;
}

} // namespace

TEST(CommandLine, NoOptionsIsThePlainGame) {
    const Parsed p = parse({});
    ASSERT_TRUE(p.ok);
    EXPECT_FALSE(p.options.headless);
    EXPECT_FALSE(p.options.hasSeed);
    EXPECT_FALSE(p.options.hasFrames);
    EXPECT_EQ(p.options.dumpEvery, 1);
    EXPECT_TRUE(p.options.inputPath.empty());
}

TEST(CommandLine, ReadsEveryOption) {
    const Parsed p = parse({"--headless", "--seed", "4294967295", "--input", "in.log", "--record",
                            "out.log", "--frames", "0", "--dump", "-", "--dump-every=75"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_TRUE(p.options.headless);
    EXPECT_TRUE(p.options.hasSeed);
    EXPECT_EQ(p.options.seed, 4294967295u);
    EXPECT_EQ(p.options.inputPath, "in.log");
    EXPECT_EQ(p.options.recordPath, "out.log");
    EXPECT_TRUE(p.options.hasFrames);
    EXPECT_EQ(p.options.frames, 0);
    EXPECT_EQ(p.options.dumpPath, "-");
    EXPECT_EQ(p.options.dumpEvery, 75);

    const Parsed shot = parse({"--screenshot=end.png", "--frames", "9223372036854775807"});
    ASSERT_TRUE(shot.ok) << shot.error;
    EXPECT_EQ(shot.options.screenshotPath, "end.png");
    EXPECT_EQ(shot.options.frames, 9223372036854775807LL);
}

TEST(CommandLine, HelpAndVersionAnswerWhateverFollows) {
    EXPECT_TRUE(parse({"--help", "--bogus"}).options.help);
    EXPECT_TRUE(parse({"--version"}).options.version);
    EXPECT_FALSE(parse({"--bogus", "--help"}).ok);
}

TEST(CommandLine, RefusesBadNumbers) {
    expectRefused({"--seed", "-1"}, "--seed");
    expectRefused({"--seed", "4294967296"}, "4294967296");
    expectRefused({"--seed", "12abc"}, "12abc");
    expectRefused({"--seed", ""}, "--seed");
    expectRefused({"--seed", "+3"}, "+3");
    expectRefused({"--frames", "-5"}, "--frames");
    expectRefused({"--frames", "9223372036854775808"}, "--frames");
    expectRefused({"--frames", "1e3"}, "1e3");
    expectRefused({"--dump-every", "0"}, "--dump-every");
    expectRefused({"--dump-every", "-2"}, "--dump-every");
    expectRefused({"--dump-every", " 5"}, "--dump-every");
}

TEST(CommandLine, RefusesUnknownOptionsAndMissingValues) {
    expectRefused({"--fast"}, "--fast");
    expectRefused({"-h"}, "-h");
    expectRefused({"game.log"}, "game.log");
    expectRefused({"--seed"}, "missing value for --seed");
    expectRefused({"--frames", "10", "--input"}, "missing value for --input");
    expectRefused({"--dump="}, "--dump");
    expectRefused({"--headless=1", "--frames", "1"}, "--headless");
}

TEST(CommandLine, RefusesHeadlessRunsThatWouldNeverStopOrCannotDraw) {
    expectRefused({"--headless"}, "--headless");
    expectRefused({"--headless", "--seed", "3", "--dump", "-"}, "--input or --frames");
    expectRefused({"--headless", "--frames", "3", "--screenshot", "a.png"}, "--screenshot");
    EXPECT_TRUE(parse({"--headless", "--input", "a.log"}).ok);
    EXPECT_TRUE(parse({"--frames", "3"}).ok); // the window may stop by frames too
}

TEST(CommandLine, UsageNamesEveryOption) {
    const std::string usage = usageText();
    for (const char* option : {"--headless", "--seed", "--input", "--record", "--frames", "--dump",
                               "--dump-every", "--screenshot", "--help", "--version"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}
