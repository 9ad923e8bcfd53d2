// Saving the picture in the back buffer as a PNG file.
#include "render/screenshot.h"

#include <GL/gl.h>
#include <png.h>

#include <cstdint>
#include <cstring>
#include <vector>

bool saveScreenshot(const char* path, int width, int height) {
    if (!path || width <= 0 || height <= 0) return false;
    const int stride = width * 3;
    std::vector<uint8_t> rgb(static_cast<size_t>(stride) * height);
    // Forget errors left by earlier calls so the check below is about this read only.
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
    }
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    if (glGetError() != GL_NO_ERROR) return false;

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    // OpenGL reads bottom row first; a negative stride writes the rows top down.
    int ok = png_image_write_to_file(&image, path, 0, rgb.data(), -stride, nullptr);
    png_image_free(&image);
    return ok != 0;
}
