// Standard input, output and error as the program found them: a closed one is opened on /dev/null
// at start, so that no file the game opens later takes its number and gets what was meant for it.
#pragma once

// Call first thing in main.
void openClosedStandardStreams();
// True when standard output was closed when the program started: "-" then names no output.
bool standardOutputWasClosed();
