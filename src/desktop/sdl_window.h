// The game window and its OpenGL (or OpenGL ES 2) context: creation, fixed drawing state,
// projection, events, and how each picture reaches the window.
#pragma once

#include <string>

#include <SDL2/SDL.h>

#include <cstdint>
#include <vector>

#include "app/display_choice.h"

// What the command line adds to the classic window.
struct WindowOptions {
    bool scaleGiven = false; // --scale: the window's size follows the scale, sharp on high density
    ScaleChoice scale;
    VsyncMode vsync = VsyncMode::Auto;
    RendererChoice renderer = RendererChoice::Gl;
};

// Opens the window with a client area of width x height (or the size --scale asks for) and an
// OpenGL context current on this thread. Full screen asks for width x height at bits per pixel
// and refreshRate, or with a fitted scale takes the desktop as it is; it quietly stays a window
// when the display refuses. On failure shows the error and returns false with nothing left open.
bool createGLWindow(const char* title, int width, int height, int bits, bool fullscreen,
                    int refreshRate, const WindowOptions& options = {});
// Undoes what createGLWindow did, as far as it got.
void destroyGLWindow();
// Viewport and projection: one unit per window pixel, origin top left, y downwards.
void resizeGLScene(int width, int height);
// The fixed drawing state every picture relies on; false when there is no context to set it on.
bool initGL();

enum class WindowRequest { None, Quit };
// The window's share of one event: close requests end the game, size changes move the picture,
// a move to another display decides the swap interval again.
WindowRequest handleWindowEvent(const SDL_Event& event);

// Directs the picture about to be drawn into the off-screen logical screen, where there is one.
void beginWindowPicture();
// Shows the finished picture in the window at its scale and flushes; swapGLWindow then swaps.
void presentWindowPicture();
// The last picture drawn, at the classic 640 by 480, rows top down.
bool readWindowPicture(std::vector<uint8_t>& rgb);

SDL_Window* gameWindow();
// True when the window really got full screen.
bool windowIsFullscreen();
// True when the context is OpenGL ES 2, drawn by the batched back end.
bool windowUsesGles2();
// True when pictures go through the off-screen logical screen.
bool windowHasRenderTarget();
// The swap interval asked for last (0 or 1).
int windowSwapInterval();
// Where the picture lands in the drawable now.
PictureLayout windowPictureLayout();
// The size of the window's drawable, in pixels.
void windowDrawableSize(int& width, int& height);
void swapGLWindow();

// The start-up errors: one line on standard error with the window system's reason, and a message
// box captioned "ERROR" where one can show.
void showWindowError(const char* text, const std::string& reason);
