// The program without window, audio or devices: set-up, game frames, the state dump, tear-down.
#pragma once

struct CommandLine;

// Runs the headless program; returns the process exit code (2 for bad files).
int runHeadless(const CommandLine& options);
