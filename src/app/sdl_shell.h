// What the player does around the game: pause and its screen, choosing keys, mute, and the
// controls of watching a replay. None of it reaches the game's inputs.
#pragma once

#include <SDL2/SDL.h>

#include <string>
#include <vector>

#include "app/sdl_player_settings.h"
#include "render/overlay.h"
#include "render/text_font.h"

class OpenAlAudio;
class SdlDevices;

class SdlShell {
  public:
    enum class Mode {
        Play,   // the live devices: every control of the shell
        Watch,  // a saved game replayed: pause, fast forward, Escape stops
        Replay, // an input log replayed: pause only
    };
    enum class Request { None, Quit };

    // devices and audio are not owned and may be null. Settings are saved to configPath when the
    // player changes them, unless configPath is empty.
    // muteThisRun (--mute) silences the run without changing the saved setting.
    SdlShell(Mode mode, const PlayerSettings& settings, std::string configPath, SdlDevices* devices,
             OpenAlAudio* audio, bool muteThisRun = false);

    // Loads the overlay's font; without it the pause screen only dims the picture.
    void loadFont(const std::string& path) { font_.load(path); }
    // Pausing by itself (focus lost, the window minimised, the controller pulled out): only in
    // play, and only when the run has no frame limit that a pause could hold up for ever.
    void setAutoPause(bool enabled) { autoPause_ = enabled; }
    void setWatchTitle(std::string title) { watchTitle_ = std::move(title); }

    // The shell's share of an event.
    Request handleEvent(const SDL_Event& event);
    // The device in use went away.
    void deviceLost();
    void pause();
    void resume();
    bool paused() const { return paused_; }
    // Draws the pause or key screen over the picture just drawn, when paused.
    void drawOverlay() const;
    const PlayerSettings& settings() const { return settings_; }

  private:
    bool isPauseKey(SDL_Scancode key) const;
    bool isPauseButton(int button) const;
    Request handleKey(SDL_Scancode key);
    void handleChoice(const SDL_Event& event);
    void chooseKey(SDL_Scancode key);
    void chooseButton(SDL_GameControllerButton button);
    bool takenThisRound(SDL_Scancode key) const;
    void nextChoice();
    void toggleMute();
    bool muted() const { return settings_.muted || muteThisRun_; }
    void applySettings();
    void saveSettings() const;
    std::vector<OverlayLine> pauseLines() const;
    std::vector<OverlayLine> choiceLines() const;

    Mode mode_;
    PlayerSettings settings_;
    std::string configPath_;
    SdlDevices* devices_;
    OpenAlAudio* audio_;
    TextFont font_;
    bool muteThisRun_;
    bool autoPause_ = false;
    bool paused_ = false;
    int choosing_ = -1;                // the control whose key is asked for, -1 when none
    std::vector<SDL_Scancode> chosen_; // keys taken so far in this round
    std::string watchTitle_;
};
