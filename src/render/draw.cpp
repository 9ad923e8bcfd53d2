// The four drawing primitives of the 320 by 240 logical screen.
#include "render/draw.h"

#include "render/graphics.h"

void drawSprite(const Sprite*, int32_t, int32_t, int32_t, int32_t, uint8_t, float, float, float,
                int32_t, Rgb) {}

void drawSpriteTinted(const Sprite*, int32_t, int32_t, uint8_t, RgbInt) {}

void drawBox(int32_t, int32_t, int32_t, int32_t, RgbInt) {}

void drawNumber(const Graphics&, int32_t, int32_t, const char*, ...) {}
