// The keyboard's positions and a controller's sample turned into the game's inputs, with the
// player's own keys and buttons.
#include "app/device_bindings.h"

#include <algorithm>

#include "input/controls.h"
#include "input/keys.h"

int32_t scaleAxis(int16_t raw) {
    int32_t value = raw;
    return value >= 0 ? value * kJoyAxisRange / 32767 : value * kJoyAxisRange / 32768;
}

void joyStateFromSample(const JoySample& sample, uint8_t joyState[10]) {
    int32_t x = scaleAxis(sample.x);
    int32_t y = scaleAxis(sample.y);
    joyState[0] = (x > kJoyThreshold || sample.dpad[0]) ? 1 : 0;
    joyState[1] = (x < -kJoyThreshold || sample.dpad[1]) ? 1 : 0;
    joyState[2] = (y < -kJoyThreshold || sample.dpad[2]) ? 1 : 0;
    joyState[3] = (y > kJoyThreshold || sample.dpad[3]) ? 1 : 0;
    for (int i = 0; i < 6; ++i)
        joyState[4 + i] = sample.buttons[i] ? 1 : 0;
}

namespace {
// The input number of the game's control c, the player's settings and the game naming the first
// six controls in the same order.
int32_t controlInput(int c) {
    return bindingOf(static_cast<Control>(c)).key;
}
} // namespace

// Every key reaches the game as its own scan code, except the keys the shell keeps (pause, mute)
// and those of a control moved to another key, which then stands for it.
void keysFromPositions(const uint8_t* held, int count, const PlayerSettings& settings,
                       uint8_t keys[256]) {
    const PlayerSettings defaults;
    bool moved[256] = {};
    for (int c = 0; c < 6; ++c)
        moved[controlInput(c)] =
            settings.keys[static_cast<size_t>(c)] != defaults.keys[static_cast<size_t>(c)];
    const auto isDown = [&](int key) { return key < count && held[key] != 0; };
    const int pauseKey = settings.keys[static_cast<size_t>(PlayerControl::kPause)];
    for (int key = 0; key < count; ++key) {
        if (held[key] == 0) continue;
        const uint8_t code = inputOfUsage(key);
        const bool shellKey = key == pauseKey || key == key_usage::kPause || key == key_usage::kM;
        if (code != 0 && !moved[code] && !shellKey) keys[code] = 0x80;
    }
    for (int c = 0; c < 6; ++c)
        if (moved[controlInput(c)] && isDown(settings.keys[static_cast<size_t>(c)]))
            keys[controlInput(c)] = 0x80;
}

JoySample withPadBindings(JoySample sample, const PlayerSettings& settings) {
    struct Slot {
        bool& value;
        PlayerControl control;
        PadButton usual;
        bool first; // fire and the chain have two usual buttons; a named one takes the first slot
    };
    const Slot slots[] = {{sample.dpad[0], PlayerControl::kRight, PadButton::kDpadRight, true},
                          {sample.dpad[1], PlayerControl::kLeft, PadButton::kDpadLeft, true},
                          {sample.dpad[2], PlayerControl::kUp, PadButton::kDpadUp, true},
                          {sample.dpad[3], PlayerControl::kDown, PadButton::kDpadDown, true},
                          {sample.buttons[0], PlayerControl::kFire, PadButton::kA, true},
                          {sample.buttons[1], PlayerControl::kFire, PadButton::kB, false},
                          {sample.buttons[2], PlayerControl::kLink, PadButton::kX, true},
                          {sample.buttons[3], PlayerControl::kLink, PadButton::kY, false}};
    const auto named = [&settings](PadButton button) {
        return std::find(settings.pads.begin(), settings.pads.end(), button) != settings.pads.end();
    };
    const uint32_t buttons = sample.controllerButtons;
    for (const Slot& slot : slots) {
        const PadButton own = settings.pads[static_cast<size_t>(slot.control)];
        if (own != PadButton::kNone)
            slot.value = slot.first && ((buttons >> static_cast<int>(own)) & 1u) != 0;
        else if (named(slot.usual)) // the usual button now serves another control
            slot.value = false;
    }
    return sample;
}
