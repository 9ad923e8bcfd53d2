// Feeds arbitrary bytes to the high-score reader as the score file.
#include <cstdlib>

#include "fuzz_file.h"
#include "game/high_score.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzFile file(data, size);
    const int32_t score = readHighScore(file.path());
    // Only a file of at least five bytes can hold a score; anything shorter reads as none.
    if (size < 5 && score != 0) std::abort();
    return 0;
}
