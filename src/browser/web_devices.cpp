// Key events from the page and the gamepad sampled once a frame.
#include "browser/web_devices.h"

#include <emscripten/html5.h>

#include <cstring>
#include <iterator>
#include <string>
#include <utility>

#include "input/keys.h"

namespace {

// The Gamepad API's standard mapping, by the buttons' numbers there, in the order of PadButton.
constexpr int kStandardButtons[] = {0, 1, 2, 3, 8, 16, 9, 10, 11, 4, 5, 12, 13, 14, 15};
constexpr double kStickAxis = 32767.0;

EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* event, void* user) {
    auto* devices = static_cast<WebDevices*>(user);
    const KeyInfo* key = keyOfDomCode(event->code);
    devices->keyEvent(event->code, type == EMSCRIPTEN_EVENT_KEYDOWN, event->repeat != 0);
    // The game's own keys do nothing else in the page (arrows and space would scroll it); the
    // browser keeps its function keys but F12, the game's screenshot.
    const uint8_t code = key != nullptr ? key->input : 0;
    return code != 0 && (code < 0x3B || code >= 0x58) ? EM_TRUE : EM_FALSE;
}

bool pressed(const EmscriptenGamepadEvent& pad, int button) {
    return button < pad.numButtons && pad.digitalButton[button] != 0;
}

// A gamepad's state as a controller's sample: the stick, and its buttons by PadButton.
JoySample sampleOf(const EmscriptenGamepadEvent& pad) {
    JoySample sample;
    sample.x = static_cast<int16_t>((pad.numAxes > 0 ? pad.axis[0] : 0.0) * kStickAxis);
    sample.y = static_cast<int16_t>((pad.numAxes > 1 ? pad.axis[1] : 0.0) * kStickAxis);
    for (size_t b = 0; b < std::size(kStandardButtons); ++b)
        if (pressed(pad, kStandardButtons[b])) sample.controllerButtons |= 1u << b;
    const auto down = [&sample](PadButton b) {
        return (sample.controllerButtons >> static_cast<int>(b) & 1u) != 0;
    };
    const PadButton arrows[4] = {PadButton::kDpadRight, PadButton::kDpadLeft, PadButton::kDpadUp,
                                 PadButton::kDpadDown};
    for (int d = 0; d < 4; ++d)
        sample.dpad[d] = down(arrows[d]);
    const PadButton six[6] = {PadButton::kA,
                              PadButton::kB,
                              PadButton::kX,
                              PadButton::kY,
                              PadButton::kLeftShoulder,
                              PadButton::kRightShoulder};
    for (int b = 0; b < 6; ++b)
        sample.buttons[b] = down(six[b]);
    return sample;
}

} // namespace

void WebDevices::start() {
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, onKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, onKey);
}

void WebDevices::keyEvent(std::string_view code, bool down, bool repeat) {
    const KeyInfo* key = keyOfDomCode(code);
    if (key == nullptr || key->usage >= kUsages) return;
    held_[key->usage] = down ? 1 : 0;
    if (!repeat)
        events_.push_back({down ? ShellEvent::Kind::KeyDown : ShellEvent::Kind::KeyUp, key->usage});
}

void WebDevices::releaseAll() {
    std::memset(held_, 0, sizeof held_);
    pad_ = JoySample();
}

std::vector<ShellEvent> WebDevices::takeEvents() {
    return std::exchange(events_, {});
}

void WebDevices::pollGamepad() {
    EmscriptenGamepadEvent pad{};
    const bool connected = emscripten_sample_gamepad_data() == EMSCRIPTEN_RESULT_SUCCESS &&
                           emscripten_get_num_gamepads() > 0 &&
                           emscripten_get_gamepad_status(0, &pad) == 0 && pad.connected;
    pad_ = connected ? sampleOf(pad) : JoySample();
    for (int b = 0; b < kPadButtonCount; ++b) {
        const bool now = (pad_.controllerButtons >> b & 1u) != 0;
        if (now != ((padWas_ >> b & 1u) != 0))
            events_.push_back({now ? ShellEvent::Kind::ButtonDown : ShellEvent::Kind::ButtonUp, 0,
                               static_cast<PadButton>(b)});
    }
    padWas_ = pad_.controllerButtons;
}

void WebDevices::readState(uint8_t keys[256], uint8_t joyState[10]) {
    std::memset(keys, 0, 256);
    keysFromPositions(held_, kUsages, settings_, keys);
    joyStateFromSample(withPadBindings(pad_, settings_), joyState);
}
