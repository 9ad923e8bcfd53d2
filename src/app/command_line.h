// The program's options: headless runs, seeds, input logs, state dumps and screenshots.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/display_choice.h"

// --lab-sweep NAME=FROM:TO:STEP: one run per value.
struct LabSweep {
    std::string name;
    int32_t from = 0;
    int32_t to = 0;
    int32_t step = 1;
};

struct CommandLine {
    bool headless = false;
    bool hasSeed = false;
    uint32_t seed = 0;
    std::string inputPath;  // --input: replay held inputs from an input log
    std::string recordPath; // --record: write the held inputs as an input log
    bool hasFrames = false;
    int64_t frames = 0;         // --frames: stop after this many game frames
    std::string dumpPath;       // --dump: state dump as JSON Lines ("-" is standard output)
    int64_t dumpEvery = 1;      // --dump-every
    std::string screenshotPath; // --screenshot: PNG of the last frame drawn
    std::string dataPath;       // --data: the folder of the pictures and sounds
    bool hasScale = false;      // --scale N or auto: the window's picture size
    ScaleChoice scale;
    VsyncMode vsync = VsyncMode::Auto;            // --vsync on, off or auto
    RendererChoice renderer = RendererChoice::Gl; // --renderer gl or gles2
    bool mute = false;                            // --mute: no sound this run
    bool noFlashes = false;                       // --no-flashes: no white strobe as a game ends
    bool endPaused = false; // --end-paused: the last picture shows the pause screen
    bool scores = false;    // --scores: print the table of the best games
    int watch = 0;          // --watch N: replay the Nth best game (1 to 10), 0 for none
    bool lab = false;       // --lab: the weapon lab
    std::vector<std::string> labArguments; // each --lab FILE or NAME=VALUE, in order
    std::string metricsPath;               // --metrics: the lab's numbers per second, as CSV
    bool hasSweep = false;                 // --lab-sweep
    LabSweep sweep;
    bool help = false;
    bool version = false;
};

// Parses argv; on a bad option or value returns false with one line naming the problem in error.
bool parseCommandLine(int argc, char** argv, CommandLine& options, std::string& error);
// The --help text, with where each file lives.
std::string usageText();
