// Keyboard state, the first game controller or joystick, and the thread that polls it.
#include "desktop/sdl_devices.h"

#include <algorithm>
#include <cstring>

#include "input/controls.h"

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
    keysFromPositions(held, count, settings_, keys);
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

bool SdlDevices::padButtonDown(PadButton button) {
    std::lock_guard<std::mutex> lock(deviceMutex_);
    return controller_ != nullptr &&
           SDL_GameControllerGetButton(controller_,
                                       static_cast<SDL_GameControllerButton>(button)) != 0;
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
