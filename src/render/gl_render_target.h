// The logical screen as an off-screen picture: drawn at 320 by 240, shown at any whole scale.
#pragma once

#include <cstdint>
#include <vector>

#include "render/picture_target.h"

// The logical screen in OpenGL 3's framebuffer objects (or the extension that brought them),
// shown by blitting; presenting leaves the picture's viewport and projection as they are. Without
// framebuffer objects it stays inactive and the picture is drawn straight into the window, as
// the classic game does.
class GlRenderTarget : public PictureTarget {
  public:
    ~GlRenderTarget() override = default;
    bool create() override;
    void destroy() override;
    void beginPicture() const override;
    void present(int drawableWidth, int drawableHeight, int scale, int x, int y) const override;
    bool readClassic(std::vector<uint8_t>& rgb) const override;
};

// The top-left 640 by 480 pixels of the window's back buffer (a drawable height tall), rows top
// down; for the window without a render target.
bool readClassicFromWindow(int drawableHeight, std::vector<uint8_t>& rgb);
