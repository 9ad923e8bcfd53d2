// Saving a picture as a PNG file.
#include "render/screenshot.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

bool writePng(const char* path, const std::vector<uint8_t>& rgb, int width, int height,
              std::string& reason) {
    if (!path || width <= 0 || height <= 0 ||
        rgb.size() < static_cast<size_t>(width) * height * 3) {
        reason = "no picture to save";
        return false;
    }
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        reason = std::strerror(errno);
        return false;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    errno = 0;
    int ok = png_image_write_to_stdio(&image, file, 0, rgb.data(), width * 3, nullptr);
    if (ok == 0) reason = errno != 0 ? std::strerror(errno) : image.message;
    png_image_free(&image);
    // A full disk often shows only when the last bytes go out.
    if (std::fflush(file) != 0 && ok != 0) {
        reason = std::strerror(errno);
        ok = 0;
    }
    if (std::fclose(file) != 0 && ok != 0) {
        reason = std::strerror(errno);
        ok = 0;
    }
    return ok != 0;
}
