// SDL scancodes to the game's scan codes and back, from the table of keys.
#include "desktop/sdl_scan_codes.h"

#include <array>

#include "input/keys.h"

namespace {

struct Tables {
    std::array<uint8_t, SDL_NUM_SCANCODES> toCode{};
    std::array<SDL_Scancode, 256> toSdl{};
};

// SDL's scancodes are the USB usages the key table numbers positions by.
Tables buildTables() {
    Tables tables;
    tables.toSdl.fill(SDL_SCANCODE_UNKNOWN);
    for (const KeyInfo& key : knownKeys()) {
        if (key.input == 0 || key.usage >= SDL_NUM_SCANCODES) continue;
        tables.toCode[key.usage] = key.input;
        if (tables.toSdl[key.input] == SDL_SCANCODE_UNKNOWN)
            tables.toSdl[key.input] = static_cast<SDL_Scancode>(key.usage);
    }
    return tables;
}

const Tables& tables() {
    static const Tables built = buildTables();
    return built;
}

} // namespace

uint8_t scanCodeFor(SDL_Scancode scancode) {
    if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return 0;
    return tables().toCode[scancode];
}

SDL_Scancode sdlScancodeFor(uint8_t scanCode) {
    return tables().toSdl[scanCode];
}
