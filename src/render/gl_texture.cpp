// One OpenGL texture object, built with a full mipmap chain.
#include "render/gl_texture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "render/gl_texture_parameters.h"
#include "render/texture.h"

int uploadGlTexture(const uint8_t* rgba, int32_t width, int32_t height, int32_t flags,
                    uint32_t& name) {
    GLuint made = 0;
    glGenTextures(1, &made);
    glBindTexture(GL_TEXTURE_2D, made);
    // Modulation lets the current colour tint and fade every sprite.
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // Later flags win: nearest over linear over the mipmapped default.
    setTextureFilter(GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR);
    if (flags & kTextureLinear) setTextureFilter(GL_LINEAR, GL_LINEAR);
    if (flags & kTextureNearest) setTextureFilter(GL_NEAREST, GL_NEAREST);
    setTextureWrap((flags & kTextureClamp) ? GL_CLAMP : GL_REPEAT);
    int status =
        gluBuild2DMipmaps(GL_TEXTURE_2D, 4, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    name = made;
    return status;
}

void releaseGlTexture(uint32_t name) {
    const GLuint named = name;
    glDeleteTextures(1, &named);
}
