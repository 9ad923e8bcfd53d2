// Signals that ask the game to stop: taken between frames, so every file is finished first.
#pragma once

// Catches SIGHUP (the terminal closed) and, with interrupts, SIGINT and SIGTERM too; the window
// leaves those two to SDL, which turns them into a close of the window.
void catchStopSignals(bool interrupts);
// True once one of the caught signals has arrived.
bool stopRequested();
