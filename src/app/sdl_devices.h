// The live keyboard and the first game controller or joystick, read through SDL.
#pragma once

#include <SDL2/SDL.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>
#include <utility>

#include "app/sdl_player_settings.h"
#include "input/input.h"

// The stick and button values of one poll, as the polling thread takes them from the device.
struct JoySample {
    int16_t x = 0; // raw SDL axis values, -32768 to 32767
    int16_t y = 0;
    bool dpad[4] = {}; // right, left, up, down (game controllers only)
    bool buttons[6] = {};
    uint32_t controllerButtons = 0; // bit b: SDL game-controller button b is down
};

constexpr int32_t kJoyAxisRange = 1000;

// A raw SDL axis value on the game's range of -1000 to 1000.
int32_t scaleAxis(int16_t raw);
// The ten joystick inputs (right, left, up, down, buttons 0-5) of a sample.
void joyStateFromSample(const JoySample& sample, uint8_t joyState[10]);
// The game's keys from SDL's keyboard state (count keys, held[i] nonzero while down) with the
// player's own keys: a moved control's key reaches the game as that control's input number, and
// the shell's keys (pause, mute) never reach it.
void keysFromKeyboard(const Uint8* held, int count, const PlayerSettings& settings,
                      uint8_t keys[256]);
// A game controller's sample with the player's own buttons standing for the controls that name
// one: the button a control names replaces the usual ones, which then do nothing for it.
JoySample withPadBindings(JoySample sample, const PlayerSettings& settings);

class SdlDevices : public InputSource {
  public:
    // Without the thread, polls happen only through pollOnce (for tests that need exact timing).
    explicit SdlDevices(bool pollingThread = true,
                        std::chrono::milliseconds pollInterval = std::chrono::milliseconds(10));
    ~SdlDevices() override;
    SdlDevices(const SdlDevices&) = delete;
    SdlDevices& operator=(const SdlDevices&) = delete;

    // Opens the joystick subsystem and the first device; with a device, starts the polling thread.
    void start() override;
    void readState(uint8_t keys[256], uint8_t joyState[10]) override;
    void shutdown() override;

    // Main thread, for every SDL event: devices arriving and leaving, window focus.
    void handleEvent(const SDL_Event& event);
    // One poll of the device into the waiting sample; sets pollReady.
    void pollOnce();
    // The player's keys and buttons; a moved key reaches the game as its control's input number.
    void setBindings(const PlayerSettings& settings) { settings_ = settings; }
    // Main thread: a game controller's button is held now.
    bool padButtonDown(SDL_GameControllerButton button);
    // True once after the device in use was pulled out.
    bool takeDeviceLost() { return std::exchange(deviceLost_, false); }

    bool hasJoystick() const { return joystick_ != nullptr; }
    bool isGameController() const { return controller_ != nullptr; }
    // How often a poll and a read of the device were found running at the same time.
    int overlaps() const { return overlaps_.load(); }

    // Set by a poll, cleared by the read that takes its result.
    std::atomic<bool> pollReady{false};
    // Set by the main thread to end the polling thread.
    std::atomic<bool> stopPolling{false};

  private:
    void openDevice(int deviceIndex);
    void openFirstDevice();
    void closeDevice();
    void startThread();
    void pollLoop();
    JoySample sampleDevice() const;
    void enterDevice();
    void leaveDevice();

    bool usePollingThread_;
    std::chrono::milliseconds pollInterval_;
    bool subsystemStarted_ = false;
    bool focused_ = true;
    bool deviceLost_ = false;
    PlayerSettings settings_;
    // Guards the device handles and the sample between the polling thread and the main thread.
    std::mutex deviceMutex_;
    SDL_GameController* controller_ = nullptr;
    SDL_Joystick* joystick_ = nullptr;
    SDL_JoystickID instance_ = -1;
    JoySample sample_;
    std::thread thread_;
    std::atomic<int> inside_{0};
    std::atomic<int> overlaps_{0};
};
