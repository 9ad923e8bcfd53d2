// The live keyboard and the first game controller or joystick, read through SDL.
#pragma once

#include <SDL2/SDL.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>
#include <utility>

#include "app/device_bindings.h"
#include "app/player_settings.h"
#include "input/input.h"

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
    bool padButtonDown(PadButton button);
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
