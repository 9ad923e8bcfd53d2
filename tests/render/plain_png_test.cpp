// The PNG files written without a library read back through libpng as the same pixels, across
// several stored blocks.
#include "render/plain_png.h"

#include <gtest/gtest.h>
#include <png.h>

#include <vector>

TEST(PlainPng, LibpngReadsBackTheSamePixels) {
    const int width = 211, height = 157; // 99,471 bytes of pixels: two stored blocks
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<uint8_t>(i * 7 + i / 641);
    const std::string file = encodePlainPng(rgb, width, height);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_memory(&image, file.data(), file.size()), 0)
        << image.message;
    image.format = PNG_FORMAT_RGB;
    ASSERT_EQ(image.width, static_cast<png_uint_32>(width));
    ASSERT_EQ(image.height, static_cast<png_uint_32>(height));
    std::vector<uint8_t> read(PNG_IMAGE_SIZE(image));
    ASSERT_NE(png_image_finish_read(&image, nullptr, read.data(), 0, nullptr), 0) << image.message;
    EXPECT_EQ(read, rgb);
}
