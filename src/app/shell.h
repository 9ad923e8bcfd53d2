// What the player does around the game, the same on every platform: pause and its screen,
// choosing keys and buttons, mute and the sound levels, and the controls of watching a replay.
// Platforms hand it their events as portable ones; none of it reaches the game's inputs.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/lab_panel.h"
#include "app/player_settings.h"
#include "input/keys.h"
#include "render/overlay.h"
#include "render/text_font.h"

class GameRun;
class SoundOutput;

// An event as the shell sees it: a key by its position's usage, a controller button by name, or
// what happened to the window or page.
struct ShellEvent {
    enum class Kind {
        KeyDown, // pressed, not a repeat
        KeyUp,
        ButtonDown, // a game controller's button
        ButtonUp,
        FocusLost,  // the window or page lost the keyboard
        Hidden,     // minimised, or the page's tab hidden
        DeviceLost, // the controller in use was pulled out
    };
    Kind kind;
    int key = 0;
    PadButton button = PadButton::kNone;
};

class Shell {
  public:
    enum class Mode {
        Play,   // the live devices: every control of the shell
        Watch,  // a saved game replayed: pause, fast forward, Escape stops
        Replay, // an input log replayed: pause, Escape stops
    };
    // ExportLab: the lab's comparison asks to be saved (labExport gives the text).
    enum class Request { None, Quit, Screenshot, ExportLab };
    using SettingsListener = std::function<void(const PlayerSettings&)>;

    // sound is not owned and may be null. Settings are saved to configPath when the player
    // changes them, unless it is empty. muteThisRun (--mute) silences the run without changing
    // the saved setting.
    Shell(Mode mode, const PlayerSettings& settings, std::string configPath, SoundOutput* sound,
          bool muteThisRun = false);
    ~Shell();

    // Told the settings now in force: at once, and after every change (the devices' bindings,
    // the page's storage after a save).
    void setSettingsListener(SettingsListener listener);
    // Loads the overlay's font; without it the pause screen only dims the picture.
    void loadFont(const std::string& path) { font_.load(path); }
    // Pausing by itself (focus lost, hidden, the controller pulled out): only in play, and only
    // when the run has no frame limit that a pause could hold up for ever.
    void setAutoPause(bool enabled) { autoPause_ = enabled; }
    void setWatchTitle(std::string title) { watchTitle_ = std::move(title); }
    // --end-paused: the run ends on the pause screen.
    void setEndPaused(bool enabled) { endPaused_ = enabled; }
    // The run is over: the pause screen comes up where it was asked to end on it.
    void endRun() {
        if (!endPaused_) return;
        pause();
        endedPaused_ = true;
    }
    // The last picture is the pause screen on purpose (not a pause the page took when hidden).
    bool endedPaused() const { return endedPaused_ && paused_; }

    Request handle(const ShellEvent& event);
    void pause();
    void resume();
    bool paused() const { return paused_; }
    // The lab's panel over a lab run, its keys taken before the game's.
    void attachLab(GameRun& run);
    bool hasLab() const { return lab_ != nullptr; }
    // The lab's comparison as CSV, and a line for the panel about what became of it.
    std::string labExport();
    void labMessage(std::string message);
    // Game frames to run this pass of the frames due by the clock: none while paused, four times
    // as many while a saved game is watched with Right (or a controller's right shoulder) held,
    // and the lab's slow motion, holds and steps.
    int framesThisPass(int due);
    // Draws the pause or key screen over the picture just drawn, when paused.
    void drawOverlay() const;
    const PlayerSettings& settings() const { return settings_; }
    bool muted() const { return settings_.muted || muteThisRun_; }

  private:
    bool isPauseKey(int key) const;
    bool isPauseButton(PadButton button) const;
    // Keys and buttons a control has belong to the game, never to the lab.
    bool isControlKey(int key) const;
    bool isControlButton(PadButton button) const;
    Request labKey(int key);
    Request handleKey(int key);
    void chooseKey(int key);
    void chooseButton(PadButton button);
    bool takenThisRound(int key) const;
    void nextChoice();
    void toggleMute();
    void applySettings();
    void saveSettings();
    std::vector<OverlayLine> pauseLines() const;
    std::vector<OverlayLine> choiceLines() const;
    std::vector<OverlayLine> labLines() const;

    Mode mode_;
    PlayerSettings settings_;
    std::string configPath_;
    SoundOutput* sound_;
    SettingsListener listener_;
    TextFont font_;
    bool muteThisRun_;
    bool autoPause_ = false;
    bool paused_ = false;
    bool endPaused_ = false;
    bool endedPaused_ = false;
    int choosing_ = -1;       // the control whose key is asked for, -1 when none
    std::vector<int> chosen_; // keys taken so far in this round
    bool rightHeld_ = false;  // fast forward while watching
    bool shoulderHeld_ = false;
    std::string watchTitle_;
    std::unique_ptr<LabPanel> lab_;
};
