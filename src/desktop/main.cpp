// Entry point of the desktop game program: the program's options, and the SDL window.
#include "app/program.h"
#include "desktop/sdl_main_loop.h"

namespace {
int runInWindow(const CommandLine& options) {
    return runWindowed(options);
}
} // namespace

int main(int argc, char** argv) {
    return runProgram(argc, argv, runInWindow);
}
