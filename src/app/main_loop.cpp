// The windowed program: configuration, window, set-up, the paced main loop and tear-down.
#include "app/main_loop.h"

#include <cstdio>

int runWindowed(const CommandLine&) {
    std::fputs("orvane: the window is not built yet; use --headless\n", stderr);
    return 0;
}
