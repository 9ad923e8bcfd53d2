// The scancode table: the game's keys, letters and digits map to their scan codes and back.
#include "input/scan_codes.h"

#include <SDL2/SDL_keyboard.h>

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "input/input.h"

namespace {

void expectRoundTrip(SDL_Scancode sdl, uint8_t code) {
    EXPECT_EQ(scanCodeFor(sdl), code) << SDL_GetScancodeName(sdl);
    EXPECT_EQ(sdlScancodeFor(code), sdl) << SDL_GetScancodeName(sdl);
}

TEST(ScanCodes, GameKeysRoundTrip) {
    expectRoundTrip(SDL_SCANCODE_ESCAPE, kKeyEscape);
    expectRoundTrip(SDL_SCANCODE_Z, kKeyZ);
    expectRoundTrip(SDL_SCANCODE_X, kKeyX);
    expectRoundTrip(SDL_SCANCODE_UP, kKeyUp);
    expectRoundTrip(SDL_SCANCODE_LEFT, kKeyLeft);
    expectRoundTrip(SDL_SCANCODE_RIGHT, kKeyRight);
    expectRoundTrip(SDL_SCANCODE_DOWN, kKeyDown);
}

TEST(ScanCodes, LettersRoundTrip) {
    // The letters in PC scan-code order, row by row.
    const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    const uint8_t starts[] = {0x10, 0x1E, 0x2C};
    int seen = 0;
    for (int row = 0; row < 3; ++row) {
        for (int i = 0; rows[row][i] != '\0'; ++i) {
            SDL_Scancode sdl = static_cast<SDL_Scancode>(SDL_SCANCODE_A + (rows[row][i] - 'A'));
            expectRoundTrip(sdl, static_cast<uint8_t>(starts[row] + i));
            ++seen;
        }
    }
    EXPECT_EQ(seen, 26);
}

TEST(ScanCodes, DigitsRoundTrip) {
    // 1 to 9 are 0x02 to 0x0A, and 0 follows them.
    for (int digit = 1; digit <= 9; ++digit) {
        expectRoundTrip(static_cast<SDL_Scancode>(SDL_SCANCODE_1 + digit - 1),
                        static_cast<uint8_t>(0x01 + digit));
    }
    expectRoundTrip(SDL_SCANCODE_0, 0x0B);
}

TEST(ScanCodes, OtherWellKnownKeys) {
    expectRoundTrip(SDL_SCANCODE_SPACE, 0x39);
    expectRoundTrip(SDL_SCANCODE_RETURN, 0x1C);
    expectRoundTrip(SDL_SCANCODE_F1, 0x3B);
    expectRoundTrip(SDL_SCANCODE_F12, 0x58);
    expectRoundTrip(SDL_SCANCODE_KP_ENTER, 0x9C);
    expectRoundTrip(SDL_SCANCODE_RCTRL, 0x9D);
    expectRoundTrip(SDL_SCANCODE_RALT, 0xB8);
    expectRoundTrip(SDL_SCANCODE_DELETE, 0xD3);
}

TEST(ScanCodes, UnmappedAndOutOfRange) {
    EXPECT_EQ(scanCodeFor(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(scanCodeFor(SDL_SCANCODE_F24), 0);
    EXPECT_EQ(scanCodeFor(static_cast<SDL_Scancode>(SDL_NUM_SCANCODES)), 0);
    EXPECT_EQ(scanCodeFor(static_cast<SDL_Scancode>(-1)), 0);
    EXPECT_EQ(sdlScancodeFor(0), SDL_SCANCODE_UNKNOWN);
    EXPECT_EQ(sdlScancodeFor(0xFF), SDL_SCANCODE_UNKNOWN);
}

// Two keys share a scan code only where the keyboards themselves do.
TEST(ScanCodes, OnlyKnownAliasesShareACode) {
    std::map<uint8_t, std::set<int>> byCode;
    for (int sdl = 0; sdl < SDL_NUM_SCANCODES; ++sdl) {
        uint8_t code = scanCodeFor(static_cast<SDL_Scancode>(sdl));
        if (code != 0) byCode[code].insert(sdl);
    }
    const std::set<uint8_t> aliases = {0x2B, 0xA0, 0xB7};
    for (const auto& [code, keys] : byCode) {
        if (aliases.count(code) != 0) {
            EXPECT_EQ(keys.size(), 2u) << int(code);
        } else {
            EXPECT_EQ(keys.size(), 1u) << int(code);
        }
        // Whatever key the reverse table names gives the code back.
        EXPECT_EQ(scanCodeFor(sdlScancodeFor(code)), code);
    }
    EXPECT_GE(byCode.size(), 120u);
}

} // namespace
