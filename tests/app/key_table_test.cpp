// The table of keys by position: the game's keys, letters and digits give their scan codes, the
// names are SDL's, and SDL and the browser give a key the same input number.
#include <SDL2/SDL_gamecontroller.h>
#include <SDL2/SDL_keyboard.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "input/input.h"
#include "input/keys.h"

namespace {

// SDL's scancode is the key's usage, and the table reads it back as the scan code.
void expectRoundTrip(SDL_Scancode sdl, int code) {
    EXPECT_EQ(inputOfUsage(sdl), code) << SDL_GetScancodeName(sdl);
    EXPECT_EQ(keyOfUsage(sdl)->input, code) << SDL_GetScancodeName(sdl);
}

TEST(ScanCodes, GameKeysLettersDigitsAndExtendedKeysRoundTrip) {
    const std::pair<SDL_Scancode, int> keys[] = {
        {SDL_SCANCODE_ESCAPE, kKeyEscape}, {SDL_SCANCODE_Z, kKeyZ},
        {SDL_SCANCODE_X, kKeyX},           {SDL_SCANCODE_UP, kKeyUp},
        {SDL_SCANCODE_LEFT, kKeyLeft},     {SDL_SCANCODE_RIGHT, kKeyRight},
        {SDL_SCANCODE_DOWN, kKeyDown},     {SDL_SCANCODE_KP_ENTER, 0x9C},
        {SDL_SCANCODE_RCTRL, 0x9D},        {SDL_SCANCODE_RALT, 0xB8},
        {SDL_SCANCODE_DELETE, 0xD3}};
    for (const auto& [sdl, code] : keys)
        expectRoundTrip(sdl, code);
    // Digits and letters in PC scan-code order from 0x02; dots stand for the keys between them.
    const std::string order = "1234567890....QWERTYUIOP....ASDFGHJKL.....ZXCVBNM";
    for (size_t i = 0; i < order.size(); ++i) {
        if (order[i] != '.')
            expectRoundTrip(SDL_GetScancodeFromName(order.substr(i, 1).c_str()), 0x02 + int(i));
    }
}

// Two keys share a scan code only where the keyboards themselves do, and keys outside the table
// give nothing.
TEST(ScanCodes, OnlyKnownAliasesShareACodeAndUnknownKeysGiveNothing) {
    std::map<uint8_t, std::set<int>> byCode;
    for (int sdl = 0; sdl < SDL_NUM_SCANCODES; ++sdl) {
        if (uint8_t code = inputOfUsage(sdl)) byCode[code].insert(sdl);
    }
    const std::set<uint8_t> aliases = {0x2B, 0xA0, 0xB7};
    for (const auto& [code, keys] : byCode)
        EXPECT_EQ(keys.size(), aliases.count(code) != 0 ? 2u : 1u) << int(code);
    EXPECT_GE(byCode.size(), 120u);
    for (int sdl : {int(SDL_SCANCODE_UNKNOWN), int(SDL_SCANCODE_F24), int(SDL_NUM_SCANCODES), -1})
        EXPECT_EQ(inputOfUsage(sdl), 0) << sdl;
}

// One table of keys serves every platform: each name is SDL's for the position and reads back to
// it, and a key gives the same input number from SDL's scancode and from the browser's code.
TEST(KeyTable, NamesAndInputNumbersAgreeWithSdlAndTheBrowser) {
    std::set<std::string> domCodes;
    int named = 0;
    for (const KeyInfo& key : knownKeys()) {
        const auto sdl = static_cast<SDL_Scancode>(key.usage);
        EXPECT_STREQ(SDL_GetScancodeName(sdl), key.name) << key.usage;
        if (key.name[0] != '\0') {
            ++named;
            EXPECT_EQ(keyNamed(key.name)->usage, SDL_GetScancodeFromName(key.name)) << key.name;
        }
        EXPECT_EQ(inputOfUsage(key.usage), key.input) << key.name;
        if (key.domCode[0] == '\0') continue;
        EXPECT_TRUE(domCodes.insert(key.domCode).second) << key.domCode;
        EXPECT_NE(key.input, 0) << key.domCode;
        EXPECT_EQ(keyOfDomCode(key.domCode)->input, key.input) << key.domCode;
    }
    // Every name SDL gives a key is one config.txt takes, as it always took.
    int sdlNamed = 0;
    for (int sdl = 0; sdl < SDL_NUM_SCANCODES; ++sdl)
        sdlNamed += SDL_GetScancodeName(static_cast<SDL_Scancode>(sdl))[0] != '\0' ? 1 : 0;
    EXPECT_EQ(named, sdlNamed);
    EXPECT_GE(domCodes.size(), 97u);
    EXPECT_EQ(keyNamed("left shift")->usage, SDL_SCANCODE_LSHIFT);
    EXPECT_EQ(keyNamed("nokey"), nullptr);
    for (int b = 0; b < kPadButtonCount; ++b)
        EXPECT_EQ(static_cast<int>(padButtonNamed(SDL_GameControllerGetStringForButton(
                      static_cast<SDL_GameControllerButton>(b)))),
                  b);
}

} // namespace
