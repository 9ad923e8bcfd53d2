// The windowed program: configuration, window, set-up, the paced main loop and tear-down.
#pragma once

struct CommandLine;

// Runs the game in a window until Escape or the window closes; returns the process exit code.
int runWindowed(const CommandLine& options);
