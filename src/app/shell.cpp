// Pause, the key prompt, mute and the replay controls, handled before the game sees any input.
#include "app/shell.h"

#include <algorithm>
#include <utility>

#include "app/game_run.h"
#include "app/lab.h"
#include "base/sound.h"

namespace {

constexpr RgbInt kDim{150, 150, 150};
constexpr RgbInt kBright{255, 255, 255};
constexpr const char* kControlTitles[kPlayerControlCount] = {
    "FIRE", "CHAIN (HOLD TO SWING)", "UP", "DOWN", "LEFT", "RIGHT", "PAUSE"};

} // namespace

Shell::Shell(Mode mode, const PlayerSettings& settings, std::string configPath, SoundOutput* sound,
             bool muteThisRun)
    : mode_(mode), settings_(settings), configPath_(std::move(configPath)), sound_(sound),
      muteThisRun_(muteThisRun) {
    applySettings();
}

Shell::~Shell() = default;

void Shell::attachLab(GameRun& run) {
    if (Lab* lab = run.openLab()) lab_ = std::make_unique<LabPanel>(*lab);
}

std::string Shell::labExport() {
    return lab_ != nullptr ? lab_->exportText() : std::string();
}

void Shell::labMessage(std::string message) {
    if (lab_ != nullptr) lab_->say(std::move(message));
}

bool Shell::isControlKey(int key) const {
    return std::find(settings_.keys.begin(), settings_.keys.end(), key) != settings_.keys.end();
}

bool Shell::isControlButton(PadButton button) const {
    return std::find(settings_.pads.begin(), settings_.pads.end(), button) != settings_.pads.end();
}

Shell::Request Shell::labKey(int key) {
    if (!lab_->key(key)) return Request::None;
    return lab_->takeExportRequest() ? Request::ExportLab : Request::None;
}

void Shell::setSettingsListener(SettingsListener listener) {
    listener_ = std::move(listener);
    if (listener_) listener_(settings_);
}

void Shell::applySettings() {
    if (sound_ != nullptr) sound_->setLevels(settings_.effects, settings_.ambient, muted());
}

void Shell::saveSettings() {
    if (!configPath_.empty()) savePlayerSettings(configPath_, settings_);
    if (listener_) listener_(settings_);
}

bool Shell::isPauseKey(int key) const {
    return key == key_usage::kPause ||
           key == settings_.keys[static_cast<int>(PlayerControl::kPause)];
}

bool Shell::isPauseButton(PadButton button) const {
    const PadButton own = settings_.pads[static_cast<int>(PlayerControl::kPause)];
    return button == (own != PadButton::kNone ? own : PadButton::kStart);
}

void Shell::pause() {
    if (paused_) return;
    paused_ = true;
    if (sound_ != nullptr) sound_->setPaused(true);
}

// Resuming is the player's alone: focus coming back leaves the game paused.
void Shell::resume() {
    if (!paused_) return;
    paused_ = false;
    choosing_ = -1;
    if (sound_ != nullptr) sound_->setPaused(false);
}

int Shell::framesThisPass(int due) {
    if (paused_) return 0;
    if (lab_ != nullptr) return lab_->frames(due);
    return mode_ == Mode::Watch && (rightHeld_ || shoulderHeld_) ? 4 * due : due;
}

Shell::Request Shell::handle(const ShellEvent& event) {
    using Kind = ShellEvent::Kind;
    if (event.kind == Kind::KeyDown || event.kind == Kind::KeyUp)
        if (event.key == key_usage::kRight) rightHeld_ = event.kind == Kind::KeyDown;
    if (event.kind == Kind::ButtonDown || event.kind == Kind::ButtonUp)
        if (event.button == PadButton::kRightShoulder)
            shoulderHeld_ = event.kind == Kind::ButtonDown;
    if (event.kind == Kind::KeyDown && event.key == key_usage::kF12) return Request::Screenshot;
    if (choosing_ >= 0) {
        if (event.kind == Kind::KeyDown) chooseKey(event.key);
        if (event.kind == Kind::ButtonDown) chooseButton(event.button);
        return Request::None;
    }
    switch (event.kind) {
    case Kind::KeyDown:
        if (lab_ != nullptr && !paused_ && !isControlKey(event.key) && !isPauseKey(event.key)) {
            const Request request = labKey(event.key);
            if (request != Request::None) return request;
        }
        return handleKey(event.key);
    case Kind::ButtonDown:
        if (isPauseButton(event.button)) {
            paused_ ? resume() : pause();
        } else if (lab_ != nullptr && !paused_ && !isControlButton(event.button)) {
            lab_->button(event.button);
        }
        return Request::None;
    case Kind::FocusLost:
    case Kind::Hidden:
    case Kind::DeviceLost:
        rightHeld_ = shoulderHeld_ = false;
        if (autoPause_) pause();
        return Request::None;
    default:
        return Request::None;
    }
}

// Escape while paused ends the game, as it does in play, where the game reads it itself; a
// replay's own inputs hold the game's keys, so there the shell takes the real Escape.
Shell::Request Shell::handleKey(int key) {
    if (isPauseKey(key)) {
        paused_ ? resume() : pause();
    } else if (key == key_usage::kM && mode_ == Mode::Play) {
        toggleMute();
    } else if (paused_ && key == key_usage::kR && mode_ == Mode::Play) {
        choosing_ = 0;
        chosen_.clear();
    } else if (key == key_usage::kEscape && (paused_ || mode_ != Mode::Play)) {
        return Request::Quit;
    }
    return Request::None;
}

// M after --mute turns the sound on for the run and in the saved setting alike.
void Shell::toggleMute() {
    settings_.muted = !muted();
    muteThisRun_ = false;
    applySettings();
    saveSettings();
}

// Escape keeps the key the control has; keys the game keeps, and keys given to another control
// in this round, are not taken, and neither is Escape when the key it would keep is one of those:
// the prompt asks again.
void Shell::chooseKey(int key) {
    if (key == key_usage::kEscape) key = settings_.keys[static_cast<size_t>(choosing_)];
    if (isReservedKey(key) || takenThisRound(key)) return;
    settings_.keys[static_cast<size_t>(choosing_)] = static_cast<uint16_t>(key);
    chosen_.push_back(key);
    nextChoice();
}

// A button sets the control's button and keeps its key, unless another control took that key in
// this round: then the prompt stays for a key.
void Shell::chooseButton(PadButton button) {
    settings_.pads[static_cast<size_t>(choosing_)] = button;
    chooseKey(key_usage::kEscape);
}

bool Shell::takenThisRound(int key) const {
    return std::find(chosen_.begin(), chosen_.end(), key) != chosen_.end();
}

// After the last control the new keys apply at once and are saved.
void Shell::nextChoice() {
    if (++choosing_ < kPlayerControlCount) return;
    choosing_ = -1;
    applySettings();
    saveSettings();
}

void Shell::drawOverlay() const {
    if (lab_ != nullptr) lab_->draw(font_);
    if (!paused_) return;
    if (choosing_ >= 0) {
        ::drawOverlay(font_, "KEYS", choiceLines());
    } else {
        ::drawOverlay(font_, "PAUSED", pauseLines());
    }
}

std::vector<OverlayLine> Shell::pauseLines() const {
    const auto key = [this](PlayerControl c) {
        return keyName(settings_.keys[static_cast<int>(c)]);
    };
    const auto pad = [this](PlayerControl c, const char* usual) {
        const PadButton own = settings_.pads[static_cast<int>(c)];
        return own == PadButton::kNone ? std::string(usual) : std::string(padButtonName(own));
    };
    if (lab_ != nullptr) return labLines();
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

std::vector<OverlayLine> Shell::choiceLines() const {
    const size_t c = static_cast<size_t>(choosing_);
    std::string now = "NOW: " + keyName(settings_.keys[c]);
    if (settings_.pads[c] != PadButton::kNone)
        now += std::string(", BUTTON ") + padButtonName(settings_.pads[c]);
    const bool taken = takenThisRound(settings_.keys[c]);
    return {
        {"PRESS A KEY FOR", kDim},
        {kControlTitles[c], kBright},
        {now},
        {""},
        {taken ? "THAT KEY IS TAKEN: PRESS ANOTHER" : "ESCAPE KEEPS IT", taken ? kBright : kDim},
        {"A CONTROLLER BUTTON SETS THE BUTTON", kDim}};
}

std::vector<OverlayLine> Shell::labLines() const {
    const auto key = [this](PlayerControl c) {
        return keyName(settings_.keys[static_cast<int>(c)]);
    };
    return {{"THE WEAPON LAB", kBright},
            {"FIRE " + key(PlayerControl::kFire) + "   CHAIN " + key(PlayerControl::kLink) +
             "   PAUSE " + key(PlayerControl::kPause)},
            {""},
            {"TAB: PANEL   PAGE UP/DOWN: PICK   + -: CHANGE"},
            {"BACKSPACE: RESET ONE   HOME: RESET ALL"},
            {"1 2 4: SPEED   F: HOLD   N: ONE FRAME   T: TRACES"},
            {"C: COMPARE A AND B OVER THIS GAME SO FAR"},
            {"V: SHOW THE OTHER   E: EXPORT BOTH   C: PLAY ON"},
            {"PAD: BACK PANEL, SHOULDERS PICK, STICKS - +", kDim},
            {""},
            {"LAB GAMES KEEP NO SCORE", kDim},
            {key(PlayerControl::kPause) + ": PLAY   ESCAPE: QUIT", kBright}};
}
