// Options first, then the table, the headless run or the window. Exit status: 0 done, 1 a
// failure during the run, 2 bad options or files, 128 + N ended by signal N.
#include "app/program.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/headless_run.h"
#include "app/saved_games.h"
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

int runProgram(int argc, char** argv, WindowedRun windowed) {
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
    if (windowed == nullptr) {
        std::fprintf(stderr, "orvane: this build has no window: use --headless\n");
        return 2;
    }
    return windowed(options);
}
