// One OpenGL ES 2 / WebGL texture: there is no GLU to build mipmaps and no GL_CLAMP, so a picture
// is uploaded as it is and clamped to its edge; the game's sprites are drawn nearest, where both
// sample exactly as on the desktop.
#include "render/gles2_texture.h"

#include <GLES2/gl2.h>

#include "render/texture.h"

int uploadGles2Texture(const uint8_t* rgba, int32_t width, int32_t height, int32_t flags,
                       uint32_t& name) {
    GLuint made = 0;
    glGenTextures(1, &made);
    glBindTexture(GL_TEXTURE_2D, made);
    // Without mipmaps, the mipmapped default minifies linearly; the shader modulates the colour.
    const GLint filter = (flags & kTextureNearest) ? GL_NEAREST : GL_LINEAR;
    const GLint wrap = (flags & kTextureClamp) ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    name = made;
    return 0;
}

void releaseGles2Texture(uint32_t name) {
    const GLuint named = name;
    glDeleteTextures(1, &named);
}
