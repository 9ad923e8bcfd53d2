// The logical screen in OpenGL ES 2: a texture attached to a framebuffer object, shown by
// drawing it as one quad (ES 2 has no blitting).
#pragma once

#include <cstdint>
#include <vector>

#include "render/picture_target.h"

class Gles2RenderTarget : public PictureTarget {
  public:
    ~Gles2RenderTarget() override = default;
    bool create() override;
    void destroy() override;
    void beginPicture() const override;
    void present(int drawableWidth, int drawableHeight, int scale, int x, int y) const override;
    bool readClassic(std::vector<uint8_t>& rgb) const override;
};
