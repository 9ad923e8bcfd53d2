// The windowed program: configuration, window, set-up, the paced main loop and tear-down.
#pragma once

#include <chrono>
#include <functional>

#include "desktop/frame_timer.h"

struct CommandLine;

// Called at the end of every wait of the main loop (for measuring the pacing).
using FrameObserver = std::function<void(FrameTimer::Clock::time_point)>;

// Runs the game in a window until Escape or the window closes; returns the process exit code.
int runWindowed(const CommandLine& options, const FrameObserver& observer = nullptr);

// The name F12 saves a picture under: "screenshot-YYYYMMDD-HHMMSS-mmm.png" in local time, to the
// millisecond.
void screenshotName(char* name, int size, std::chrono::system_clock::time_point when);
