// The drawing primitives and texture uploads with nothing behind them: the game logic's own test
// programs link these instead of OpenGL, so they run without any graphics library.
#include "render/draw.h"
#include "render/texture.h"

void drawSprite(const Sprite*, int32_t, int32_t, int32_t, int32_t, uint8_t, float, float, float,
                int32_t, Rgb) {}
void drawBox(int32_t, int32_t, int32_t, int32_t, RgbInt) {}
void drawShade(int32_t, int32_t, int32_t, int32_t, RgbInt, int32_t) {}
void beginPicture() {}
void endPicture() {}
void finishBoxes() {}
void setBlendMultiply(bool) {}

// Nothing is uploaded: the texture keeps the name 0, which draws nothing anywhere.
int Texture::upload(const uint8_t*, int32_t, int32_t, int32_t) {
    return 0;
}
void Texture::release() {
    name_ = 0;
}
