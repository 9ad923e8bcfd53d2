// The off-screen 320 by 240 picture in OpenGL ES 2 and its nearest-neighbour presentation.
#include "render/gles2_render_target.h"

#include <GLES2/gl2.h>

#include <cstddef>

#include "render/gles2_draw.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

void clearErrors() {
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

GLuint makeColourTexture() {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    // A texture whose size is no power of two samples only when clamped, in ES 2.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kWidth, kHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

} // namespace

bool Gles2RenderTarget::create() {
    destroy();
    clearErrors();
    colour_ = makeColourTexture();
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_, 0);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    framebuffer_ = framebuffer;
    if (!complete || glGetError() != GL_NO_ERROR) {
        destroy();
        return false;
    }
    return true;
}

void Gles2RenderTarget::destroy() {
    if (framebuffer_ != 0) {
        const GLuint framebuffer = framebuffer_;
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer);
    }
    if (colour_ != 0) {
        const GLuint texture = colour_;
        glDeleteTextures(1, &texture);
    }
    framebuffer_ = 0;
    colour_ = 0;
}

void Gles2RenderTarget::beginPicture() const {
    if (!active()) return;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
}

void Gles2RenderTarget::present(int drawableWidth, int drawableHeight, int scale, int x,
                                int y) const {
    if (!active()) return;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    const int width = kWidth * scale;
    const int height = kHeight * scale;
    // Black around the picture; a picture that covers the whole drawable needs no clear.
    if (x > 0 || y > 0 || x + width < drawableWidth || y + height < drawableHeight)
        glClear(GL_COLOR_BUFFER_BIT);
    presentBatchedPicture(colour_,
                          {drawableWidth, drawableHeight, x, y, width, height, kWidth, kHeight});
}

// ES 2 reads only RGBA for certain.
bool Gles2RenderTarget::readClassic(std::vector<uint8_t>& rgb) const {
    if (!active()) return false;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    clearErrors();
    std::vector<uint8_t> rgba(static_cast<size_t>(kWidth) * kHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    const bool ok = glGetError() == GL_NO_ERROR;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (ok) rgb = flipAndEnlarge(rgba, kWidth, kHeight, 4, 2);
    return ok;
}
