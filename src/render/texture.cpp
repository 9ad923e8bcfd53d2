// One texture object of the drawing back end in use.
#include "render/texture.h"

#include "render/draw_backend.h"

int Texture::upload(const uint8_t* rgba, int32_t width, int32_t height, int32_t flags) {
    return currentDrawBackend().uploadTexture(rgba, width, height, flags, name_);
}

void Texture::release() {
    currentDrawBackend().releaseTexture(name_);
    name_ = 0;
}
