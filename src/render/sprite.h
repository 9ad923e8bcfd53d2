// One loaded image: its retained pixels, sizes, and its plain and tint textures.
#pragma once

#include <cstdint>

#include "base/geometry.h"

class Texture;

struct Sprite {
    // width x height values, first row at the top; blue bits 0-7, green 8-15, red 16-23, alpha
    // 24-31.
    uint32_t* pixels = nullptr;
    uint8_t loaded = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t texWidth = 0;
    int32_t texHeight = 0;
    Texture* texture = nullptr;
    Texture* tintTexture = nullptr;

    // Wholly outside the logical screen at (x, y): a rough cull on the unscaled size, hot spot and
    // rotation not looked at.
    // The plain texture for no colour (modulated by white), else the pale tint texture that the
    // colour paints; a sprite without a tint variant keeps its plain texture.
    const Texture* textureFor(Rgb color, Rgb& modulate) const {
        if (color.r == 0.0f && color.g == 0.0f && color.b == 0.0f) {
            modulate = {1.0f, 1.0f, 1.0f};
            return texture;
        }
        modulate = color;
        return tintTexture ? tintTexture : texture;
    }

    bool offScreen(int32_t x, int32_t y) const {
        return x >= 320 || x + width < 0 || y >= 240 || y + height < 0;
    }
};
