// Keyboard numbering: SDL scancodes to the classic 0-255 PC scan codes the game's controls use.
#pragma once

#include <SDL2/SDL_scancode.h>

#include <cstdint>

// The game's scan code for an SDL scancode; 0 for a key without a counterpart.
uint8_t scanCodeFor(SDL_Scancode scancode);
// The SDL scancode of a game scan code (the first in table order where two keys share one);
// SDL_SCANCODE_UNKNOWN when no key gives it.
SDL_Scancode sdlScancodeFor(uint8_t scanCode);
