// The game in a browser page: a canvas, the browser's frame callback paced to the game's 76.5
// frames a second, the page's keys and gamepads, and files kept in the browser's storage.
#pragma once

struct CommandLine;

// Sets the game up and hands the loop to the browser; returns at once (the page keeps running).
// The exit status of the set-up: 0, or 2 for bad files.
int runWebWindowed(const CommandLine& options);
