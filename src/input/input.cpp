// The held inputs of a frame, taken from the source once per frame and asked by input number.
#include "input/input.h"

#include "input/controls.h"

namespace {
constexpr int32_t kKeyCount = 256;
constexpr uint8_t kKeyHeldBit = 0x80;
} // namespace

Input::Input(InputSource* source) : source_(source) {
    if (source_ != nullptr) source_->start();
}

void Input::readState() {
    if (source_ != nullptr) source_->readState(keys, joyState);
    if (recorder_ != nullptr) recorder_->recordFrame(*this);
}

uint8_t Input::isDown(int32_t n) const {
    if (n >= 0 && n < kKeyCount) return (keys[n] & kKeyHeldBit) != 0 ? 1 : 0;
    if (n >= kKeyCount && n < kInputCount) return joyState[n - kKeyCount];
    return 0;
}

void Input::shutdown() {
    if (source_ != nullptr) source_->shutdown();
}

bool Input::held(Control control) const {
    const ControlBinding& b = bindingOf(control);
    return isDown(b.key) != 0 || isDown(b.joystick[0]) != 0 || isDown(b.joystick[1]) != 0;
}
