// The logical screen as an off-screen picture: drawn at 320 by 240, shown at any whole scale.
#pragma once

#include <cstdint>
#include <vector>

#include "render/gl_projection.h"

// Every picture is drawn into a 320 by 240 colour buffer with the usual projection of 640 by 480
// units, so each primitive keeps its calls and doubled coordinates, and is then shown in the
// window by nearest-neighbour scaling. Without framebuffer objects it stays inactive and the
// picture is drawn straight into the window, as the classic game does.
class GlRenderTarget {
  public:
    // Makes the buffer on the current context; false (and inactive) where the context has no
    // framebuffer objects or cannot complete one.
    bool create();
    void destroy();
    bool active() const { return framebuffer_ != 0; }

    // Directs drawing into the buffer; the viewport and projection of loadPictureProjection
    // (320 by 240) stay set from one picture to the next, as presenting does not touch them.
    void beginPicture() const;
    // Shows the picture in the window's drawable at scale, its top-left corner at (x, y) from the
    // drawable's top-left corner; the rest of the drawable is black.
    void present(int drawableWidth, int drawableHeight, int scale, int x, int y) const;
    // The picture at the classic 640 by 480 (each logical pixel a 2 x 2 block), rows top down.
    bool readClassic(std::vector<uint8_t>& rgb) const;

  private:
    uint32_t framebuffer_ = 0;
    uint32_t colour_ = 0;
};

// The top-left 640 by 480 pixels of the window's back buffer (a drawable height tall), rows top
// down; for the window without a render target.
bool readClassicFromWindow(int drawableHeight, std::vector<uint8_t>& rgb);
