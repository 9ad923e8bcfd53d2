// Signals that ask the game to stop: taken between frames, so every file is finished first.
#pragma once

// Catches SIGHUP (the terminal closed), SIGINT and SIGTERM.
void catchStopSignals();
// True once one of the caught signals has arrived.
bool stopRequested();
// The exit status of a run a signal ended: 128 and the signal's number; 0 when none arrived.
int stopStatus();
