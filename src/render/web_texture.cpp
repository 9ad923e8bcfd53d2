// One WebGL texture: the browser has no GLU to build mipmaps and no GL_CLAMP, so a picture is
// uploaded as it is and clamped to its edge; the game's sprites are drawn nearest, where both
// sample exactly as on the desktop.
#include "render/texture.h"

#include <GL/gl.h>

#include "render/gl_texture_parameters.h"

int Texture::upload(const uint8_t* rgba, int32_t width, int32_t height, int32_t flags) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    // Modulation, which lets the current colour tint and fade every sprite, is WebGL's only way.
    // Without mipmaps, the mipmapped default minifies linearly.
    setTextureFilter(GL_LINEAR, GL_LINEAR);
    if (flags & kTextureNearest) setTextureFilter(GL_NEAREST, GL_NEAREST);
    setTextureWrap((flags & kTextureClamp) ? GL_CLAMP_TO_EDGE : GL_REPEAT);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    name_ = name;
    return 0;
}

void Texture::release() {
    GLuint name = name_;
    glDeleteTextures(1, &name);
    name_ = 0;
}
