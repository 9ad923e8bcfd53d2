// Entry point of the game program: options first, then the headless run or the window. Exit
// status: 0 done, 1 a failure during the run, 2 bad options or files, 128 + N ended by signal N.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/command_line.h"
#include "app/headless_run.h"
#include "app/saved_games.h"
#include "app/sdl_main_loop.h"
#include "app/standard_streams.h"

#ifndef ORVANE_VERSION
#define ORVANE_VERSION "unknown"
#endif

namespace {

// Prints text on standard output; the exit status: 0, or 1 with one line when it could not be
// written (standard output closed, a full disk, a closed pipe).
int printAll(const std::string& text) {
    if (standardOutputWasClosed()) {
        std::fprintf(stderr, "orvane: standard output is closed\n");
        return 1;
    }
    if (std::fputs(text.c_str(), stdout) < 0 || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "orvane: could not write to standard output: %s\n",
                     std::strerror(errno));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    openClosedStandardStreams();
    CommandLine options;
    std::string error;
    if (!parseCommandLine(argc, argv, options, error)) {
        std::fprintf(stderr, "orvane: %s\n", error.c_str());
        return 2;
    }
    if (options.help) return printAll(usageText());
    if (options.version) return printAll(std::string("orvane ") + ORVANE_VERSION + "\n");
    if (options.scores) return printScores(options);
    if (options.headless) return runHeadless(options);
    return runWindowed(options);
}
