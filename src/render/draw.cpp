// The primitives every back end draws alike through drawSprite: tinted sprites and numbers.
#include "render/draw.h"

#include <cstdarg>
#include <cstdio>

#include "render/graphics.h"

namespace {
constexpr int kDigitAdvance = 7;
} // namespace

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
