// The windowed program: pacing, no display, frames with a screenshot, and replays in a window.
#include "app/main_loop.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <SDL2/SDL.h>

#include "app/command_line.h"
#include "app/run_program.h"

namespace {

using Clock = FrameTimer::Clock;

float secondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<float>(to - from).count();
}

TEST(FrameTimer, WaitsAreNeverShortAndALateFrameIsNotMadeUp) {
    const float period = 0.98f / 75.0f;
    FrameTimer timer(period);
    timer.restart();
    Clock::time_point last = timer.wait();
    for (int i = 0; i < 20; ++i) {
        const Clock::time_point end = timer.wait();
        EXPECT_GE(secondsBetween(last, end), period);
        last = end;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(40)); // a slow frame
    const Clock::time_point before = Clock::now();
    timer.wait(); // ends at once
    // The next wait is measured from the late end, not from where the frame should have been.
    EXPECT_GE(secondsBetween(before, timer.wait()), period);
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
    char name[64];
    screenshotName(name, sizeof name, std::chrono::system_clock::from_time_t(std::mktime(&local)));
    EXPECT_STREQ(name, "screenshot-20240307-090503.png");
}

// Width and height from a PNG file's header, "0x0" when it is not a PNG file.
std::string pngSize(const std::filesystem::path& path) {
    const std::string bytes = readWholeFile(path);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return "0x0";
    auto be32 = [&](size_t at) {
        uint32_t v = 0;
        for (size_t i = at; i < at + 4; ++i)
            v = v << 8 | uint8_t(bytes[i]);
        return std::to_string(v);
    };
    return be32(16) + "x" + be32(20);
}

class WindowedProgram : public ::testing::Test {
  protected:
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_ = scratchFolder("windowed");
};

TEST_F(WindowedProgram, NoDisplayExitsWithZeroAndSetsNothingUp) {
    const std::string command = "cd '" + dir_.string() +
                                "' && env -u DISPLAY -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY '" +
                                ORVANE_BINARY "' >stdout.txt 2>stderr.txt </dev/null";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 0);
    EXPECT_NE(readWholeFile(dir_ / "stderr.txt").find("Could not create window"),
              std::string::npos);
    // config.txt is read or written before the window; the game itself never started.
    EXPECT_EQ(readWholeFile(dir_ / "config.txt"),
              "fullscreen 0\n\n[0=windowed, 1=fullscreen (640x480)]");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "highscore.dat"));
}

TEST_F(WindowedProgram, RunsFramesPacedAndSavesTheLastPicture) {
    const auto start = std::chrono::steady_clock::now();
    const ProgramRun run = runProgram(dir_, "--seed 5 --frames 40 --screenshot shot.png");
    ASSERT_EQ(run.status, 0) << run.err;
    // 40 paced frames: at least 39 periods of 0.98/75 s between the first and the last.
    EXPECT_GE(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
              39 * 0.98 / 75);
    EXPECT_EQ(pngSize(dir_ / "shot.png"), "640x480");
}

TEST_F(WindowedProgram, ReplayInAWindowMatchesTheHeadlessRunUpToEscape) {
    // Weave and fire for a while, then Escape: that frame and the rows after it never run.
    writeWholeFile(dir_ / "play.log", "orvane-input 1\nseed 77\n30 205 44\n40 200 44 45\n30 208\n"
                                      "20 203 45\n1 1\n30 44\n");
    // Each run starts without a high score, so the window's run cannot feed the others.
    const auto fresh = [this](const std::string& args) {
        std::filesystem::remove(dir_ / "highscore.dat");
        const ProgramRun run = runProgram(dir_, args);
        EXPECT_EQ(run.status, 0) << args << ": " << run.err;
    };
    fresh("--input play.log --dump window.jsonl --record again.log");
    fresh("--headless --input play.log --dump headless.jsonl");
    const std::string windowDump = readWholeFile(dir_ / "window.jsonl");
    const auto lines = splitLines(windowDump);
    ASSERT_EQ(lines.size(), 121u);
    EXPECT_EQ(dumpFrame(lines.back()), 120);
    EXPECT_EQ(windowDump, readWholeFile(dir_ / "headless.jsonl"));
    // What the window recorded replays to the same game.
    fresh("--headless --input again.log --dump again.jsonl");
    EXPECT_EQ(readWholeFile(dir_ / "again.jsonl"), windowDump);
}

TEST_F(WindowedProgram, F12SavesATimedScreenshotInTheWorkingFolder) {
    const auto home = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    CommandLine options;
    options.hasSeed = true;
    options.seed = 3;
    options.hasFrames = true;
    options.frames = 4;
    int waits = 0;
    const int code = runWindowed(options, [&](Clock::time_point) {
        if (++waits != 2) return;
        SDL_Event key{};
        key.type = SDL_KEYDOWN;
        key.key.keysym.scancode = SDL_SCANCODE_F12;
        SDL_PushEvent(&key);
    });
    std::filesystem::current_path(home);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(waits, 4);
    std::vector<std::string> shots;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("screenshot-", 0) != 0) continue;
        shots.push_back(name);
        EXPECT_EQ(name.size(), std::string("screenshot-20240307-090503.png").size());
        EXPECT_EQ(pngSize(entry.path()), "640x480");
    }
    EXPECT_EQ(shots.size(), 1u);
}

} // namespace
