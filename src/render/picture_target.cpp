// What every off-screen picture shares: turning OpenGL's rows into a screenshot's.
#include "render/picture_target.h"

#include <cstring>

std::vector<uint8_t> flipAndEnlarge(const std::vector<uint8_t>& bottomUp, int width, int height,
                                    int channels, int scale) {
    const size_t outStride = static_cast<size_t>(width) * scale * 3;
    std::vector<uint8_t> out(outStride * height * scale);
    for (int row = 0; row < height; ++row) {
        const uint8_t* in =
            bottomUp.data() + static_cast<size_t>(height - 1 - row) * width * channels;
        uint8_t* line = out.data() + static_cast<size_t>(row) * scale * outStride;
        for (int col = 0; col < width * scale; ++col)
            std::memcpy(line + static_cast<size_t>(col) * 3,
                        in + static_cast<size_t>(col / scale) * channels, 3);
        for (int copy = 1; copy < scale; ++copy)
            std::memcpy(line + copy * outStride, line, outStride);
    }
    return out;
}
