// The windowed program: pacing, the screenshot's name, and the real F12 and Escape keys.
#include "desktop/sdl_main_loop.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iomanip>
#include <map>
#include <thread>

#include <SDL2/SDL.h>

#include "app/command_line.h"
#include "support/run_program.h"

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

TEST(Screenshot, NameCarriesLocalDateAndTimeToTheMillisecond) {
    std::tm local{};
    std::istringstream("2024-03-07 09:05:03") >> std::get_time(&local, "%Y-%m-%d %H:%M:%S");
    local.tm_isdst = -1;
    char name[64];
    const auto when = std::chrono::system_clock::from_time_t(std::mktime(&local));
    screenshotName(name, sizeof name, when + std::chrono::milliseconds(7));
    EXPECT_STREQ(name, "screenshot-20240307-090503-007.png");
}

// A PNG file 640 pixels wide and 480 high, by its header.
bool isPng640x480(const std::filesystem::path& path) {
    const std::string bytes = readWholeFile(path);
    return bytes.size() >= 24 && bytes.compare(1, 3, "PNG") == 0 &&
           bytes.compare(16, 8, std::string("\0\0\x02\x80\0\0\x01\xe0", 8)) == 0;
}

class WindowedProgram : public ProgramFolder {};

// Runs the game in a window in the folder, pressing a key at the end of the given waits; returns
// the exit code and counts the waits.
int runPressing(const std::filesystem::path& dir, const CommandLine& options,
                std::map<int, SDL_Scancode> keys, int& waits) {
    const auto home = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    waits = 0;
    const int code = runWindowed(options, [&waits, &keys](Clock::time_point) {
        SDL_Event press{};
        press.type = SDL_KEYDOWN;
        press.key.keysym.scancode = keys[++waits];
        if (press.key.keysym.scancode != SDL_SCANCODE_UNKNOWN) SDL_PushEvent(&press);
    });
    std::filesystem::current_path(home);
    return code;
}

// The real keys: F12 saves a timed screenshot in the working folder, Escape ends even a replay.
TEST_F(WindowedProgram, F12SavesATimedScreenshotAndEscapeEndsAReplay) {
    write("long.log", "orvane-input 1\nseed 3\n100000 44\n");
    CommandLine options;
    options.inputPath = "long.log";
    int waits = 0;
    EXPECT_EQ(runPressing(dir_, options, {{2, SDL_SCANCODE_F12}, {3, SDL_SCANCODE_ESCAPE}}, waits),
              0);
    EXPECT_EQ(waits, 3);
    int shots = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("screenshot-", 0) != 0) continue;
        ++shots;
        EXPECT_EQ(name.size(), std::string("screenshot-20240307-090503-007.png").size());
        EXPECT_TRUE(isPng640x480(entry.path()));
    }
    EXPECT_EQ(shots, 1);
}

// P pauses and resumes: while paused no frame runs or is recorded or dumped, P itself never reaches
// the log, and the log replays headless to the same last state.
TEST_F(WindowedProgram, APausedGameRecordsAndReplaysAsIfNeverPaused) {
    CommandLine options;
    options.hasFrames = true;
    options.frames = 30;
    options.hasSeed = true;
    options.seed = 9;
    options.recordPath = "game.log";
    options.dumpPath = "window.jsonl";
    int waits = 0;
    EXPECT_EQ(runPressing(dir_, options, {{5, SDL_SCANCODE_P}, {25, SDL_SCANCODE_P}}, waits), 0);
    EXPECT_EQ(waits, 50); // 30 frames and 20 passes paused
    EXPECT_EQ(file("game.log"), "orvane-input 1\nseed 9\n30\n");
    run("--headless --input game.log --dump headless.jsonl");
    const auto window = splitLines(file("window.jsonl"));
    const auto headless = splitLines(file("headless.jsonl"));
    ASSERT_EQ(window.size(), 31u);
    EXPECT_EQ(window, headless);
}

} // namespace
