// The drawing primitives, passed to the back end the platform chose; tinted sprites and numbers,
// which every back end draws alike through drawSprite.
#include "render/draw.h"

#include <cstdarg>
#include <cstdio>

#include "render/draw_backend.h"
#include "render/graphics.h"

namespace {
constexpr int kDigitAdvance = 7;
constexpr int kClassicWidth = 640;
constexpr int kClassicHeight = 480;

const DrawBackend* backend = &nullDrawBackend();
} // namespace

void useDrawBackend(const DrawBackend& chosen) {
    backend = &chosen;
}

const DrawBackend& currentDrawBackend() {
    return *backend;
}

void drawSprite(const Sprite* sprite, int32_t x, int32_t y, int32_t hotX, int32_t hotY,
                uint8_t mirror, float scaleX, float scaleY, float angle, int32_t alpha, Rgb color) {
    backend->drawSprite(sprite, x, y, hotX, hotY, mirror, scaleX, scaleY, angle, alpha, color);
}

void drawBox(int32_t x, int32_t y, int32_t w, int32_t h, RgbInt color) {
    backend->drawBox(x, y, w, h, color);
}

void drawShade(int32_t x, int32_t y, int32_t w, int32_t h, RgbInt color, int32_t alpha) {
    backend->drawShade(x, y, w, h, color, alpha);
}

void beginPicture() {
    backend->beginPicture();
}

void endPicture() {
    backend->endPicture();
}

void finishBoxes() {
    backend->finishBoxes();
}

void setBlendMultiply(bool multiply) {
    backend->setBlendMultiply(multiply);
}

void loadProjection(int width, int height, int unitsWide, int unitsHigh) {
    backend->loadProjection(width, height, unitsWide, unitsHigh);
}

void loadPictureProjection(int width, int height) {
    backend->loadProjection(width, height, kClassicWidth, kClassicHeight);
}

void drawSpriteTinted(const Sprite* sprite, int32_t x, int32_t y, uint8_t mirror, RgbInt color) {
    Rgb tint{static_cast<float>(color.r) * kInv255, static_cast<float>(color.g) * kInv255,
             static_cast<float>(color.b) * kInv255};
    drawSprite(sprite, x, y, 0, 0, mirror, 1.0f, 1.0f, 0.0f, 255, tint);
}

void drawNumber(const Graphics& graphics, int32_t x, int32_t y, const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    int length = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (length < 0) return;
    // Anything but a digit (a minus sign, a space) leaves a gap of one digit.
    for (int i = 0; text[i] != '\0'; ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            drawSprite(graphics.digitImages[c - '0'], x + kDigitAdvance * i, y, 0, 0, 0, 1.0f, 1.0f,
                       0.0f, 255, graphics.palette[0]);
        }
    }
}
