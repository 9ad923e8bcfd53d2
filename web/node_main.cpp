// Entry point of the headless program built for node: the desktop program's options and runs,
// without a window.
#include "app/program.h"

int main(int argc, char** argv) {
    return runProgram(argc, argv, nullptr);
}
