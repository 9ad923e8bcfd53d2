// The drawing back end with nothing behind it: the headless program and the game logic's own
// tests draw through it, so they run without any graphics library.
#include "render/draw.h"
#include "render/draw_backend.h"

namespace none {
namespace {

void drawSprite(const Sprite*, int32_t, int32_t, int32_t, int32_t, uint8_t, float, float, float,
                int32_t, Rgb) {}
void drawBox(int32_t, int32_t, int32_t, int32_t, RgbInt) {}
void drawShade(int32_t, int32_t, int32_t, int32_t, RgbInt, int32_t) {}
void nothing() {}
void setBlendMultiply(bool) {}
void loadProjection(int, int, int, int) {}

// Nothing is uploaded: the texture keeps the name 0, which draws nothing anywhere.
int uploadTexture(const uint8_t*, int32_t, int32_t, int32_t, uint32_t& name) {
    name = 0;
    return 0;
}
void releaseTexture(uint32_t) {}

} // namespace
} // namespace none

const DrawBackend& nullDrawBackend() {
    static const DrawBackend backend{"none",
                                     none::drawSprite,
                                     none::drawBox,
                                     none::drawShade,
                                     none::nothing,
                                     none::nothing,
                                     none::nothing,
                                     none::setBlendMultiply,
                                     none::loadProjection,
                                     none::uploadTexture,
                                     none::releaseTexture};
    return backend;
}
