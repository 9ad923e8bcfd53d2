// The lab: live changes go through the run (and its record); a comparison replays the stretch
// of play silently under each setting, then shows one of them frame by frame.
#include "app/lab.h"

#include <cstdio>
#include <cstdlib>

#include "app/game_run.h"
#include "base/sound.h"
#include "game/setup.h"
#include "input/input.h"
#include "world/game_state.h"

Lab::Lab(GameRun& run, bool compareAllowed) : run_(run), compareAllowed_(compareAllowed) {}

Lab::~Lab() = default;

void Lab::afterFrame() {
    trace_.sample(*gameEnv);
    if (comparing_) return;
    // The first frame of a game begins its stretch.
    if (gameEnv->state->frameCount == 1) {
        stretch_ = InputLog();
        stretchStart_ = gameEnv->lastStart;
    }
    stretch_.addRow({1, heldInputsOf(*gameInput)});
}

const LabSettings& Lab::settings() const {
    if (!comparing_) return gameEnv->lab;
    return showingB_ ? b_ : a_;
}

bool Lab::change(const LabSettings& settings, std::string& why) {
    why = labSettingsClash(settings);
    if (!why.empty()) return false;
    if (!comparing_) {
        run_.changeLab(settings);
        return true;
    }
    (showingB_ ? b_ : a_) = settings;
    const int64_t at = frame_;
    measureBoth();
    replayTo(this->settings(), at);
    return true;
}

bool Lab::startCompare(std::string& why) {
    if (!compareAllowed_) {
        why = "NOT WHILE RECORDING OR DUMPING";
        return false;
    }
    if (stretch_.frameCount() < 2) {
        why = "PLAY A LITTLE FIRST";
        return false;
    }
    a_ = b_ = gameEnv->lab;
    showingB_ = false;
    comparing_ = true;
    frame_ = 0;
    measureBoth();
    replayTo(a_, 0);
    return true;
}

void Lab::stopCompare() {
    if (!comparing_) return;
    comparing_ = false;
    gameEnv->changeLab(settings());
    gameEnv->counters = {};
    gameEnv->startNewGame();
    trace_.clear();
}

void Lab::switchView() {
    if (!comparing_) return;
    showingB_ = !showingB_;
    replayTo(settings(), frame_);
}

// The shown run's next frame, with its sounds; past the stretch it starts again.
void Lab::stepCompare() {
    if (frame_ >= stretch_.frameCount()) {
        replayTo(settings(), 0);
    }
    InputSource* devices = gameInput->swapSource(source_.get());
    gameEnv->runFrame();
    gameInput->swapSource(devices);
    ++frame_;
}

// The stretch from its start under the settings, silently, up to the frame.
void Lab::replayTo(const LabSettings& settings, int64_t frames, LabMeter* meter, std::FILE* csv) {
    SoundOutput* output = soundOutput();
    setSoundOutput(nullptr);
    source_ = std::make_unique<InputLogSource>(stretch_);
    InputSource* devices = gameInput->swapSource(source_.get());
    gameEnv->lab = settings;
    gameEnv->counters = {};
    gameEnv->startGameFrom(stretchStart_);
    trace_.clear();
    for (int64_t f = 0; f < frames; ++f) {
        gameEnv->runFrame();
        if (meter != nullptr) meter->afterFrame(*gameEnv, csv);
    }
    if (meter != nullptr) meter->finish(*gameEnv, csv);
    gameInput->swapSource(devices);
    setSoundOutput(output);
    frame_ = frames;
}

void Lab::measureBoth() {
    LabMeter meterA;
    replayTo(a_, stretch_.frameCount(), &meterA);
    totalA_ = meterA.numbers(*gameEnv);
    LabMeter meterB;
    replayTo(b_, stretch_.frameCount(), &meterB);
    totalB_ = meterB.numbers(*gameEnv);
}

std::string Lab::exportText() {
    if (!comparing_) return {};
    const int64_t at = frame_;
    char* buffer = nullptr;
    size_t size = 0;
    std::FILE* csv = open_memstream(&buffer, &size);
    if (csv == nullptr) return {};
    LabMeter meterA;
    meterA.setRunName("A");
    replayTo(a_, stretch_.frameCount(), &meterA, csv);
    LabMeter meterB;
    meterB.setRunName("B");
    meterB.skipHeader();
    replayTo(b_, stretch_.frameCount(), &meterB, csv);
    std::fclose(csv);
    std::string text(buffer, size);
    std::free(buffer);
    replayTo(settings(), at);
    return text;
}
