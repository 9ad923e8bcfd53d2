// The windowed program: pacing, no display, frames with a screenshot, and replays in a window.
#include "app/main_loop.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include <SDL2/SDL.h>

#include "app/command_line.h"
#include "run_program.h"

namespace {

using Clock = FrameTimer::Clock;

TEST(FrameTimer, WaitEndsAreNeverCloserThanThePeriod) {
    const float period = 0.98f / 75.0f;
    FrameTimer timer(period);
    timer.restart();
    std::vector<Clock::time_point> ends;
    for (int i = 0; i < 20; ++i)
        ends.push_back(timer.wait());
    for (size_t i = 1; i < ends.size(); ++i) {
        EXPECT_GE(std::chrono::duration<float>(ends[i] - ends[i - 1]).count(), period);
    }
}

TEST(FrameTimer, LateFrameIsNotMadeUp) {
    FrameTimer timer(0.005f);
    timer.restart();
    std::this_thread::sleep_for(std::chrono::milliseconds(20)); // a slow frame
    Clock::time_point before = Clock::now();
    timer.wait(); // ends at once
    Clock::time_point late = timer.wait();
    // The next wait is measured from the late end, not from where the frame should have been.
    EXPECT_GE(std::chrono::duration<float>(late - before).count(), 0.005f);
}

TEST(FrameTimer, ZeroPeriodNeverWaits) {
    FrameTimer timer(0.0f);
    Clock::time_point first = timer.wait();
    Clock::time_point second = timer.wait();
    EXPECT_LT(second - first, std::chrono::milliseconds(5));
}

TEST(Screenshot, NameCarriesLocalDateAndTime) {
    std::tm local{};
    local.tm_year = 2024 - 1900;
    local.tm_mon = 2;
    local.tm_mday = 7;
    local.tm_hour = 9;
    local.tm_min = 5;
    local.tm_sec = 3;
    local.tm_isdst = -1;
    auto when = std::chrono::system_clock::from_time_t(std::mktime(&local));
    char name[64];
    screenshotName(name, sizeof name, when);
    EXPECT_STREQ(name, "screenshot-20240307-090503.png");
}

// The width and height a PNG file's header gives, or 0 x 0.
void pngSize(const std::filesystem::path& path, uint32_t& width, uint32_t& height) {
    std::string bytes = readWholeFile(path);
    width = height = 0;
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return;
    auto be32 = [&](size_t at) {
        return uint32_t(uint8_t(bytes[at])) << 24 | uint32_t(uint8_t(bytes[at + 1])) << 16 |
               uint32_t(uint8_t(bytes[at + 2])) << 8 | uint32_t(uint8_t(bytes[at + 3]));
    };
    width = be32(16);
    height = be32(20);
}

TEST(WindowedProgram, NoDisplayExitsWithZeroAndSetsNothingUp) {
    auto dir = scratchFolder("nodisplay");
    const std::string command = "cd '" + dir.string() +
                                "' && env -u DISPLAY -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY '" +
                                ORVANE_BINARY "' >stdout.txt 2>stderr.txt </dev/null";
    int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 0);
    EXPECT_NE(readWholeFile(dir / "stderr.txt").find("Could not create window"), std::string::npos);
    // config.txt is read or written before the window; the game itself never started.
    EXPECT_EQ(readWholeFile(dir / "config.txt"),
              "fullscreen 0\n\n[0=windowed, 1=fullscreen (640x480)]");
    EXPECT_FALSE(std::filesystem::exists(dir / "highscore.dat"));
}

TEST(WindowedProgram, RunsFramesPacedAndSavesTheLastPicture) {
    auto dir = scratchFolder("frames");
    auto start = std::chrono::steady_clock::now();
    ProgramRun run = runProgram(dir, "--seed 5 --frames 40 --screenshot shot.png");
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_EQ(run.status, 0) << run.err;
    // 40 paced frames: at least 39 periods of 0.98/75 s between the first and the last.
    EXPECT_GE(seconds, 39 * 0.98 / 75);
    uint32_t width = 0;
    uint32_t height = 0;
    pngSize(dir / "shot.png", width, height);
    EXPECT_EQ(width, 640u);
    EXPECT_EQ(height, 480u);
}

TEST(WindowedProgram, ReplayInAWindowMatchesTheHeadlessRun) {
    auto dir = scratchFolder("windowreplay");
    // Weave and fire for a while; the log ends the run after its last row.
    writeWholeFile(dir / "play.log", "orvane-input 1\nseed 77\n30 205 44\n40 200 44 45\n30 208\n"
                                     "20 203 45\n");
    ProgramRun window = runProgram(dir, "--input play.log --dump window.jsonl --record again.log");
    ASSERT_EQ(window.status, 0) << window.err;
    ProgramRun headless = runProgram(dir, "--headless --input play.log --dump headless.jsonl");
    ASSERT_EQ(headless.status, 0) << headless.err;
    std::string windowDump = readWholeFile(dir / "window.jsonl");
    EXPECT_EQ(splitLines(windowDump).size(), 121u);
    EXPECT_EQ(windowDump, readWholeFile(dir / "headless.jsonl"));
    // What the window recorded replays to the same game.
    ProgramRun again = runProgram(dir, "--headless --input again.log --dump again.jsonl");
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(readWholeFile(dir / "again.jsonl"), windowDump);
}

TEST(WindowedProgram, EscapeEndsTheRunWithZero) {
    auto dir = scratchFolder("escape");
    writeWholeFile(dir / "quit.log", "orvane-input 1\nseed 1\n10\n1 1\n50\n");
    ProgramRun run = runProgram(dir, "--input quit.log --dump dump.jsonl");
    EXPECT_EQ(run.status, 0) << run.err;
    // Frame 0 and the ten frames before Escape; the Escape frame is not dumped.
    std::vector<std::string> lines = splitLines(readWholeFile(dir / "dump.jsonl"));
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(dumpFrame(lines.back()), 10);
}

TEST(WindowedProgram, F12SavesATimedScreenshotInTheWorkingFolder) {
    auto dir = scratchFolder("f12");
    auto home = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    CommandLine options;
    options.hasSeed = true;
    options.seed = 3;
    options.hasFrames = true;
    options.frames = 4;
    int waits = 0;
    int code = runWindowed(options, [&](Clock::time_point) {
        if (++waits != 2) return;
        SDL_Event key{};
        key.type = SDL_KEYDOWN;
        key.key.keysym.scancode = SDL_SCANCODE_F12;
        SDL_PushEvent(&key);
    });
    std::filesystem::current_path(home);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(waits, 4);
    int shots = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::string name = entry.path().filename().string();
        if (name.rfind("screenshot-", 0) != 0) continue;
        ++shots;
        EXPECT_EQ(name.size(), std::string("screenshot-20240307-090503.png").size());
        uint32_t width = 0;
        uint32_t height = 0;
        pngSize(entry.path(), width, height);
        EXPECT_EQ(width, 640u);
        EXPECT_EQ(height, 480u);
    }
    EXPECT_EQ(shots, 1);
}

TEST(WindowedProgram, FullScreenConfigStillRuns) {
    auto dir = scratchFolder("fullscreen");
    writeWholeFile(dir / "config.txt", "fullscreen 1\n");
    ProgramRun run = runProgram(dir, "--frames 5 --screenshot shot.png");
    ASSERT_EQ(run.status, 0) << run.err;
    uint32_t width = 0;
    uint32_t height = 0;
    pngSize(dir / "shot.png", width, height);
    EXPECT_GE(width, 640u);
    EXPECT_GE(height, 480u);
    EXPECT_EQ(readWholeFile(dir / "config.txt"), "fullscreen 1\n"); // never rewritten
}

} // namespace
