// The game window and its OpenGL context: creation, fixed drawing state, projection, events.
#pragma once

#include <SDL2/SDL.h>

// Opens the window with a client area of width x height and an OpenGL context current on this
// thread. Full screen asks for width x height at bits per pixel and refreshRate, and quietly
// stays a window when the display refuses. On failure shows the error and returns false with
// nothing left open.
bool createGLWindow(const char* title, int width, int height, int bits, bool fullscreen,
                    int refreshRate);
// Undoes what createGLWindow did, as far as it got.
void destroyGLWindow();
// Viewport and projection: one unit per window pixel, origin top left, y downwards.
void resizeGLScene(int width, int height);
// The fixed drawing state every picture relies on; false when there is no context to set it on.
bool initGL();

enum class WindowRequest { None, Quit };
// The window's share of one event: close requests end the game, size changes reset the
// projection.
WindowRequest handleWindowEvent(const SDL_Event& event);

SDL_Window* gameWindow();
// True when the window really got the full-screen display mode.
bool windowIsFullscreen();
// The size of the picture the window shows, in pixels.
void windowDrawableSize(int& width, int& height);
void swapGLWindow();

// The start-up errors: a message box captioned "ERROR", or standard error when no box can show.
void showWindowError(const char* text);
