// Key events from the page and the gamepad sampled once a frame.
#include "app/web_devices.h"

#include <emscripten/html5.h>

#include <cstring>
#include <iterator>
#include <string>
#include <utility>

namespace {

struct DomKey {
    const char* code;
    uint8_t scanCode;
};

// The classic PC scan codes the game's controls use, as sdl_scan_codes gives them on the desktop.
constexpr DomKey kDomKeys[] = {{"Escape", 0x01},
                               {"Digit1", 0x02},
                               {"Digit2", 0x03},
                               {"Digit3", 0x04},
                               {"Digit4", 0x05},
                               {"Digit5", 0x06},
                               {"Digit6", 0x07},
                               {"Digit7", 0x08},
                               {"Digit8", 0x09},
                               {"Digit9", 0x0A},
                               {"Digit0", 0x0B},
                               {"Minus", 0x0C},
                               {"Equal", 0x0D},
                               {"Backspace", 0x0E},
                               {"Tab", 0x0F},
                               {"KeyQ", 0x10},
                               {"KeyW", 0x11},
                               {"KeyE", 0x12},
                               {"KeyR", 0x13},
                               {"KeyT", 0x14},
                               {"KeyY", 0x15},
                               {"KeyU", 0x16},
                               {"KeyI", 0x17},
                               {"KeyO", 0x18},
                               {"KeyP", 0x19},
                               {"BracketLeft", 0x1A},
                               {"BracketRight", 0x1B},
                               {"Enter", 0x1C},
                               {"ControlLeft", 0x1D},
                               {"KeyA", 0x1E},
                               {"KeyS", 0x1F},
                               {"KeyD", 0x20},
                               {"KeyF", 0x21},
                               {"KeyG", 0x22},
                               {"KeyH", 0x23},
                               {"KeyJ", 0x24},
                               {"KeyK", 0x25},
                               {"KeyL", 0x26},
                               {"Semicolon", 0x27},
                               {"Quote", 0x28},
                               {"Backquote", 0x29},
                               {"ShiftLeft", 0x2A},
                               {"Backslash", 0x2B},
                               {"KeyZ", 0x2C},
                               {"KeyX", 0x2D},
                               {"KeyC", 0x2E},
                               {"KeyV", 0x2F},
                               {"KeyB", 0x30},
                               {"KeyN", 0x31},
                               {"KeyM", 0x32},
                               {"Comma", 0x33},
                               {"Period", 0x34},
                               {"Slash", 0x35},
                               {"ShiftRight", 0x36},
                               {"NumpadMultiply", 0x37},
                               {"AltLeft", 0x38},
                               {"Space", 0x39},
                               {"CapsLock", 0x3A},
                               {"F1", 0x3B},
                               {"F2", 0x3C},
                               {"F3", 0x3D},
                               {"F4", 0x3E},
                               {"F5", 0x3F},
                               {"F6", 0x40},
                               {"F7", 0x41},
                               {"F8", 0x42},
                               {"F9", 0x43},
                               {"F10", 0x44},
                               {"Numpad7", 0x47},
                               {"Numpad8", 0x48},
                               {"Numpad9", 0x49},
                               {"NumpadSubtract", 0x4A},
                               {"Numpad4", 0x4B},
                               {"Numpad5", 0x4C},
                               {"Numpad6", 0x4D},
                               {"NumpadAdd", 0x4E},
                               {"Numpad1", 0x4F},
                               {"Numpad2", 0x50},
                               {"Numpad3", 0x51},
                               {"Numpad0", 0x52},
                               {"NumpadDecimal", 0x53},
                               {"F11", 0x57},
                               {"F12", 0x58},
                               {"NumpadEnter", 0x9C},
                               {"ControlRight", 0x9D},
                               {"AltRight", 0xB8},
                               {"Pause", 0xC5},
                               {"Home", 0xC7},
                               {"ArrowUp", 0xC8},
                               {"PageUp", 0xC9},
                               {"ArrowLeft", 0xCB},
                               {"ArrowRight", 0xCD},
                               {"End", 0xCF},
                               {"ArrowDown", 0xD0},
                               {"PageDown", 0xD1},
                               {"Insert", 0xD2},
                               {"Delete", 0xD3}};

constexpr uint8_t kScanP = 0x19;
constexpr uint8_t kScanM = 0x32;
constexpr uint8_t kScanPause = 0xC5;
constexpr uint8_t kScanF12 = 0x58;

// The Gamepad API's standard mapping: buttons A, B, X, Y, the shoulders; the pad's arrows; Start.
constexpr int kPadButtons[6] = {0, 1, 2, 3, 4, 5};
constexpr int kPadRight = 15, kPadLeft = 14, kPadUp = 12, kPadDown = 13, kPadStart = 9;
constexpr double kStickThreshold = 0.3; // the desktop's 300 of 1000

EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* event, void* user) {
    auto* devices = static_cast<WebDevices*>(user);
    const uint8_t code = scanCodeForDomCode(event->code);
    if (event->repeat == 0 || type == EMSCRIPTEN_EVENT_KEYUP)
        devices->keyEvent(event->code, type == EMSCRIPTEN_EVENT_KEYDOWN);
    // The game's own keys do nothing else in the page (arrows and space would scroll it); the
    // browser keeps its function keys but F12, the game's screenshot.
    return code != 0 && (code < 0x3B || code >= 0x58) ? EM_TRUE : EM_FALSE;
}

bool pressed(const EmscriptenGamepadEvent& pad, int button) {
    return button < pad.numButtons && pad.digitalButton[button] != 0;
}

} // namespace

uint8_t scanCodeForDomCode(std::string_view code) {
    for (const DomKey& key : kDomKeys)
        if (code == key.code) return key.scanCode;
    return 0;
}

void WebDevices::start() {
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, onKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, onKey);
}

void WebDevices::keyEvent(std::string_view code, bool down) {
    const uint8_t scan = scanCodeForDomCode(code);
    if (scan == 0) return;
    if (down && (scan == kScanP || scan == kScanPause)) pauseRequested_ = true;
    if (down && scan == kScanM) muteRequested_ = true;
    if (down && scan == kScanF12) screenshotRequested_ = true;
    // The shell's keys never reach the game.
    if (scan == kScanP || scan == kScanPause || scan == kScanM) return;
    held_[scan] = down ? 0x80 : 0;
}

void WebDevices::releaseAll() {
    std::memset(held_, 0, sizeof held_);
}

bool WebDevices::takePauseRequest() {
    return std::exchange(pauseRequested_, false);
}

bool WebDevices::takeMuteRequest() {
    return std::exchange(muteRequested_, false);
}

bool WebDevices::takeScreenshotRequest() {
    return std::exchange(screenshotRequested_, false);
}

void WebDevices::readState(uint8_t keys[256], uint8_t joyState[10]) {
    std::memcpy(keys, held_, 256);
    std::memset(joyState, 0, 10);
    EmscriptenGamepadEvent pad{};
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS ||
        emscripten_get_num_gamepads() < 1 || emscripten_get_gamepad_status(0, &pad) != 0 ||
        !pad.connected)
        return;
    const double x = pad.numAxes > 0 ? pad.axis[0] : 0.0;
    const double y = pad.numAxes > 1 ? pad.axis[1] : 0.0;
    joyState[0] = (x > kStickThreshold || pressed(pad, kPadRight)) ? 1 : 0;
    joyState[1] = (x < -kStickThreshold || pressed(pad, kPadLeft)) ? 1 : 0;
    joyState[2] = (y < -kStickThreshold || pressed(pad, kPadUp)) ? 1 : 0;
    joyState[3] = (y > kStickThreshold || pressed(pad, kPadDown)) ? 1 : 0;
    for (int i = 0; i < 6; ++i)
        joyState[4 + i] = pressed(pad, kPadButtons[i]) ? 1 : 0;
    const bool start = pressed(pad, kPadStart);
    if (start && !startWasDown_) pauseRequested_ = true;
    startWasDown_ = start;
}
