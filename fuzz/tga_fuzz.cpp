// Feeds arbitrary bytes to the Targa reader as an image file, without any OpenGL context.
#include <cstdlib>

#include "fuzz_file.h"
#include "render/sprite.h"
#include "render/tga.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzFile file(data, size);
    Sprite sprite;
    // The counters grow with every image; in one long run they must not overflow.
    systemBytes = 0;
    const bool makeTint = size > 0 && (data[size - 1] & 1) != 0;
    if (!readTga(sprite, file.path(), makeTint, false)) {
        // A refused file leaves the sprite exactly as it was.
        if (sprite.pixels != nullptr || sprite.width != 0 || sprite.height != 0) std::abort();
        return 0;
    }
    if (sprite.width <= 0 || sprite.height <= 0 || sprite.texWidth < sprite.width ||
        sprite.texHeight < sprite.height || sprite.texture != nullptr) {
        std::abort();
    }
    // Touch every pixel so a short buffer shows up under AddressSanitizer.
    uint32_t sum = 0;
    const size_t count = static_cast<size_t>(sprite.width) * static_cast<size_t>(sprite.height);
    for (size_t i = 0; i < count; ++i)
        sum += sprite.pixels[i];
    delete[] sprite.pixels;
    return sum == 0xFFFFFFFFu ? 1 : 0;
}
