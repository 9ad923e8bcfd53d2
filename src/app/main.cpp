// Entry point of the game program: options first, then the headless run or the window.
#include <cstdio>
#include <string>

#include "app/command_line.h"
#include "app/headless_run.h"
#include "app/sdl_main_loop.h"

#ifndef ORVANE_VERSION
#define ORVANE_VERSION "unknown"
#endif

int main(int argc, char** argv) {
    CommandLine options;
    std::string error;
    if (!parseCommandLine(argc, argv, options, error)) {
        std::fprintf(stderr, "orvane: %s\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("orvane %s\n", ORVANE_VERSION);
        return 0;
    }
    if (options.headless) return runHeadless(options);
    return runWindowed(options);
}
