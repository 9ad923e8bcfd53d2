// Filtering and wrapping of the bound texture, the same on the desktop and in the browser.
#pragma once

#include <GL/gl.h>

inline void setTextureFilter(GLint minify, GLint magnify) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minify);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magnify);
}

inline void setTextureWrap(GLint wrap) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
}
