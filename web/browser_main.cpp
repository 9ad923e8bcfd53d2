// Entry point of the game in a browser page: the program's options, and the page's canvas.
#include "app/program.h"
#include "browser/web_main_loop.h"

int main(int argc, char** argv) {
    return runProgram(argc, argv, runWebWindowed);
}
