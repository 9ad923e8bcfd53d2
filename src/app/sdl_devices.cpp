// Keyboard state, the first game controller or joystick, and the thread that polls it.
#include "app/sdl_devices.h"

#include <algorithm>
#include <cstring>

#include "app/sdl_scan_codes.h"
#include "input/controls.h"

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
void keysFromKeyboard(const Uint8* held, int count, const PlayerSettings& settings,
                      uint8_t keys[256]) {
    const PlayerSettings defaults;
    bool moved[256] = {};
    for (int c = 0; c < 6; ++c)
        moved[controlInput(c)] =
            settings.keys[static_cast<size_t>(c)] != defaults.keys[static_cast<size_t>(c)];
    const auto isDown = [&](SDL_Scancode key) { return key < count && held[key] != 0; };
    const SDL_Scancode pauseKey = settings.keys[static_cast<size_t>(PlayerControl::kPause)];
    for (int i = 0; i < count; ++i) {
        const auto key = static_cast<SDL_Scancode>(i);
        const uint8_t code = scanCodeFor(key);
        const bool shellKey = key == pauseKey || key == SDL_SCANCODE_PAUSE || key == SDL_SCANCODE_M;
        if (held[i] != 0 && code != 0 && !moved[code] && !shellKey) keys[code] = 0x80;
    }
    for (int c = 0; c < 6; ++c)
        if (moved[controlInput(c)] && isDown(settings.keys[static_cast<size_t>(c)]))
            keys[controlInput(c)] = 0x80;
}

JoySample withPadBindings(JoySample sample, const PlayerSettings& settings) {
    struct Slot {
        bool& value;
        PlayerControl control;
        SDL_GameControllerButton usual;
        bool first; // fire and the chain have two usual buttons; a named one takes the first slot
    };
    const Slot slots[] = {
        {sample.dpad[0], PlayerControl::kRight, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true},
        {sample.dpad[1], PlayerControl::kLeft, SDL_CONTROLLER_BUTTON_DPAD_LEFT, true},
        {sample.dpad[2], PlayerControl::kUp, SDL_CONTROLLER_BUTTON_DPAD_UP, true},
        {sample.dpad[3], PlayerControl::kDown, SDL_CONTROLLER_BUTTON_DPAD_DOWN, true},
        {sample.buttons[0], PlayerControl::kFire, SDL_CONTROLLER_BUTTON_A, true},
        {sample.buttons[1], PlayerControl::kFire, SDL_CONTROLLER_BUTTON_B, false},
        {sample.buttons[2], PlayerControl::kLink, SDL_CONTROLLER_BUTTON_X, true},
        {sample.buttons[3], PlayerControl::kLink, SDL_CONTROLLER_BUTTON_Y, false}};
    const auto named = [&settings](SDL_GameControllerButton button) {
        return std::find(settings.pads.begin(), settings.pads.end(), button) != settings.pads.end();
    };
    const uint32_t buttons = sample.controllerButtons;
    for (const Slot& slot : slots) {
        const SDL_GameControllerButton own = settings.pads[static_cast<size_t>(slot.control)];
        if (own != SDL_CONTROLLER_BUTTON_INVALID)
            slot.value = slot.first && ((buttons >> own) & 1u) != 0;
        else if (named(slot.usual)) // the usual button now serves another control
            slot.value = false;
    }
    return sample;
}

SdlDevices::SdlDevices(bool pollingThread, std::chrono::milliseconds pollInterval)
    : usePollingThread_(pollingThread), pollInterval_(pollInterval) {}

SdlDevices::~SdlDevices() {
    shutdown();
}

void SdlDevices::start() {
    stopPolling = false;
    pollReady = false;
    subsystemStarted_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (subsystemStarted_) openFirstDevice();
}

void SdlDevices::shutdown() {
    stopPolling = true;
    if (thread_.joinable()) thread_.join();
    pollReady = true;
    closeDevice();
    if (subsystemStarted_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    subsystemStarted_ = false;
}

void SdlDevices::openFirstDevice() {
    int count = SDL_NumJoysticks();
    for (int index = 0; index < count && joystick_ == nullptr; ++index)
        openDevice(index);
}

void SdlDevices::openDevice(int deviceIndex) {
    SDL_GameController* controller = nullptr;
    SDL_Joystick* joystick = nullptr;
    if (SDL_IsGameController(deviceIndex)) {
        controller = SDL_GameControllerOpen(deviceIndex);
        if (controller != nullptr) joystick = SDL_GameControllerGetJoystick(controller);
    }
    if (joystick == nullptr) joystick = SDL_JoystickOpen(deviceIndex);
    if (joystick == nullptr) return;
    {
        std::lock_guard<std::mutex> lock(deviceMutex_);
        controller_ = controller;
        joystick_ = joystick;
        instance_ = SDL_JoystickInstanceID(joystick);
        sample_ = JoySample{};
    }
    startThread();
}

void SdlDevices::closeDevice() {
    std::lock_guard<std::mutex> lock(deviceMutex_);
    if (controller_ != nullptr) {
        SDL_GameControllerClose(controller_);
    } else if (joystick_ != nullptr) {
        SDL_JoystickClose(joystick_);
    }
    controller_ = nullptr;
    joystick_ = nullptr;
    instance_ = -1;
    sample_ = JoySample{};
}

void SdlDevices::startThread() {
    if (!usePollingThread_ || thread_.joinable()) return;
    stopPolling = false;
    pollReady = false;
    thread_ = std::thread(&SdlDevices::pollLoop, this);
}

// Polls only while the last result has been taken, so each frame sees at most one fresh poll.
void SdlDevices::pollLoop() {
    while (!stopPolling.load()) {
        std::this_thread::sleep_for(pollInterval_);
        if (!pollReady.load()) pollOnce();
    }
    pollReady = true;
}

void SdlDevices::enterDevice() {
    if (inside_.fetch_add(1) != 0) overlaps_.fetch_add(1);
}

void SdlDevices::leaveDevice() {
    inside_.fetch_sub(1);
}

JoySample SdlDevices::sampleDevice() const {
    JoySample sample;
    if (controller_ != nullptr) {
        sample.x = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTX);
        sample.y = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTY);
        static constexpr SDL_GameControllerButton kDpad[4] = {
            SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_DPAD_LEFT,
            SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN};
        static constexpr SDL_GameControllerButton kButtons[6] = {
            SDL_CONTROLLER_BUTTON_A,
            SDL_CONTROLLER_BUTTON_B,
            SDL_CONTROLLER_BUTTON_X,
            SDL_CONTROLLER_BUTTON_Y,
            SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
            SDL_CONTROLLER_BUTTON_RIGHTSHOULDER};
        for (int i = 0; i < 4; ++i)
            sample.dpad[i] = SDL_GameControllerGetButton(controller_, kDpad[i]) != 0;
        for (int i = 0; i < 6; ++i)
            sample.buttons[i] = SDL_GameControllerGetButton(controller_, kButtons[i]) != 0;
        static_assert(SDL_CONTROLLER_BUTTON_MAX <= 32, "a bit for each button");
        for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
            const auto button = static_cast<SDL_GameControllerButton>(b);
            if (SDL_GameControllerGetButton(controller_, button) != 0)
                sample.controllerButtons |= 1u << b;
        }
    } else if (joystick_ != nullptr) {
        int axes = SDL_JoystickNumAxes(joystick_);
        int buttons = SDL_JoystickNumButtons(joystick_);
        if (axes > 0) sample.x = SDL_JoystickGetAxis(joystick_, 0);
        if (axes > 1) sample.y = SDL_JoystickGetAxis(joystick_, 1);
        for (int i = 0; i < 6 && i < buttons; ++i)
            sample.buttons[i] = SDL_JoystickGetButton(joystick_, i) != 0;
    }
    return sample;
}

// SDL's own joystick lock keeps the sample consistent with the main thread's event pump.
void SdlDevices::pollOnce() {
    {
        std::lock_guard<std::mutex> lock(deviceMutex_);
        enterDevice();
        SDL_LockJoysticks();
        sample_ = sampleDevice();
        SDL_UnlockJoysticks();
        leaveDevice();
    }
    pollReady = true;
}

void SdlDevices::readState(uint8_t keys[256], uint8_t joyState[10]) {
    std::memset(keys, 0, 256);
    if (!focused_) {
        std::memset(joyState, 0, 10);
        return;
    }
    int count = 0;
    const Uint8* held = SDL_GetKeyboardState(&count);
    keysFromKeyboard(held, count, settings_, keys);
    if (joystick_ == nullptr) {
        std::memset(joyState, 0, 10);
        return;
    }
    if (!pollReady.load()) return;
    JoySample sample;
    {
        // pollReady is cleared only after the read, so the next poll cannot overlap it.
        std::lock_guard<std::mutex> lock(deviceMutex_);
        enterDevice();
        sample = sample_;
        leaveDevice();
        pollReady = false;
    }
    joyStateFromSample(controller_ != nullptr ? withPadBindings(sample, settings_) : sample,
                       joyState);
}

bool SdlDevices::padButtonDown(SDL_GameControllerButton button) {
    std::lock_guard<std::mutex> lock(deviceMutex_);
    return controller_ != nullptr && SDL_GameControllerGetButton(controller_, button) != 0;
}

void SdlDevices::handleEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_JOYDEVICEADDED:
        if (joystick_ == nullptr) openDevice(event.jdevice.which);
        break;
    case SDL_JOYDEVICEREMOVED:
        if (joystick_ != nullptr && event.jdevice.which == instance_) {
            deviceLost_ = true;
            closeDevice();
            openFirstDevice();
        }
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) focused_ = false;
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) focused_ = true;
        break;
    default:
        break;
    }
}
