// Entry point of the game program.
#include <cstdio>

int main() {
    std::puts("orvane: not built yet");
    return 0;
}
