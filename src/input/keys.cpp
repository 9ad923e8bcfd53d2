// The table of keys by position, and the names of the controller's buttons.
#include "input/keys.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

// SDL's names and scancodes (which are the USB usages), the classic PC scan codes the game's
// inputs number keys by, and the browser's codes.
constexpr KeyInfo kKeys[] = {
    {"A", 4, 0x1E, "KeyA"},
    {"B", 5, 0x30, "KeyB"},
    {"C", 6, 0x2E, "KeyC"},
    {"D", 7, 0x20, "KeyD"},
    {"E", 8, 0x12, "KeyE"},
    {"F", 9, 0x21, "KeyF"},
    {"G", 10, 0x22, "KeyG"},
    {"H", 11, 0x23, "KeyH"},
    {"I", 12, 0x17, "KeyI"},
    {"J", 13, 0x24, "KeyJ"},
    {"K", 14, 0x25, "KeyK"},
    {"L", 15, 0x26, "KeyL"},
    {"M", 16, 0x32, "KeyM"},
    {"N", 17, 0x31, "KeyN"},
    {"O", 18, 0x18, "KeyO"},
    {"P", 19, 0x19, "KeyP"},
    {"Q", 20, 0x10, "KeyQ"},
    {"R", 21, 0x13, "KeyR"},
    {"S", 22, 0x1F, "KeyS"},
    {"T", 23, 0x14, "KeyT"},
    {"U", 24, 0x16, "KeyU"},
    {"V", 25, 0x2F, "KeyV"},
    {"W", 26, 0x11, "KeyW"},
    {"X", 27, 0x2D, "KeyX"},
    {"Y", 28, 0x15, "KeyY"},
    {"Z", 29, 0x2C, "KeyZ"},
    {"1", 30, 0x02, "Digit1"},
    {"2", 31, 0x03, "Digit2"},
    {"3", 32, 0x04, "Digit3"},
    {"4", 33, 0x05, "Digit4"},
    {"5", 34, 0x06, "Digit5"},
    {"6", 35, 0x07, "Digit6"},
    {"7", 36, 0x08, "Digit7"},
    {"8", 37, 0x09, "Digit8"},
    {"9", 38, 0x0A, "Digit9"},
    {"0", 39, 0x0B, "Digit0"},
    {"Return", 40, 0x1C, "Enter"},
    {"Escape", 41, 0x01, "Escape"},
    {"Backspace", 42, 0x0E, "Backspace"},
    {"Tab", 43, 0x0F, "Tab"},
    {"Space", 44, 0x39, "Space"},
    {"-", 45, 0x0C, "Minus"},
    {"=", 46, 0x0D, "Equal"},
    {"[", 47, 0x1A, "BracketLeft"},
    {"]", 48, 0x1B, "BracketRight"},
    {"\\", 49, 0x2B, "Backslash"},
    {"#", 50, 0x2B, ""},
    {";", 51, 0x27, "Semicolon"},
    {"'", 52, 0x28, "Quote"},
    {"`", 53, 0x29, "Backquote"},
    {",", 54, 0x33, "Comma"},
    {".", 55, 0x34, "Period"},
    {"/", 56, 0x35, "Slash"},
    {"CapsLock", 57, 0x3A, "CapsLock"},
    {"F1", 58, 0x3B, "F1"},
    {"F2", 59, 0x3C, "F2"},
    {"F3", 60, 0x3D, "F3"},
    {"F4", 61, 0x3E, "F4"},
    {"F5", 62, 0x3F, "F5"},
    {"F6", 63, 0x40, "F6"},
    {"F7", 64, 0x41, "F7"},
    {"F8", 65, 0x42, "F8"},
    {"F9", 66, 0x43, "F9"},
    {"F10", 67, 0x44, "F10"},
    {"F11", 68, 0x57, "F11"},
    {"F12", 69, 0x58, "F12"},
    {"PrintScreen", 70, 0xB7, ""},
    {"ScrollLock", 71, 0x46, ""},
    {"Pause", 72, 0xC5, "Pause"},
    {"Insert", 73, 0xD2, "Insert"},
    {"Home", 74, 0xC7, "Home"},
    {"PageUp", 75, 0xC9, "PageUp"},
    {"Delete", 76, 0xD3, "Delete"},
    {"End", 77, 0xCF, "End"},
    {"PageDown", 78, 0xD1, "PageDown"},
    {"Right", 79, 0xCD, "ArrowRight"},
    {"Left", 80, 0xCB, "ArrowLeft"},
    {"Down", 81, 0xD0, "ArrowDown"},
    {"Up", 82, 0xC8, "ArrowUp"},
    {"Numlock", 83, 0x45, ""},
    {"Keypad /", 84, 0xB5, ""},
    {"Keypad *", 85, 0x37, "NumpadMultiply"},
    {"Keypad -", 86, 0x4A, "NumpadSubtract"},
    {"Keypad +", 87, 0x4E, "NumpadAdd"},
    {"Keypad Enter", 88, 0x9C, "NumpadEnter"},
    {"Keypad 1", 89, 0x4F, "Numpad1"},
    {"Keypad 2", 90, 0x50, "Numpad2"},
    {"Keypad 3", 91, 0x51, "Numpad3"},
    {"Keypad 4", 92, 0x4B, "Numpad4"},
    {"Keypad 5", 93, 0x4C, "Numpad5"},
    {"Keypad 6", 94, 0x4D, "Numpad6"},
    {"Keypad 7", 95, 0x47, "Numpad7"},
    {"Keypad 8", 96, 0x48, "Numpad8"},
    {"Keypad 9", 97, 0x49, "Numpad9"},
    {"Keypad 0", 98, 0x52, "Numpad0"},
    {"Keypad .", 99, 0x53, "NumpadDecimal"},
    {"", 100, 0x56, ""},
    {"Application", 101, 0xDD, ""},
    {"Power", 102, 0xDE, ""},
    {"Keypad =", 103, 0x8D, ""},
    {"F13", 104, 0x64, ""},
    {"F14", 105, 0x65, ""},
    {"F15", 106, 0x66, ""},
    {"F16", 107, 0x00, ""},
    {"F17", 108, 0x00, ""},
    {"F18", 109, 0x00, ""},
    {"F19", 110, 0x00, ""},
    {"F20", 111, 0x00, ""},
    {"F21", 112, 0x00, ""},
    {"F22", 113, 0x00, ""},
    {"F23", 114, 0x00, ""},
    {"F24", 115, 0x00, ""},
    {"Execute", 116, 0x00, ""},
    {"Help", 117, 0x00, ""},
    {"Menu", 118, 0x00, ""},
    {"Select", 119, 0x00, ""},
    {"Stop", 120, 0x95, ""},
    {"Again", 121, 0x00, ""},
    {"Undo", 122, 0x00, ""},
    {"Cut", 123, 0x00, ""},
    {"Copy", 124, 0x00, ""},
    {"Paste", 125, 0x00, ""},
    {"Find", 126, 0x00, ""},
    {"Mute", 127, 0xA0, ""},
    {"VolumeUp", 128, 0xB0, ""},
    {"VolumeDown", 129, 0xAE, ""},
    {"Keypad ,", 133, 0xB3, ""},
    {"Keypad = (AS400)", 134, 0x00, ""},
    {"", 135, 0x73, ""},
    {"", 136, 0x70, ""},
    {"", 137, 0x7D, ""},
    {"", 138, 0x79, ""},
    {"", 139, 0x7B, ""},
    {"AltErase", 153, 0x00, ""},
    {"SysReq", 154, 0xB7, ""},
    {"Cancel", 155, 0x00, ""},
    {"Clear", 156, 0x00, ""},
    {"Prior", 157, 0x00, ""},
    {"Return", 158, 0x00, ""},
    {"Separator", 159, 0x00, ""},
    {"Out", 160, 0x00, ""},
    {"Oper", 161, 0x00, ""},
    {"Clear / Again", 162, 0x00, ""},
    {"CrSel", 163, 0x00, ""},
    {"ExSel", 164, 0x00, ""},
    {"Keypad 00", 176, 0x00, ""},
    {"Keypad 000", 177, 0x00, ""},
    {"ThousandsSeparator", 178, 0x00, ""},
    {"DecimalSeparator", 179, 0x00, ""},
    {"CurrencyUnit", 180, 0x00, ""},
    {"CurrencySubUnit", 181, 0x00, ""},
    {"Keypad (", 182, 0x00, ""},
    {"Keypad )", 183, 0x00, ""},
    {"Keypad {", 184, 0x00, ""},
    {"Keypad }", 185, 0x00, ""},
    {"Keypad Tab", 186, 0x00, ""},
    {"Keypad Backspace", 187, 0x00, ""},
    {"Keypad A", 188, 0x00, ""},
    {"Keypad B", 189, 0x00, ""},
    {"Keypad C", 190, 0x00, ""},
    {"Keypad D", 191, 0x00, ""},
    {"Keypad E", 192, 0x00, ""},
    {"Keypad F", 193, 0x00, ""},
    {"Keypad XOR", 194, 0x00, ""},
    {"Keypad ^", 195, 0x00, ""},
    {"Keypad %", 196, 0x00, ""},
    {"Keypad <", 197, 0x00, ""},
    {"Keypad >", 198, 0x00, ""},
    {"Keypad &", 199, 0x00, ""},
    {"Keypad &&", 200, 0x00, ""},
    {"Keypad |", 201, 0x00, ""},
    {"Keypad ||", 202, 0x00, ""},
    {"Keypad :", 203, 0x00, ""},
    {"Keypad #", 204, 0x00, ""},
    {"Keypad Space", 205, 0x00, ""},
    {"Keypad @", 206, 0x00, ""},
    {"Keypad !", 207, 0x00, ""},
    {"Keypad MemStore", 208, 0x00, ""},
    {"Keypad MemRecall", 209, 0x00, ""},
    {"Keypad MemClear", 210, 0x00, ""},
    {"Keypad MemAdd", 211, 0x00, ""},
    {"Keypad MemSubtract", 212, 0x00, ""},
    {"Keypad MemMultiply", 213, 0x00, ""},
    {"Keypad MemDivide", 214, 0x00, ""},
    {"Keypad +/-", 215, 0x00, ""},
    {"Keypad Clear", 216, 0x00, ""},
    {"Keypad ClearEntry", 217, 0x00, ""},
    {"Keypad Binary", 218, 0x00, ""},
    {"Keypad Octal", 219, 0x00, ""},
    {"Keypad Decimal", 220, 0x00, ""},
    {"Keypad Hexadecimal", 221, 0x00, ""},
    {"Left Ctrl", 224, 0x1D, "ControlLeft"},
    {"Left Shift", 225, 0x2A, "ShiftLeft"},
    {"Left Alt", 226, 0x38, "AltLeft"},
    {"Left GUI", 227, 0xDB, ""},
    {"Right Ctrl", 228, 0x9D, "ControlRight"},
    {"Right Shift", 229, 0x36, "ShiftRight"},
    {"Right Alt", 230, 0xB8, "AltRight"},
    {"Right GUI", 231, 0xDC, ""},
    {"ModeSwitch", 257, 0x00, ""},
    {"AudioNext", 258, 0x99, ""},
    {"AudioPrev", 259, 0x90, ""},
    {"AudioStop", 260, 0xA4, ""},
    {"AudioPlay", 261, 0xA2, ""},
    {"AudioMute", 262, 0xA0, ""},
    {"MediaSelect", 263, 0xED, ""},
    {"WWW", 264, 0x00, ""},
    {"Mail", 265, 0xEC, ""},
    {"Calculator", 266, 0xA1, ""},
    {"Computer", 267, 0xEB, ""},
    {"AC Search", 268, 0xE5, ""},
    {"AC Home", 269, 0xB2, ""},
    {"AC Back", 270, 0xEA, ""},
    {"AC Forward", 271, 0xE9, ""},
    {"AC Stop", 272, 0xE8, ""},
    {"AC Refresh", 273, 0xE7, ""},
    {"AC Bookmarks", 274, 0xE6, ""},
    {"BrightnessDown", 275, 0x00, ""},
    {"BrightnessUp", 276, 0x00, ""},
    {"DisplaySwitch", 277, 0x00, ""},
    {"KBDIllumToggle", 278, 0x00, ""},
    {"KBDIllumDown", 279, 0x00, ""},
    {"KBDIllumUp", 280, 0x00, ""},
    {"Eject", 281, 0x00, ""},
    {"Sleep", 282, 0xDF, ""},
    {"App1", 283, 0x00, ""},
    {"App2", 284, 0x00, ""},
    {"AudioRewind", 285, 0x00, ""},
    {"AudioFastForward", 286, 0x00, ""},
    {"SoftLeft", 287, 0x00, ""},
    {"SoftRight", 288, 0x00, ""},
    {"Call", 289, 0x00, ""},
    {"EndCall", 290, 0x00, ""},
};

constexpr const char* kPadNames[kPadButtonCount] = {"a",
                                                    "b",
                                                    "x",
                                                    "y",
                                                    "back",
                                                    "guide",
                                                    "start",
                                                    "leftstick",
                                                    "rightstick",
                                                    "leftshoulder",
                                                    "rightshoulder",
                                                    "dpup",
                                                    "dpdown",
                                                    "dpleft",
                                                    "dpright",
                                                    "misc1",
                                                    "paddle1",
                                                    "paddle2",
                                                    "paddle3",
                                                    "paddle4",
                                                    "touchpad"};

bool sameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::span<const KeyInfo> knownKeys() {
    return kKeys;
}

const KeyInfo* keyNamed(std::string_view name) {
    if (name.empty()) return nullptr;
    for (const KeyInfo& key : kKeys)
        if (sameLetters(key.name, name)) return &key;
    return nullptr;
}

const KeyInfo* keyOfUsage(int usage) {
    for (const KeyInfo& key : kKeys)
        if (key.usage == usage) return &key;
    return nullptr;
}

const KeyInfo* keyOfDomCode(std::string_view code) {
    if (code.empty()) return nullptr;
    for (const KeyInfo& key : kKeys)
        if (code == key.domCode) return &key;
    return nullptr;
}

// Read for every key of every frame: a table by usage, made once.
uint8_t inputOfUsage(int usage) {
    static const auto kInputs = [] {
        std::array<uint8_t, 1024> inputs{};
        for (const KeyInfo& key : kKeys)
            inputs[key.usage] = key.input;
        return inputs;
    }();
    return usage >= 0 && usage < static_cast<int>(kInputs.size())
               ? kInputs[static_cast<size_t>(usage)]
               : 0;
}

std::string keyName(int usage) {
    const KeyInfo* key = keyOfUsage(usage);
    return key != nullptr && key->name[0] != '\0' ? key->name : "key " + std::to_string(usage);
}

bool isReservedKey(int usage) {
    return usage == key_usage::kEscape || usage == key_usage::kF12 || usage == key_usage::kM ||
           usage == key_usage::kPause;
}

const char* padButtonName(PadButton button) {
    const int at = static_cast<int>(button);
    if (at < 0 || at >= kPadButtonCount) return "default";
    return kPadNames[static_cast<size_t>(at)];
}

PadButton padButtonNamed(std::string_view name) {
    for (int at = 0; at < kPadButtonCount; ++at)
        if (sameLetters(kPadNames[static_cast<size_t>(at)], name))
            return static_cast<PadButton>(at);
    return PadButton::kNone;
}
