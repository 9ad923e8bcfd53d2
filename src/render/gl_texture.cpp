// One OpenGL texture object, built with a full mipmap chain.
#include "render/texture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "render/gl_texture_parameters.h"

int Texture::upload(const uint8_t* rgba, int32_t width, int32_t height, int32_t flags) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    // Modulation lets the current colour tint and fade every sprite.
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // Later flags win: nearest over linear over the mipmapped default.
    setTextureFilter(GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR);
    if (flags & kTextureLinear) setTextureFilter(GL_LINEAR, GL_LINEAR);
    if (flags & kTextureNearest) setTextureFilter(GL_NEAREST, GL_NEAREST);
    setTextureWrap((flags & kTextureClamp) ? GL_CLAMP : GL_REPEAT);
    int status =
        gluBuild2DMipmaps(GL_TEXTURE_2D, 4, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    name_ = name;
    return status;
}

void Texture::release() {
    GLuint name = name_;
    glDeleteTextures(1, &name);
    name_ = 0;
}
