// The program's options handled the same in every build: help, version, the score table and the
// headless run; the window is the build's own.
#pragma once

#include "app/command_line.h"

// Runs the game in the build's window; returns the exit status.
using WindowedRun = int (*)(const CommandLine& options);

// The whole program: parses argv and runs what it asks for. Without a window (windowed null),
// a run that needs one is refused with status 2.
int runProgram(int argc, char** argv, WindowedRun windowed);
