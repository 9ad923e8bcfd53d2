// The off-screen 320 by 240 picture and its nearest-neighbour presentation in the window.
#define GL_GLEXT_PROTOTYPES 1
#include "render/gl_render_target.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kClassicWidth = 2 * kWidth;
constexpr int kClassicHeight = 2 * kHeight;

// Framebuffer objects with blitting: OpenGL 3.0, or the extension that brought both.
bool hasFramebufferObjects() {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version != nullptr && version[0] >= '3' && version[0] <= '9' && version[1] == '.')
        return true;
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return extensions != nullptr && std::strstr(extensions, "GL_ARB_framebuffer_object");
}

void clearErrors() {
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

// Reads width x height pixels of the bound read buffer, bottom row first as OpenGL gives them.
bool readPixels(int x, int y, int width, int height, std::vector<uint8_t>& rgb) {
    clearErrors();
    rgb.assign(static_cast<size_t>(width) * height * 3, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return glGetError() == GL_NO_ERROR;
}

} // namespace

bool GlRenderTarget::create() {
    destroy();
    if (!hasFramebufferObjects()) return false;
    clearErrors();
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kWidth, kHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    framebuffer_ = framebuffer;
    colour_ = texture;
    if (!complete || glGetError() != GL_NO_ERROR) {
        destroy();
        return false;
    }
    return true;
}

void GlRenderTarget::destroy() {
    if (framebuffer_ != 0) {
        GLuint framebuffer = framebuffer_;
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &framebuffer);
    }
    if (colour_ != 0) {
        GLuint texture = colour_;
        glDeleteTextures(1, &texture);
    }
    framebuffer_ = 0;
    colour_ = 0;
}

void GlRenderTarget::beginPicture() const {
    if (!active()) return;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
}

void GlRenderTarget::present(int drawableWidth, int drawableHeight, int scale, int x, int y) const {
    if (!active()) return;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    const int width = kWidth * scale;
    const int height = kHeight * scale;
    // Black around the picture; a picture that covers the whole drawable needs no clear.
    if (x > 0 || y > 0 || x + width < drawableWidth || y + height < drawableHeight)
        glClear(GL_COLOR_BUFFER_BIT);
    // OpenGL counts rows from the bottom.
    const int bottom = drawableHeight - y - height;
    glBlitFramebuffer(0, 0, kWidth, kHeight, x, bottom, x + width, bottom + height,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
}

bool GlRenderTarget::readClassic(std::vector<uint8_t>& rgb) const {
    if (!active()) return false;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    std::vector<uint8_t> small;
    const bool ok = readPixels(0, 0, kWidth, kHeight, small);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    if (!ok) return false;
    rgb = flipAndEnlarge(small, kWidth, kHeight, 3, 2);
    return true;
}

bool readClassicFromWindow(int drawableHeight, std::vector<uint8_t>& rgb) {
    glReadBuffer(GL_BACK);
    std::vector<uint8_t> raw;
    if (!readPixels(0, drawableHeight - kClassicHeight, kClassicWidth, kClassicHeight, raw))
        return false;
    rgb = flipAndEnlarge(raw, kClassicWidth, kClassicHeight, 3, 1);
    return true;
}
