// What the batched OpenGL ES 2 back end offers beyond the primitives: showing a finished
// off-screen picture in the window, with the same program and buffer.
#pragma once

#include <cstdint>

// Where the picture goes: a rectangle of the drawable (from its top-left corner) and the size of
// the off-screen picture, whose viewport comes back afterwards.
struct BatchedPresentation {
    int drawableWidth;
    int drawableHeight;
    int x;
    int y;
    int width;
    int height;
    int pictureWidth;
    int pictureHeight;
};

// Draws texture (the off-screen picture, first row at the bottom) over the rectangle.
void presentBatchedPicture(uint32_t texture, const BatchedPresentation& at);

// Deletes the program and buffer on the current context, before it goes: a later context makes
// its own with its first picture.
void releaseBatchedDrawing();
