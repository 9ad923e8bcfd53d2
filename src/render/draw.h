// The drawing primitives of the 320 by 240 logical screen, drawn at twice the size: the
// game's only way to the picture. The back end the platform chose draws them (draw_backend.h);
// until one is chosen they draw nothing and need no library.
#pragma once

#include <cstdint>

#include "base/geometry.h"

class Graphics;
struct Sprite;

struct RgbInt {
    int32_t r = 0;
    int32_t g = 0;
    int32_t b = 0;
};

// Colour (0, 0, 0) draws the plain texture; any other colour tints the tint texture.
void drawSprite(const Sprite* sprite, int32_t x, int32_t y, int32_t hotX, int32_t hotY,
                uint8_t mirror, float scaleX, float scaleY, float angle, int32_t alpha, Rgb color);
// The usual case: hot spot (0, 0), scale 1, no rotation, opaque.
inline void drawSprite(const Sprite* sprite, int32_t x, int32_t y, Rgb color = {}) {
    drawSprite(sprite, x, y, 0, 0, 0, 1.0f, 1.0f, 0.0f, 255, color);
}
void drawSpriteTinted(const Sprite* sprite, int32_t x, int32_t y, uint8_t mirror, RgbInt color);
// Opaque and untextured; texturing and blending are on again by the next sprite, or once
// finishBoxes has run.
void drawBox(int32_t x, int32_t y, int32_t w, int32_t h, RgbInt color);
// A see-through box: color at alpha (0-255) over the picture, to dim it under an overlay.
void drawShade(int32_t x, int32_t y, int32_t w, int32_t h, RgbInt color, int32_t alpha);
// A picture: cleared to black with alpha blending on, then drawn, then ended (blending off).
void beginPicture();
void endPicture();
// Turns texturing and blending back on after boxes; the scene calls it when the picture is done.
void finishBoxes();
// Multiplies the picture by what is drawn next (the game-over pattern), or back to alpha blending.
void setBlendMultiply(bool multiply);
// The projection every picture is drawn with: 640 by 480 units over a viewport of width by
// height pixels, origin top left, y downwards.
void loadPictureProjection(int width, int height);
// A viewport of width x height pixels showing unitsWide x unitsHigh units the same way.
void loadProjection(int width, int height, int unitsWide, int unitsHigh);
void drawNumber(const Graphics& graphics, int32_t x, int32_t y, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
