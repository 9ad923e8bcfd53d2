// The off-screen logical screen a picture is drawn into and shown from, whatever draws it.
#pragma once

#include <cstdint>
#include <vector>

// Every picture is drawn into a 320 by 240 colour buffer with the usual projection of 640 by 480
// units, so each primitive keeps its calls and doubled coordinates, and is then shown in the
// window by nearest-neighbour scaling.
class PictureTarget {
  public:
    virtual ~PictureTarget() = default;
    // Makes the buffer on the current context; false (and inactive) where the context cannot.
    virtual bool create() = 0;
    virtual void destroy() = 0;
    bool active() const { return framebuffer_ != 0; }
    // Directs drawing into the buffer; the viewport and projection of loadPictureProjection
    // (320 by 240) stay set from one picture to the next.
    virtual void beginPicture() const = 0;
    // Shows the picture in the window's drawable at scale, its top-left corner at (x, y) from the
    // drawable's top-left corner; the rest of the drawable is black.
    virtual void present(int drawableWidth, int drawableHeight, int scale, int x, int y) const = 0;
    // The picture at the classic 640 by 480 (each logical pixel a 2 x 2 block), rows top down.
    virtual bool readClassic(std::vector<uint8_t>& rgb) const = 0;

  protected:
    uint32_t framebuffer_ = 0; // 0 while inactive
    uint32_t colour_ = 0;      // the texture it draws into
};

// Rows of width pixels of channels bytes each, bottom row first as OpenGL reads them, to RGB rows
// top down with each pixel repeated scale times both ways.
std::vector<uint8_t> flipAndEnlarge(const std::vector<uint8_t>& bottomUp, int width, int height,
                                    int channels, int scale);
