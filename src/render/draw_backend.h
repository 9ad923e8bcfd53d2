// The back ends the drawing primitives of draw.h go to: OpenGL's immediate mode (the desktop's
// default), batched OpenGL ES 2 / WebGL (the browser, and the desktop's --renderer gles2), and
// nothing at all (the headless program and the game logic's own tests, until a platform chooses).
#pragma once

#include <cstdint>

#include "base/geometry.h"

struct RgbInt;
struct Sprite;

struct DrawBackend {
    const char* name;
    void (*drawSprite)(const Sprite* sprite, int32_t x, int32_t y, int32_t hotX, int32_t hotY,
                       uint8_t mirror, float scaleX, float scaleY, float angle, int32_t alpha,
                       Rgb color);
    void (*drawBox)(int32_t x, int32_t y, int32_t w, int32_t h, RgbInt color);
    void (*drawShade)(int32_t x, int32_t y, int32_t w, int32_t h, RgbInt color, int32_t alpha);
    void (*beginPicture)();
    void (*endPicture)();
    void (*finishBoxes)();
    void (*setBlendMultiply)(bool multiply);
    void (*loadProjection)(int width, int height, int unitsWide, int unitsHigh);
    // Makes a texture of the picture on the current context: its name, and 0 or GLU's error.
    int (*uploadTexture)(const uint8_t* rgba, int32_t width, int32_t height, int32_t flags,
                         uint32_t& name);
    void (*releaseTexture)(uint32_t name);
};

// Every primitive from now on goes to backend, which must live as long as the program.
void useDrawBackend(const DrawBackend& backend);
const DrawBackend& currentDrawBackend();

// Draws nothing and uploads nothing: textures keep the name 0.
const DrawBackend& nullDrawBackend();
// OpenGL 1.x immediate mode and GLU (the desktop's system OpenGL).
const DrawBackend& immediateDrawBackend();
// OpenGL ES 2 / WebGL 1, every picture in a few batched calls.
const DrawBackend& batchedDrawBackend();
