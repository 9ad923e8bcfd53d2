// The pixels of a PNG file as 8-bit RGB rows, and how far two pictures differ.
#pragma once

#include <png.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

// Empty when the file cannot be read.
inline std::vector<uint8_t> pngPixels(const std::filesystem::path& png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, png.c_str()) == 0) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0) return {};
    return rgb;
}

// The channels that differ by more than tolerance; every channel when the sizes differ.
inline size_t channelsDiffering(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b,
                                int tolerance) {
    if (a.size() != b.size()) return a.size() > b.size() ? a.size() : b.size();
    size_t differing = 0;
    for (size_t i = 0; i < a.size(); ++i)
        differing += std::abs(a[i] - b[i]) > tolerance ? 1 : 0;
    return differing;
}
