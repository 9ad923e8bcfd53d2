// The program's options: values read, and every mistake refused with one line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"

namespace {

struct Parsed {
    bool ok = false;
    CommandLine options;
    std::string error;
};

Parsed parse(std::vector<std::string> words) {
    words.insert(words.begin(), "orvane");
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    Parsed p;
    p.ok = parseCommandLine(static_cast<int>(argv.size()), argv.data(), p.options, p.error);
    return p;
}

TEST(CommandLine, ReadsEveryOptionAtItsLargestValue) {
    const Parsed q =
        parse({"--headless", "--seed", "4294967295", "--input", "in.log", "--record", "out.log",
               "--frames", "9223372036854775807", "--dump=-", "--dump-every", "75"});
    ASSERT_TRUE(q.ok) << q.error;
    const CommandLine& o = q.options;
    EXPECT_TRUE(o.headless && o.hasSeed && o.hasFrames);
    EXPECT_EQ(o.seed, 4294967295u);
    EXPECT_EQ(o.frames, 9223372036854775807LL);
    EXPECT_EQ(o.inputPath + o.recordPath + o.dumpPath, "in.logout.log-");
    EXPECT_EQ(o.dumpEvery, 75);
    EXPECT_EQ(parse({"--screenshot=end.png"}).options.screenshotPath, "end.png");
    EXPECT_EQ(parse({}).options.dumpEvery, 1);
}

TEST(CommandLine, HelpAndVersionAnswerWhateverFollows) {
    EXPECT_TRUE(parse({"--help", "--bogus"}).options.help);
    EXPECT_TRUE(parse({"--version", "--seed"}).options.version);
    EXPECT_FALSE(parse({"--bogus", "--help"}).ok);
    EXPECT_TRUE(parse({"--headless", "--input", "a.log"}).ok);
    EXPECT_TRUE(parse({"--frames", "0"}).ok); // the window may stop by frames too
}

TEST(CommandLine, RefusesMistakesWithOneLineNamingThem) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--seed", "-1"}, "--seed"},
        {{"--seed", "4294967296"}, "4294967296"},
        {{"--seed", "12abc"}, "12abc"},
        {{"--seed", ""}, "--seed"},
        {{"--seed", "+3"}, "+3"},
        {{"--frames", "-5"}, "--frames"},
        {{"--frames", "9223372036854775808"}, "--frames"},
        {{"--frames", "1e3"}, "1e3"},
        {{"--dump-every", "0"}, "--dump-every"},
        {{"--dump-every", " 5"}, "--dump-every"},
        {{"--fast"}, "--fast"},
        {{"-h"}, "-h"},
        {{"game.log"}, "game.log"},
        {{"--seed"}, "missing value for --seed"},
        {{"--frames", "10", "--input"}, "missing value for --input"},
        {{"--dump="}, "--dump"},
        {{"--headless=1", "--frames", "1"}, "--headless"},
        {{"--headless"}, "--headless"},
        {{"--headless", "--seed", "3", "--dump", "-"}, "--input or --frames"},
        {{"--headless", "--frames", "3", "--screenshot", "a.png"}, "--screenshot"},
    };
    for (const auto& [args, mention] : cases) {
        SCOPED_TRACE(mention);
        const Parsed p = parse(args);
        EXPECT_FALSE(p.ok);
        EXPECT_NE(p.error.find(mention), std::string::npos) << p.error;
        EXPECT_EQ(p.error.find('\n'), std::string::npos) << p.error;
    }
}

} // namespace
