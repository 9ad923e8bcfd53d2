// Pause, the key prompt, mute and the replay controls, handled before the game sees any input.
#include "app/sdl_shell.h"

#include <algorithm>
#include <utility>

#include "app/openal_audio.h"
#include "app/sdl_devices.h"

namespace {

constexpr RgbInt kDim{150, 150, 150};
constexpr RgbInt kBright{255, 255, 255};
constexpr const char* kControlTitles[kPlayerControlCount] = {
    "FIRE", "CHAIN (HOLD TO SWING)", "UP", "DOWN", "LEFT", "RIGHT", "PAUSE"};

} // namespace

SdlShell::SdlShell(Mode mode, const PlayerSettings& settings, std::string configPath,
                   SdlDevices* devices, OpenAlAudio* audio, bool muteThisRun)
    : mode_(mode), settings_(settings), configPath_(std::move(configPath)), devices_(devices),
      audio_(audio), muteThisRun_(muteThisRun) {
    applySettings();
}

void SdlShell::applySettings() {
    if (devices_ != nullptr) devices_->setBindings(settings_);
    if (audio_ != nullptr) audio_->setLevels(settings_.effects, settings_.ambient, muted());
}

void SdlShell::saveSettings() const {
    if (!configPath_.empty()) savePlayerSettings(configPath_, settings_);
}

bool SdlShell::isPauseKey(SDL_Scancode key) const {
    return key == SDL_SCANCODE_PAUSE ||
           key == settings_.keys[static_cast<int>(PlayerControl::kPause)];
}

bool SdlShell::isPauseButton(int button) const {
    const SDL_GameControllerButton own = settings_.pads[static_cast<int>(PlayerControl::kPause)];
    return button == (own != SDL_CONTROLLER_BUTTON_INVALID ? own : SDL_CONTROLLER_BUTTON_START);
}

void SdlShell::pause() {
    if (paused_) return;
    paused_ = true;
    if (audio_ != nullptr) audio_->setPaused(true);
}

// Resuming is the player's alone: focus coming back leaves the game paused.
void SdlShell::resume() {
    if (!paused_) return;
    paused_ = false;
    choosing_ = -1;
    if (audio_ != nullptr) audio_->setPaused(false);
}

void SdlShell::deviceLost() {
    if (autoPause_) pause();
}

SdlShell::Request SdlShell::handleEvent(const SDL_Event& event) {
    if (choosing_ >= 0) {
        handleChoice(event);
        return Request::None;
    }
    switch (event.type) {
    case SDL_KEYDOWN:
        return event.key.repeat != 0 ? Request::None : handleKey(event.key.keysym.scancode);
    case SDL_CONTROLLERBUTTONDOWN:
        if (isPauseButton(event.cbutton.button)) paused_ ? resume() : pause();
        return Request::None;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST ||
            event.window.event == SDL_WINDOWEVENT_MINIMIZED) {
            if (autoPause_) pause();
        }
        return Request::None;
    default:
        return Request::None;
    }
}

// Escape while paused ends the game, as it does in play, where the game reads it itself.
SdlShell::Request SdlShell::handleKey(SDL_Scancode key) {
    if (isPauseKey(key)) {
        paused_ ? resume() : pause();
    } else if (key == SDL_SCANCODE_M && mode_ == Mode::Play) {
        toggleMute();
    } else if (paused_ && key == SDL_SCANCODE_R && mode_ == Mode::Play) {
        choosing_ = 0;
        chosen_.clear();
    } else if (paused_ && key == SDL_SCANCODE_ESCAPE) {
        return Request::Quit;
    }
    return Request::None;
}

// M after --mute turns the sound on for the run and in the saved setting alike.
void SdlShell::toggleMute() {
    settings_.muted = !muted();
    muteThisRun_ = false;
    applySettings();
    saveSettings();
}

void SdlShell::handleChoice(const SDL_Event& event) {
    if (event.type == SDL_KEYDOWN && event.key.repeat == 0) {
        chooseKey(event.key.keysym.scancode);
    } else if (event.type == SDL_CONTROLLERBUTTONDOWN) {
        chooseButton(static_cast<SDL_GameControllerButton>(event.cbutton.button));
    }
}

// Escape keeps the key the control has; keys the game keeps, and keys given to another control
// in this round, are not taken, and neither is Escape when the key it would keep is one of those:
// the prompt asks again.
void SdlShell::chooseKey(SDL_Scancode key) {
    if (key == SDL_SCANCODE_ESCAPE) key = settings_.keys[static_cast<size_t>(choosing_)];
    if (isReservedKey(key) || takenThisRound(key)) return;
    settings_.keys[static_cast<size_t>(choosing_)] = key;
    chosen_.push_back(key);
    nextChoice();
}

// A button sets the control's button and keeps its key, unless another control took that key in
// this round: then the prompt stays for a key.
void SdlShell::chooseButton(SDL_GameControllerButton button) {
    settings_.pads[static_cast<size_t>(choosing_)] = button;
    chooseKey(SDL_SCANCODE_ESCAPE);
}

bool SdlShell::takenThisRound(SDL_Scancode key) const {
    return std::find(chosen_.begin(), chosen_.end(), key) != chosen_.end();
}

// After the last control the new keys apply at once and are saved.
void SdlShell::nextChoice() {
    if (++choosing_ < kPlayerControlCount) return;
    choosing_ = -1;
    applySettings();
    saveSettings();
}

void SdlShell::drawOverlay() const {
    if (!paused_) return;
    if (choosing_ >= 0) {
        ::drawOverlay(font_, "KEYS", choiceLines());
    } else {
        ::drawOverlay(font_, "PAUSED", pauseLines());
    }
}

std::vector<OverlayLine> SdlShell::pauseLines() const {
    const auto key = [this](PlayerControl c) {
        return keyName(settings_.keys[static_cast<int>(c)]);
    };
    const auto pad = [this](PlayerControl c, const char* usual) {
        const SDL_GameControllerButton own = settings_.pads[static_cast<int>(c)];
        return own == SDL_CONTROLLER_BUTTON_INVALID ? std::string(usual) : padButtonName(own);
    };
    if (mode_ != Mode::Play) {
        return {{watchTitle_, kBright},
                {""},
                {key(PlayerControl::kPause) + ": PLAY ON    ESCAPE: STOP"},
                {mode_ == Mode::Watch ? "HOLD RIGHT: FAST FORWARD" : "", kDim}};
    }
    return {{"FIRE: " + key(PlayerControl::kFire), kBright},
            {"CHAIN, HOLD TO SWING: " + key(PlayerControl::kLink), kBright},
            {"MOVE: " + key(PlayerControl::kUp) + " " + key(PlayerControl::kDown) + " " +
             key(PlayerControl::kLeft) + " " + key(PlayerControl::kRight)},
            {"PAUSE: " + key(PlayerControl::kPause) + "   MUTE: M   QUIT: ESCAPE"},
            {"CONTROLLER: " + pad(PlayerControl::kFire, "A") + " FIRE, " +
                 pad(PlayerControl::kLink, "X") + " CHAIN, " + pad(PlayerControl::kPause, "START") +
                 " PAUSE",
             kDim},
            {"AFTER A GAME OVER, FIRE PLAYS AGAIN", kDim},
            {""},
            {"BELOW: SCORE, LIVES, LEVEL, KILLS TO NEXT", kDim},
            {"LEVEL; HI: THE BEST SCORE", kDim},
            {muted() ? "SOUND IS OFF (M)" : ""},
            {""},
            {key(PlayerControl::kPause) + ": PLAY    R: CHOOSE KEYS", kBright}};
}

std::vector<OverlayLine> SdlShell::choiceLines() const {
    const size_t c = static_cast<size_t>(choosing_);
    std::string now = "NOW: " + keyName(settings_.keys[c]);
    if (settings_.pads[c] != SDL_CONTROLLER_BUTTON_INVALID)
        now += ", BUTTON " + padButtonName(settings_.pads[c]);
    const bool taken = takenThisRound(settings_.keys[c]);
    return {
        {"PRESS A KEY FOR", kDim},
        {kControlTitles[c], kBright},
        {now},
        {""},
        {taken ? "THAT KEY IS TAKEN: PRESS ANOTHER" : "ESCAPE KEEPS IT", taken ? kBright : kDim},
        {"A CONTROLLER BUTTON SETS THE BUTTON", kDim}};
}
