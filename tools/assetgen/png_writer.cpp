// PNG output through libpng's simplified writer, which adds no time stamp.
#include "png_writer.h"

#include <png.h>
#include <vector>

namespace assetgen {

bool PngWriter::save(const Image& picture, const std::string& path, bool keepAlpha) {
    std::vector<unsigned char> rgba;
    rgba.reserve(static_cast<std::size_t>(picture.width() * picture.height() * 4));
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Rgba c = picture.at(x, y);
            rgba.insert(rgba.end(), {c.r, c.g, c.b, keepAlpha ? c.a : std::uint8_t{255}});
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width());
    image.height = static_cast<png_uint_32>(picture.height());
    image.format = PNG_FORMAT_RGBA;
    const int ok = png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr);
    png_image_free(&image);
    return ok != 0;
}

} // namespace assetgen
